#pragma once

#include <QFile>
#include <QStringDecoder>
#include <QStringList>
#include <QTest>

#include <vector>

namespace urok::test {

// How a person reads a file's bytes: UTF-8 text as it is, the program's own
// Windows-1251 text decoded, anything with a NUL byte as a hex dump of 16
// bytes a line. A CR is shown as "\r".
inline QStringList readableLines(const QByteArray &bytes)
{
    QStringList lines;
    if (bytes.contains('\0')) {
        for (qsizetype at = 0; at < bytes.size(); at += 16)
            lines.append(QStringLiteral("%1: ").arg(at, 4, 16, QLatin1Char('0'))
                         + QString::fromLatin1(bytes.mid(at, 16).toHex(' ')));
        return lines;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QStringDecoder("windows-1251")(bytes);
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return text.split(QLatin1Char('\n'));
}

// The lines of two texts that differ, as a diff: "-" a line of the golden
// file, "+" the line found instead, each with its line number.
inline QString lineDiff(const QStringList &golden, const QStringList &actual)
{
    const qsizetype n = golden.size(), m = actual.size();
    // common[i][j]: the longest common run of lines after golden i and actual j.
    std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
    for (qsizetype i = n - 1; i >= 0; --i)
        for (qsizetype j = m - 1; j >= 0; --j)
            common[i][j] = golden[i] == actual[j] ? common[i + 1][j + 1] + 1
                                                  : std::max(common[i + 1][j], common[i][j + 1]);
    QString diff;
    qsizetype i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && golden[i] == actual[j]) {
            ++i, ++j;
        } else if (j < m && (i == n || common[i][j + 1] >= common[i + 1][j])) {
            diff += QStringLiteral("+%1: %2\n").arg(j + 1, 4).arg(actual[j]);
            ++j;
        } else {
            diff += QStringLiteral("-%1: %2\n").arg(i + 1, 4).arg(golden[i]);
            ++i;
        }
    }
    return diff;
}

// Whether `actual` is the golden file's bytes; when not, the test fails
// with the differing lines. With UROK_UPDATE_GOLDEN set (make golden) the
// golden file is written from `actual` first.
inline bool sameAsGolden(const QString &path, const QByteArray &actual, const char *file, int line)
{
    if (qEnvironmentVariableIsSet("UROK_UPDATE_GOLDEN")) {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(actual) != actual.size())
            qWarning("cannot write the golden file %s", qPrintable(path));
    }
    QFile in(path);
    const QByteArray golden = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    if (golden == actual)
        return true;
    const QString message = QStringLiteral("%1 differs (- golden, + found; make golden rewrites it):\n%2")
                                .arg(path, lineDiff(readableLines(golden), readableLines(actual)));
    QTest::qFail(message.toUtf8().constData(), file, line);
    return false;
}

} // namespace urok::test

// Fails the test function unless `actual` (bytes) is the golden file's content.
#define UROK_COMPARE_GOLDEN(path, actual)                                              \
    do {                                                                               \
        if (!urok::test::sameAsGolden((path), (actual), __FILE__, __LINE__))           \
            return;                                                                    \
    } while (false)
