#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace urok::setup {

// Reads a whole file of at most `limit` bytes. A folder, a file that cannot
// be opened or read, and anything longer than the limit (a device that
// never ends included) give no bytes and, in `why`, the reason in Bulgarian
// with `what` as its subject ("файлът", "профилът").
std::optional<QByteArray> readInput(const QString &path, qint64 limit, QString *why,
                                    const QString &what = QStringLiteral("файлът"));

// True when the two paths name the same existing file (through links too).
bool sameFile(const QString &a, const QString &b);

// Writes an output file of the tool safely: whole or not at all, never onto
// one of `inputs`, never through a symbolic link. Returns an empty text on
// success, otherwise the reason in Bulgarian.
QString writeOutput(const QString &path, const QByteArray &bytes, const QStringList &inputs = {});

} // namespace urok::setup
