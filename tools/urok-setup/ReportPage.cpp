#include "Report.h"
#include "ReportMarks.h"

#include <QDir>

namespace urok::setup {

namespace {

const char *const Style = R"(
body{font-family:"DejaVu Sans",Arial,sans-serif;color:#1b1b1b;line-height:1.4;margin:0 auto;max-width:80rem;padding:.5rem 1rem}
h1{font-size:1.45rem;margin:.6rem 0 .2rem}
h2{font-size:1.2rem;margin:1.2rem 0 .3rem}
h3{font-size:1rem;margin:.2rem 0}
.about,.meta,.legend,.none,.count{color:#555}
.legend,.count{font-size:.85rem}
.wrap{overflow-x:auto;max-width:100%}
table.summary{border-collapse:collapse;font-size:.8rem}
.summary th,.summary td{border:1px solid #bbb;padding:.15rem .35rem;text-align:center;white-space:nowrap}
.summary thead th{background:#e8e8ef}
.summary th.pupil{text-align:left;position:sticky;left:0;background:#f4f4f4}
.summary td.yes{background:#dff0df}
.summary td.file{background:#fff3d6}
.summary td.no{color:#aaa}
.summary tfoot th,.summary tfoot td,.summary td.total{background:#eef;font-weight:bold}
.summary small{display:block;color:#555;font-weight:normal}
.summary a{color:inherit}
section.task,#notes{border-top:2px solid #557;margin-top:1.6rem}
.condition{font-style:italic}
.answer{margin:.7rem 0}
pre{white-space:pre-wrap;overflow-wrap:anywhere;background:#f5f5f5;border-left:3px solid #7a7;padding:.4rem .6rem;margin:.2rem 0;font-family:"DejaVu Sans Mono",monospace;font-size:.85rem}
details pre{border-left-color:#c9a24a}
details.solution pre{border-left-color:#77a}
summary{cursor:pointer;color:#334}
ul.notes li,ul.files li{margin:.2rem 0;overflow-wrap:anywhere}
@media print{body{max-width:none;padding:0}.wrap{overflow:visible}.answer{break-inside:avoid}a{text-decoration:none}}
)";

QString escaped(const QString &text)
{
    QString r;
    r.reserve(text.size() + text.size() / 16);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': r += QStringLiteral("&amp;"); break;
        case u'<': r += QStringLiteral("&lt;"); break;
        case u'>': r += QStringLiteral("&gt;"); break;
        case u'"': r += QStringLiteral("&quot;"); break;
        default: r += c;
        }
    }
    return r;
}

// "1 ред", "2 реда"; the same for characters.
QString lines(int n)
{
    return QString::number(n) + (n == 1 ? QStringLiteral(" ред") : QStringLiteral(" реда"));
}

QString characters(qsizetype n)
{
    return QString::number(n) + (n == 1 ? QStringLiteral(" знак") : QStringLiteral(" знака"));
}

QString anchor(int task, qsizetype pupil)
{
    return QStringLiteral("t%1-p%2").arg(task).arg(pupil + 1);
}

// A browser drops the line break that follows <pre>, so every <pre> starts
// with one: an answer that starts with an empty line keeps it.
class Page
{
public:
    Page(const ClassAnswers &answers, const ReportLesson &lesson, const ClassJudging &judging)
        : a_(answers), lesson_(lesson), j_(judging), notes_(a_.notes + judgingNotes(judging))
    {
        html_.reserve(qsizetype(64) * 1024);
    }

    QString make(const QDateTime &made)
    {
        head();
        h_(QStringLiteral("<h1>Отговори на класа</h1>\n<p class=\"about\">Урок „%1“ (%2) · ")
               .arg(escaped(lesson_.topic), escaped(lesson_.code)));
        h_(QStringLiteral("%1 · %2 задачи · направен на %3")
               .arg(a_.pupils.size() == 1 ? QStringLiteral("1 ученик")
                                          : QStringLiteral("%1 ученици").arg(a_.pupils.size()))
               .arg(lesson_.tasks.size())
               .arg(made.toString(QStringLiteral("d.MM.yyyy 'г.,' HH:mm"))));
        h_(QStringLiteral(" · <a href=\"#notes\">Бележки: %1</a></p>\n").arg(notes_.size()));
        summary();
        for (const LessonTask &t : lesson_.tasks)
            task(t);
        notes();
        h_(QStringLiteral("</body>\n</html>\n"));
        return html_;
    }

private:
    void h_(const QString &s) { html_ += s; }

    void head()
    {
        h_(QStringLiteral("<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"bg\" "
                          "xml:lang=\"bg\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n"
                          "<title>Отговори на класа – "));
        h_(escaped(lesson_.topic));
        h_(QStringLiteral("</title>\n<style>"));
        h_(QString::fromUtf8(Style));
        h_(marksStyle());
        h_(QStringLiteral("</style>\n</head>\n<body>\n"));
    }

    void summary()
    {
        h_(QStringLiteral("<section id=\"summary\">\n<h2>Обобщение</h2>\n"));
        if (a_.pupils.isEmpty()) {
            h_(QStringLiteral("<p class=\"none\">Няма нито един файл с отговори.</p>\n</section>\n"));
            return;
        }
        h_(QStringLiteral("<div class=\"wrap\">\n<table class=\"summary\">\n<thead><tr><th class=\"pupil\">"
                          "Ученик</th>"));
        for (const LessonTask &t : lesson_.tasks)
            h_(QStringLiteral("<th><a href=\"#task-%1\">%1</a></th>").arg(t.number));
        h_(QStringLiteral("<th>Задачи</th>%1<th>Редове</th><th>Знаци</th></tr></thead>\n<tbody>\n")
               .arg(j_.judged ? QStringLiteral("<th>Решени</th>") : QString()));

        QList<int> perTask(lesson_.tasks.size(), 0);
        QList<int> solvedTask(lesson_.tasks.size(), 0);
        for (qsizetype p = 0; p < a_.pupils.size(); ++p) {
            const Pupil &pupil = a_.pupils[p];
            h_(QStringLiteral("<tr><th class=\"pupil\">%1</th>").arg(escaped(pupil.name)));
            int tasks = 0;
            int allLines = 0;
            qsizetype allChars = 0;
            for (qsizetype i = 0; i < lesson_.tasks.size(); ++i) {
                const int k = lesson_.tasks[i].number;
                const Answer *answer = pupil.answer(k);
                const bool saved = !pupil.savedFor(k).isEmpty();
                const std::optional<judge::Verdict> verdict = j_.verdict(pupil, p, k);
                const QString file = (saved ? QStringLiteral("<small>+ файл</small>") : QString())
                                     + verdictCell(verdict, j_.answer(p, k));
                const QString kind = verdict ? verdictClass(*verdict) : QStringLiteral("yes");
                solvedTask[i] += verdict && verdict->solved() ? 1 : 0;
                if (answer) {
                    const int n = answerLines(answer->text);
                    const qsizetype c = answerCharacters(answer->text);
                    ++tasks;
                    ++perTask[i];
                    allLines += n;
                    allChars += c;
                    h_(QStringLiteral("<td class=\"%5\"><a href=\"#%1\">%2&#160;р.</a><small>%3&#160;зн."
                                      "</small>%4</td>")
                           .arg(anchor(k, p))
                           .arg(n)
                           .arg(c)
                           .arg(file, kind));
                } else if (saved) {
                    h_(QStringLiteral("<td class=\"%3\"><a href=\"#%1\">файл</a>%2</td>")
                           .arg(anchor(k, p), verdictCell(verdict, nullptr), verdict ? kind : QStringLiteral("file")));
                } else {
                    h_(QStringLiteral("<td class=\"no\">–</td>"));
                }
            }
            h_(QStringLiteral("<td class=\"total\">%1</td>%4<td class=\"total\">%2</td><td class=\"total\">%3</td></tr>\n")
                   .arg(tasks)
                   .arg(allLines)
                   .arg(allChars)
                   .arg(j_.judged ? QStringLiteral("<td class=\"total\">%1</td>").arg(j_.solvedBy(pupil, p, lesson_))
                                  : QString()));
        }
        footer(perTask, solvedTask);
        h_(QStringLiteral("<p class=\"legend\">В клетката: редове (р.) и знаци (зн.) на отговора; "
                          "„+ файл“ – ученикът е записал и файл със задачата. Номерът на задачата "
                          "води към отговорите ѝ.%1</p>\n</section>\n")
               .arg(j_.judged ? QStringLiteral(" Под тях – проверката на програмата на тестовете на задачата; "
                                               "„копие“ – същият отговор има и друг ученик, „авторско“ – "
                                               "отговорът е решението на автора.")
                              : QString()));
    }

    // The counts of each task: the pupils who answered it and, when the
    // programs were judged, those who solved it.
    void footer(const QList<int> &perTask, const QList<int> &solvedTask)
    {
        h_(QStringLiteral("</tbody>\n<tfoot><tr><th class=\"pupil\">Отговорили</th>"));
        int all = 0;
        for (int n : perTask) {
            all += n;
            h_(QStringLiteral("<td>%1</td>").arg(n));
        }
        const QString solvedColumn = j_.judged ? QStringLiteral("<td></td>") : QString();
        h_(QStringLiteral("<td>%1</td>%2<td></td><td></td></tr>\n").arg(all).arg(solvedColumn));
        if (j_.judged) {
            h_(QStringLiteral("<tr><th class=\"pupil\">Решили</th>"));
            int solvedAll = 0;
            for (int n : solvedTask) {
                solvedAll += n;
                h_(QStringLiteral("<td>%1</td>").arg(n));
            }
            h_(QStringLiteral("<td></td><td>%1</td><td></td><td></td></tr>\n").arg(solvedAll));
        }
        h_(QStringLiteral("</tfoot>\n</table>\n</div>\n"));
    }

    void task(const LessonTask &t)
    {
        h_(QStringLiteral("<section class=\"task\" id=\"task-%1\">\n<h2>Задача %1</h2>\n").arg(t.number));
        h_(QStringLiteral("<p class=\"meta\">Ниво %1 · %2</p>\n").arg(t.level).arg(escaped(t.kind)));
        if (!t.firstCondition.isEmpty())
            h_(QStringLiteral("<p class=\"condition\">%1</p>\n").arg(escaped(t.firstCondition)));
        QStringList without;
        int answered = 0;
        for (qsizetype p = 0; p < a_.pupils.size(); ++p) {
            const Pupil &pupil = a_.pupils[p];
            const Answer *answer = pupil.answer(t.number);
            const QList<const SavedWork *> saved = pupil.savedFor(t.number);
            if (!answer && saved.isEmpty()) {
                without.append(escaped(pupil.name));
                continue;
            }
            h_(QStringLiteral("<div class=\"answer\" id=\"%1\">\n<h3>%2</h3>\n")
                   .arg(anchor(t.number, p), escaped(pupil.name)));
            if (answer) {
                ++answered;
                h_(QStringLiteral("<p class=\"count\">%1, %2</p>\n<pre>\n%3</pre>\n")
                       .arg(lines(answerLines(answer->text)), characters(answerCharacters(answer->text)),
                            escaped(answer->text)));
                h_(answerMarks(j_.answer(p, t.number)));
            } else {
                h_(QStringLiteral("<p class=\"count\">Няма отговор във файла с отговорите.</p>\n"));
            }
            for (const SavedWork *s : saved)
                h_(QStringLiteral("<details><summary>Записан файл %1</summary>\n<pre>\n%2</pre>\n%3</details>\n")
                       .arg(escaped(s->fileName), escaped(s->text), answerMarks(j_.saved(s->path))));
            h_(QStringLiteral("</div>\n"));
        }
        h_(taskCopies(j_, a_, t.number));
        if (answered == 0 && without.size() == a_.pupils.size())
            h_(QStringLiteral("<p class=\"none\">Никой не е отговорил на тази задача.</p>\n"));
        else if (!without.isEmpty())
            h_(QStringLiteral("<p class=\"none\">Без отговор: %1.</p>\n").arg(without.join(QStringLiteral(", "))));
        h_(QStringLiteral("<details class=\"solution\"><summary>Решение на автора</summary>\n<pre>\n%1</pre>\n"
                          "</details>\n</section>\n")
               .arg(escaped(t.solution)));
    }

    void notes()
    {
        h_(QStringLiteral("<section id=\"notes\">\n<h2>Бележки</h2>\n"));
        if (notes_.isEmpty()) {
            h_(QStringLiteral("<p class=\"none\">Всички файлове са прочетени без забележки.</p>\n"));
        } else {
            h_(QStringLiteral("<ul class=\"notes\">\n"));
            for (const QString &n : notes_)
                h_(QStringLiteral("<li>%1</li>\n").arg(escaped(n)));
            h_(QStringLiteral("</ul>\n"));
        }
        if (!a_.pupils.isEmpty()) {
            h_(QStringLiteral("<details><summary>Файловете на учениците</summary>\n<ul class=\"files\">\n"));
            for (const Pupil &p : a_.pupils)
                h_(QStringLiteral("<li>%1: %2</li>\n")
                       .arg(escaped(p.name), escaped(QDir::toNativeSeparators(p.path))));
            h_(QStringLiteral("</ul>\n</details>\n"));
        }
        h_(QStringLiteral("</section>\n"));
    }

    const ClassAnswers &a_;
    const ReportLesson &lesson_;
    const ClassJudging &j_;
    const QStringList notes_;
    QString html_;
};

} // namespace

QByteArray reportPage(const ClassAnswers &answers, const ReportLesson &lesson, const QDateTime &made,
                      const ClassJudging &judging)
{
    return Page(answers, lesson, judging).make(made).toUtf8();
}

} // namespace urok::setup
