#include "Report.h"

#include <QDir>

namespace urok::setup {

namespace {

// A text field: in double quotes, quotes doubled, line breaks kept inside
// the quotes; a text a spreadsheet would take for a formula is kept as
// text by an apostrophe in front.
QString field(const QString &text)
{
    QString t = text;
    if (!t.isEmpty() && QStringLiteral("=+-@").contains(t.front()))
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

QByteArray reportCsv(const ClassAnswers &answers, const ReportLesson &lesson, const ClassJudging &judging)
{
    const QChar sep = u';';
    const QString end = QStringLiteral("\r\n");
    QString csv;
    csv.reserve(qsizetype(64) * 1024);
    const QStringList heading = {QStringLiteral("Ученик"), QStringLiteral("Задача"),
                                 QStringLiteral("Ниво"), QStringLiteral("Вид"),
                                 QStringLiteral("Редове"), QStringLiteral("Знаци"),
                                 QStringLiteral("Отговор"), QStringLiteral("Записан файл"),
                                 QStringLiteral("Файл с отговорите"), QStringLiteral("Проверка"),
                                 QStringLiteral("Минали тестове"), QStringLiteral("Тестове"),
                                 QStringLiteral("Същият отговор имат")};
    for (qsizetype i = 0; i < heading.size(); ++i)
        csv += (i ? QString(sep) : QString()) + field(heading[i]);
    csv += end;
    for (qsizetype i = 0; i < answers.pupils.size(); ++i) {
        const Pupil &p = answers.pupils[i];
        for (const LessonTask &t : lesson.tasks) {
            const Answer *a = p.answer(t.number);
            const QString text = a ? a->text : QString();
            QStringList saved;
            for (const SavedWork *s : p.savedFor(t.number))
                saved.append(s->fileName);
            csv += field(p.name) + sep + QString::number(t.number) + sep + QString::number(t.level) + sep
                   + field(t.kind) + sep + QString::number(answerLines(text)) + sep
                   + QString::number(answerCharacters(text)) + sep + field(text) + sep
                   + field(saved.join(QStringLiteral(", "))) + sep
                   + field(QDir::toNativeSeparators(p.path)) + sep + judgingFields(judging, p, i, t.number) + end;
        }
    }
    return QByteArray("\xEF\xBB\xBF") + csv.toUtf8();
}

} // namespace urok::setup
