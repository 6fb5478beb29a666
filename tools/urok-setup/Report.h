#pragma once

#include "ReportInput.h"

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace urok::setup {

// The report was written in part: some of its files were, others not (each
// one named on standard error).
constexpr int ExitPartly = 3;

// What a class's page links to, by file names beside it (empty: none), and
// the notes that belong to no class, shown on the page of a report of one
// class.
struct ClassLinks
{
    QString sheets;
    QString csv;
    QString index;
    QStringList otherNotes;
};

// A class's page: UTF-8, well-formed (XHTML-compatible) HTML with its style
// inside and no script: a summary table of pupils and tasks that prints on
// a landscape A4 sheet, one section for each task with every pupil's answer
// and the author's solution folded away, and the notes on the files that
// could not be used as they were.
void writeClassPage(QIODevice &device, const ClassAnswers &answers, const ReportLesson &lesson,
                    const ClassLinks &links, const QDateTime &made);

// The pupils' sheets of a class, to print and hand back: one pupil a page,
// with every answer under its task.
void writeSheets(QIODevice &device, const ClassAnswers &answers, const ReportLesson &lesson,
                 const QDateTime &made);

// One line of the index of a report of several classes.
struct ClassEntry
{
    QString name;
    QString path;
    qsizetype pupils = 0;
    int answers = 0;
    qsizetype notes = 0;
    QString page;       // file names beside the index; empty when not written
    QString sheets;
    QString csv;
    bool withCsv = false;   // a table was asked for
};

// The index of a report of several classes: a line for each class, with
// links to its files, and the notes that belong to no class.
void writeIndex(QIODevice &device, const QList<ClassEntry> &classes, const QStringList &notes,
                const ReportLesson &lesson, const QDateTime &made);

// A class's table for a spreadsheet: one row for each pupil and task. UTF-8
// with a byte-order mark, fields separated by ';', text fields in double
// quotes, rows ended by CR LF. A text that a spreadsheet would take for a
// formula or a command (its first character that is not a blank is =, +, -
// or @, or it starts with a tab or a line break) gets an apostrophe in front.
void writeCsv(QIODevice &device, const ClassAnswers &answers, const ReportLesson &lesson);

// The date and time a report was made, as its pages say it.
QString madeText(const QDateTime &made);

// What the teacher asked of the report command.
struct ReportRequest
{
    QList<QByteArray> paths;   // folders and files, by their bytes
    QString page;              // the page, or with several classes the index
    bool pageNamed = false;    // given with -o (else the default name)
    QString csv;               // empty: no table
    bool force = false;        // existing files not named may be replaced
};

// urok-setup report [-o PAGE] [--csv TABLE] [--force] PATH...: writes the
// page of each class (with several classes, an index page too), the
// pupils' sheets and the tables; every note also goes to `err`. Exit 0 when
// everything was written, ExitPartly when part of it, 1 when nothing was
// (no answers file, or an output that may not be written).
int reportCommand(const ReportRequest &request, QTextStream &out, QTextStream &err);

// The paths of the command line as the shell gave them: `argv` are the
// process's own arguments, `given` those of them that are paths.
QList<QByteArray> rawArguments(const QStringList &given, const QList<QByteArray> &argv);

} // namespace urok::setup
