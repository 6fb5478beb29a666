#include "Report.h"
#include "support/AnswersFiles.h"
#include "support/Golden.h"

#include "engine/Cp1251.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace urok;
using namespace urok::setup;
using urok::test::answersText;
using urok::test::get;
using urok::test::put;

namespace {

const QString Program = QStringLiteral(UROK_BINARY_DIR "/tools/urok-setup/urok-setup");

struct Run
{
    int code = -1;
    QString err;
};

Run finished(QProcess &p)
{
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}

// The report's layout is checked here; its judging in test_judge.
Run urokSetup(const QString &dir, QStringList args)
{
    if (args.value(0) == u"report")
        args.insert(1, QStringLiteral("--no-judge"));
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(Program, args);
    return finished(p);
}

// urok-setup started by bash as "$U": for names in other bytes than UTF-8
// and for limits of the process.
Run urokSetupByShell(const QString &dir, const QString &script)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("U"), Program);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("/bin/bash"), {QStringLiteral("-c"), script});
    return finished(p);
}

const QString Program3 = QStringLiteral("#include <iostream>\nint main() {\n\tif (1 < 2 && 3 > 2) std::cout << \"<b>&amp;\";\n}");

// What the page shows: pupils of the summary in order, answers by
// "task/pupil", and the notes. Reading it fails on malformed output.
struct PageView
{
    QStringList pupils;
    QMap<QString, QString> marks;   // what the summary says under a pupil's name
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
    bool inPupilCell = false;
    while (!r.atEnd()) {
        const QXmlStreamReader::TokenType token = r.readNext();
        if (token == QXmlStreamReader::EndElement && r.name() == u"th")
            inPupilCell = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QString cls = r.attributes().value(QStringLiteral("class")).toString();
        const QString name = r.name().toString();
        if (name == u"section" || name == u"tbody" || name == u"tfoot") {
            section = name == u"section" ? r.attributes().value(QStringLiteral("id")).toString() : name;
        } else if (name == u"th" && cls == u"pupil" && section == u"tbody") {
            inPupilCell = true;
        } else if (name == u"a" && inPupilCell) {
            v.pupils.append(r.readElementText());
        } else if (name == u"small" && inPupilCell) {
            v.marks[v.pupils.last()] += r.readElementText() + u';';
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
            toCp1251(QStringLiteral("Условие на задачата:\r\n\r\n%1\r\nПредставено решение:\r\nзаписано")
                         .arg(ReportLesson::builtIn().tasks[2].firstCondition)));
        // The same folder holds the file of a lesson with scrambled content: a second "Иван Петров".
        put(c + QStringLiteral("/Иван Петров/OTGOWORS.TXT"), toCp1251(answersText({{2, QStringLiteral("втори файл")}})));
        put(c + QStringLiteral("/борис/otgowori.txt"), answersText({{24, QStringLiteral("в UTF-8")}}).toUtf8());
        put(c + QStringLiteral("/Виктор/Otgowori.Txt"), toCp1251(answersText({{5, QStringLiteral("\nпетица")}})));
        put(c + QStringLiteral("/Чужд/OTGOWORI.TXT"), QByteArray("\0\1\xFF not answers", 15));
        put(c + QStringLiteral("/Прекъснат/OTGOWORI.TXT"), toCp1251(answersText({{4, QStringLiteral("недовършено")}})).chopped(5));
        put(c + QStringLiteral("/Стефан.txt"), toCp1251(answersText({{3, QStringLiteral("отделен файл")}})));

        const Run r = urokSetup(dir.path(), {QStringLiteral("report"), QStringLiteral("--csv"), QStringLiteral("t.csv"),
                                              QStringLiteral("10 клас"), QStringLiteral("10 клас/Стефан.txt"), QStringLiteral("липсва")});
        QCOMPARE(r.code, 0);
        const PageView page = readPage(get(dir.filePath(QStringLiteral("report.html"))));
        // Bulgarian order, letter case aside; names two files share told apart.
        QCOMPARE(page.pupils, QStringList({QStringLiteral("борис"), QStringLiteral("Виктор"), QStringLiteral("Иван Петров (1)"),
                                           QStringLiteral("Иван Петров (2)"), QStringLiteral("Прекъснат"), QStringLiteral("Стефан"),
                                           QStringLiteral("Чужд")}));
        QCOMPARE(page.marks.value(QStringLiteral("Чужд")), QStringLiteral("не е файл с отговори;"));
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
                                      QStringLiteral("Иван Петров/OTGOWORI.TXT: това е „Иван Петров (1)“: в една папка има 2 файла"),
                                      QStringLiteral("Иван Петров/OTGOWORS.TXT: това е „Иван Петров (2)“"),
                                      QStringLiteral("Чужд/OTGOWORI.TXT: това не е файл с отговори"),
                                      QStringLiteral("Прекъснат/OTGOWORI.TXT: файлът е прекъснат: отговорът на задача 4 може да е непълен"),
                                      QStringLiteral("липсва: няма такъв файл")};
        QVERIFY2(page.notes.size() == expected.size(), qPrintable(page.notes.join(u'\n')));
        QCOMPARE(r.err.trimmed().split(u'\n').size(), expected.size());
        for (const QString &e : expected) {
            QVERIFY2(r.err.contains(e), qPrintable(e + u'\n' + r.err));
            QVERIFY2(std::any_of(page.notes.begin(), page.notes.end(), [&e](const QString &n) { return n.contains(e); }),
                     qPrintable(e));
        }

        const QByteArray csv = get(dir.filePath(QStringLiteral("t.csv")));
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> rows = readCsv(QString::fromUtf8(csv.mid(3)));
        QCOMPARE(rows.size(), 1 + 7 * 24);
        QCOMPARE(rows[0].mid(0, 2), QStringList({QStringLiteral("Клас"), QStringLiteral("Ученик")}));
        for (const QStringList &row : rows)
            QCOMPARE(row.size(), rows[0].size());
        const QStringList ivan1 = rows[1 + 2 * 24 + 2];   // Иван Петров (1), task 3
        QCOMPARE(ivan1.mid(0, 3), QStringList({QStringLiteral("10 клас"), QStringLiteral("Иван Петров (1)"), QStringLiteral("3")}));
        QCOMPARE(ivan1[7], Program3);
        QCOMPARE(ivan1[5], QStringLiteral("4"));
        QCOMPARE(ivan1[8], QStringLiteral("optim_03.txt"));
        QCOMPARE(rows[1 + 2 * 24][7], QStringLiteral("'=A1 симетрична"));   // never a formula
        QVERIFY(get(dir.filePath(QStringLiteral("report-листове.html"))).contains("<h2>Иван Петров (2)</h2>"));
    }

    // Whatever in a pupil's folder looks like an answers file makes a row
    // for the pupil, with a note that says what was odd about it.
    void everyPupilGetsARow_data()
    {
        QTest::addColumn<QString>("file");      // in the folder of pupil "Ана"; "fifo:", "link:", "folder:" make one
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("mark");      // under the name in the summary
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("answer6");   // task 6 as the page shows it
        const QByteArray six = toCp1251(answersText({{6, QStringLiteral("шеста задача")}}));
        QTest::newRow("copy's suffix") << "OTGOWORI (1).TXT" << six << "" << "OTGOWORI (1).TXT: файлът с отговори е с променено име" << "шеста задача";
        QTest::newRow("doubled extension") << "OTGOWORI.TXT.txt" << six << "" << "OTGOWORI.TXT.txt: файлът с отговори е с променено" << "шеста задача";
        QTest::newRow("Bulgarian copy") << "otgowori - Копие.txt" << six << "" << "Копие.txt: файлът с отговори е с променено" << "шеста задача";
        QTest::newRow("letters Windows-1251 lacks") << "OTGOWORI.TXT" << answersText({{6, QStringLiteral("a ≤ b → 😀")}}).toUtf8()
                                                    << "" << "OTGOWORI.TXT: файлът е в UTF-8" << "a ≤ b → 😀";
        QTest::newRow("empty") << "OTGOWORI.TXT" << QByteArray() << "празен файл;" << "OTGOWORI.TXT: файлът е празен (0 байта)" << "";
        QTest::newRow("pipe") << "fifo:OTGOWORI.TXT" << QByteArray() << "файлът не е прочетен;" << "OTGOWORI.TXT: това е канал (FIFO)" << "";
        QTest::newRow("link") << "link:OTGOWORI.TXT" << six << "файлът не е прочетен;" << "OTGOWORI.TXT: това е символна връзка" << "";
        QTest::newRow("folder") << "folder:OTGOWORI.TXT" << six << "файлът не е прочетен;" << "OTGOWORI.TXT: това е папка" << "";
        QTest::newRow("cut in a task line") << "OTGOWORI.TXT" << six + toCp1251(QStringLiteral("Зад"))
                                            << "" << "в реда на задачата след задача 6 („Зад“): отговорът ѝ и отговорите след нея" << "шеста задача";
        QTest::newRow("cut after a task line") << "OTGOWORI.TXT" << six + toCp1251(QStringLiteral("Задача  11\r\n"))
                                               << "" << "прекъснат след реда на задача 11: отговорът ѝ" << "шеста задача";
        QTest::newRow("zeros at the end") << "OTGOWORI.TXT" << six.chopped(4) + QByteArray(512, '\0')
                                          << "" << "завършва с нулеви байтове" << "шеста зада";
        QTest::newRow("other lesson's tasks") << "OTGOWORI.TXT" << toCp1251(answersText({{6, QStringLiteral("шеста задача")}, {31, QStringLiteral("x")}}))
                                              << "може да е от друг урок;" << "отговори на задачи, които урокът няма (31; в урока има 24)" << "шеста задача";
        QTest::newRow("other lesson's files") << "OTGOWORI.TXT\nGRAF_06.TXT" << six << "може да е от друг урок;"
                                              << "до него има файлове на друг урок (GRAF_06.TXT)" << "шеста задача";
        QTest::newRow("other lesson's condition") << "OTGOWORI.TXT\nOPTIM_06.TXT" << six << "може да е от друг урок;"
                                                  << "OPTIM_06.TXT: условието в него не е на задача 6 от този урок" << "шеста задача";
    }

    void everyPupilGetsARow()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        put(dir.filePath(QStringLiteral("клас/Борис/OTGOWORI.TXT")), toCp1251(answersText({{1, QStringLiteral("първа задача")}})));
        const QString ana = dir.filePath(QStringLiteral("клас/Ана/"));
        const QStringList files = file.split(u'\n');
        const QString name = files[0].section(u':', -1);
        if (file.startsWith(u"fifo:")) {
            QVERIFY(QDir().mkpath(ana));
            QCOMPARE(mkfifo(QFile::encodeName(ana + name).constData(), 0600), 0);
        } else if (file.startsWith(u"link:")) {
            put(dir.filePath(QStringLiteral("outside.txt")), bytes);
            QVERIFY(QDir().mkpath(ana));
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("outside.txt")), ana + name));
        } else if (file.startsWith(u"folder:")) {
            put(ana + name + QStringLiteral("/x.txt"), bytes);
        } else {
            put(ana + name, bytes);
        }
        for (const QString &other : files.mid(1))
            put(ana + other, toCp1251(QStringLiteral("Условие на задачата:\r\nДруго условие\r\nПредставено решение:\r\nрешение")));

        const Run r = urokSetup(dir.path(), {QStringLiteral("report"), QStringLiteral("клас")});
        QCOMPARE(r.code, 0);
        const PageView page = readPage(get(dir.filePath(QStringLiteral("report.html"))));
        QCOMPARE(page.pupils, QStringList({QStringLiteral("Ана"), QStringLiteral("Борис")}));
        QTEST(page.marks.value(QStringLiteral("Ана")), "mark");
        QFETCH(QString, note);
        QVERIFY2(r.err.contains(note), qPrintable(r.err));
        QVERIFY2(page.notes.join(u'\n').contains(note), qPrintable(page.notes.join(u'\n')));
        QTEST(page.answers.value(QStringLiteral("6/Ана")), "answer6");
        QCOMPARE(get(dir.filePath(QStringLiteral("outside.txt"))), file.startsWith(u"link:") ? bytes : QByteArray());
    }

    // A folder unpacked from an archive made on Windows has its name in
    // Windows-1251: the pupil is shown by it readably, also when the
    // folder is named on the command line by its bytes.
    void aFolderNamedInWindows1251IsRead()
    {
        QTemporaryDir dir;
        const QByteArray ivan = toCp1251(QStringLiteral("Иван"));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("клас"))));
        const QByteArray folder = QFile::encodeName(dir.filePath(QStringLiteral("клас/"))) + ivan;
        QCOMPARE(::mkdir(folder.constData(), 0700), 0);
        // QTemporaryDir cannot remove a name that is not UTF-8.
        const auto removeFolder = qScopeGuard([&folder] {
            ::unlink((folder + "/OTGOWORI.TXT").constData());
            ::rmdir(folder.constData());
        });
        const QByteArray six = toCp1251(answersText({{6, QStringLiteral("шеста задача")}}));
        const int fd = ::open((folder + "/OTGOWORI.TXT").constData(), O_WRONLY | O_CREAT, 0600);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, six.constData(), size_t(six.size())), ssize_t(six.size()));
        ::close(fd);

        for (const QString &how : {QStringLiteral("\"$U\" report --no-judge клас"), QStringLiteral("\"$U\" report --no-judge -o report.html \"клас/$(printf '\\310\\342\\340\\355')\"")}) {
            const Run r = urokSetupByShell(dir.path(), how);
            QCOMPARE(r.code, 0);
            const PageView page = readPage(get(dir.filePath(QStringLiteral("report.html"))));
            QCOMPARE(page.pupils, QStringList({QStringLiteral("Иван")}));
            QCOMPARE(page.answers.value(QStringLiteral("6/Иван")), QStringLiteral("шеста задача"));
            QVERIFY2(r.err.contains(QStringLiteral("клас/Иван: името на папката не е в UTF-8; прочетено е като Windows-1251")),
                     qPrintable(r.err));
        }
    }

    // A school year: a page for each class, in the order of the classes'
    // numbers, and an index page; the pupils in the order of their numbers.
    // The table of a class is compared whole: a text a spreadsheet would
    // take for a formula keeps its apostrophe however it starts.
    void aSchoolYearIsAPagePerClass()
    {
        QTemporaryDir dir;
        const QString year = dir.filePath(QStringLiteral("година"));
        put(year + QStringLiteral("/9б/pc10/OTGOWORI.TXT"),
            toCp1251(answersText({{1, QStringLiteral(" =1+2")}, {2, QStringLiteral("\tтаб")}, {3, QStringLiteral("-5 минус")},
                                  {4, QStringLiteral("@SUM(A1)")}, {5, QStringLiteral("  +x\n=y")}, {6, QStringLiteral("\u00A0-n")}})));
        put(year + QStringLiteral("/9б/pc2/OTGOWORI.TXT"), toCp1251(answersText({{7, QStringLiteral("a \"кавички\"; b")}})));
        put(year + QStringLiteral("/9б/pc07/OTGOWORI.TXT"), toCp1251(answersText({{8, QStringLiteral("2-1 не е формула")}})));
        put(year + QStringLiteral("/10а/Ана/OTGOWORI.TXT"), toCp1251(answersText({{1, QStringLiteral("отговор")}})));
        put(year + QStringLiteral("/10а/Борис/urok/OTGOWORI.TXT"), toCp1251(answersText({{2, QStringLiteral("в урока си")}})));
        const Run r = urokSetup(dir.path(), {QStringLiteral("report"), QStringLiteral("-o"), QStringLiteral("out.html"),
                                              QStringLiteral("--csv"), QStringLiteral("t.csv"), QStringLiteral("година")});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString());
        QCOMPARE(readPage(get(dir.filePath(QStringLiteral("out-9б.html")))).pupils,
                 QStringList({QStringLiteral("pc2"), QStringLiteral("pc07"), QStringLiteral("pc10")}));
        QCOMPARE(readPage(get(dir.filePath(QStringLiteral("out-10а.html")))).pupils,
                 QStringList({QStringLiteral("Ана"), QStringLiteral("Борис")}));
        const QString index = QString::fromUtf8(get(dir.filePath(QStringLiteral("out.html"))));
        static const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)\""));
        QStringList links;
        for (const QRegularExpressionMatch &m : link.globalMatch(index))
            links.append(m.captured(1));
        QCOMPARE(links, QStringList({QStringLiteral("out-9б.html"), QStringLiteral("out-9б-листове.html"), QStringLiteral("t-9б.csv"),
                                     QStringLiteral("out-10а.html"), QStringLiteral("out-10а-листове.html"), QStringLiteral("t-10а.csv")}));
        for (const QString &l : links)
            QVERIFY2(QFileInfo(dir.filePath(l)).size() > 0, qPrintable(l));
        const QByteArray csv = get(dir.filePath(QStringLiteral("t-9б.csv"))).replace(QFile::encodeName(dir.path()), "ПАПКА");
        UROK_COMPARE_GOLDEN(QStringLiteral(UROK_SOURCE_DIR "/tests/tools/testdata/report-9b.csv"), csv);
    }

    // Which folder is the pupil and which the class, whatever the teacher
    // names: each class page lists its pupils.
    void theFoldersNamedMakeClasses_data()
    {
        QTest::addColumn<QStringList>("files");     // answers files made below the test's folder
        QTest::addColumn<QStringList>("named");
        QTest::addColumn<QStringList>("pages");     // "page: pupil, pupil"
        QTest::newRow("two pupils of a class") << QStringList{"10а/Ана/OTGOWORI.TXT", "10а/Борис/OTGOWORI.TXT", "10а/Вера/OTGOWORI.TXT"}
                                               << QStringList{"10а/Ана", "10а/Борис"}
                                               << QStringList{"report.html: Ана, Борис"};
        QTest::newRow("a class with its own file") << QStringList{"10а/OTGOWORI.TXT", "10а/Ана/OTGOWORI.TXT", "10а/Борис/OTGOWORI.TXT"}
                                                   << QStringList{"10а"}
                                                   << QStringList{"report.html: 10а, Ана, Борис"};
        QTest::newRow("a class inside a class") << QStringList{"школа/10а/Ана/OTGOWORI.TXT", "школа/10а/Борис/OTGOWORI.TXT",
                                                               "школа/Вера/копие/OTGOWORI.TXT"}
                                                << QStringList{"школа"}
                                                << QStringList{"report-10а.html: Ана, Борис", "report-школа.html: Вера"};
        QTest::newRow("one pupil, two files named") << QStringList{"10а/Ана/OTGOWORI.TXT", "10а/Ана/OTGOWORS.TXT"}
                                                    << QStringList{"10а/Ана/OTGOWORI.TXT", "10а/Ана/OTGOWORS.TXT"}
                                                    << QStringList{"report.html: Ана (1), Ана (2)"};
        // Read by its first name; its other name in another class is no pupil.
        QTest::newRow("a file of two names") << QStringList{"школа/10а/Ана/OTGOWORI.TXT", "школа/10а/Борис/OTGOWORI.TXT",
                                                            "школа/9б/Вера/OTGOWORI.TXT", "школа/9б/Дани/OTGOWORI.TXT",
                                                            "школа/9б/Гергана/OTGOWORI.TXT=школа/10а/Ана/OTGOWORI.TXT"}
                                             << QStringList{"школа"}
                                             << QStringList{"report-10а.html: Ана, Борис", "report-9б.html: Вера, Дани"};
        QTest::newRow("a file named and its folder") << QStringList{"10а/Ана/OTGOWORI.TXT", "10а/Борис/OTGOWORI.TXT"}
                                                     << QStringList{"10а/Ана/OTGOWORI.TXT", "10а"}
                                                     << QStringList{"report.html: Ана, Борис"};
    }

    void theFoldersNamedMakeClasses()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, named);
        QTemporaryDir dir;
        for (const QString &f : files) {
            const QString name = f.section(u'=', 0, 0);
            if (f.contains(u'=')) {   // a hard link
                QVERIFY(QDir().mkpath(QFileInfo(dir.filePath(name)).path()));
                QCOMPARE(::link(QFile::encodeName(dir.filePath(f.section(u'=', 1))).constData(),
                                QFile::encodeName(dir.filePath(name)).constData()), 0);
            } else {
                put(dir.filePath(name), toCp1251(answersText({{1, name}})));
            }
        }
        const Run r = urokSetup(dir.path(), QStringList{QStringLiteral("report")} + named);
        QCOMPARE(r.code, 0);
        QStringList pages;
        for (const QString &page : QDir(dir.path()).entryList({QStringLiteral("report*.html")}, QDir::Files, QDir::Name)) {
            const PageView view = readPage(get(dir.filePath(page)));
            if (!page.endsWith(QStringLiteral("листове.html")) && !view.pupils.isEmpty())
                pages.append(page + QStringLiteral(": ") + view.pupils.join(QStringLiteral(", ")));
            for (const QString &pupil : view.pupils)
                QVERIFY2(!view.answers.value(QStringLiteral("1/") + pupil).isEmpty(), qPrintable(page + u' ' + pupil));
        }
        QTEST(pages, "pages");
    }

    // What the report writes and how it ends: it replaces no file the
    // teacher did not name, writes nothing when one of its files may not be
    // written, and says when only part of it was.
    void theOutputsAndTheStatus_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("there");     // made before: "report.html", or a folder "dir:NAME"
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("pageWritten");
        QTest::newRow("table onto an input") << QStringList{"--csv", "клас/Ана/OTGOWORI.TXT", "клас"} << "" << 1
                                             << "клас/Ана/OTGOWORI.TXT: грешка: това е входен файл на отчета" << false;
        QTest::newRow("page onto a task's file") << QStringList{"-o", "клас/Ана/OPTIM_03.TXT", "клас"} << "клас/Ана/OPTIM_03.TXT" << 1
                                                 << "клас/Ана/OPTIM_03.TXT: грешка: това е входен файл на отчета" << false;
        QTest::newRow("default page there") << QStringList{"клас"} << "report.html" << 1
                                            << "report.html: грешка: файлът вече съществува и не е заменен" << false;
        QTest::newRow("--force") << QStringList{"--force", "клас"} << "report.html" << 0 << "" << true;
        QTest::newRow("page named") << QStringList{"-o", "report.html", "клас"} << "report.html" << 0 << "" << true;
        QTest::newRow("folder for the sheets") << QStringList{"-o", "report.html", "клас"} << "dir:report-листове.html" << 1
                                               << "report-листове.html: грешка: това не е обикновен файл" << false;
        QTest::newRow("no folder for the table") << QStringList{"--csv", "няма/t.csv", "клас"} << "" << 1
                                                 << "няма/t.csv: грешка: папката" << false;
        QTest::newRow("classes over the size limit") << QStringList{"година"} << "" << 3
                                                     << "report-А.html: грешка: записът не успя" << true;
    }

    void theOutputsAndTheStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, there);
        QTemporaryDir dir;
        const QByteArray answers = toCp1251(answersText({{1, QStringLiteral("отговор")}}));
        put(dir.filePath(QStringLiteral("клас/Ана/OTGOWORI.TXT")), answers);
        put(dir.filePath(QStringLiteral("клас/Борис/OTGOWORI.TXT")), answers);
        const QByteArray big = toCp1251(answersText({{1, QStringLiteral("дълъг отговор\n").repeated(3000)}}));
        for (const char *pupil : {"А/1", "А/2", "Б/1", "Б/2"})
            put(dir.filePath(QStringLiteral("година/%1/OTGOWORI.TXT").arg(QString::fromUtf8(pupil))), big);
        if (there.startsWith(u"dir:"))
            QVERIFY(QDir(dir.path()).mkdir(there.mid(4)));
        else if (!there.isEmpty())
            put(dir.filePath(there), "по-стар отчет");
        // The pages of the classes are over the limit; the index is not.
        QString command = QStringLiteral("trap '' XFSZ; ulimit -f 100; \"$U\" report --no-judge");
        for (const QString &a : args)
            command += QStringLiteral(" '%1'").arg(a);
        const Run r = urokSetupByShell(dir.path(), command);
        QTEST(r.code, "code");
        QFETCH(QString, error);
        QVERIFY2(r.err.contains(error), qPrintable(r.err));
        QCOMPARE(get(dir.filePath(QStringLiteral("клас/Ана/OTGOWORI.TXT"))), answers);
        QFETCH(bool, pageWritten);
        const QByteArray page = get(dir.filePath(QStringLiteral("report.html")));
        QCOMPARE(page.startsWith("<!DOCTYPE html>"), pageWritten);
        if (there == u"report.html" && !pageWritten)
            QCOMPARE(page, QByteArray("по-стар отчет"));
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
            answers.name = QStringLiteral("<клас>");
            answers.pupils.append({QStringLiteral("<ученик & \"1\">"), QStringLiteral("p"), reading.answers, {}, {}, reading.problems, reading.otherLesson});
            answers.notes = reading.problems;
            for (int page = 0; page < 2; ++page) {
                QBuffer html;
                html.open(QIODevice::WriteOnly);
                if (page == 0)
                    writeClassPage(html, answers, lesson, {QStringLiteral("s.html"), {}, {}, {}}, QDateTime());
                else
                    writeSheets(html, answers, lesson, QDateTime());
                QXmlStreamReader xml(html.data());
                while (!xml.atEnd())
                    xml.readNext();
                QVERIFY2(!xml.hasError(), qPrintable(QStringLiteral("case %1: %2").arg(i).arg(xml.errorString())));
            }
            QBuffer csv;
            csv.open(QIODevice::WriteOnly);
            writeCsv(csv, answers, lesson);
            QVERIFY(readCsv(QString::fromUtf8(csv.data().mid(3))).size() == 3);
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
