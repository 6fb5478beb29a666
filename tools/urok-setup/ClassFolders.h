#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

namespace urok::setup {

// Where an answers file was found, before it is read.
struct FoundFile
{
    QByteArray path;            // by its bytes, to reach it (shownPath() for the teacher)
    QString pupil;              // the pupil's name, before doubles are told apart
    QString unread;             // why it is not read (a link, a pipe, a folder), or empty
    QStringList nameNotes;      // what is odd about its name or its folder's name
    QList<QByteArray> saved;    // the lesson's task save files beside it
    QStringList otherLesson;    // files of another lesson beside it
    int folder = 0;             // the files of one folder share it
};

// The answers files of one class: the folder that holds its pupils' folders.
struct ClassFolder
{
    QByteArray key;             // the class folder, absolute, by its bytes
    QString name;               // its own name, as the teacher reads it
    QString shownPath;
    QList<FoundFile> files;
};

// A file of the file system, by its device and its number.
using FileId = QPair<quint64, quint64>;

struct FoundClasses
{
    QList<ClassFolder> classes;   // in Bulgarian order of their names, numbers by value
    QStringList notes;            // "path: what is wrong" for what belongs to no class
    QSet<FileId> inputs;          // every file the report may read
};

// True when the name is an answers file's, in any letter case, also with a
// copy's suffix (" (1)", " - Copy", " - Копие") or a doubled extension;
// `exact` tells the program's own names (OTGOWORI.TXT, OTGOWORS.TXT).
bool looksLikeAnswersFile(const QString &name, bool *exact = nullptr);

// Searches the paths the teacher named (folders through their subfolders,
// never following a symbolic link met inside them) for answers files and
// sorts them into classes.
//
// A pupil is the largest folder that holds the answers files of one folder
// only (so a pupil's copied lesson folder inside the pupil's own folder is
// still that pupil), never larger than a path named; the class is the folder
// that holds the pupil. An answers file named by its own path with another
// name is a pupil of that name, in the class of its folder. Everything
// skipped on the way is noted.
FoundClasses findClasses(const QList<QByteArray> &paths, const QString &lessonCode);

} // namespace urok::setup
