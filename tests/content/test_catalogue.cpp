#include "content/Catalogue.h"
#include "engine/Cp1251.h"
#include "support/Lesson.h"

#include <QImageReader>
#include <QTest>

using namespace urok;

namespace {

Catalogue parse(const QString &manifest, const QMap<QString, QByteArray> &files = {})
{
    // The reader keeps its own copy: the catalogue reads files when they are first needed.
    Catalogue c = Catalogue::parse(
        manifest,
        [files](const QString &path) -> std::optional<QByteArray> {
            if (!files.contains(path))
                return std::nullopt;
            return files[path];
        },
        QStringLiteral("/data/"));
    c.loadAll();
    return c;
}

} // namespace

class CatalogueTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listsKeepBlanksEscapesAndRepeats()
    {
        const Catalogue c = parse(QStringLiteral(
            "# comment\n"
            "list Wremena(6)\n"
            "  \"Тип решение\"\n"
            "  \"работа с числа \" * 3\n"
            "  \"  две \\\"кавички\\\" и \\\\ \\t\"\n"
            "  \"\"\n"
            "end\n"
            "list Opcii_L\n"
            "  \"0\" * 2\n"
            "end\n"));
        QVERIFY2(c.errors().isEmpty(), qPrintable(c.errors().join(u'\n')));
        QCOMPARE(c.list(Holder::Wremena, 6),
                 QStringList({QStringLiteral("Тип решение"), QStringLiteral("работа с числа "),
                              QStringLiteral("работа с числа "), QStringLiteral("работа с числа "),
                              QStringLiteral("  две \"кавички\" и \\ \t"), QString()}));
        QCOMPARE(c.list(Holder::Opcii_L, 0).size(), 2);
        QVERIFY(!c.hasList(Holder::Wremena, 5));
    }

    void textsFromFilesUseCrLfAndRangesShareAText()
    {
        const Catalogue c = parse(
            QStringLiteral("text Podtochki(1) < texts/p1.txt\n"
                           "text Podtochki(2) < texts/p2.txt\n"
                           "text Podtochki(11..13) = \"Text1\"\n"
                           "text Podtochki(5) = \"    \\r\\n\"\n"),
            {{QStringLiteral("texts/p1.txt"), QByteArray("1. Заглавие\nред\n\nкрай\n")},
             {QStringLiteral("texts/p2.txt"), QByteArray("\xEF\xBB\xBFред\r\nвтори")}});
        QVERIFY2(c.errors().isEmpty(), qPrintable(c.errors().join(u'\n')));
        QCOMPARE(c.text(Holder::Podtochki, 1), QStringLiteral("1. Заглавие\r\nред\r\n\r\nкрай"));
        QCOMPARE(c.text(Holder::Podtochki, 2), QStringLiteral("ред\r\nвтори"));
        QCOMPARE(c.text(Holder::Podtochki, 12), QStringLiteral("Text1"));
        QCOMPARE(c.text(Holder::Podtochki, 5), QStringLiteral("    \r\n"));
        QCOMPARE(c.text(Holder::Podtochki, 30), QString());
        QCOMPARE(c.elements(Holder::Podtochki), QList<int>({1, 2, 5, 11, 12, 13}));
    }

    void taskFileMakesTheTaskListAndItsLineNumbers()
    {
        const Catalogue c = parse(
            QStringLiteral("task Uslowie_L(2) < tasks/t.txt\n"
                           "list Redowe_L(0)\n  \"h\"\n  \"0\" * 3\nend\n"
                           "list Redowe_L(1)\n  \"h\"\n  \"0\" * 3\nend\n"
                           "list Redowe_L(2)\n  \"h\"\n  \"0\" * 3\nend\n"),
            {{QStringLiteral("tasks/t.txt"),
              QByteArray("@hint\nупътване\n@hint2\nупътване 2\n@condition\nусловие 1\n"
                         "условие 2\n\n@solution\nидея\n\n#include <cstdio>\nint main(){}\n\n")}});
        QVERIFY2(c.errors().isEmpty(), qPrintable(c.errors().join(u'\n')));
        const QStringList lines = c.list(Holder::Uslowie_L, 2);
        QCOMPARE(lines,
                 QStringList({QStringLiteral("упътване"), QStringLiteral("упътване 2"),
                              QStringLiteral("условие 1"), QStringLiteral("условие 2"),
                              QStringLiteral("идея"), QString(), QStringLiteral("#include <cstdio>"),
                              QStringLiteral("int main(){}")}));
        QCOMPARE(c.list(Holder::Redowe_L, 1).at(2), QStringLiteral("2"));
        QCOMPARE(c.list(Holder::Redowe_L, 2).at(2), QStringLiteral("4"));
        QCOMPARE(c.list(Holder::Redowe_L, 0).at(2), QStringLiteral("8"));
        QCOMPARE(c.list(Holder::Redowe_L, 2).at(1), QStringLiteral("0"));
    }

    void badInputIsReportedWithItsLine_data()
    {
        QTest::addColumn<QString>("manifest");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unknown holder") << "list Nothing(1)\nend\n" << ":1: unknown holder";
        QTest::newRow("half a range") << "list Spi_GR(1..)\nend\n" << ":1: not a holder: Spi_GR(1..)";
        QTest::newRow("letters for a number") << "text Glos(x) = \"a\"\n" << "not a holder: Glos(x)";
        QTest::newRow("backwards range") << "text Glos(5..2) = \"a\"\n" << "empty range";
        QTest::newRow("no way to give the text") << "text Glos(1) \"a\"\n" << "cannot read the line";
        QTest::newRow("repeat without a count") << "list Spi_GR(0)\n  \"a\" * x\nend\n" << "optionally \"* N\"";
        QTest::newRow("wrong kind") << "text Wremena(1) = \"x\"\n" << "not a holder of this kind";
        QTest::newRow("unterminated") << "list Spi_GR(0)\n  \"abc\nend\n" << ":2: unterminated";
        QTest::newRow("no end") << "list Spi_GR(0)\n  \"a\"\n" << "has no \"end\"";
        QTest::newRow("twice") << "text Glos(1) = \"a\"\ntext Glos(0..2) = \"b\"\n"
                               << ":2: Glos(1) is defined twice";
        QTest::newRow("task twice") << "list Uslowie_L(1..3)\nend\ntask Uslowie_L(2) < t.txt\n"
                                    << ":3: Uslowie_L(2) is defined twice";
        QTest::newRow("missing file") << "text Glos(1) < texts/none.txt\n" << "cannot read texts/none.txt";
        QTest::newRow("bad escape") << "text Glos(1) = \"\\q\"\n" << "unknown escape";
        QTest::newRow("picture size") << "picture Grafika_G(1) < g.jpg\n" << "WIDTHxHEIGHT";
        QTest::newRow("text after the description")
            << "picture Grafika_G(1) < g.jpg 4x4 \"a\" b\n" << "after the picture's description";
        QTest::newRow("task without a condition")
            << "task Uslowie_L(1) < t.txt\n" << "the condition and the solution may not be empty";
        QTest::newRow("task with a two-line hint")
            << "task Uslowie_L(1) < t2.txt\n" << "a hint is exactly one line";
        QTest::newRow("task out of order") << "task Uslowie_L(1) < t3.txt\n" << "out of order";
    }
    void badInputIsReportedWithItsLine()
    {
        QFETCH(QString, manifest);
        QFETCH(QString, expected);
        const Catalogue c =
            parse(manifest, {{QStringLiteral("t.txt"), QByteArray("@hint\na\n@hint2\nb\n@condition\n@solution\nx\n")},
                             {QStringLiteral("t2.txt"), QByteArray("@hint\na\nb\n@hint2\nb\n@condition\nc\n@solution\nx\n")},
                             {QStringLiteral("t3.txt"), QByteArray("@hint\na\n@condition\nc\n@hint2\nb\n@solution\nx\n")}});
        QVERIFY(!c.errors().isEmpty());
        QVERIFY2(c.errors().join(u'\n').contains(expected), qPrintable(c.errors().join(u'\n')));
    }

    // ---- The lesson built into the program ----

    void builtInLessonLoadsCleanly()
    {
        const Catalogue &c = Catalogue::builtIn();
        QVERIFY2(c.loadAll().isEmpty(), qPrintable(c.errors().join(u'\n')));
    }

    void lengthsAreKnownWithoutReadingTheTexts()
    {
        const QByteArray files[] = {
            QByteArray("ред\nвтори ред\n"), QByteArray("\xEF\xBB\xBFа\r\nб\r\n"),
            QByteArray(""), QByteArray("\n"), QByteArray("a\rb\n\nc"), QByteArray("x\n\n")};
        for (const QByteArray &bytes : files) {
            const Catalogue one = Catalogue::parse(
                QStringLiteral("text Glos(1) < t.txt\n"),
                [bytes](const QString &) { return std::optional<QByteArray>(bytes); },
                QStringLiteral("/"));
            const qsizetype counted = one.textLength(Holder::Glos, 1);
            QCOMPARE(counted, one.text(Holder::Glos, 1).size());
        }
        // Every text of the lesson.
        const Catalogue &lesson = Catalogue::builtIn();
        const Catalogue fresh = test::lessonWith(QStringLiteral("# The built-in content"),
                                           QStringLiteral("# The built-in content"));
        for (Holder h : {Holder::Podtochki, Holder::Dopyln_M, Holder::Reklama_Par, Holder::Glos})
            for (int e : lesson.elements(h))
                QCOMPARE(fresh.textLength(h, e), lesson.text(h, e).size());
    }

    void filesAreReadWhenFirstNeeded()
    {
        int reads = 0;
        const Catalogue c = Catalogue::parse(
            QStringLiteral("text Glos(1) < g.txt\n"
                           "task Uslowie_L(1) < t.txt\n"
                           "list Redowe_L(0..2)\n  \"h\"\n  \"0\"\nend\n"),
            [&reads](const QString &path) -> std::optional<QByteArray> {
                ++reads;
                if (path == u"g.txt")
                    return QByteArray("определение\n");
                return QByteArray("@hint\nh\n@hint2\nh\n@condition\nc\n@solution\ns\n");
            },
            QStringLiteral("/"));
        QCOMPARE(reads, 0);
        QVERIFY(c.hasList(Holder::Uslowie_L, 1));
        QCOMPARE(reads, 0);
        QCOMPARE(c.text(Holder::Glos, 1), QStringLiteral("определение"));
        QCOMPARE(c.text(Holder::Glos, 1), QStringLiteral("определение"));
        QCOMPARE(reads, 1);
        QCOMPARE(c.list(Holder::Redowe_L, 2).at(1), QStringLiteral("3"));
        QCOMPARE(c.list(Holder::Uslowie_L, 1).size(), 4);
        QCOMPARE(reads, 2);
        QVERIFY(c.errors().isEmpty());
    }

    void planPointTextsBeginWithTheirTitles()
    {
        const Catalogue &c = Catalogue::builtIn();
        const QStringList plan = c.list(Holder::Plan_Tarv, 0);
        for (int k = 1; k <= 4; ++k) {
            const QString title = plan.at(k).mid(4);
            QVERIFY2(c.text(Holder::Podtochki, k).startsWith(title + QStringLiteral("\r\n")),
                     qPrintable(title));
        }
    }

    void tasksAndTheirLineNumbersAgree()
    {
        const Catalogue &c = Catalogue::builtIn();
        const QStringList first = c.list(Holder::Redowe_L, 1);
        const QStringList solution = c.list(Holder::Redowe_L, 2);
        for (int k = 1; k <= 24; ++k) {
            const QStringList lines = c.list(Holder::Uslowie_L, k);
            QVERIFY2(lines.size() >= 4, qPrintable(QString::number(k)));
            QCOMPARE(first.at(k), QStringLiteral("2"));
            const int s = solution.at(k).toInt();
            QVERIFY(s > 2 && s < lines.size());
            QVERIFY2(!lines.at(2).trimmed().isEmpty(), "a condition starts with text");
        }
        for (int k = 25; k <= 35; ++k)
            QVERIFY(c.list(Holder::Uslowie_L, k).isEmpty());
    }

    void pictureMapsPointAtRealPictures()
    {
        const Catalogue &c = Catalogue::builtIn();
        // Every plan point, term and task has its place in its map.
        QVERIFY(c.list(Holder::Spi_GR, 3).size() > c.list(Holder::Plan_Tarv, 0).size());
        QVERIFY(c.list(Holder::Spi_GR, 0).size() > c.list(Holder::glos_All, 0).size());
        QVERIFY(c.list(Holder::Spi_GR, 1).size() > c.list(Holder::Uslowie_L, 0).size());
        for (int m = 0; m <= 3; ++m) {
            const QStringList map = c.list(Holder::Spi_GR, m);
            for (int i = 1; i < map.size(); ++i) {
                const int n = map[i].toInt();
                QVERIFY2(n >= 0 && n <= 15, qPrintable(holderAddress(Holder::Spi_GR, m)));
                if (n > 0)
                    QVERIFY2(!c.picture(Holder::Grafika_G, n).isEmpty(),
                             qPrintable(QStringLiteral("Spi_GR(%1) item %2").arg(m).arg(i)));
            }
        }
    }

    void everyTextFitsTheLessonsCodePage()
    {
        const Catalogue &c = Catalogue::builtIn();
        for (Holder h : {Holder::Podtochki, Holder::Dopyln_M, Holder::Reklama_Par, Holder::Glos,
                         Holder::Text_U})
            for (int e : c.elements(h))
                QVERIFY2(fitsCp1251(c.text(h, e)), qPrintable(holderAddress(h, e)));
        for (int h = 0; h <= static_cast<int>(Holder::List_Un); ++h)
            for (int e : c.elements(static_cast<Holder>(h)))
                for (const QString &item : c.list(static_cast<Holder>(h), e))
                    QVERIFY2(fitsCp1251(item),
                             qPrintable(holderAddress(static_cast<Holder>(h), e) + u' ' + item));
    }

    void everyPictureDecodesWithTheRecordedSize()
    {
        const Catalogue &c = Catalogue::builtIn();
        for (Holder h : {Holder::Grafika_G, Holder::Grafika_W}) {
            for (int e : c.elements(h)) {
                const Picture &p = c.picture(h, e);
                if (p.isEmpty())
                    continue;
                const QImage image = p.image();
                QVERIFY2(!image.isNull(), qPrintable(holderAddress(h, e)));
                // Every picture says what it shows to a pupil who cannot see it.
                QVERIFY2(p.description().size() > 10 || p.description() == u"без илюстрация",
                         qPrintable(holderAddress(h, e)));
                QCOMPARE(image.size(), p.imageSize());
                QCOMPARE(p.holderSize(), p.imageSize() + QSize(4, 4));
            }
        }
        QCOMPARE(QImageReader(c.picture(Holder::Grafika_G, 2).source()).format(), QByteArray("gif"));
        for (int e = 1; e <= 12; ++e)
            QVERIFY(!c.picture(Holder::Grafika_G, e).isEmpty());
    }
};

QTEST_MAIN(CatalogueTest)
#include "test_catalogue.moc"
