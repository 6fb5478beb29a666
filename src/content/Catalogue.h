#pragma once

#include "content/Holder.h"
#include "content/Picture.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace urok {

// The built-in content of the lesson: every holder with its element number
// and its design contents, read from the lesson's data (data/catalogue.txt
// and the files it names; the format is in docs/lesson-data.md).
class Catalogue
{
public:
    // Reads a data file by its path relative to the data folder.
    using FileReader = std::function<std::optional<QByteArray>(const QString &path)>;

    // The lesson built into the program (loaded once).
    static const Catalogue &builtIn();

    // Reads a manifest; `root` is the folder the manifest's paths are
    // relative to (pictures are decoded from there later). Problems are
    // collected in errors() and leave the holder concerned out.
    static Catalogue parse(const QString &manifest, const FileReader &read, const QString &root);

    bool hasList(Holder holder, int element) const;
    QStringList list(Holder holder, int element) const;
    QString text(Holder holder, int element) const;
    const Picture &picture(Holder holder, int element) const;

    // The element numbers defined for a holder, in increasing order.
    QList<int> elements(Holder holder) const;

    const QStringList &errors() const { return errors_; }

private:
    using Key = std::pair<Holder, int>;
    friend class CatalogueParser;

    std::map<Key, QStringList> lists_;
    std::map<Key, QString> texts_;
    std::map<Key, Picture> pictures_;
    QStringList errors_;
};

} // namespace urok
