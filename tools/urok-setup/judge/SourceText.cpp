#include "SourceText.h"

#include <QCryptographicHash>
#include <QStringList>

namespace urok::judge {

QString normalisedSource(const QString &text)
{
    QStringList kept;
    for (const QString &line : text.split(u'\n')) {
        const QString t = line.trimmed();
        if (!t.isEmpty())
            kept.append(t);
    }
    return kept.join(u'\n');
}

QByteArray sourceKey(const QString &text)
{
    return QCryptographicHash::hash(normalisedSource(text).toUtf8(), QCryptographicHash::Sha256);
}

bool sameTokens(const QByteArray &expected, const QByteArray &actual)
{
    auto isSpace = [](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\v' || c == '\f'; };
    qsizetype i = 0;
    qsizetype j = 0;
    for (;;) {
        while (i < expected.size() && isSpace(expected[i]))
            ++i;
        while (j < actual.size() && isSpace(actual[j]))
            ++j;
        if (i == expected.size() || j == actual.size())
            return i == expected.size() && j == actual.size();
        while (i < expected.size() && j < actual.size() && !isSpace(expected[i]) && !isSpace(actual[j])) {
            if (expected[i] != actual[j])
                return false;
            ++i;
            ++j;
        }
        const bool endA = i == expected.size() || isSpace(expected[i]);
        const bool endB = j == actual.size() || isSpace(actual[j]);
        if (endA != endB)
            return false;
    }
}

} // namespace urok::judge
