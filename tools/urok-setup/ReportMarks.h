#pragma once

#include "ReportJudging.h"

#include <QString>

#include <optional>

namespace urok::setup {

// The judging's pieces of the report page, as HTML.

// The style of the verdicts, added to the page's own.
QString marksStyle();

// The verdict in a word that fits a narrow column: "вярно", "3 от 8 теста"
// (on two lines), "грешно", "компил.", "време", "памет", "срив".
QString shortVerdict(const judge::Verdict &verdict);

// The verdict in a cell of the summary, in its short word with the whole
// verdict when pointed at, and "копие" or "автор" under it; empty when
// there is nothing to say.
QString verdictCell(const std::optional<judge::Verdict> &verdict, const AnswerMarks *marks);

// Under an answer: its verdict with what went wrong (the compiler's first
// lines, the failed test), the pupils who gave the same answer, whether it
// is the author's solution.
QString answerMarks(const AnswerMarks *marks);

// Under a task: the groups of pupils with the same answer.
QString taskCopies(const ClassJudging &judging, const ClassAnswers &answers, int task);

// Among the notes: why nothing was judged, the tests that could not be
// used, the pupils whose whole answers files are the same.
QStringList judgingNotes(const ClassJudging &judging);

// The class of a summary cell by its verdict ("ok", "part", "bad").
QString verdictClass(const judge::Verdict &verdict);

} // namespace urok::setup
