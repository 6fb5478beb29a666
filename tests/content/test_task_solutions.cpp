// Every author's solution of the lesson's tasks is a real program: it is
// taken from the task's lines exactly as the tasks window shows them,
// compiled with warnings as errors and run on the task's samples
// (data/samples/task-NN/*.in with the expected *.out) and on the
// large samples made below. No text of the lesson, hint or condition
// carries the program of a task, whatever names it gives its variables.

#include "content/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <utility>

namespace {

constexpr int kTaskCount = 24;
constexpr int kCompileTimeoutMs = 20000;
constexpr int kRunTimeoutMs = 10000;

QString taskName(int task)
{
    return QStringLiteral("task-%1").arg(task, 2, 10, QLatin1Char('0'));
}

QString samplesDir(int task)
{
    return QStringLiteral(UROK_SOURCE_DIR "/data/samples/") + taskName(task);
}

// The program of a solution: from its first line that begins with
// "#include" to the end of the task. Empty when there is no such line.
QStringList programLines(const QStringList &lines, int firstSolution)
{
    for (int i = std::max(firstSolution, 0); i < lines.size(); ++i) {
        if (lines[i].startsWith(QLatin1String("#include")))
            return lines.mid(i);
    }
    return {};
}

// Words a copy keeps; every other name may be renamed by whoever copies.
const QSet<QString> kKeptWords{
    "auto", "bool", "break", "char", "const", "continue", "do", "double", "else", "for", "if",
    "int", "long", "return", "size_t", "static", "struct", "unsigned", "void", "while", "cin",
    "cout", "vector", "string", "sort", "min", "max", "push_back", "pop_back", "size"};

// The tokens of a line of code but its braces, string literals emptied and
// the comment dropped; nothing for prose, a blank line or braces alone.
QStringList codeTokens(QString line)
{
    static const QRegularExpression literal(QStringLiteral("\"(\\\\.|[^\"\\\\])*\"|'(\\\\.|[^'\\\\])*'"));
    static const QRegularExpression cyrillic(QStringLiteral("\\p{Cyrillic}"));
    static const QRegularExpression token(QStringLiteral("[A-Za-z_]\\w*|\\d+|\\S"));
    static const QRegularExpression codeSign(QStringLiteral("[;{}()=<>]"));
    line.replace(literal, QStringLiteral("\"\""));
    if (const qsizetype comment = line.indexOf(QLatin1String("//")); comment >= 0)
        line.truncate(comment);
    if (line.contains(cyrillic) || !line.contains(codeSign))
        return {};
    QStringList tokens;   // braces depend on the style, not on the program
    for (const auto &m : token.globalMatch(line))
        if (m.captured() != u"{" && m.captured() != u"}")
            tokens.append(m.captured());
    return tokens;
}

// Every three consecutive lines of code, their names numbered in the order
// they appear, so that a copy with other names gives the same windows. Prose
// ends a run of code; blank lines and comments do not.
QSet<QString> codeWindows(const QStringList &lines)
{
    static const QRegularExpression prose(QStringLiteral("^\\s*[^\\s{}/]"));
    QSet<QString> windows;
    QList<QStringList> run;
    for (const QString &line : lines) {
        const QStringList tokens = codeTokens(line);
        if (tokens.isEmpty()) {
            if (line.contains(prose))
                run.clear();
            continue;
        }
        run.append(tokens);
        if (run.size() < 3)
            continue;
        QHash<QString, int> names;
        QStringList shape;
        for (qsizetype i = run.size() - 3; i < run.size(); ++i, shape.append(QStringLiteral("\n")))
            for (const QString &t : run[i]) {
                if ((t[0].isLetter() || t[0] == u'_') && !kKeptWords.contains(t) && !names.contains(t))
                    names.insert(t, int(names.size()));
                shape.append(names.contains(t) ? u'@' + QString::number(names[t]) : t);
            }
        windows.insert(shape.join(u' '));
    }
    return windows;
}

// Only trailing whitespace is insignificant: at the end of every line and
// at the end of the whole output.
QStringList normalisedLines(const QByteArray &output)
{
    QStringList lines = QString::fromUtf8(output).split(QLatin1Char('\n'));
    for (QString &line : lines) {
        qsizetype end = line.size();
        while (end > 0 && line[end - 1].isSpace())
            --end;
        line.truncate(end);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Empty when the outputs agree, otherwise where and how they differ.
QString difference(const QByteArray &expected, const QByteArray &actual)
{
    const QStringList want = normalisedLines(expected);
    const QStringList got = normalisedLines(actual);
    const qsizetype common = std::min(want.size(), got.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (want[i] != got[i]) {
            return QStringLiteral("line %1: expected \"%2\", got \"%3\"")
                .arg(i + 1)
                .arg(want[i].left(120), got[i].left(120));
        }
    }
    if (want.size() != got.size()) {
        return QStringLiteral("expected %1 lines, got %2").arg(want.size()).arg(got.size());
    }
    return {};
}

// The samples of a task in the order 1.in, 2.in, ..., 10.in.
QStringList sampleInputs(int task)
{
    QStringList inputs = QDir(samplesDir(task))
                             .entryList({QStringLiteral("*.in")}, QDir::Files, QDir::Name);
    std::sort(inputs.begin(), inputs.end(), [](const QString &a, const QString &b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return inputs;
}

// Compiles `source` into `binary`; empty on success, otherwise why not.
QString compile(const QString &compiler, const QString &source, const QString &binary)
{
    QProcess cc;
    cc.setProcessChannelMode(QProcess::MergedChannels);
    cc.setWorkingDirectory(QFileInfo(source).path());
    cc.start(compiler, {QStringLiteral("-std=c++17"), QStringLiteral("-O2"),
                        QStringLiteral("-Wall"), QStringLiteral("-Werror"),
                        QStringLiteral("-o"), binary, source});
    if (!cc.waitForStarted())
        return QStringLiteral("cannot start %1").arg(compiler);
    if (!cc.waitForFinished(kCompileTimeoutMs)) {
        cc.kill();
        cc.waitForFinished();
        return QStringLiteral("compiling took longer than %1 s").arg(kCompileTimeoutMs / 1000);
    }
    if (cc.exitStatus() != QProcess::NormalExit || cc.exitCode() != 0)
        return QStringLiteral("does not compile:\n") + QString::fromUtf8(cc.readAll()).left(3000);
    return {};
}

// Runs `binary` on `input` and compares its output with `expected`; empty
// when they agree, otherwise what went wrong.
QString runSample(const QString &binary, const QByteArray &input, const QByteArray &expected)
{
    QProcess run;
    run.setWorkingDirectory(QFileInfo(binary).path());
    run.start(binary, {});
    if (!run.waitForStarted())
        return QStringLiteral("cannot start the program");
    run.write(input);
    run.closeWriteChannel();
    if (!run.waitForFinished(kRunTimeoutMs)) {
        run.kill();
        run.waitForFinished();
        return QStringLiteral("the program ran longer than %1 s").arg(kRunTimeoutMs / 1000);
    }
    if (run.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("the program crashed");
    if (run.exitCode() != 0)
        return QStringLiteral("the program exited with code %1").arg(run.exitCode());
    const QString diff = difference(expected, run.readAllStandardOutput());
    return diff.isEmpty() ? QString() : QStringLiteral("wrong output, ") + diff;
}

struct Sample
{
    QString name;
    QByteArray input, expected;
};

// Samples too large to keep as files: n numbers, the first `first` of them
// equal, then one different number, then the rest equal again (task 3).
Sample plateaus(const QString &name, int n, int first)
{
    QByteArray in = QByteArray::number(n) + '\n';
    for (int i = 0; i < n; ++i)
        in += (i < first ? "7" : i == first ? "-1000000000" : "1000000000") + QByteArray(" ");
    const int rest = n - first - 1;
    const QByteArray answer = rest > first ? QByteArray::number(rest) + ' ' + QByteArray::number(first + 2)
                                           : QByteArray::number(first) + " 1";
    return {name, in + '\n', answer + '\n'};
}

// All primes up to n found by trial division, independently of the sieve (task 4).
Sample primesUpTo(const QString &name, int n)
{
    QByteArrayList primes;
    for (int k = 2; k <= n; ++k) {
        bool prime = true;
        for (int d = 2; d * d <= k && prime; ++d)
            prime = k % d != 0;
        if (prime)
            primes.append(QByteArray::number(k));
    }
    return {name, QByteArray::number(n) + '\n',
            QByteArray::number(primes.size()) + '\n' + primes.join(' ') + '\n'};
}

// n equal numbers and n questions, half of them asking for a number that is
// not there: a program that looks through the numbers for every question
// makes 10^10 comparisons (task 6).
Sample equalNumbers(const QString &name, int n)
{
    QByteArray in = QByteArray::number(n) + ' ' + QByteArray::number(n) + '\n', out;
    in += QByteArray("7 ").repeated(n) + '\n';
    for (int i = 0; i < n; ++i) {
        in += i % 2 ? "8 " : "7 ";
        out += (i % 2 ? QByteArray("0") : QByteArray::number(n)) + '\n';
    }
    return {name, in + '\n', out};
}

// n clients, the longest first: t_i = 10^9 - i + 1, so the order is n, ..., 1
// and the sum of the waits, about 5 * 10^18, needs long long (task 8).
Sample longestFirst(const QString &name, int n)
{
    QByteArray in = QByteArray::number(n) + '\n', order;
    long long total = 0, start = 0;
    for (int i = 1; i <= n; ++i)
        in += QByteArray::number(1000000000 - i + 1) + ' ';
    for (int i = n; i >= 1; --i) {
        total += start;
        start += 1000000000 - i + 1;
        order += QByteArray::number(i) + (i > 1 ? " " : "\n");
    }
    return {name, in + '\n', QByteArray::number(total) + '\n' + order};
}

QList<Sample> largeSamples(int task)
{
    if (task == 3)
        return {plateaus(QStringLiteral("99 999 equal, then one"), 100000, 99999),
                plateaus(QStringLiteral("the longest at the end"), 100000, 49999)};
    if (task == 4)
        return {primesUpTo(QStringLiteral("primes up to 100 000"), 100000)};
    if (task == 6)
        return {equalNumbers(QStringLiteral("100 000 equal numbers, 100 000 questions"), 100000)};
    if (task == 8)
        return {longestFirst(QStringLiteral("100 000 clients, the longest first"), 100000)};
    return {};
}

} // namespace

class TestTaskSolutions : public QObject
{
    Q_OBJECT

private:
    QString compiler_;

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *name : {"c++", "g++"}) {
            compiler_ = QStandardPaths::findExecutable(QString::fromLatin1(name));
            if (!compiler_.isEmpty())
                break;
        }
        QVERIFY2(!compiler_.isEmpty(), "no C++ compiler (c++ or g++) on the PATH");
    }

    void sampleHelpers()
    {
        // The comparison ignores trailing blanks and a missing final line end ...
        QVERIFY(difference("1 2\n3\n", "1 2  \n3").isEmpty());
        QVERIFY(difference("0\n\n", "0\n").isEmpty());
        QVERIFY(difference("YES\r\n", "YES\n").isEmpty());
        // ... but not blanks inside a line, a missing line or a changed one.
        QVERIFY(!difference("1 2\n", "1  2\n").isEmpty());
        QVERIFY(!difference("1\n2\n", "1\n").isEmpty());
        QVERIFY(!difference("1\n\n2\n", "1\n2\n").isEmpty());
        QCOMPARE(difference("5\n7\n", "5\n8\n"),
                 QStringLiteral("line 2: expected \"7\", got \"8\""));

        const QStringList lines{QStringLiteral("hint"), QStringLiteral("hint"),
                                QStringLiteral("condition"), QStringLiteral("idea"),
                                QStringLiteral("  #include <x>"), QStringLiteral("#include <y>"),
                                QStringLiteral("int main() {}")};
        QCOMPARE(programLines(lines, 3), lines.mid(5));
        QVERIFY(programLines(lines, 6).isEmpty());

        // Three lines of a program, copied with other names, are found; two are not.
        const QSet<QString> program = codeWindows({QStringLiteral("int total = 0;"), QString(),
                                                   QStringLiteral("for (int i = 0; i < n; i++) {"),
                                                   QStringLiteral("    total += a[i];"), QStringLiteral("}")});
        QStringList text{QStringLiteral("Сборът:"), QStringLiteral("    int s = 0;   // \"x\""),
                         QStringLiteral("    for (int k = 0; k < m; k++)"), QStringLiteral("        s += v[k];")};
        QVERIFY(program.intersects(codeWindows(text)));
        text[3] = QStringLiteral("        s += v[s];");
        QVERIFY(!program.intersects(codeWindows(text)));
        text.insert(2, QStringLiteral("Прибавяме числата:"));
        text[4] = QStringLiteral("        s += v[k];");
        QVERIFY(!program.intersects(codeWindows(text)));
    }

    void noTextCarriesAProgram()
    {
        const urok::Catalogue &c = urok::Catalogue::builtIn();
        QHash<QString, int> programs;   // a window of code -> its task
        QList<std::pair<QString, QStringList>> texts;
        for (int task = 1; task <= kTaskCount; ++task) {
            const QStringList lines = c.list(urok::Holder::Uslowie_L, task);
            const int firstSolution = c.list(urok::Holder::Redowe_L, 2).value(task).toInt();
            for (const QString &window : codeWindows(programLines(lines, firstSolution)))
                programs.insert(window, task);
            texts.append({taskName(task) + QStringLiteral(" (hints and condition)"), lines.mid(0, firstSolution)});
        }
        for (urok::Holder h : {urok::Holder::Podtochki, urok::Holder::Dopyln_M,
                               urok::Holder::Reklama_Par, urok::Holder::Glos})
            for (int e : c.elements(h))
                texts.append({urok::holderAddress(h, e), c.text(h, e).split(QStringLiteral("\r\n"))});
        QStringList found;
        for (const auto &[where, lines] : texts)
            for (const QString &window : codeWindows(lines))
                if (programs.contains(window))
                    found.append(QStringLiteral("%1 carries three lines of %2's program:\n%3")
                                     .arg(where, taskName(programs[window]), window));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    void solutions_data()
    {
        QTest::addColumn<int>("task");
        for (int task = 1; task <= kTaskCount; ++task)
            QTest::newRow(qPrintable(taskName(task))) << task;
    }

    void solutions()
    {
        QFETCH(int, task);
        const QString name = taskName(task);
        const urok::Catalogue &c = urok::Catalogue::builtIn();
        const QStringList lines = c.list(urok::Holder::Uslowie_L, task);
        const int firstSolution = c.list(urok::Holder::Redowe_L, 2).value(task).toInt();
        QVERIFY2(firstSolution > 2 && firstSolution < lines.size(),
                 qPrintable(QStringLiteral("%1 has no solution lines (%2 lines, the first "
                                           "solution line is %3)")
                                .arg(name)
                                .arg(lines.size())
                                .arg(firstSolution)));
        const QStringList program = programLines(lines, firstSolution);
        QVERIFY2(!program.isEmpty(),
                 qPrintable(name + QStringLiteral(": the solution has no #include line")));

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString source = dir.filePath(QStringLiteral("solution.cpp"));
        const QString binary = dir.filePath(QStringLiteral("solution"));
        {
            QFile file(source);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(program.join(QLatin1Char('\n')).toUtf8() + '\n');
        }
        const QString compileError = compile(compiler_, source, binary);
        QVERIFY2(compileError.isEmpty(), qPrintable(name + QStringLiteral(": ") + compileError));

        const QStringList inputs = sampleInputs(task);
        QVERIFY2(!inputs.isEmpty(),
                 qPrintable(QStringLiteral("%1 has no samples in %2").arg(name, samplesDir(task))));
        QList<Sample> samples;
        for (const QString &input : inputs) {
            const QString path = samplesDir(task) + QLatin1Char('/') + input;
            QFile in(path), out(path.chopped(3) + QStringLiteral(".out"));
            QVERIFY2(in.open(QIODevice::ReadOnly) && out.open(QIODevice::ReadOnly),
                     qPrintable(path + QStringLiteral(": cannot read it or its .out file")));
            samples.append({input, in.readAll(), out.readAll()});
        }
        samples += largeSamples(task);
        for (const Sample &sample : samples) {
            const QString error = runSample(binary, sample.input, sample.expected);
            QVERIFY2(error.isEmpty(),
                     qPrintable(QStringLiteral("%1/%2: %3").arg(name, sample.name, error)));
        }
    }
};

QTEST_MAIN(TestTaskSolutions)
#include "test_task_solutions.moc"
