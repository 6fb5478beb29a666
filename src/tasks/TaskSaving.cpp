// Back to the lesson, and saving a task to a text file.
#include "app/WindowRegistry.h"
#include "controls/ListBox.h"
#include "controls/TextBox.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "engine/TextFile.h"
#include "engine/TickSource.h"
#include "lesson/Tarv.h"
#include "tasks/SaveFile.h"
#include "tasks/Tarv_n.h"

#include <QAction>
#include <QCloseEvent>

namespace urok {

void Tarv_n::mnu_IzhodN_Click()
{
    if (Opcia(2) < 1 && Opcia(11) < 1)
        mnu_IzhodN->setEnabled(true);
    const int chosen = List_Un[1]->listIndex();
    state_.List_Un(3).setItem(chosen + 1, Text_Un[0]->text());
    state_.List_Ur(1).setItem(2, QString::number(chosen));
    Timer_n->setEnabled(false);
    Tarv &lesson = windows_.get<Tarv>();
    lesson.Timer1->setEnabled(true);
    // The lesson comes back where the tasks window was.
    lesson.setWindowState(windowState());
    if (!isMaximized() && !isFullScreen())
        lesson.setGeometry(geometry());
    lesson.show();
    state_.List_Ur(1).setItem(3, decimalText(Ostawashto_wreme));
    hide();
    lesson.raise();
    lesson.activateWindow();
}

void Tarv_n::closeEvent(QCloseEvent *event)
{
    // The window's close box leads back to the lesson; closing it for good
    // would take the pupil's answers with it.
    event->ignore();
    mnu_IzhodN_Click();
}

void Tarv_n::mnu_ZapReshen_Click(int index)
{
    Ime_na_fail();
    if (!mnu_IzhodN->isEnabled())
        mnu_IzhodN->setEnabled(true);
    if (!List_Un[1]->isEnabled())
        List_Un[1]->setEnabled(true);
    if (index >= 1 && index <= 3)
        Zapishi_fail(index);
}

void Tarv_n::Ime_na_fail()
{
    Ime_fail = saveFileName(state_.lessonCode(), selectedTask());
}

bool Tarv_n::Zapishi_fail(int mode)
{
    const QString path = windows_.platform.pathOf(Ime_fail);
    const QString text =
        saveFileText(mode, Text_Un[2]->text(), Text_Un[0]->text(), Text_Un[3]->text());
    const QString failure = writeTextFile(path, text);
    if (failure.isEmpty())
        return true;
    reportWriteFailure(windows_.prompter(), path, failure);
    return false;
}

} // namespace urok
