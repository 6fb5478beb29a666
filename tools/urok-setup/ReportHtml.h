#pragma once

#include "ReportInput.h"

#include <QIODevice>
#include <QString>

namespace urok::setup {

// Text written out in UTF-8 as it is made, a piece at a time, so that a
// page never has to be whole in memory.
class TextOut
{
public:
    explicit TextOut(QIODevice &device) : device_(device) {}
    ~TextOut() { flush(); }
    TextOut(const TextOut &) = delete;
    TextOut &operator=(const TextOut &) = delete;

    TextOut &operator<<(const QString &text)
    {
        buffer_ += text;
        if (buffer_.size() > qsizetype(64) * 1024)
            flush();
        return *this;
    }
    void flush()
    {
        device_.write(buffer_.toUtf8());
        buffer_.clear();
    }

private:
    QIODevice &device_;
    QString buffer_;
};

// The text with &, <, > and " as entities.
QString escaped(const QString &text);

// "1 ред", "30 реда"; "1 знак", "30 знака".
QString linesText(int n);
QString charactersText(qsizetype n);

// The start of a page of the report up to <body>: its title and its style.
QString pageHead(const QString &title, const QString &style);

// The style every page of the report shares.
QString commonStyle();

// A pupil's work on a task as the task's section and the pupil's sheet
// both show it: its size, the answer, and the save files folded away.
QString cellBody(const Cell &cell);

// The same in the summary table: the answer's lines, a link to it and a
// mark for a save file.
QString summaryCell(const Cell &cell, const QString &link);

} // namespace urok::setup
