#include "engine/MainMessages.h"
#include "support/Lesson.h"

#include <QPushButton>

using namespace urok;
using namespace urok::test;

class MainMessagesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void texts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("question");
        QTest::newRow("1") << 1
                           << "1\r\nЛипсва съответстващ конфигурационен файл  \r\n"
                              "Моля, копирайте изпълнимия и коректния конфигурационен файл\r\n"
                              "в основната директория на урока "
                           << false;
        QTest::newRow("2") << 2 << "Желаете ли изход от урока?" << true;
        QTest::newRow("3") << 3
                           << "3\r\nИзползваният конфигурационния файл е некоректен!\r\n"
                              "Кодът на несъответствие е: \r\nМоля, минете през режим Настройка."
                           << false;
    }
    void texts()
    {
        QFETCH(int, code);
        const Message m = mainWindowMessage(code);
        QCOMPARE(m.caption, QStringLiteral("Електронен урок"));
        QTEST(m.text, "text");
        QTEST(m.buttons == Message::Buttons::YesNo, "question");
    }

    // The exit question as the pupil meets it: Bulgarian buttons, "Не"
    // preselected so that Enter keeps the pupil in the lesson, "Да" ends it.
    void theExitQuestion()
    {
        Lesson lesson;
        Tarv &main = lesson.start();
        QStringList buttons;
        QString title;
        QString preselected;
        lesson.boxes.answer(QStringLiteral("Не"), [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            for (QAbstractButton *b : box->buttons())
                buttons.append(b->text());
            title = box->windowTitle();
            preselected = box->defaultButton()->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        Lesson::command(&main, QStringLiteral("Izhod"));
        QCOMPARE(lesson.boxes.seen.size(), 1);
        QCOMPARE(lesson.boxes.seen[0].pressed, QStringLiteral("Не"));
        QCOMPARE(title, QStringLiteral("Електронен урок"));
        buttons.sort();
        QCOMPARE(buttons, (QStringList{"&Да", "&Не"}));
        QCOMPARE(preselected, QStringLiteral("&Не"));
        QVERIFY(!lesson.ended);
        QVERIFY(main.isVisible());

        lesson.boxes.answer(QStringLiteral("Да"));
        Lesson::command(&main, QStringLiteral("Izhod"));
        QVERIFY(lesson.ended);
    }
};

QTEST_MAIN(MainMessagesTest)
#include "test_main_messages.moc"
