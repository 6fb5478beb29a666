#include "judge_class.h"

#include "ReportInput.h"
#include "ReportJudging.h"
#include "engine/Cp1251.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

namespace {

constexpr int Pupils = 35;
constexpr int AnswersEach = 8;

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Compiles every listed answer and runs it on its task's tests, two answers
// at a time, as a teacher would without the report. The answers are the
// lesson's own solutions, which the suite runs as they are too; a pupil's
// program never runs this way.
const char *const PlainLoop = R"(one() {
    d=$(mktemp -d)
    if g++ -std=c++17 -O2 -o "$d/p" "$1" 2>/dev/null; then
        for t in "$2"/*.in; do
            timeout 10 "$d/p" < "$t" > "$d/out" 2>/dev/null
            diff -q -w -B "$d/out" "${t%.in}.out" >/dev/null && echo pass || echo fail
        done
    fi
    rm -rf "$d"
}
export -f one
xargs -P 2 -n 2 bash -c 'one "$0" "$1"' < "$1"
)";

double timed(QProcess &p, const QString &program, const QStringList &args)
{
    QElapsedTimer clock;
    clock.start();
    p.start(program, args);
    if (!p.waitForFinished(3600 * 1000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1;
    return static_cast<double>(clock.elapsed());
}

} // namespace

JudgeFigures benchJudgeClass(const QString &folder, const QString &urokSetup)
{
    using namespace urok::setup;
    JudgeFigures f;
    const ReportLesson lesson = ReportLesson::builtIn();
    QStringList problems;
    const QList<urok::judge::TaskTests> tests = lessonTaskTests(lesson, QString(), &problems);
    const int tasks = qMin(AnswersEach, static_cast<int>(tests.size()));
    for (int k = 0; k < tasks; ++k)
        for (qsizetype i = 0; i < tests[k].cases.size(); ++i) {
            const QString stem = QStringLiteral("%1/tests/%2/%3").arg(folder).arg(k + 1).arg(i + 1);
            if (!write(stem + QStringLiteral(".in"), tests[k].cases[i].input)
                || !write(stem + QStringLiteral(".out"), tests[k].cases[i].expected))
                return {.problem = QStringLiteral("the tests could not be written")};
        }
    // Every fifth answer is a copy of the previous pupil's; the others differ
    // in a comment of their own.
    QByteArray list;
    QStringList previous;
    for (int p = 1; p <= Pupils; ++p) {
        QString text = QStringLiteral("Има въведен текст по следните задачи:\r\n");
        QStringList mine;
        for (int k = 1; k <= tasks; ++k) {
            const bool copy = p > 1 && (p * AnswersEach + k) % 5 == 0;
            const QString answer = copy ? previous[k - 1]
                                        : QStringLiteral("// решение на ученик %1\n").arg(p)
                                              + programPart(lesson.tasks[k - 1].solution);
            f.copies += copy ? 1 : 0;
            mine.append(answer);
            text += QStringLiteral("Задача  %1\r\n%2\r\n").arg(k).arg(QString(answer).replace(u'\n', QStringLiteral("\r\n")));
            const QString source = QStringLiteral("%1/plain/%2-%3.cpp").arg(folder).arg(p).arg(k);
            if (!write(source, answer.toUtf8()))
                return {.problem = QStringLiteral("the answers could not be written")};
            list += QStringLiteral("%1 %2/tests/%3\n").arg(source, folder).arg(k).toUtf8();
        }
        previous = mine;
        if (!write(QStringLiteral("%1/class/Ученик %2/OTGOWORI.TXT").arg(folder).arg(p), urok::toCp1251(text)))
            return {.problem = QStringLiteral("the class could not be written")};
    }
    f.pupils = Pupils;
    f.answers = Pupils * tasks;
    if (!write(folder + QStringLiteral("/plain.sh"), PlainLoop) || !write(folder + QStringLiteral("/plain.list"), list))
        return {.problem = QStringLiteral("the shell loop could not be written")};

    QProcess plain;
    plain.setWorkingDirectory(folder);
    f.plainMs = timed(plain, QStringLiteral("bash"), {folder + QStringLiteral("/plain.sh"), folder + QStringLiteral("/plain.list")});
    const int passed = static_cast<int>(plain.readAllStandardOutput().count("pass\n"));
    QProcess report;
    report.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CACHE_HOME"), folder + QStringLiteral("/cache"));
    report.setProcessEnvironment(env);
    // The page named, so that the second report may replace the first's.
    const QStringList args{QStringLiteral("report"), QStringLiteral("-o"), QStringLiteral("class.html"),
                           QStringLiteral("--csv"), QStringLiteral("class.csv"), QStringLiteral("class")};
    f.firstMs = timed(report, urokSetup, args);
    f.secondMs = timed(report, urokSetup, args);
    if (f.plainMs < 0 || f.firstMs < 0 || f.secondMs < 0)
        f.problem = QStringLiteral("a run failed");
    else if (passed == 0)
        f.problem = QStringLiteral("the shell loop passed no test");
    return f;
}
