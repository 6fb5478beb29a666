#pragma once

#include "TaskTests.h"
#include "Verdict.h"

#include <QByteArray>
#include <QString>

namespace urok::judge {

// Verdicts kept between reports, one small file each in a folder of the
// user's cache, keyed by the answer, the tests, the compiler and its flags:
// a second report of the same class judges nothing again. A file that
// cannot be read is as good as none.
class VerdictCache
{
public:
    // The user's cache folder for the judge (~/.cache/urok-setup).
    static QString defaultFolder();

    explicit VerdictCache(QString folder);   // empty: nothing is kept

    static QByteArray key(const QString &source, const TaskTests &tests);

    bool find(const QByteArray &key, Verdict *verdict) const;
    void store(const QByteArray &key, const Verdict &verdict) const;

private:
    QString path(const QByteArray &key) const;

    QString folder_;
};

} // namespace urok::judge
