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
//
// The manifest is read at once; the text files and the task files it names
// are read when they are first needed, so that the lesson's window comes up
// without waiting for texts nobody reads yet.
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
    // The number of characters of a text (its line ends counted as CR LF),
    // known without reading the text itself when it has not been read yet.
    qsizetype textLength(Holder holder, int element) const;
    const Picture &picture(Holder holder, int element) const;

    // The element numbers defined for a holder, in increasing order.
    QList<int> elements(Holder holder) const;

    // The problems found so far; loadAll() reads every file first.
    const QStringList &errors() const { return errors_; }
    const QStringList &loadAll() const;

private:
    using Key = std::pair<Holder, int>;
    friend class CatalogueParser;

    // A text given inline, or the file it is read from when first needed.
    struct LazyText
    {
        QString path;
        mutable std::optional<QString> text;
    };

    void loadTasks() const;
    void problem(const QString &message) const;

    FileReader read_;
    mutable std::map<Key, QStringList> lists_; // task lists join when the tasks are read
    std::map<Key, LazyText> texts_;
    std::map<Key, Picture> pictures_;
    std::map<int, QString> taskFiles_;         // task number -> its file
    mutable bool tasksLoaded_ = false;
    mutable QStringList errors_;
};

} // namespace urok
