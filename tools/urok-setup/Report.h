#pragma once

#include "ReportInput.h"
#include "ReportJudging.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace urok::setup {

// The class report as one self-contained page: UTF-8, well-formed
// (XHTML-compatible) HTML with its style inside and no script: a summary
// table of pupils and tasks, one section for each task of the lesson with
// every pupil's answer and the author's solution folded away, and the notes
// on the files that could not be used as they were.
// `judging` adds the verdicts, the copies and the counts of solved tasks.
QByteArray reportPage(const ClassAnswers &answers, const ReportLesson &lesson, const QDateTime &made,
                      const ClassJudging &judging = {});

// The class report for a spreadsheet: one row for each pupil and task. UTF-8
// with a byte-order mark, fields separated by ';', text fields in double
// quotes, rows ended by CR LF. A text that a spreadsheet would take for a
// formula (it starts with =, +, - or @) gets an apostrophe in front.
QByteArray reportCsv(const ClassAnswers &answers, const ReportLesson &lesson, const ClassJudging &judging = {});

// urok-setup report [-o PAGE] [--csv TABLE] [--no-judge] [--tests DIR]
// PATH...: judges the programs as `judging` asks, writes the page (and the
// table); every note and the judging's progress also go to `err`. Exit 0 when the report was
// written, 1 when it could not be (no answers file, or the output failed).
int reportCommand(const QStringList &paths, const QString &pagePath, const QString &csvPath,
                  const JudgingRequest &judging, QTextStream &out, QTextStream &err);

} // namespace urok::setup
