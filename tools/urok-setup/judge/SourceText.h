#pragma once

#include <QByteArray>
#include <QString>

namespace urok::judge {

// An answer with its blank lines and the spaces around each line removed:
// two answers that differ only there are the same answer.
QString normalisedSource(const QString &text);

// A short fingerprint of the normalised answer.
QByteArray sourceKey(const QString &text);

// Whether two outputs hold the same whitespace-separated tokens.
bool sameTokens(const QByteArray &expected, const QByteArray &actual);

} // namespace urok::judge
