#pragma once

#include "controls/ListBox.h"
#include "controls/TextBox.h"
#include "support/Lesson.h"
#include "tasks/Tarv_n.h"

#include <QLabel>

namespace urok::test {

// The pupil opens the tasks of a lesson started from its folder, chooses
// tasks with the mouse and answers the questions that come.
struct Tasks
{
    explicit Tasks(const QByteArray &file, const QStringList &answers = {})
        : lesson(Lesson::Bytes{}, file)
    {
        main = &lesson.start();
        for (const QString &a : answers)
            lesson.boxes.answer(a);
        Lesson::command(main, QStringLiteral("mnu_Wyprosi"));
        w = lesson.window<Tarv_n>(QStringLiteral("Tarv_n"));
    }
    void choose(int row, const QStringList &answers = {})
    {
        for (const QString &a : answers)
            lesson.boxes.answer(a);
        Lesson::click(Lesson::control<ListBox>(w, "List_Un(1)"), row);
    }
    QString field(int i) const
    {
        return Lesson::control<TextBox>(w, QStringLiteral("Text_Un(%1)").arg(i))->text();
    }
    QString clock() const { return Lesson::control<QLabel>(w, "Chasownik_Label(0)")->text(); }
    // The condition of task k as the window shows it.
    QString condition(int k)
    {
        ItemList &lines = lesson.state().Uslowie_L(k);
        QString text;
        for (int i = lesson.state().Redowe_L(1).item(k).toInt(); i < lesson.state().Redowe_L(2).item(k).toInt(); ++i)
            text += QStringLiteral("\r\n") + lines.item(i);
        return text;
    }
    bool showsTask(int k) { return field(2) == condition(k); }
    QString solution(int k)
    {
        ItemList &lines = lesson.state().Uslowie_L(k);
        QString text;
        for (int i = lesson.state().Redowe_L(2).item(k).toInt(); i < lines.count(); ++i)
            text += QStringLiteral("\r\n") + lines.item(i);
        return text;
    }

    Lesson lesson;
    Tarv *main = nullptr;
    Tarv_n *w = nullptr;
};

} // namespace urok::test
