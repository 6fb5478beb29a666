#pragma once

#include "controls/ListBox.h"
#include "controls/TextBox.h"
#include "engine/TickSource.h"
#include "lesson/Tarv.h"
#include "support/LessonFixture.h"
#include "tasks/Tarv_n.h"

#include <QTest>

#include <functional>
#include <initializer_list>

namespace urok::test {

// A pupil's lesson with the given options on (in both option copies), the
// tasks window opened on its first task. Ticks of the countdown are given
// by hand.
struct TaskSession
{
    explicit TaskSession(std::initializer_list<int> on = {},
                         const std::function<void(LessonState &)> &prepare = {})
    {
        for (int n : on)
            setOption(n, QStringLiteral("1"));
        if (prepare)
            prepare(f.state);
        main = &f.windows.get<Tarv>();
        tasks = &f.windows.get<Tarv_n>();
        f.prompter.shown.clear(); // the start-up message about the missing file
        main->show();
        main->mnu_Wyprosi_Click();
    }

    void setOption(int n, const QString &value)
    {
        f.state.Opcii_L().setItem(n, value);
        f.state.List_Un(4).setItem(n, value);
    }

    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            tasks->Timer_n_Timer();
    }
    void choose(int row) { tasks->List_Un[1]->setListIndex(row); }
    // The pupil clicks the task that is already selected.
    void reclick()
    {
        ListBox *list = tasks->List_Un[1];
        tasks->show();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(list->listIndex())).center());
    }
    void type(const QString &answer) { tasks->Text_Un[0]->setText(answer); }
    QString field(int i) const { return tasks->Text_Un[i]->text(); }
    int task() const { return tasks->List_Un[1]->listIndex() + 1; }

    LessonFixture f;
    Tarv *main = nullptr;
    Tarv_n *tasks = nullptr;
};

} // namespace urok::test
