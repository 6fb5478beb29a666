#include "Scramble.h"
#include "content/Catalogue.h"
#include "tasks/Decrypt.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace urok;
using namespace urok::setup;

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

QByteArray lessonTask(int k)
{
    QFile f(QStringLiteral(UROK_SOURCE_DIR "/data/tasks/task-%1.txt").arg(k, 2, 10, QLatin1Char('0')));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
        QTest::addColumn<int>("task");
        for (int k = 1; k <= 24; ++k)
            QTest::newRow(qPrintable(QString::number(k))) << k;
    }
    void everyLessonTaskSurvivesScrambling()
    {
        QFETCH(int, task);
        const QByteArray plainFile = lessonTask(task);
        QVERIFY(!plainFile.isEmpty());
        const ScrambledTask scrambled = scrambleTaskFile(QString::fromUtf8(plainFile));
        // A lesson task that cannot be scrambled is a fault of the lesson's data.
        QVERIFY2(scrambled.errors.isEmpty(), qPrintable(scrambled.errors.value(0)));
        const Catalogue plain = taskCatalogue(plainFile);
        const Catalogue hidden = taskCatalogue(scrambled.text.toUtf8());
        QVERIFY(hidden.errors().isEmpty());
        const QStringList expected = plain.list(Holder::Uslowie_L, 1);
        const QStringList stored = hidden.list(Holder::Uslowie_L, 1);
        QCOMPARE(stored.size(), expected.size());
        QCOMPARE(hidden.list(Holder::Redowe_L, 2), plain.list(Holder::Redowe_L, 2));
        for (int i = 0; i < stored.size(); ++i) {
            QVERIFY(stored[i] != expected[i] || expected[i].isEmpty());
            QCOMPARE(Fn_Decrypt(stored[i], true), expected[i]);
        }
    }

    void aCharacterThatWouldBreakTheLineIsNamed()
    {
        // Find a character that scrambles into a line feed at position 1.
        QString bad;
        for (ushort c = 0xA0; c <= 0xFF && bad.isEmpty(); ++c) {
            const QString candidate = QString(QChar(c));
            if (scrambleContentLine(candidate).contains(u'\n'))
                bad = candidate;
        }
        if (bad.isEmpty()) {
            for (const char16_t c : u"«»№©§°±")
                if (c && scrambleContentLine(QString(QChar(c))).contains(u'\n'))
                    bad = QString(QChar(c));
        }
        QVERIFY(!bad.isEmpty());
        const ScrambledTask t = scrambleTaskFile(QStringLiteral("@hint\nok\n@hint2\n") + bad
                                                 + QStringLiteral("\n@condition\nc\n@solution\ns\n"));
        QCOMPARE(t.errors.size(), 1);
        QVERIFY(t.errors[0].startsWith(QStringLiteral("ред 4:")));
        QVERIFY(t.errors[0].contains(bad));
        QVERIFY(t.text.isEmpty());
    }

    void commandWritesNothingOnError()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("t.txt"));
        const QString outPath = dir.filePath(QStringLiteral("s.txt"));
        QFile f(in);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("@hint\nупътване ≤\n@hint2\nx\n@condition\nc\n@solution\ns\n");
        f.close();
        QString o, e;
        QTextStream out(&o), err(&e);
        QCOMPARE(scrambleCommand(in, outPath, out, err), 1);
        QVERIFY(e.contains(QStringLiteral(":2:")));
        QVERIFY(!QFile::exists(outPath));

        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("@hint\nупътване\n@hint2\nx\n@condition\nc\n@solution\ns\n");
        f.close();
        QCOMPARE(scrambleCommand(in, outPath, out, err), 0);
        QVERIFY(QFile::exists(outPath));
    }
};

QTEST_GUILESS_MAIN(ScrambleTest)
#include "test_scramble.moc"
