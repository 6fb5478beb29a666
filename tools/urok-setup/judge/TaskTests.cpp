#include "TaskTests.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace urok::judge {

namespace {

// Larger inputs and outputs than this are not tests of a lesson's task.
constexpr qint64 TestFileLimit = qint64(64) * 1024 * 1024;
constexpr double LongestTimeLimit = 10.0;

bool hasCyrillic(const QString &line)
{
    return std::any_of(line.begin(), line.end(),
                       [](QChar c) { return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF; });
}

QByteArray linesOf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &l : lines)
        bytes += l.toUtf8() + '\n';
    return bytes;
}

bool readSmallFile(const QString &path, QByteArray *bytes)
{
    QFile f(path);
    if (f.size() > TestFileLimit || !f.open(QIODevice::ReadOnly))
        return false;
    *bytes = f.readAll();
    return f.error() == QFileDevice::NoError;
}

} // namespace

QList<TestCase> conditionExamples(const QStringList &condition)
{
    static const QRegularExpression heading(QStringLiteral("^Пример( \\d+)?\\.$"));
    QList<TestCase> examples;
    enum class At { Outside, Input, Output } at = At::Outside;
    QStringList input;
    QStringList output;
    auto finish = [&]() {
        if (at == At::Output && !output.isEmpty())
            examples.append({QStringLiteral("пример %1").arg(examples.size() + 1), linesOf(input),
                             linesOf(output)});
        at = At::Outside;
        input.clear();
        output.clear();
    };
    for (const QString &raw : condition) {
        const QString line = raw.trimmed();
        if (heading.match(line).hasMatch()) {
            finish();
        } else if (line == u"Вход:" && at == At::Outside) {
            at = At::Input;
        } else if (line == u"Изход:" && at == At::Input) {
            at = At::Output;
        } else if (at == At::Input) {
            input.append(line);
        } else if (at == At::Output) {
            if (hasCyrillic(line))
                finish();
            else
                output.append(line);
        }
    }
    finish();
    return examples;
}

double conditionTimeLimit(const QStringList &condition)
{
    static const QRegularExpression stated(QStringLiteral("(\\d+(?:[.,]\\d+)?)\\s*секунд"));
    for (const QString &line : condition) {
        const QRegularExpressionMatch m = stated.match(line);
        if (!m.hasMatch())
            continue;
        bool ok = false;
        const double seconds = m.captured(1).replace(u',', u'.').toDouble(&ok);
        if (ok && seconds > 0)
            return std::min(seconds, LongestTimeLimit);
    }
    return 1.0;
}

void addFolderTests(const QString &folder, const QString &label, TaskTests *tests, QStringList *problems)
{
    const QDir dir(folder);
    QStringList inputs = dir.entryList({QStringLiteral("*.in")}, QDir::Files, QDir::Name);
    std::sort(inputs.begin(), inputs.end(), [](const QString &a, const QString &b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    for (const QString &in : inputs) {
        const QString stem = in.chopped(3);
        TestCase t{QStringLiteral("%1 %2").arg(label, stem), {}, {}};
        if (!dir.exists(stem + QStringLiteral(".out"))) {
            problems->append(QStringLiteral("%1: липсва %2.out; тестът е пропуснат")
                                 .arg(QDir::toNativeSeparators(folder), stem));
            continue;
        }
        if (!readSmallFile(dir.filePath(in), &t.input)
            || !readSmallFile(dir.filePath(stem + QStringLiteral(".out")), &t.expected)) {
            problems->append(QStringLiteral("%1: тест %2 не може да се прочете; пропуснат е")
                                 .arg(QDir::toNativeSeparators(folder), stem));
            continue;
        }
        tests->cases.append(t);
    }
    QByteArray checker;
    if (dir.exists(QStringLiteral("check.cpp")) && readSmallFile(dir.filePath(QStringLiteral("check.cpp")), &checker))
        tests->checker = checker;
}

QString lessonSamplesFolder()
{
    QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/samples");
    if (QDir(beside).exists())
        return beside;
#ifdef UROK_SAMPLES_SOURCE_DIR
    if (QDir(QStringLiteral(UROK_SAMPLES_SOURCE_DIR)).exists())
        return QStringLiteral(UROK_SAMPLES_SOURCE_DIR);
#endif
    return {};
}

QString taskFolder(const QString &root, int task)
{
    const QDir dir(root);
    for (const QString &name : {QStringLiteral("task-%1").arg(task, 2, 10, QLatin1Char('0')),
                                QStringLiteral("%1").arg(task, 2, 10, QLatin1Char('0')),
                                QString::number(task)}) {
        if (dir.exists(name) && QFileInfo(dir.filePath(name)).isDir())
            return dir.filePath(name);
    }
    return {};
}

QByteArray TaskTests::digest() const
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(QByteArray::number(timeLimit, 'g', 6) + '\0');
    for (const TestCase &t : cases) {
        h.addData(QByteArray::number(t.input.size()) + ':' + t.input);
        h.addData(QByteArray::number(t.expected.size()) + ':' + t.expected);
    }
    h.addData(QByteArray::number(checker.size()) + ':' + checker);
    return h.result();
}

} // namespace urok::judge
