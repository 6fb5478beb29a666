#include "engine/MainMessages.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace urok;
using urok::test::ScriptedPrompter;

class MainMessagesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textsAreExact()
    {
        const Message one = mainWindowMessage(1);
        QCOMPARE(one.caption, QStringLiteral("Електронен урок"));
        QCOMPARE(one.text,
                 QStringLiteral("1\r\nЛипсва съответстващ конфигурационен файл  \r\n"
                                "Моля, копирайте изпълнимия и коректния конфигурационен файл\r\n"
                                "в основната директория на урока "));
        QCOMPARE(one.buttons, Message::Buttons::Ok);
        QCOMPARE(one.icon, Message::Icon::Critical);

        const Message two = mainWindowMessage(2);
        QCOMPARE(two.text, QStringLiteral("Желаете ли изход от урока?"));
        QCOMPARE(two.buttons, Message::Buttons::YesNo);
        QCOMPARE(two.defaultButton, 1); // No
        QCOMPARE(two.icon, Message::Icon::None);

        const Message three = mainWindowMessage(3);
        const QStringList lines = three.text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines, QStringList({QStringLiteral("3"),
                                     QStringLiteral("Използваният конфигурационния файл е некоректен!"),
                                     QStringLiteral("Кодът на несъответствие е: "),
                                     QStringLiteral("Моля, минете през режим Настройка.")}));
        QCOMPARE(three.icon, Message::Icon::Critical);
    }

    void resultIsYesOnlyForYes()
    {
        ScriptedPrompter prompter;
        prompter.answer(true);
        prompter.answer(false);
        QCOMPARE(Greska_Otgowor1(prompter, 2), QStringLiteral("Yes"));
        QCOMPARE(Greska_Otgowor1(prompter, 2), QStringLiteral("No"));
        // An OK box cannot answer Yes, whatever the script says.
        QCOMPARE(prompter.shown.size(), 2);
    }

    void unknownCodeShowsNothing()
    {
        ScriptedPrompter prompter;
        prompter.answer(true);
        QCOMPARE(Greska_Otgowor1(prompter, 9), QStringLiteral("No"));
        QVERIFY(prompter.shown.isEmpty());
    }

    // The real message box: Bulgarian buttons, No preselected, Enter answers No.
    void realBoxDefaultsToNo()
    {
        MessageBoxPrompter prompter;
        bool seen = false;
        QObject context;
        QStringList buttons;
        QTimer::singleShot(0, &context, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = true;
            for (QAbstractButton *b : box->buttons())
                buttons.append(b->text());
            QCOMPARE(box->windowTitle(), QStringLiteral("Електронен урок"));
            QCOMPARE(box->defaultButton()->text(), QStringLiteral("&Не"));
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(Greska_Otgowor1(prompter, 2), QStringLiteral("No"));
        QVERIFY(seen);
        buttons.sort();
        QCOMPARE(buttons, QStringList({QStringLiteral("&Да"), QStringLiteral("&Не")}));
    }

    void realBoxAnswersYes()
    {
        MessageBoxPrompter prompter;
        bool seen = false;
        QObject context;
        QTimer::singleShot(0, &context, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = true;
            for (QAbstractButton *b : box->buttons())
                if (b->text() == QStringLiteral("&Да"))
                    b->click();
        });
        QCOMPARE(Greska_Otgowor1(prompter, 2), QStringLiteral("Yes"));
        QVERIFY(seen);
    }
};

QTEST_MAIN(MainMessagesTest)
#include "test_main_messages.moc"
