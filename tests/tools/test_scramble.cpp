#include "Scramble.h"
#include "content/Catalogue.h"
#include "support/Golden.h"
#include "support/Lesson.h"
#include "engine/Decrypt.h"

#include <QTemporaryDir>
#include <QTest>

using namespace urok;
using namespace urok::setup;
using urok::test::readFile;

namespace {

Catalogue taskCatalogue(const QByteArray &taskFile)
{
    const QString manifest = QStringLiteral(
        "task Uslowie_L(1) < t.txt\n"
        "list Redowe_L(0)\n  \"h\"\n  \"0\"\nend\n"
        "list Redowe_L(1)\n  \"h\"\n  \"0\"\nend\n"
        "list Redowe_L(2)\n  \"h\"\n  \"0\"\nend\n");
    return Catalogue::parse(
        manifest, [taskFile](const QString &) { return std::optional<QByteArray>(taskFile); },
        QStringLiteral("/"));
}

} // namespace

class ScrambleTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A scrambled task file, loaded by the lesson and unscrambled line by
    // line, gives back every line of the plain task.
    void everyLessonTaskSurvivesScrambling_data()
    {
        QTest::addColumn<QString>("path");
        for (int k = 1; k <= 24; ++k)
            QTest::newRow(qPrintable(QString::number(k)))
                << QStringLiteral(UROK_SOURCE_DIR "/data/tasks/task-%1.txt").arg(k, 2, 10, QLatin1Char('0'));
        QTest::newRow("the golden one") << QStringLiteral(UROK_SOURCE_DIR "/tests/tools/testdata/task.txt");
        QTest::newRow("a blank line closing a hint")
            << QStringLiteral(UROK_SOURCE_DIR "/tests/tools/testdata/task-blank-line.txt");
    }
    void everyLessonTaskSurvivesScrambling()
    {
        QFETCH(QString, path);
        const QByteArray plainFile = readFile(path);
        QVERIFY(!plainFile.isEmpty());
        const ScrambledTask scrambled = scrambleTaskFile(QString::fromUtf8(plainFile));
        // A lesson task that cannot be scrambled is a fault of the lesson's data.
        QVERIFY2(scrambled.errors.isEmpty(), qPrintable(scrambled.errors.value(0)));
        const Catalogue plain = taskCatalogue(plainFile);
        const Catalogue hidden = taskCatalogue(scrambled.text.toUtf8());
        const QStringList expected = plain.list(Holder::Uslowie_L, 1);
        const QStringList stored = hidden.list(Holder::Uslowie_L, 1);
        QVERIFY(plain.errors().isEmpty());
        QVERIFY2(hidden.errors().isEmpty(), qPrintable(hidden.errors().join(u'\n')));
        QCOMPARE(stored.size(), expected.size());
        QCOMPARE(hidden.list(Holder::Redowe_L, 2), plain.list(Holder::Redowe_L, 2));
        for (int i = 0; i < stored.size(); ++i) {
            QVERIFY(stored[i] != expected[i] || expected[i].isEmpty());
            QCOMPARE(Fn_Decrypt(stored[i], true), expected[i]);
        }
    }

    // The scrambled file is byte for byte the golden one: marker lines as
    // they are, every other line scrambled, in UTF-8 with LF line ends.
    void theScrambledFileIsTheGoldenOne()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("s.txt"));
        QString o, e;
        QTextStream out(&o), err(&e);
        QCOMPARE(scrambleCommand(QStringLiteral(UROK_SOURCE_DIR "/tests/tools/testdata/task.txt"), output, out, err),
                 0);
        err.flush();
        QCOMPARE(e, QString());
        const QString golden = QStringLiteral(UROK_SOURCE_DIR "/tests/tools/testdata/task.scrambled.txt");
        UROK_COMPARE_GOLDEN(golden, readFile(output));
    }

    // With the key 163 + position, "®" (0xAE) at position 1 would be stored
    // as a line feed and "Ё" (0xA8) at position 2 as a carriage return.
    void aCharacterThatWouldBreakTheLineIsNamed_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("error");
        QTest::newRow("line feed") << QStringLiteral("®") << QStringLiteral("ред 4: знакът „®“ (позиция 1)");
        QTest::newRow("carriage return") << QStringLiteral("xЁ") << QStringLiteral("ред 4: знакът „Ё“ (позиция 2)");
    }
    void aCharacterThatWouldBreakTheLineIsNamed()
    {
        QFETCH(QString, line);
        QFETCH(QString, error);
        const ScrambledTask t =
            scrambleTaskFile(QStringLiteral("@hint\nok\n@hint2\n") + line + QStringLiteral("\n@condition\nc\n@solution\ns\n"));
        QCOMPARE(t.errors.size(), 1);
        QVERIFY2(t.errors[0].startsWith(error), qPrintable(t.errors[0]));
        QVERIFY(t.text.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ScrambleTest)
#include "test_scramble.moc"
