#include "Scramble.h"

#include "Commands.h"
#include "Files.h"
#include "engine/Cp1251.h"
#include "engine/Decrypt.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringDecoder>

namespace urok::setup {

namespace {

// A task file is a few pages of text.
constexpr qint64 TaskFileLimit = qint64(1024) * 1024;

bool isMarker(const QString &line)
{
    static const QStringList markers{QStringLiteral("@hint"), QStringLiteral("@hint2"),
                                     QStringLiteral("@condition"), QStringLiteral("@solution")};
    return markers.contains(line.trimmed());
}

} // namespace

ScrambledTask scrambleTaskFile(const QString &plain)
{
    ScrambledTask result;
    QString text = plain;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QStringList out;
    for (int n = 0; n < lines.size(); ++n) {
        const QString &line = lines[n];
        if (isMarker(line)) {
            out.append(line.trimmed());
            continue;
        }
        if (!fitsCp1251(line)) {
            result.errors.append(QStringLiteral("ред %1: има знак извън кодовата таблица Windows-1251").arg(n + 1));
            continue;
        }
        const QString stored = scrambleContentLine(line);
        const qsizetype broken = stored.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
        if (broken >= 0) {
            // The stored line is the junk character and the text reversed.
            const qsizetype at = stored.size() - broken - 1;
            result.errors.append(QStringLiteral("ред %1: знакът „%2“ (позиция %3) не може да се кодира "
                                                "на това място; заменете го")
                                     .arg(n + 1)
                                     .arg(line.at(at))
                                     .arg(at + 1));
            continue;
        }
        out.append(stored);
    }
    if (result.errors.isEmpty())
        result.text = out.join(u'\n') + u'\n';
    return result;
}

int scrambleCommand(const QString &taskPath, const QString &outputPath, QTextStream &out,
                    QTextStream &err)
{
    QString why;
    const std::optional<QByteArray> bytes = readInput(taskPath, TaskFileLimit, &why);
    if (!bytes) {
        err << taskPath << QStringLiteral(": ") << why << u'\n';
        return ExitFailed;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString plain = utf8.decode(*bytes);
    if (utf8.hasError()) {
        err << taskPath << QStringLiteral(": файлът не е в UTF-8\n");
        return ExitFailed;
    }
    const ScrambledTask task = scrambleTaskFile(plain);
    for (const QString &e : task.errors)
        err << taskPath << u':' << e.mid(4) << u'\n';
    if (!task.errors.isEmpty())
        return ExitFailed;
    const QString failure = writeOutput(outputPath, task.text.toUtf8(), {taskPath});
    if (!failure.isEmpty()) {
        err << outputPath << QStringLiteral(": ") << failure << u'\n';
        return ExitFailed;
    }
    out << QStringLiteral("Записан е %1 с кодирано съдържание.\n").arg(QDir::toNativeSeparators(outputPath));
    return ExitOk;
}

} // namespace urok::setup
