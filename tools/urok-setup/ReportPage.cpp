#include "Report.h"
#include "ReportHtml.h"
#include "ReportMarks.h"

namespace urok::setup {

namespace {

// The summary fits a landscape A4 sheet and a 1280 px screen: a task's cell
// holds the answer's lines, the rest is in its title and in the sections.
const char *const PageStyle = R"(
.wrap{overflow-x:auto;max-width:100%}
table.summary{border-collapse:collapse;font-size:.72rem}
.summary th,.summary td{border:1px solid #bbb;padding:.1rem .2rem;text-align:center;white-space:nowrap}
.summary thead th{background:#e8e8ef}
.summary th.pupil{text-align:left;position:sticky;left:0;background:#f4f4f4;white-space:normal;min-width:7rem;max-width:13rem;overflow-wrap:anywhere;font-weight:normal}
.summary td.yes{background:#dff0df}
.summary td.file{background:#fff3d6}
.summary td.no{color:#aaa}
.summary tfoot th,.summary tfoot td,.summary td.total{background:#eef;font-weight:bold}
.summary small{display:block;color:#a40;font-weight:normal}
.summary a{color:inherit}
section.task,#notes{border-top:2px solid #557;margin-top:1.6rem}
.condition{font-style:italic}
.answer{margin:.7rem 0}
@page{size:A4 landscape;margin:10mm}
@media print{.wrap{overflow:visible}table.summary{font-size:7.5pt}.summary th,.summary td{padding:0 .15rem}.summary th.pupil{position:static}.summary tfoot{display:table-row-group}.answer{break-inside:avoid}section.task{break-before:page}}
)";

QString anchor(int task, qsizetype pupil)
{
    return QStringLiteral("t%1-p%2").arg(task).arg(pupil + 1);
}

QString pupilsText(qsizetype n)
{
    return n == 1 ? QStringLiteral("1 ученик") : QStringLiteral("%1 ученици").arg(n);
}

class Page
{
public:
    Page(TextOut &out, const ClassAnswers &answers, const ReportLesson &lesson, const ClassLinks &links,
         const ClassJudging &judging)
        : out_(out), a_(answers), lesson_(lesson), links_(links), j_(judging),
          notes_(a_.notes + judgingNotes(judging) + links.otherNotes)
    {
    }

    void make(const QDateTime &made)
    {
        out_ << pageHead(QStringLiteral("Отговори на клас %1 – %2").arg(a_.name, lesson_.topic),
                         commonStyle() + QString::fromUtf8(PageStyle) + marksStyle());
        out_ << QStringLiteral("<h1>Отговори на клас „%1“</h1>\n<p class=\"about\">Урок „%2“ (%3) · %4 · %5 задачи · "
                               "направен на %6 · <a href=\"#notes\">Бележки: %7</a></p>\n")
                    .arg(escaped(a_.name), escaped(lesson_.topic), escaped(lesson_.code), pupilsText(a_.pupils.size()),
                         QString::number(lesson_.tasks.size()), madeText(made),
                         QString::number(notes_.size()));
        QStringList go;
        if (!links_.index.isEmpty())
            go.append(QStringLiteral("<a href=\"%1\">Всички класове</a>").arg(escaped(links_.index)));
        go.append(QStringLiteral("<a href=\"%1\">Листове на учениците (за печат, по един ученик на страница)</a>")
                      .arg(escaped(links_.sheets)));
        if (!links_.csv.isEmpty())
            go.append(QStringLiteral("<a href=\"%1\">Таблица (CSV)</a>").arg(escaped(links_.csv)));
        out_ << QStringLiteral("<p class=\"about\">%1</p>\n").arg(go.join(QStringLiteral(" · ")));
        summary();
        for (const LessonTask &t : lesson_.tasks)
            task(t);
        notes();
        out_ << QStringLiteral("</body>\n</html>\n");
    }

private:
    void summary();
    void summaryRow(qsizetype p, QList<int> &perTask, QList<int> &solvedTask);
    void footer(const QList<int> &perTask, const QList<int> &solvedTask);
    void task(const LessonTask &t);
    void notes();

    TextOut &out_;
    const ClassAnswers &a_;
    const ReportLesson &lesson_;
    const ClassLinks &links_;
    const ClassJudging &j_;
    const QStringList notes_;
};

void Page::summary()
{
    out_ << QStringLiteral("<section id=\"summary\">\n<h2>Обобщение</h2>\n<div class=\"wrap\">\n<table class=\"summary\">\n"
                           "<thead><tr><th class=\"pupil\">Ученик</th>");
    for (const LessonTask &t : lesson_.tasks)
        out_ << QStringLiteral("<th><a href=\"#task-%1\">%1</a></th>").arg(t.number);
    out_ << QStringLiteral("<th>Задачи</th>%1<th>Редове</th><th>Знаци</th></tr></thead>\n<tbody>\n")
                .arg(j_.judged ? QStringLiteral("<th>Решени</th>") : QString());
    QList<int> perTask(lesson_.tasks.size(), 0);
    QList<int> solvedTask(lesson_.tasks.size(), 0);
    for (qsizetype p = 0; p < a_.pupils.size(); ++p)
        summaryRow(p, perTask, solvedTask);
    footer(perTask, solvedTask);
    out_ << QStringLiteral("<p class=\"legend\">В клетката: редовете на отговора (знаците – при посочване); "
                           "„+“ – ученикът е записал и файл със задачата; „ф“ – само записан файл. Номерът на "
                           "задачата води към отговорите ѝ, името на ученика – към листа му.%1</p>\n</section>\n")
                .arg(j_.judged ? QStringLiteral(" Под броя – проверката на програмата на тестовете на задачата "
                                                "(цялата – при посочване): „вярно“; „3 от 8 теста“ – програмата "
                                                "минава само част от тестовете; „грешно“ – грешен изход; "
                                                "„компил.“ – не се компилира; „време“, „памет“ – превишено "
                                                "време или памет; „срив“ – грешка при изпълнение; „копие“ – "
                                                "същият отговор има и друг ученик, „автор“ – отговорът е "
                                                "решението на автора.")
                               : QString());
}

// The counts of each task: the pupils who answered it and, when the
// programs were judged, those who solved it.
void Page::footer(const QList<int> &perTask, const QList<int> &solvedTask)
{
    const QString solvedColumn = j_.judged ? QStringLiteral("<td></td>") : QString();
    out_ << QStringLiteral("</tbody>\n<tfoot><tr><th class=\"pupil\">Отговорили</th>");
    int all = 0;
    for (int n : perTask) {
        all += n;
        out_ << QStringLiteral("<td>%1</td>").arg(n);
    }
    out_ << QStringLiteral("<td>%1</td>%2<td></td><td></td></tr>\n").arg(all).arg(solvedColumn);
    if (j_.judged) {
        out_ << QStringLiteral("<tr><th class=\"pupil\">Решили</th>");
        int solvedAll = 0;
        for (int n : solvedTask) {
            solvedAll += n;
            out_ << QStringLiteral("<td>%1</td>").arg(n);
        }
        out_ << QStringLiteral("<td></td><td>%1</td><td></td><td></td></tr>\n").arg(solvedAll);
    }
    out_ << QStringLiteral("</tfoot>\n</table>\n</div>\n");
}

void Page::summaryRow(qsizetype p, QList<int> &perTask, QList<int> &solvedTask)
{
    const Pupil &pupil = a_.pupils[p];
    QString marks;
    if (!pupil.unread.isEmpty())
        marks += QStringLiteral("<small>%1</small>").arg(escaped(pupil.unread));
    if (pupil.otherLesson)
        marks += QStringLiteral("<small>може да е от друг урок</small>");
    out_ << QStringLiteral("<tr><th class=\"pupil\"><a href=\"%1#p%2\">%3</a>%4</th>")
                .arg(escaped(links_.sheets))
                .arg(p + 1)
                .arg(escaped(pupil.name), marks);
    int tasks = 0;
    int solved = 0;
    int allLines = 0;
    qsizetype allChars = 0;
    for (qsizetype i = 0; i < lesson_.tasks.size(); ++i) {
        const int k = lesson_.tasks[i].number;
        const Cell cell = pupil.cell(k);
        if (cell.answer) {
            ++tasks;
            ++perTask[i];
            allLines += cell.lines;
            allChars += cell.characters;
        }
        const CellMarks judged = j_.marks(pupil, p, cell, k);
        const int right = judged.verdict && judged.verdict->solved() ? 1 : 0;
        solved += right;
        solvedTask[i] += right;
        out_ << summaryCell(cell, anchor(k, p), judged);
    }
    out_ << QStringLiteral("<td class=\"total\">%1</td>%2<td class=\"total\">%3</td><td class=\"total\">%4</td></tr>\n")
                .arg(tasks)
                .arg(j_.judged ? QStringLiteral("<td class=\"total\">%1</td>").arg(solved) : QString())
                .arg(allLines)
                .arg(allChars);
}

void Page::task(const LessonTask &t)
{
    out_ << QStringLiteral("<section class=\"task\" id=\"task-%1\">\n<h2>Задача %1</h2>\n").arg(t.number);
    out_ << QStringLiteral("<p class=\"meta\">Ниво %1 · %2</p>\n").arg(t.level).arg(escaped(t.kind));
    if (!t.firstCondition.isEmpty())
        out_ << QStringLiteral("<p class=\"condition\">%1</p>\n").arg(escaped(t.firstCondition));
    QStringList without;
    for (qsizetype p = 0; p < a_.pupils.size(); ++p) {
        const Pupil &pupil = a_.pupils[p];
        const Cell cell = pupil.cell(t.number);
        if (cell.isEmpty()) {
            without.append(escaped(pupil.name));
            continue;
        }
        out_ << QStringLiteral("<div class=\"answer\" id=\"%1\">\n<h3>%2</h3>\n")
                    .arg(anchor(t.number, p), escaped(pupil.name))
             << cellBody(cell, j_.marks(pupil, p, cell, t.number)) << QStringLiteral("</div>\n");
    }
    out_ << taskCopies(j_, a_, t.number);
    if (without.size() == a_.pupils.size())
        out_ << QStringLiteral("<p class=\"none\">Никой не е отговорил на тази задача.</p>\n");
    else if (!without.isEmpty())
        out_ << QStringLiteral("<p class=\"none\">Без отговор: %1.</p>\n").arg(without.join(QStringLiteral(", ")));
    out_ << QStringLiteral("<details class=\"solution\"><summary>Решение на автора</summary>\n<pre>\n%1</pre>\n"
                           "</details>\n</section>\n")
                .arg(escaped(t.solution));
}

void Page::notes()
{
    out_ << QStringLiteral("<section id=\"notes\">\n<h2>Бележки</h2>\n");
    if (notes_.isEmpty()) {
        out_ << QStringLiteral("<p class=\"none\">Всички файлове са прочетени без забележки.</p>\n");
    } else {
        out_ << QStringLiteral("<ul class=\"notes\">\n");
        for (const QString &n : notes_)
            out_ << QStringLiteral("<li>%1</li>\n").arg(escaped(n));
        out_ << QStringLiteral("</ul>\n");
    }
    out_ << QStringLiteral("<details><summary>Файловете на учениците</summary>\n<ul class=\"files\">\n");
    for (const Pupil &p : a_.pupils)
        out_ << QStringLiteral("<li>%1: %2</li>\n").arg(escaped(p.name), escaped(p.path));
    out_ << QStringLiteral("</ul>\n</details>\n</section>\n");
}

} // namespace

void writeClassPage(QIODevice &device, const ClassAnswers &answers, const ReportLesson &lesson,
                    const ClassLinks &links, const QDateTime &made, const ClassJudging &judging)
{
    TextOut out(device);
    Page(out, answers, lesson, links, judging).make(made);
}

} // namespace urok::setup
