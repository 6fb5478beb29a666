// The class report judges the pupils' programs: the real urok-setup runs on
// a class folder made here (right, wrong, non-compiling, copied and hostile
// answers, a saved file), and the verdicts are read back cell by cell from
// the table and the page.

#include "ReportInput.h"
#include "ReportJudging.h"
#include "judge/VerdictCache.h"
#include "support/AnswersFiles.h"

#include "engine/Cp1251.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
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
    qint64 ms = 0;
};

// urok-setup with its own cache, temporary and home folders; `prefix` runs
// it through another program (setpriv) first.
Run urokSetup(const QString &dir, const QStringList &args, const QString &home,
              const QStringList &prefix = {}, const QString &path = QString())
{
    QProcess p;
    p.setWorkingDirectory(dir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    env.insert(QStringLiteral("TMPDIR"), home + QStringLiteral("/tmp"));
    if (!path.isEmpty())
        env.insert(QStringLiteral("PATH"), path);
    QDir().mkpath(home + QStringLiteral("/tmp"));
    p.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    if (prefix.isEmpty())
        p.start(Program, args);
    else
        p.start(prefix.first(), prefix.mid(1) + QStringList{Program} + args);
    p.waitForFinished(300000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError()), clock.elapsed()};
}

// A pupil's answers file as the lesson writes it, with task save files.
void pupil(const QString &root, const QString &name, const QList<Answer> &answers,
           const QList<Answer> &saved = {})
{
    put(root + u'/' + name + QStringLiteral("/OTGOWORI.TXT"), toCp1251(answersText(answers)));
    for (const Answer &a : saved)
        put(root + u'/' + name + QStringLiteral("/OPTIM_%1.TXT").arg(a.task, 2, 10, QLatin1Char('0')),
            toCp1251(a.text().replace(u'\n', QStringLiteral("\r\n"))));
}

// Rows of the ';'-separated table, by "pupil/task": its judging columns.
QMap<QString, QStringList> readCsv(const QByteArray &bytes)
{
    static const QRegularExpression field(QStringLiteral("\\G(?:\"((?:[^\"]|\"\")*)\"|([^;\"\\r\\n]*))(;|\\r\\n)"));
    const QString text = QString::fromUtf8(bytes.mid(3));
    QList<QStringList> rows{{}};
    for (auto m = field.match(text); m.hasMatch(); m = field.match(text, m.capturedEnd())) {
        rows.last().append(m.capturedStart(1) >= 0 ? m.captured(1).replace(QStringLiteral("\"\""), QStringLiteral("\""))
                                                   : m.captured(2));
        if (m.captured(3) != u";")
            rows.append(QStringList());
    }
    QMap<QString, QStringList> cells;
    const QStringList heading = rows.value(0);
    const qsizetype verdict = heading.indexOf(QStringLiteral("Проверка"));
    const qsizetype who = heading.indexOf(QStringLiteral("Ученик"));
    const qsizetype task = heading.indexOf(QStringLiteral("Задача"));
    for (const QStringList &row : rows.mid(1, rows.size() - 2))
        if (verdict > 0 && who >= 0 && task >= 0 && row.size() == heading.size())
            cells.insert(row[who] + u'/' + row[task], row.mid(verdict));
    return cells;
}

// The page, read as XML (it fails on a malformed page): the verdict shown
// in each cell of the summary by "pupil/task", the notes, what is said
// under each answer, and the counts of solved tasks.
struct Page
{
    QMap<QString, QString> cells;
    QMap<QString, QString> under;   // "task/pupil": the verdict line and the marks
    QMap<QString, QString> solvedBy;
    QStringList solvedTask;
    QStringList notes;
    bool ok = false;
};

Page readPage(const QByteArray &html)
{
    Page v;
    QXmlStreamReader r(html);
    QStringList tasks;
    QString row;
    QString task;
    QString who;
    bool head = false;
    int column = 0;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString cls = r.attributes().value(QStringLiteral("class")).toString();
        const QString name = r.name().toString();
        if (name == u"thead" || name == u"tbody") {
            head = name == u"thead";
        } else if (name == u"th" && head) {
            tasks.append(r.readElementText(QXmlStreamReader::IncludeChildElements));
        } else if (name == u"th" && cls == u"pupil") {
            row = r.readElementText(QXmlStreamReader::IncludeChildElements);
            column = 1;
        } else if (name == u"td") {
            const QString text = r.readElementText(QXmlStreamReader::IncludeChildElements);
            if (row == u"Решили")
                v.solvedTask.append(text);
            else if (tasks.value(column) == u"Решени")
                v.solvedBy.insert(row, text);
            else
                v.cells.insert(row + u'/' + tasks.value(column), text);
            ++column;
        } else if (name == u"section") {
            task = r.attributes().value(QStringLiteral("id")).toString().section(u'-', 1);
        } else if (name == u"h3") {
            who = r.readElementText();
        } else if (name == u"p" && (cls.startsWith(u"verdict") || cls == u"copy") && !who.isEmpty()) {
            v.under[task + u'/' + who] += r.readElementText(QXmlStreamReader::IncludeChildElements) + u'\n';
        } else if (name == u"pre" && cls == u"errors") {
            v.under[task + u'/' + who] += r.readElementText() + u'\n';
        } else if (name == u"li" && r.attributes().isEmpty()) {
            v.notes.append(r.readElementText());
        }
    }
    v.ok = !r.hasError();
    return v;
}

QString solution(int task)
{
    return programPart(ReportLesson::builtIn().tasks.value(task - 1).solution);
}

// A listening socket of this machine's loopback that a program outside
// the sandbox could reach.
class Listener
{
public:
    Listener()
    {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr *>(&a), size) != 0 || listen(fd_, 8) != 0
            || getsockname(fd_, reinterpret_cast<sockaddr *>(&a), &size) != 0)
            return;
        port_ = ntohs(a.sin_port);
    }
    ~Listener()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Listener(const Listener &) = delete;
    Listener &operator=(const Listener &) = delete;

    int port() const { return port_; }
    bool wasReached() const { return accept(fd_, nullptr, nullptr) >= 0; }

private:
    int fd_ = -1;
    int port_ = 0;
};

bool anyProcessMentions(const QString &text)
{
    const QByteArray needle = text.toUtf8();
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        if (pid.toInt() > 0 && get(QStringLiteral("/proc/%1/cmdline").arg(pid)).replace('\0', ' ').contains(needle))
            return true;
    }
    return false;
}

} // namespace

class JudgeTest : public QObject
{
    Q_OBJECT

    // The class judged once for all the checks below.
    QTemporaryDir dir_;
    QString home_;
    QString tag_;
    Listener server_;
    Run run_;
    QMap<QString, QStringList> csv_;
    Page page_;
    QByteArray html_;
    QString sandboxMissing_;

    QString hostile(const QString &body) const
    {
        return QStringLiteral("#include <cstdio>\n#include <cstdlib>\n#include <cstring>\n#include <unistd.h>\n"
                              "#include <vector>\n#include <sys/socket.h>\n#include <netinet/in.h>\n"
                              "#include <arpa/inet.h>\nint main() {\n%1\n}\n")
            .arg(body);
    }

    void makeClass(const QString &root)
    {
        const QString right = solution(1);
        const QString wrong = QStringLiteral("#include <iostream>\nint main() { std::cout << \"xyzzy\\n\"; }\n");
        pupil(root, QStringLiteral("Ана"), {{1, QStringLiteral("// моето решение\n") + right}});
        pupil(root, QStringLiteral("Боби"), {{1, right}});
        pupil(root, QStringLiteral("Вера"), {{1, QString(wrong).replace(QStringLiteral("xyzzy"), QStringLiteral("abc"))}});
        pupil(root, QStringLiteral("Гого"), {{1, QStringLiteral("не знам как да започна <b>")}});
        pupil(root, QStringLiteral("Дара"), {{1, wrong}});
        pupil(root, QStringLiteral("Еми"), {{1, QStringLiteral("\n") + QString(wrong).replace(u'\n', QStringLiteral("  \n\n  "))}});
        pupil(root, QStringLiteral("Жоро"), {}, {{1, right}});
        pupil(root, QStringLiteral("Зоя"), {{2, solution(2)}});
        // A name of the pupil's own that the common headers would clash with.
        pupil(root, QStringLiteral("Иво"), {{1, QStringLiteral("#include <cstdio>\nusing namespace std;\nint count = 0;\n"
                                                             "int main() { count++; printf(\"%d\\n\", count); }\n")}});
        const QString h = QStringLiteral("х%1");
        const QList<QPair<QString, QString>> bodies{
            {h.arg(1), QStringLiteral("volatile unsigned long long i = 0; for (;;) i++;")},
            {h.arg(2), QStringLiteral("int n = 0; for (int i = 0; i < 3000; i++) { pid_t p = fork(); if (p == 0) { sleep(60); _exit(0); }"
                                      " if (p > 0) n++; } return n;")},
            {h.arg(3), QStringLiteral("std::vector<char> v(10000000000ULL); v[5] = 1; return v[5] - 1;")},
            {h.arg(4), QStringLiteral("FILE *a = fopen(\"/tmp/%1\", \"w\"); FILE *b = fopen(\"%2/%1\", \"w\");"
                                      " const char *home = getenv(\"HOME\"); char p[512]; snprintf(p, 512, \"%s/%1\", home ? home : \"/root\");"
                                      " FILE *c = fopen(p, \"w\"); return (a ? 0 : 1) + (b ? 10 : 0) + (c ? 20 : 0);")
                                      .arg(tag_, home_)},
            {h.arg(5), QStringLiteral("FILE *f = fopen(\"/etc/passwd\", \"r\"); char b[4096]; size_t n;"
                                      " while (f && (n = fread(b, 1, sizeof b, f)) > 0) fwrite(b, 1, n, stdout); return 0;")},
            {h.arg(7), QStringLiteral("int s = socket(AF_INET, SOCK_STREAM, 0); sockaddr_in a{}; a.sin_family = AF_INET;"
                                      " a.sin_port = htons(%1); a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);"
                                      " return s >= 0 && connect(s, (sockaddr *)&a, sizeof a) == 0 ? 3 : 0;")
                                      .arg(server_.port())},
            {h.arg(8), QStringLiteral("static char b[1 << 20]; memset(b, 'x', sizeof b); for (int i = 0; i < 1024; i++) fwrite(b, 1, sizeof b, stdout);")},
            {h.arg(9), QStringLiteral("fclose(stdout); return 0;")},
            {h.arg(10), QStringLiteral("sleep(1000);")},
        };
        for (const auto &[name, body] : bodies)
            pupil(root, name, {{1, hostile(body)}});
        pupil(root, h.arg(6), {{1, QStringLiteral("#include \"/etc/passwd\"\nint main() {}\n")}});
        // 2^40 templates, each of them different.
        pupil(root, h.arg(11), {{1, QStringLiteral("template <int N, long long M> struct B {"
                                                    " static const int v = B<N - 1, M * 2>::v + B<N - 1, M * 2 + 1>::v; };\n"
                                                    "template <long long M> struct B<0, M> { static const int v = 1; };\n"
                                                    "int main() { return B<40, 0>::v; }\n")}});
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        // As root the sandbox's user must reach the judge's folders in TMPDIR.
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther);
        home_ = dir_.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home_));
        tag_ = QStringLiteral("urok-hostile-%1").arg(QCoreApplication::applicationPid());
        QVERIFY(server_.port() > 0);
        const QString root = dir_.filePath(QStringLiteral("10а"));
        makeClass(root);
        // The teacher's own test of task 2 that no program passes.
        put(dir_.filePath(QStringLiteral("tests/02/bad.in")), "1\n");
        put(dir_.filePath(QStringLiteral("tests/02/bad.out")), "no such answer\n");
        run_ = urokSetup(dir_.path(), {QStringLiteral("report"), QStringLiteral("--csv"), QStringLiteral("c.csv"),
                                       QStringLiteral("--tests"), QStringLiteral("tests"), root},
                         home_);
        QCOMPARE(run_.code, 0);
        html_ = get(dir_.filePath(QStringLiteral("report.html")));
        page_ = readPage(html_);
        QVERIFY(page_.ok);
        csv_ = readCsv(get(dir_.filePath(QStringLiteral("c.csv"))));
        if (run_.err.contains(QStringLiteral("програмите не са проверени")))
            sandboxMissing_ = run_.err.section(u'\n', 0, 0);
    }

    void verdicts_data()
    {
        QTest::addColumn<QString>("pupil");
        QTest::addColumn<int>("task");
        QTest::addColumn<QString>("verdict");   // in the table
        QTest::addColumn<QString>("shown");     // in the summary's cell
        QTest::addColumn<QString>("under");     // said under the answer on the page
        QTest::newRow("right") << "Ана" << 1 << "вярно" << "вярно" << "";
        QTest::newRow("the author's") << "Боби" << 1 << "вярно" << "вярно" << "решението на автора";
        QTest::newRow("wrong") << "Вера" << 1 << "грешен изход" << "грешно" << "на пример 1";
        QTest::newRow("no program") << "Гого" << 1 << "не се компилира" << "компил." << "error: ‘не’ does not name a type";
        QTest::newRow("copy") << "Дара" << 1 << "грешен изход" << "грешно" << "Същият отговор имат: Еми.";
        QTest::newRow("copy, spaced") << "Еми" << 1 << "грешен изход" << "грешно" << "Същият отговор имат: Дара.";
        QTest::newRow("no answer") << "Ана" << 2 << "няма отговор" << "–" << "";
        QTest::newRow("saved file") << "Жоро" << 1 << "вярно" << "вярно" << "";
        QTest::newRow("loop") << "х1" << 1 << "превишено време" << "време" << "превишено време на";
        QTest::newRow("fork bomb") << "х2" << 1 << "грешка при изпълнение" << "срив" << "код на изход";
        QTest::newRow("10 GB") << "х3" << 1 << "превишена памет" << "памет" << "";
        QTest::newRow("files") << "х4" << 1 << "грешен изход" << "грешно" << "";
        QTest::newRow("/etc/passwd") << "х5" << 1 << "грешен изход" << "грешно" << "";
        QTest::newRow("include /etc/passwd") << "х6" << 1 << "не се компилира" << "компил." << "/etc/passwd: No such file";
        QTest::newRow("socket") << "х7" << 1 << "грешен изход" << "грешно" << "";
        QTest::newRow("1 GB out") << "х8" << 1 << "грешен изход" << "грешно" << "изходът е твърде голям";
        QTest::newRow("stdout closed") << "х9" << 1 << "грешен изход" << "грешно" << "";
        QTest::newRow("sleep") << "х10" << 1 << "превишено време" << "време" << "";
        QTest::newRow("endless compile") << "х11" << 1 << "не се компилира" << "компил." << "продължи твърде дълго";
        QTest::newRow("clash with common headers") << "Иво" << 1 << "грешен изход" << "грешно" << "";
    }

    void verdicts()
    {
        if (!sandboxMissing_.isEmpty())
            QSKIP(qPrintable(sandboxMissing_));
        QFETCH(QString, pupil);
        QFETCH(int, task);
        QFETCH(QString, verdict);
        QFETCH(QString, shown);
        QFETCH(QString, under);
        const QString cell = pupil + u'/' + QString::number(task);
        QCOMPARE(csv_.value(cell).value(0), verdict);
        QVERIFY2(page_.cells.value(cell).contains(shown), qPrintable(page_.cells.value(cell)));
        QVERIFY2(page_.under.value(QString::number(task) + u'/' + pupil).contains(under),
                 qPrintable(page_.under.value(QString::number(task) + u'/' + pupil)));
    }

    void countsAndCopies()
    {
        if (!sandboxMissing_.isEmpty())
            QSKIP(qPrintable(sandboxMissing_));
        // Task 2: the lesson's tests and the teacher's one, which nobody passes.
        const QStringList zoya = csv_.value(QStringLiteral("Зоя/2"));
        QVERIFY2(zoya.value(0).contains(QRegularExpression(QStringLiteral("^\\d+ от \\d+ теста$"))), qPrintable(zoya.join(u'|')));
        QCOMPARE(zoya.value(1).toInt(), zoya.value(2).toInt() - 1);
        QVERIFY2(page_.cells.value(QStringLiteral("Зоя/2")).contains(zoya.value(0)), qPrintable(page_.cells.value(QStringLiteral("Зоя/2"))));
        QCOMPARE(page_.solvedBy.value(QStringLiteral("Ана")), QStringLiteral("1"));
        QCOMPARE(page_.solvedBy.value(QStringLiteral("Зоя")), QStringLiteral("0"));
        QCOMPARE(page_.solvedTask.value(0), QStringLiteral("3"));   // Ана, Боби, Жоро's saved file
        QCOMPARE(page_.solvedTask.value(1), QStringLiteral("0"));
        QCOMPARE(csv_.value(QStringLiteral("Дара/1")).value(3), QStringLiteral("Еми"));
        QVERIFY(page_.cells.value(QStringLiteral("Боби/1")).contains(QStringLiteral("автор")));
        QVERIFY(page_.notes.contains(QStringLiteral("Еднакви файлове с отговори: Дара, Еми.")));
        // The fork bomb stopped at the limit of processes: its exit status
        // is the number of children it made.
        const QRegularExpressionMatch bomb = QRegularExpression(QStringLiteral("код на изход (\\d+)"))
                                                 .match(page_.under.value(QStringLiteral("1/х2")));
        QVERIFY(bomb.hasMatch());
        QVERIFY2(bomb.captured(1).toInt() < 10, qPrintable(bomb.captured(1)));
        QVERIFY2(run_.err.contains(QStringLiteral("Проверка ")), qPrintable(run_.err.left(400)));
    }

    void hostileProgramsLeaveNothing()
    {
        if (!sandboxMissing_.isEmpty())
            QSKIP(qPrintable(sandboxMissing_));
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/") + tag_));
        QVERIFY(!QFile::exists(home_ + u'/' + tag_));
        QVERIFY(!server_.wasReached());
        QVERIFY(!html_.contains("root:x:0:0"));
        QVERIFY(!anyProcessMentions(home_));
        QCOMPARE(QDir(home_ + QStringLiteral("/tmp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
        QVERIFY2(run_.ms < 240000, qPrintable(QString::number(run_.ms)));
    }

    void aSecondReportTakesTheVerdictsKept()
    {
        if (!sandboxMissing_.isEmpty())
            QSKIP(qPrintable(sandboxMissing_));
        // A verdict kept for Вера's answer, changed here, is what the second
        // report shows: it judged nothing again.
        const QString answer = readAnswers(get(dir_.filePath(QStringLiteral("10а/Вера/OTGOWORI.TXT"))), 30).answers.value(0).text();
        QStringList problems;
        const QList<judge::TaskTests> tests = lessonTaskTests(ReportLesson::builtIn(), QString(), &problems);
        const QString kept = home_ + QStringLiteral("/cache/urok-setup/verdicts/")
                             + QString::fromLatin1(judge::VerdictCache::key(answer, tests.value(0)));
        QVERIFY2(QFile::exists(kept), qPrintable(kept));
        put(kept, "7 9 9 ");
        const Run again = urokSetup(dir_.path(), {QStringLiteral("report"), QStringLiteral("-o"), QStringLiteral("again.html"),
                                                  QStringLiteral("--csv"), QStringLiteral("again.csv"), QStringLiteral("--tests"),
                                                  QStringLiteral("tests"), QStringLiteral("10а")},
                                    home_);
        QCOMPARE(again.code, 0);
        QMap<QString, QStringList> csv = readCsv(get(dir_.filePath(QStringLiteral("again.csv"))));
        QCOMPARE(csv.take(QStringLiteral("Вера/1")), (QStringList{QStringLiteral("вярно"), QStringLiteral("9"), QStringLiteral("9"), QString()}));
        QMap<QString, QStringList> first = csv_;
        first.remove(QStringLiteral("Вера/1"));
        QCOMPARE(csv, first);
        QVERIFY2(again.ms * 4 < run_.ms, qPrintable(QStringLiteral("%1 ms, then %2 ms").arg(run_.ms).arg(again.ms)));
    }

    // Every task's tests, the condition's examples and the checker of a task
    // with several right outputs among them, take the author's solution.
    void theAuthorsSolutionsAreRight()
    {
        if (!sandboxMissing_.isEmpty())
            QSKIP(qPrintable(sandboxMissing_));
        QTemporaryDir other(dir_.filePath(QStringLiteral("authorXXXXXX")));
        QList<Answer> all;
        for (const LessonTask &t : ReportLesson::builtIn().tasks)
            all.append({t.number, solution(t.number)});
        pupil(other.filePath(QStringLiteral("10в")), QStringLiteral("Автор"), all);
        const Run r = urokSetup(other.path(), {QStringLiteral("report"), QStringLiteral("--csv"), QStringLiteral("c.csv"),
                                               QStringLiteral("10в")},
                                home_);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QMap<QString, QStringList> csv = readCsv(get(other.filePath(QStringLiteral("c.csv"))));
        QCOMPARE(csv.size(), all.size());
        for (auto it = csv.cbegin(); it != csv.cend(); ++it) {
            QVERIFY2(it->value(0) == u"вярно" && it->value(2).toInt() > 1,
                     qPrintable(it.key() + QStringLiteral(": ") + it->join(u'|')));
        }
    }

    // A machine without the compiler or the sandbox: the report is written,
    // says why nothing was judged, and nothing was compiled or run.
    void withoutCompilerOrSandbox_data()
    {
        QTest::addColumn<QStringList>("tools");   // what the PATH finds
        QTest::addColumn<QString>("why");
        QTest::newRow("no g++") << QStringList{"bwrap", "setpriv", "prlimit"} << "няма компилатор на C++ (g++)";
        QTest::newRow("no bwrap") << QStringList{"g++", "setpriv", "prlimit"} << "не е намерен bubblewrap (bwrap)";
    }

    void withoutCompilerOrSandbox()
    {
        QFETCH(QStringList, tools);
        QFETCH(QString, why);
        QTemporaryDir other(dir_.filePath(QStringLiteral("bareXXXXXX")));
        const QString bin = other.filePath(QStringLiteral("bin"));
        QVERIFY(QDir().mkpath(bin));
        for (const QString &t : tools)
            QVERIFY(QFile::link(QStringLiteral("/usr/bin/") + t, bin + u'/' + t));
        pupil(other.filePath(QStringLiteral("10г")), QStringLiteral("Ана"), {{1, solution(1)}});
        const QString home = other.filePath(QStringLiteral("home"));
        const Run r = urokSetup(other.path(), {QStringLiteral("report"), QStringLiteral("--csv"), QStringLiteral("c.csv"),
                                               QStringLiteral("10г")},
                                home, {}, bin);
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.contains(QStringLiteral("програмите не са проверени: ") + why), qPrintable(r.err));
        QVERIFY2(!r.err.contains(QStringLiteral("Проверка ")), qPrintable(r.err));
        const Page page = readPage(get(other.filePath(QStringLiteral("report.html"))));
        QVERIFY(page.ok);
        QVERIFY2(page.notes.value(0).startsWith(QStringLiteral("Програмите не са проверени: ") + why),
                 qPrintable(page.notes.join(u'\n')));
        QVERIFY(page.solvedTask.isEmpty() && page.solvedBy.isEmpty());
        // The lines of the answer and the copy mark, no verdict.
        QCOMPARE(page.cells.value(QStringLiteral("Ана/1")),
                 QString::number(answerLines(solution(1))) + QStringLiteral("автор"));
        const QMap<QString, QStringList> csv = readCsv(get(other.filePath(QStringLiteral("c.csv"))));
        QCOMPARE(csv.value(QStringLiteral("Ана/1")), (QStringList{QString(), QString(), QString(), QStringLiteral("решението на автора")}));
        // No program was compiled: no verdict kept, no folder of the judge left.
        QCOMPARE(QDir(home + QStringLiteral("/cache/urok-setup/verdicts")).entryList(QDir::Files), QStringList());
        QCOMPARE(QDir(home + QStringLiteral("/tmp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void anOrdinaryUserToo()
    {
        if (!sandboxMissing_.isEmpty())
            QSKIP(qPrintable(sandboxMissing_));
        if (geteuid() != 0)
            QSKIP("the class above was judged by an ordinary user already");
        // The same sandbox started by the user nobody, as a teacher without
        // root starts it.
        QTemporaryDir other;
        const QString root = other.filePath(QStringLiteral("10б"));
        const QString home = other.filePath(QStringLiteral("home"));
        pupil(root, QStringLiteral("х2"), {{1, hostile(QStringLiteral("int n = 0; for (int i = 0; i < 3000; i++) { pid_t p = fork();"
                                                                          " if (p == 0) { sleep(60); _exit(0); } if (p > 0) n++; } return n;"))}});
        pupil(root, QStringLiteral("х4"), {{1, hostile(QStringLiteral("return fopen(\"%1/%2\", \"w\") ? 5 : 6;").arg(home, tag_))}});
        QVERIFY(QDir().mkpath(home + QStringLiteral("/tmp")));
        QProcess::execute(QStringLiteral("chown"), {QStringLiteral("-R"), QStringLiteral("65534:65534"), other.path()});
        QFile::setPermissions(other.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther | QFile::ReadOther);
        const Run r = urokSetup(other.path(), {QStringLiteral("report"), QStringLiteral("--csv"), QStringLiteral("c.csv"), root}, home,
                                {QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                 QStringLiteral("--clear-groups")});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QMap<QString, QStringList> csv = readCsv(get(other.filePath(QStringLiteral("c.csv"))));
        const QStringList bomb = csv.value(QStringLiteral("х2/1"));
        QCOMPARE(bomb.value(0), QStringLiteral("грешка при изпълнение"));
        QCOMPARE(csv.value(QStringLiteral("х4/1")).value(0), QStringLiteral("грешка при изпълнение"));
        QVERIFY(!QFile::exists(home + u'/' + tag_));
        QVERIFY(!anyProcessMentions(home));
    }
};

QTEST_GUILESS_MAIN(JudgeTest)
#include "test_judge.moc"
