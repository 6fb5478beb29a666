#include "Report.h"
#include "ReportHtml.h"

namespace urok::setup {

namespace {

const char *const IndexStyle = R"(
table.classes{border-collapse:collapse}
.classes th,.classes td{border:1px solid #bbb;padding:.2rem .5rem;text-align:left}
.classes td.n{text-align:right}
.classes thead th{background:#e8e8ef}
#notes{border-top:2px solid #557;margin-top:1.6rem}
)";

QString link(const QString &file, const QString &text)
{
    return file.isEmpty() ? QStringLiteral("<span class=\"warn\">не е записан</span>")
                          : QStringLiteral("<a href=\"%1\">%2</a>").arg(escaped(file), text);
}

} // namespace

void writeIndex(QIODevice &device, const QList<ClassEntry> &classes, const QStringList &notes,
                const ReportLesson &lesson, const QDateTime &made)
{
    TextOut out(device);
    out << pageHead(QStringLiteral("Отговори по класове – %1").arg(lesson.topic), commonStyle() + QString::fromUtf8(IndexStyle));
    qsizetype pupils = 0;
    for (const ClassEntry &c : classes)
        pupils += c.pupils;
    out << QStringLiteral("<h1>Отговори по класове</h1>\n<p class=\"about\">Урок „%1“ (%2) · класове: %3 · ученици: %4 · "
                          "направен на %5 · <a href=\"#notes\">Бележки: %6</a></p>\n")
               .arg(escaped(lesson.topic), escaped(lesson.code), QString::number(classes.size()),
                    QString::number(pupils), escaped(madeText(made)), QString::number(notes.size()));
    out << QStringLiteral("<table class=\"classes\">\n<thead><tr><th>Клас</th><th>Ученици</th><th>Отговори</th>"
                          "<th>Бележки</th><th>Страница</th><th>Листове</th>%1</tr></thead>\n<tbody>\n")
               .arg(classes.isEmpty() || !classes.first().withCsv ? QString() : QStringLiteral("<th>Таблица</th>"));
    for (const ClassEntry &c : classes) {
        out << QStringLiteral("<tr><th title=\"%1\">%2</th><td class=\"n\">%3</td><td class=\"n\">%4</td><td class=\"n\">%5</td>"
                              "<td>%6</td><td>%7</td>")
                   .arg(escaped(c.path), escaped(c.name), QString::number(c.pupils), QString::number(c.answers),
                        QString::number(c.notes), link(c.page, QStringLiteral("отговори")),
                        link(c.sheets, QStringLiteral("за печат")));
        if (c.withCsv)
            out << QStringLiteral("<td>%1</td>").arg(link(c.csv, QStringLiteral("CSV")));
        out << QStringLiteral("</tr>\n");
    }
    out << QStringLiteral("</tbody>\n</table>\n<section id=\"notes\">\n<h2>Бележки</h2>\n");
    if (notes.isEmpty()) {
        out << QStringLiteral("<p class=\"none\">Няма бележки извън класовете; бележките на всеки клас са на "
                              "страницата му.</p>\n");
    } else {
        out << QStringLiteral("<ul class=\"notes\">\n");
        for (const QString &n : notes)
            out << QStringLiteral("<li>%1</li>\n").arg(escaped(n));
        out << QStringLiteral("</ul>\n");
    }
    out << QStringLiteral("</section>\n</body>\n</html>\n");
}

} // namespace urok::setup
