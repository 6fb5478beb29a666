#include "VerdictCache.h"

#include "Compiler.h"
#include "SourceText.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <utility>

namespace urok::judge {

namespace {

// Changes whenever what a verdict means changes.
constexpr int CacheFormat = 2;
constexpr qint64 EntryLimit = qint64(64) * 1024;

} // namespace

QString VerdictCache::defaultFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/urok-setup");
}

VerdictCache::VerdictCache(QString folder) : folder_(std::move(folder))
{
    if (!folder_.isEmpty() && !QDir().mkpath(folder_ + QStringLiteral("/verdicts")))
        folder_.clear();
}

QByteArray VerdictCache::key(const QString &source, const TaskTests &tests)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(QByteArray::number(CacheFormat) + '\0');
    h.addData(sourceKey(source));
    h.addData(tests.digest());
    h.addData(Compiler::version().toUtf8() + '\0' + Compiler::flags().join(u' ').toUtf8());
    return h.result().toHex();
}

QString VerdictCache::path(const QByteArray &key) const
{
    return folder_ + QStringLiteral("/verdicts/") + QString::fromLatin1(key);
}

bool VerdictCache::find(const QByteArray &key, Verdict *verdict) const
{
    if (folder_.isEmpty())
        return false;
    QFile f(path(key));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return Verdict::deserialize(f.read(EntryLimit), verdict);
}

void VerdictCache::store(const QByteArray &key, const Verdict &verdict) const
{
    if (folder_.isEmpty())
        return;
    // Written whole or not at all; a failure only costs the next report
    // a judging.
    QSaveFile f(path(key));
    const QByteArray bytes = verdict.serialized();
    if (!f.open(QIODevice::WriteOnly))
        return;
    if (f.write(bytes) != bytes.size() || !f.flush() || f.error() != QFileDevice::NoError) {
        f.cancelWriting();
        f.commit();
        return;
    }
    f.commit();
}

} // namespace urok::judge
