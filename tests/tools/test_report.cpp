#include "Report.h"

#include "engine/Cp1251.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

#include <sys/stat.h>

using namespace urok;
using namespace urok::setup;

namespace {

const QString Program = QStringLiteral(UROK_BINARY_DIR "/tools/urok-setup/urok-setup");

struct Run
{
    int code = -1;
    QString err;
};

// The report's layout is checked here; its judging in test_judge.
Run urokSetup(const QString &dir, QStringList args)
{
    if (args.value(0) == u"report")
        args.insert(1, QStringLiteral("--no-judge"));
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(Program, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray get(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An answers file as the program writes it.
QString answersText(const QList<Answer> &answers)
{
    QString t = answersHeading() + QStringLiteral("\r\n");
    for (const Answer &a : answers)
        t += QStringLiteral("Задача  %1\r\n%2\r\n").arg(a.task).arg(QString(a.text).replace(u'\n', QStringLiteral("\r\n")));
    return t;
}

const QString Program3 = QStringLiteral("#include <iostream>\nint main() {\n\tif (1 < 2 && 3 > 2) std::cout << \"<b>&amp;\";\n}");

// What the page shows: pupils of the summary in order, answers by
// "task/pupil", and the notes. Reading it fails on malformed output.
struct PageView
{
    QStringList pupils;
    QMap<QString, QString> answers;
    QStringList notes;
    int solutions = 0;
};

PageView readPage(const QByteArray &html)
{
    PageView v;
    QXmlStreamReader r(html);
    QString task;
    QString pupil;
    QString section;
    QString list;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString cls = r.attributes().value(QStringLiteral("class")).toString();
        const QString name = r.name().toString();
        if (name == u"section" || name == u"tbody" || name == u"tfoot") {
            section = name == u"section" ? r.attributes().value(QStringLiteral("id")).toString() : name;
        } else if (name == u"th" && cls == u"pupil" && section == u"tbody") {
            v.pupils.append(r.readElementText(QXmlStreamReader::IncludeChildElements));
        } else if (name == u"h2" && section.startsWith(u"task-")) {
            task = r.readElementText().section(u' ', 1);
        } else if (name == u"h3") {
            pupil = r.readElementText();
        } else if (name == u"pre" && r.attributes().isEmpty() && !pupil.isEmpty()) {
            v.answers.insert(task + u'/' + pupil, r.readElementText().mid(1));   // after the line break browsers drop
            pupil.clear();
        } else if (name == u"details") {
            v.solutions += cls == u"solution";
            pupil.clear();
        } else if (name == u"ul") {
            list = cls;
        } else if (name == u"li" && list == u"notes") {
            v.notes.append(r.readElementText());
        }
    }
    if (r.hasError())
        qWarning("%s at line %lld", qPrintable(r.errorString()), r.lineNumber());
    return r.hasError() ? PageView{} : v;
}

// Rows of a ';'-separated table with fields in double quotes; reading stops
// at the first thing that is not a field.
QList<QStringList> readCsv(const QString &text)
{
    static const QRegularExpression field(QStringLiteral("\\G(?:\"((?:[^\"]|\"\")*)\"|([^;\"\\r\\n]*))(;|\\r\\n)"));
    QList<QStringList> rows{{}};
    for (auto m = field.match(text); m.hasMatch(); m = field.match(text, m.capturedEnd())) {
        rows.last().append(m.capturedStart(1) >= 0 ? m.captured(1).replace(QStringLiteral("\"\""), QStringLiteral("\""))
                                                   : m.captured(2));
        if (m.captured(3) != u";")
            rows.append(QStringList());
    }
    rows.removeLast();
    return rows;
}

} // namespace

class ReportTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aClassFolderBecomesPageAndTable()
    {
        QTemporaryDir dir;
        const QString c = dir.filePath(QStringLiteral("10 клас"));
        put(c + QStringLiteral("/Иван Петров/OTGOWORI.TXT"),
            toCp1251(answersText({{1, QStringLiteral("=A1 симетрична")}, {3, Program3}})));
        put(c + QStringLiteral("/Иван Петров/optim_03.txt"),
            toCp1251(QStringLiteral("Условие на задачата:\r\n\r\nред 1Представено решение:\r\nзаписано")));
        // The same folder holds the file of a lesson with scrambled content: a second "Иван Петров".
        put(c + QStringLiteral("/Иван Петров/OTGOWORS.TXT"), toCp1251(answersText({{2, QStringLiteral("втори файл")}})));
        put(c + QStringLiteral("/борис/otgowori.txt"), answersText({{24, QStringLiteral("в UTF-8")}}).toUtf8());
        put(c + QStringLiteral("/Виктор/Otgowori.Txt"),
            toCp1251(answersText({{5, QStringLiteral("\nпетица")}, {30, QStringLiteral("няма я")}})));
        put(c + QStringLiteral("/Празен/OTGOWORI.TXT"), QByteArray());
        put(c + QStringLiteral("/Чужд/OTGOWORI.TXT"), QByteArray("\0\1\xFF not answers", 15));
        put(c + QStringLiteral("/Прекъснат/OTGOWORI.TXT"), toCp1251(answersText({{4, QStringLiteral("недовършено")}})).chopped(5));
        // A pipe by the name of an answers file would never end: it is passed by.
        QVERIFY(QDir().mkpath(c + QStringLiteral("/Тръба")));
        QCOMPARE(mkfifo(QFile::encodeName(c + QStringLiteral("/Тръба/OTGOWORI.TXT")).constData(), 0600), 0);
        put(dir.filePath(QStringLiteral("Стефан.txt")), toCp1251(answersText({{3, QStringLiteral("отделен файл")}})));

        const Run r = urokSetup(dir.path(), {QStringLiteral("report"), QStringLiteral("--csv"), QStringLiteral("t.csv"),
                                              QStringLiteral("10 клас"), QStringLiteral("Стефан.txt"), QStringLiteral("липсва")});
        QCOMPARE(r.code, 0);
        const PageView page = readPage(get(dir.filePath(QStringLiteral("report.html"))));
        // Bulgarian order, letter case aside; names two files share told apart.
        QCOMPARE(page.pupils, QStringList({QStringLiteral("борис"), QStringLiteral("Виктор"), QStringLiteral("Иван Петров (1)"),
                                           QStringLiteral("Иван Петров (2)"), QStringLiteral("Прекъснат"), QStringLiteral("Стефан")}));
        QCOMPARE(page.answers.value(QStringLiteral("3/Иван Петров (1)")), Program3);
        QCOMPARE(page.answers.value(QStringLiteral("2/Иван Петров (2)")), QStringLiteral("втори файл"));
        QCOMPARE(page.answers.value(QStringLiteral("24/борис")), QStringLiteral("в UTF-8"));
        QCOMPARE(page.answers.value(QStringLiteral("4/Прекъснат")), QStringLiteral("недовърш"));
        QCOMPARE(page.answers.value(QStringLiteral("3/Стефан")), QStringLiteral("отделен файл"));
        QCOMPARE(page.answers.value(QStringLiteral("5/Виктор")), QStringLiteral("\nпетица"));
        QCOMPARE(page.answers.size(), 7);
        QCOMPARE(page.solutions, 24);

        // Every problem is one note on the page and one line on standard error.
        const QStringList expected = {QStringLiteral("борис/otgowori.txt: файлът е в UTF-8"),
                                      QStringLiteral("Виктор/Otgowori.Txt: отговор на задача 30"),
                                      QStringLiteral("Празен/OTGOWORI.TXT: файлът е празен"),
                                      QStringLiteral("Чужд/OTGOWORI.TXT: това не е файл с отговори"),
                                      QStringLiteral("Прекъснат/OTGOWORI.TXT: файлът изглежда прекъснат"),
                                      QStringLiteral("липсва: няма такъв файл")};
        QCOMPARE(page.notes.size(), expected.size());
        QCOMPARE(r.err.trimmed().split(u'\n').size(), expected.size());
        for (const QString &e : expected) {
            QVERIFY2(r.err.contains(e), qPrintable(e + u'\n' + r.err));
            QVERIFY2(std::any_of(page.notes.begin(), page.notes.end(), [&e](const QString &n) { return n.contains(e); }),
                     qPrintable(e));
        }

        const QByteArray csv = get(dir.filePath(QStringLiteral("t.csv")));
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> rows = readCsv(QString::fromUtf8(csv.mid(3)));
        QCOMPARE(rows.size(), 1 + 6 * 24);
        QCOMPARE(rows[0][0], QStringLiteral("Ученик"));
        for (const QStringList &row : rows)
            QCOMPARE(row.size(), rows[0].size());
        const QStringList ivan1 = rows[1 + 2 * 24 + 2];   // Иван Петров (1), task 3
        QCOMPARE(ivan1.mid(0, 2), QStringList({QStringLiteral("Иван Петров (1)"), QStringLiteral("3")}));
        QCOMPARE(ivan1[6], Program3);
        QCOMPARE(ivan1[4], QStringLiteral("4"));
        QCOMPARE(ivan1[7], QStringLiteral("optim_03.txt"));
        QCOMPARE(rows[1 + 2 * 24][6], QStringLiteral("'=A1 симетрична"));   // never a formula
    }

    // Thousands of damaged answers files: none stops the report, and the
    // page made of them is always well-formed.
    void damagedAnswersFilesNeverBreakThePage()
    {
        ReportLesson lesson{QStringLiteral("OPTIM"), QStringLiteral("<тема>"),
                            {{1, 1, QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")},
                             {2, 3, QStringLiteral("&"), QString(), QStringLiteral("]]>")}}};
        const QByteArray good = toCp1251(answersText({{1, QStringLiteral("ред 1\nред 2 <&>")}, {2, QStringLiteral("Задача  1\n\"x\";y")}}));
        const QByteArray pieces[] = {"\r\n", "\n", "\r", QByteArray(1, '\0'), "\x1B", "Задача  2\r\n",
                                     toCp1251(QStringLiteral("Задача  3\r\n")), "\xEF\xBB\xBF", "\xFF\xFE", "\xD8\x00", "\xC3"};
        QRandomGenerator rng(20261207);
        for (int i = 0; i < 3000; ++i) {
            QByteArray bytes = good;
            for (int m = rng.bounded(1, 6); m > 0; --m) {
                const int at = rng.bounded(int(bytes.size()) + 1);
                switch (rng.bounded(4)) {
                case 0: bytes.truncate(at); break;
                case 1: if (at < bytes.size()) bytes[at] = char(rng.bounded(256)); break;
                case 2: bytes.insert(at, pieces[rng.bounded(int(std::size(pieces)))]); break;
                default: bytes.remove(at, rng.bounded(8)); break;
                }
            }
            const AnswersReading reading = readAnswers(bytes, 2);
            ClassAnswers answers;
            answers.pupils.append({QStringLiteral("<ученик & \"1\">"), QStringLiteral("p"), reading.answers, {}});
            answers.notes = reading.problems;
            const QByteArray page = reportPage(answers, lesson, QDateTime());
            QXmlStreamReader xml(page);
            while (!xml.atEnd())
                xml.readNext();
            QVERIFY2(!xml.hasError(), qPrintable(QStringLiteral("case %1: %2").arg(i).arg(xml.errorString())));
            QVERIFY(readCsv(QString::fromUtf8(reportCsv(answers, lesson).mid(3))).size() == 3);
        }
    }

    // The page in a real browser at a phone's width: it renders, and nothing
    // sticks out past the page's right margin.
    void theBrowserShowsThePage()
    {
        QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (chromium.isEmpty())
            QSKIP("no chromium to render the page");
        QTemporaryDir dir;
        QString longLine = QStringLiteral("дълъг_ред_без_интервали_").repeated(20);
        put(dir.filePath(QStringLiteral("a/OTGOWORI.TXT")), toCp1251(answersText({{1, longLine}, {24, Program3}})));
        QCOMPARE(urokSetup(dir.path(), {QStringLiteral("report"), QStringLiteral("a")}).code, 0);
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(chromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                           QStringLiteral("--hide-scrollbars"), QStringLiteral("--window-size=400,1600"),
                           QStringLiteral("--screenshot=") + dir.filePath(QStringLiteral("shot.png")),
                           QUrl::fromLocalFile(dir.filePath(QStringLiteral("report.html"))).toString()});
        QVERIFY(p.waitForFinished(90000));
        const QString log = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(!log.contains(QStringLiteral("Uncaught")), qPrintable(log));
        const QImage shot(dir.filePath(QStringLiteral("shot.png")));
        QVERIFY2(!shot.isNull(), qPrintable(log));
        int inked = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const bool ink = qGray(shot.pixel(x, y)) < 200;
                inked += ink;
                QVERIFY2(!(ink && x >= shot.width() - 8), qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(inked > 5000);
    }
};

QTEST_GUILESS_MAIN(ReportTest)
#include "test_report.moc"
