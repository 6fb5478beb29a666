#include "ReportHtml.h"
#include "ReportMarks.h"

namespace urok::setup {

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

QString linesText(int n)
{
    return QString::number(n) + (n == 1 ? QStringLiteral(" ред") : QStringLiteral(" реда"));
}

QString charactersText(qsizetype n)
{
    return QString::number(n) + (n == 1 ? QStringLiteral(" знак") : QStringLiteral(" знака"));
}

QString pageHead(const QString &title, const QString &style)
{
    return QStringLiteral("<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"bg\" xml:lang=\"bg\">\n"
                          "<head>\n<meta charset=\"utf-8\"/>\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n"
                          "<meta name=\"generator\" content=\"urok-setup report\"/>\n<title>")
           + escaped(title) + QStringLiteral("</title>\n<style>") + style
           + QStringLiteral("</style>\n</head>\n<body>\n");
}

QString commonStyle()
{
    return QStringLiteral(R"(
body{font-family:"DejaVu Sans",Arial,sans-serif;color:#1b1b1b;line-height:1.4;margin:0 auto;max-width:80rem;padding:.5rem 1rem}
h1{font-size:1.45rem;margin:.6rem 0 .2rem}
h2{font-size:1.2rem;margin:1.2rem 0 .3rem}
h3{font-size:1rem;margin:.2rem 0}
.about,.meta,.legend,.none,.count{color:#555}
.legend,.count{font-size:.85rem}
.warn{color:#a40}
pre{white-space:pre-wrap;overflow-wrap:anywhere;background:#f5f5f5;border-left:3px solid #7a7;padding:.4rem .6rem;margin:.2rem 0;font-family:"DejaVu Sans Mono",monospace;font-size:.85rem}
details pre{border-left-color:#c9a24a}
details.solution pre{border-left-color:#77a}
summary{cursor:pointer;color:#334}
ul.notes li,ul.files li{margin:.2rem 0;overflow-wrap:anywhere}
@media print{body{max-width:none;padding:0}a{text-decoration:none;color:inherit}pre{background:none}}
)");
}

// A browser drops the line break that follows <pre>, so every <pre> starts
// with one: an answer that starts with an empty line keeps it.
QString cellBody(const Cell &cell, const CellMarks &marks)
{
    QString html;
    if (cell.answer)
        html += QStringLiteral("<p class=\"count\">%1, %2</p>\n<pre>\n%3</pre>\n")
                    .arg(linesText(cell.lines), charactersText(cell.characters), escaped(cell.answer->text()))
                + answerMarks(marks.answer);
    else
        html += QStringLiteral("<p class=\"count\">Няма отговор във файла с отговорите.</p>\n");
    for (qsizetype i = 0; i < cell.saved.size(); ++i)
        html += QStringLiteral("<details><summary>Записан файл %1</summary>\n<pre>\n%2</pre>\n%3</details>\n")
                    .arg(escaped(cell.saved[i]->fileName), escaped(cell.saved[i]->text),
                         answerMarks(marks.saved.value(i)));
    return html;
}

QString summaryCell(const Cell &cell, const QString &link, const CellMarks &marks)
{
    const QString judged = verdictCell(marks.verdict, marks.answer);
    const QString kind = marks.verdict ? verdictClass(*marks.verdict) : QString();
    if (cell.answer) {
        const QString title = linesText(cell.lines) + QStringLiteral(", ") + charactersText(cell.characters)
                              + (cell.saved.isEmpty() ? QString() : QStringLiteral(", записан файл"));
        return QStringLiteral("<td class=\"%1\" title=\"%2\"><a href=\"#%3\">%4</a>%5%6</td>")
            .arg(kind.isEmpty() ? QStringLiteral("yes") : kind, title, link)
            .arg(cell.lines)
            .arg(cell.saved.isEmpty() ? QString() : QStringLiteral("<sup>+</sup>"), judged);
    }
    if (!cell.saved.isEmpty())
        return QStringLiteral("<td class=\"%1\" title=\"само записан файл\"><a href=\"#%2\">ф</a>%3</td>")
            .arg(kind.isEmpty() ? QStringLiteral("file") : kind, link, judged);
    return QStringLiteral("<td class=\"no\">–</td>");
}

} // namespace urok::setup
