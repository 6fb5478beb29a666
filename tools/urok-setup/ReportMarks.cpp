#include "ReportMarks.h"

#include <QSet>

namespace urok::setup {

QString marksStyle()
{
    return QStringLiteral(
        ".summary td.ok{background:#cfeccf}.summary td.part{background:#fbeec2}.summary td.bad{background:#f6d3d0}\n"
        ".summary td{padding-left:.1rem;padding-right:.1rem}\n"
        ".summary small.verdict,.summary small.copy{display:block;font-size:.56rem;letter-spacing:-.01em}\n"
        "@media print{.summary small.verdict,.summary small.copy{font-size:6pt}}\n"
        ".verdict.ok{color:#1f6b1f}.verdict.part{color:#7a5a00}.verdict.bad{color:#9b1c1c}\n"
        ".copy{color:#6b2fa0}\n"
        "pre.errors{border-left-color:#c44;background:#fbf1f0}\n");
}

QString verdictClass(const judge::Verdict &verdict)
{
    if (verdict.solved())
        return QStringLiteral("ok");
    return verdict.outcome == judge::Outcome::Partial ? QStringLiteral("part") : QStringLiteral("bad");
}

QString shortVerdict(const judge::Verdict &verdict)
{
    switch (verdict.outcome) {
    case judge::Outcome::Accepted: return QStringLiteral("вярно");
    case judge::Outcome::Partial: return verdict.text();   // "3 от 8 теста", on two lines
    case judge::Outcome::WrongOutput: return QStringLiteral("грешно");
    case judge::Outcome::CompileError: return QStringLiteral("компил.");
    case judge::Outcome::TimeLimit: return QStringLiteral("време");
    case judge::Outcome::MemoryLimit: return QStringLiteral("памет");
    case judge::Outcome::RuntimeError: return QStringLiteral("срив");
    case judge::Outcome::NoAnswer: break;
    }
    return verdict.text();
}

QString verdictCell(const std::optional<judge::Verdict> &verdict, const AnswerMarks *marks)
{
    QString html;
    if (verdict)
        html += QStringLiteral("<small class=\"verdict %1\" title=\"%2\">%3</small>")
                    .arg(verdictClass(*verdict), verdict->text().toHtmlEscaped(), shortVerdict(*verdict));
    if (marks && marks->authors)
        html += QStringLiteral("<small class=\"copy\" title=\"решението на автора\">автор</small>");
    else if (marks && !marks->sameAs.isEmpty())
        html += QStringLiteral("<small class=\"copy\" title=\"същият отговор имат: %1\">копие</small>")
                    .arg(marks->sameAs.join(QStringLiteral(", ")).toHtmlEscaped());
    return html;
}

QString answerMarks(const AnswerMarks *marks)
{
    if (!marks)
        return {};
    QString html;
    if (const std::optional<judge::Verdict> &v = marks->verdict) {
        html += QStringLiteral("<p class=\"verdict %1\">Проверка: %2").arg(verdictClass(*v), v->text().toHtmlEscaped());
        if (v->outcome != judge::Outcome::CompileError && v->total > 0)
            html += QStringLiteral(" (%1 от %2 теста)").arg(v->passed).arg(v->total);
        if (v->outcome != judge::Outcome::CompileError && !v->detail.isEmpty())
            html += QStringLiteral("; ") + v->detail.toHtmlEscaped();
        html += QStringLiteral("</p>\n");
        if (v->outcome == judge::Outcome::CompileError)
            html += QStringLiteral("<pre class=\"errors\">\n%1</pre>\n").arg(v->detail.toHtmlEscaped());
    }
    if (marks->authors)
        html += QStringLiteral("<p class=\"copy\">Това е решението на автора.</p>\n");
    if (!marks->sameAs.isEmpty())
        html += QStringLiteral("<p class=\"copy\">Същият отговор имат: %1.</p>\n")
                    .arg(marks->sameAs.join(QStringLiteral(", ")).toHtmlEscaped());
    return html;
}

QString taskCopies(const ClassJudging &judging, const ClassAnswers &answers, int task)
{
    QStringList groups;
    QSet<QString> listed;
    for (qsizetype p = 0; p < answers.pupils.size(); ++p) {
        const AnswerMarks *m = judging.answer(p, task);
        if (!m || m->sameAs.isEmpty() || listed.contains(answers.pupils[p].name))
            continue;
        QStringList group{answers.pupils[p].name};
        group += m->sameAs;
        for (const QString &name : group)
            listed.insert(name);
        groups.append(group.join(QStringLiteral(", ")).toHtmlEscaped());
    }
    if (groups.isEmpty())
        return {};
    return QStringLiteral("<p class=\"copy\">Еднакви отговори: %1.</p>\n").arg(groups.join(QStringLiteral("; ")));
}

QStringList judgingNotes(const ClassJudging &judging)
{
    QStringList notes;
    if (!judging.why.isEmpty())
        notes.append(QStringLiteral("Програмите не са проверени: %1.").arg(judging.why));
    notes += judging.notes;
    for (const QStringList &group : judging.sameFiles)
        notes.append(QStringLiteral("Еднакви файлове с отговори: %1.").arg(group.join(QStringLiteral(", "))));
    return notes;
}

} // namespace urok::setup
