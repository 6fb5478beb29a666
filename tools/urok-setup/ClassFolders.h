#pragma once

#include <QByteArray>
#include <QList>
#include <QHash>
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

// An answers file of a class: its path and where its pupil's name lies in it.
struct ClassMember
{
    QByteArray path;
    int pupilEnd = 0;           // the pupil's folder is path.left(pupilEnd)
    bool ownName = false;       // named by its own path: the pupil is the file's own name
    bool named = false;         // named by the teacher (taken even through a link)
};

// The answers files of one class: the folder that holds its pupils' folders.
// A school year holds thousands of files, so a class keeps only where they
// are found again: its folder, searched as it was below each path named in
// `searched`. A file right in a path named is kept itself.
struct ClassFolder
{
    QByteArray key;             // the class folder, absolute, by its bytes
    QString name;               // its own name, as the teacher reads it
    QString shownPath;
    QList<int> searched;        // the paths named (by their order) below which it was found
    QList<ClassMember> members;
};

// A file of the file system, by its device and its number.
using FileId = QPair<quint64, quint64>;

// The files read that matter after the search, by the path named each was
// found through (its order; -1 for a file beside an answers file): an
// answers file that may be met again (a hard link, several paths named)
// and any file the report reads that it might write over. A school year
// holds thousands of files, so no others are kept.
using Inputs = QHash<FileId, int>;

struct FoundClasses
{
    QList<ClassFolder> classes;   // in Bulgarian order of their names, numbers by value
    QStringList notes;            // "path: what is wrong" for what belongs to no class
    Inputs inputs;
    QHash<FileId, QByteArray> linked;   // an answers file of several names: the one it is read by
    QList<QByteArray> paths;      // the paths named, absolute
    QString lessonCode;

    // The answers files of a class, found again now with what lies beside
    // each: one class is in memory at a time.
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
// `outputs` are the files the report might write over.
FoundClasses findClasses(const QList<QByteArray> &paths, const QString &lessonCode,
                         const QSet<FileId> &outputs = {});

} // namespace urok::setup
