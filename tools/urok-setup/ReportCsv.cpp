#include "Report.h"
#include "ReportHtml.h"

namespace urok::setup {

namespace {

// A text field: in double quotes, quotes doubled, line breaks kept inside
// the quotes. A text a spreadsheet would take for a formula, however many
// blanks come first, or that starts with a control character it may act
// on, is kept as text by an apostrophe in front.
QString field(const QString &text)
{
    QString t = text;
    const auto firstSeen = std::find_if(t.cbegin(), t.cend(), [](QChar c) { return c != u' ' && c != u'\u00A0'; });
    const bool control = !t.isEmpty() && QStringLiteral("\t\r\n").contains(t.front());
    if (control || (firstSeen != t.cend() && QStringLiteral("=+-@").contains(*firstSeen)))
        t.prepend(u'\'');
    t.replace(u'"', QStringLiteral("\"\""));
    return u'"' + t + u'"';
}

// The verdict, the tests passed and run, and the pupils with the same
// answer; the numbers are empty when the work was not judged.
QString judgingFields(const ClassJudging &judging, const Pupil &pupil, qsizetype index, int task)
{
    const std::optional<judge::Verdict> v = judging.verdict(pupil, index, task);
    QString verdict;
    if (v)
        verdict = field(v->text()) + u';' + QString::number(v->passed) + u';' + QString::number(v->total);
    else
        verdict = field(judging.judged ? judge::failureName(judge::Outcome::NoAnswer) : QString()) + QStringLiteral(";;");
    const AnswerMarks *marks = judging.answer(index, task);
    QString same = marks ? marks->sameAs.join(QStringLiteral(", ")) : QString();
    if (marks && marks->authors)
        same = same.isEmpty() ? QStringLiteral("решението на автора") : same + QStringLiteral(", решението на автора");
    return verdict + u';' + field(same);
}

} // namespace

void writeCsv(QIODevice &device, const ClassAnswers &answers, const ReportLesson &lesson, const ClassJudging &judging)
{
    const QChar sep = u';';
    const QString end = QStringLiteral("\r\n");
    device.write("\xEF\xBB\xBF");
    TextOut out(device);
    const QStringList heading = {QStringLiteral("Клас"), QStringLiteral("Ученик"), QStringLiteral("Задача"),
                                 QStringLiteral("Ниво"), QStringLiteral("Вид"), QStringLiteral("Редове"),
                                 QStringLiteral("Знаци"), QStringLiteral("Отговор"), QStringLiteral("Записан файл"),
                                 QStringLiteral("Файл с отговорите"), QStringLiteral("Бележки"),
                                 QStringLiteral("Проверка"), QStringLiteral("Минали тестове"), QStringLiteral("Тестове"),
                                 QStringLiteral("Същият отговор имат")};
    QStringList fields;
    for (const QString &h : heading)
        fields.append(field(h));
    out << fields.join(sep) << end;
    for (qsizetype i = 0; i < answers.pupils.size(); ++i) {
        const Pupil &p = answers.pupils[i];
        const QString notes = field(p.notes.join(u'\n'));
        for (const LessonTask &t : lesson.tasks) {
            const Cell cell = p.cell(t.number);
            QStringList saved;
            for (const SavedWork *s : cell.saved)
                saved.append(s->fileName);
            out << field(answers.name) + sep + field(p.name) + sep + QString::number(t.number) + sep
                       + QString::number(t.level) + sep + field(t.kind) + sep + QString::number(cell.lines) + sep
                       + QString::number(cell.characters) + sep + field(cell.answer ? cell.answer->text() : QString())
                       + sep + field(saved.join(QStringLiteral(", "))) + sep + field(p.path) + sep + notes + sep
                       + judgingFields(judging, p, i, t.number) + end;
        }
    }
}

} // namespace urok::setup
