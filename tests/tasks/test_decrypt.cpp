#include "engine/Cp1251.h"
#include "support/ScriptedPrompter.h"
#include "tasks/Decrypt.h"
#include "tasks/TaskMessages.h"

#include <QTest>

using namespace urok;

class DecryptTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void plainLessonPassesLinesThrough()
    {
        for (const QString &line : {QString(), QStringLiteral("x"), QStringLiteral("Условие: n <= 10")})
            QCOMPARE(Fn_Decrypt(line, false), line);
    }

    void shortLines()
    {
        QCOMPARE(Fn_Decrypt(QString(), true), QString());
        QCOMPARE(Fn_Decrypt(QStringLiteral("Ж"), true), QString());
    }

    void mechanicsOnFourCharacters()
    {
        // w x y z -> z' y' x': w is dropped, the rest read backwards with the
        // key bytes 164, 165, 166.
        const QByteArray stored("w\x01\x02\x03", 4);
        const QString out = Fn_Decrypt(fromCp1251(stored), true);
        QCOMPARE(toCp1251(out), QByteArray("\xA7\xA7\xA7", 3)); // 3^164, 2^165, 1^166
    }

    void scramblingIsUndoneExactly()
    {
        const QStringList lines{
            QStringLiteral("Намерете броя на пермутациите на числата 1..n."),
            QStringLiteral("    for (int i = 0; i < n; ++i) s += a[i];"),
            QStringLiteral("„Кавички“ – тире … № «стрелки»"),
            QString(200, u'я'), // longer than one key period
            QStringLiteral("\t"),
        };
        for (const QString &line : lines) {
            const QString stored = scrambleContentLine(line);
            QVERIFY(stored != line);
            QCOMPARE(stored.size(), line.size() + 1);
            QCOMPARE(Fn_Decrypt(stored, true), line);
        }
    }

    void keyStreamStartsAgainForEveryLine()
    {
        const QString stored = scrambleContentLine(QStringLiteral("същият ред"));
        QCOMPARE(Fn_Decrypt(stored, true), Fn_Decrypt(stored, true));
        // Equal text in different places of a line is scrambled differently.
        const QString twice = scrambleContentLine(QStringLiteral("aaaa"));
        QVERIFY(twice.at(1) != twice.at(2));
    }

    void messagesAreExact()
    {
        const Message two = taskWindowMessage(2);
        QCOMPARE(two.text, QStringLiteral("Да премина ли към друга задача?"));
        QCOMPARE(two.caption, QStringLiteral("Електронен урок"));
        QCOMPARE(two.buttons, Message::Buttons::YesNo);
        QCOMPARE(two.defaultButton, 1);
        QCOMPARE(taskWindowMessage(3).text,
                 QStringLiteral("Задачата е с повишена трудност! \r\nСмятате ли, че ще се справите?"));
        test::ScriptedPrompter prompter;
        prompter.answer(true);
        QCOMPARE(Greska_Otgowor2(prompter, 3), QStringLiteral("Yes"));
        QCOMPARE(Greska_Otgowor2(prompter, 2), QStringLiteral("No"));
        QCOMPARE(Greska_Otgowor2(prompter, 7), QStringLiteral("No"));
        QCOMPARE(prompter.shown.size(), 2);
    }

    void codePageRoundTripsEveryByte()
    {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(static_cast<char>(i));
        bool lossless = false;
        QCOMPARE(toCp1251(fromCp1251(all), &lossless), all);
        QVERIFY(lossless);
        QCOMPARE(toCp1251(QStringLiteral("a≤b"), &lossless), QByteArray("a?b"));
        QVERIFY(!lossless);
        QVERIFY(!fitsCp1251(QStringLiteral("ѝ")));
        QVERIFY(fitsCp1251(QStringLiteral("Задача „№ 3“ – край…")));
    }
};

QTEST_GUILESS_MAIN(DecryptTest)
#include "test_decrypt.moc"
