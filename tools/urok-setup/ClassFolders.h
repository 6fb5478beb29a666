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
};

// An answers file of a class, as the search keeps it until the class is
// read: a school year holds thousands, so no more than its path and where
// its pupil's name lies in it.
struct ClassMember
{
    QByteArray path;
    int pupilEnd = 0;           // the pupil's folder is path.left(pupilEnd)
    bool ownName = false;       // named by its own path: the pupil is the file's own name
    bool named = false;         // named by the teacher (taken even through a link)
};

// The answers files of one class: the folder that holds its pupils' folders.
struct ClassFolder
{
    QByteArray key;             // the class folder, absolute, by its bytes
    QString name;               // its own name, as the teacher reads it
    QString shownPath;
    QList<ClassMember> members;
};

// A file of the file system, by its device and its number.
using FileId = QPair<quint64, quint64>;

struct FoundClasses
{
    QList<ClassFolder> classes;   // in Bulgarian order of their names, numbers by value
    QStringList notes;            // "path: what is wrong" for what belongs to no class
    QSet<FileId> inputs;          // every file the report may read
    QString lessonCode;

    // The answers files of a class with what lies beside each, looked at
    // again now: one class is in memory at a time.
    QList<FoundFile> filesOf(const ClassFolder &c) const;
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
