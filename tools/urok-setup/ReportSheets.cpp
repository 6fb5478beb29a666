#include "Report.h"
#include "ReportHtml.h"

namespace urok::setup {

namespace {

// On paper every pupil starts a new portrait sheet; a task's heading stays
// with its answer.
const char *const SheetStyle = R"(
section.sheet{border-top:2px solid #557;margin-top:1.6rem}
.task h3{margin-top:.8rem}
@page{size:A4 portrait;margin:15mm}
@media print{section.sheet{border:none;margin:0;break-before:page}section.sheet:first-of-type{break-before:auto}.task h3{break-after:avoid}}
)";

void sheet(TextOut &out, const Pupil &pupil, qsizetype index, const ClassAnswers &answers,
           const ReportLesson &lesson, const QString &made)
{
    out << QStringLiteral("<section class=\"sheet\" id=\"p%1\">\n<h2>%2</h2>\n<p class=\"meta\">Клас „%3“ · урок „%4“ · %5</p>\n")
               .arg(QString::number(index + 1), escaped(pupil.name), escaped(answers.name), escaped(lesson.topic), made);
    for (const QString &n : pupil.notes)
        out << QStringLiteral("<p class=\"warn\">%1</p>\n").arg(escaped(n));
    QStringList without;
    for (const LessonTask &t : lesson.tasks) {
        const Cell cell = pupil.cell(t.number);
        if (cell.isEmpty()) {
            without.append(QString::number(t.number));
            continue;
        }
        out << QStringLiteral("<div class=\"task\">\n<h3>Задача %1</h3>\n").arg(t.number);
        if (!t.firstCondition.isEmpty())
            out << QStringLiteral("<p class=\"condition\">%1</p>\n").arg(escaped(t.firstCondition));
        out << cellBody(cell) << QStringLiteral("</div>\n");
    }
    if (without.size() == lesson.tasks.size())
        out << QStringLiteral("<p class=\"none\">Няма нито един отговор.</p>\n");
    else if (!without.isEmpty())
        out << QStringLiteral("<p class=\"none\">Без отговор: задачи %1.</p>\n").arg(without.join(QStringLiteral(", ")));
    out << QStringLiteral("</section>\n");
}

} // namespace

void writeSheets(QIODevice &device, const ClassAnswers &answers, const ReportLesson &lesson, const QDateTime &made)
{
    TextOut out(device);
    out << pageHead(QStringLiteral("Листове на учениците от клас %1 – %2").arg(answers.name, lesson.topic),
                    commonStyle() + QString::fromUtf8(SheetStyle));
    const QString when = escaped(madeText(made));
    for (qsizetype p = 0; p < answers.pupils.size(); ++p)
        sheet(out, answers.pupils[p], p, answers, lesson, when);
    out << QStringLiteral("</body>\n</html>\n");
}

} // namespace urok::setup
