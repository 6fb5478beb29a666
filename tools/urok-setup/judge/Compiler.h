#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace urok::judge {

// The system's C++ compiler, run in the sandbox with the flags of the
// lesson's own solutions. The standard headers most programs include may be
// precompiled once into a folder of the cache; a program that does not
// compile with them is compiled again without, so it never fails because of
// them.
class Compiler
{
public:
    // `headerFolder`: where the sandbox finds the precompiled header (empty:
    // none); `keptFolder`: where it is kept between reports (may be empty).
    Compiler(QString headerFolder, QString keptFolder);

    // The compiler: g++ where the user's PATH finds it, by its real path
    // (which the sandbox sees); empty when there is none to use.
    static QString program();
    // Why there is none, or empty.
    static QString unavailable();
    // The compiler's version line, empty when there is no compiler.
    static QString version();
    static QStringList flags();

    // Brings the kept precompiled header, or builds it (and keeps it);
    // without it every compile is a plain one.
    void prepare();

    // Compiles `source` into `folder`/prog (`folder` is the caller's own,
    // empty folder). Empty when it compiled, otherwise the compiler's first
    // lines (at least one line, even when it said nothing).
    QString compile(const QString &folder, const QByteArray &source) const;

private:
    QString plainOrHeader(const QString &folder, bool withHeader) const;

    bool makeHeader(const QString &header);

    QString headerFolder_;
    QString keptFolder_;
    bool header_ = false;
};

} // namespace urok::judge
