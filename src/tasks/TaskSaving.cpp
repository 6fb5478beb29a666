// Back to the lesson, and saving a task to a text file.
#include "controls/ListBox.h"
#include "controls/SpokenLabels.h"
#include "controls/TextBox.h"
#include "engine/LessonContext.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "engine/Options.h"
#include "engine/Prompter.h"
#include "engine/TextFile.h"
#include "engine/TickSource.h"
#include "tasks/SaveFile.h"
#include "tasks/Tarv_n.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace urok {

void Tarv_n::mnu_IzhodN_Click()
{
    if (Opcia(Option::ReturnOnlyAfterSaving) < 1 && Opcia(Option::SaveAnswerOnly) < 1)
        mnu_IzhodN->setEnabled(true);
    const int chosen = List_Un[1]->listIndex();
    state_.List_Un(3).setItem(chosen + 1, Text_Un[0]->text());
    state_.List_Ur(1).setItem(2, QString::number(chosen));
    Timer_n->setEnabled(false);
    // The lesson comes back where the tasks window was.
    Q_EMIT lessonWanted();
    state_.List_Ur(1).setItem(3, decimalText(Ostawashto_wreme));
    hide();
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
    // Off on a disk that takes no files, whatever way the command came.
    if (!zap_resheshenie->menuAction()->isEnabled())
        return;
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
    const LessonFolder &folder = lesson_.platform.folder;
    if (mode < 1 || mode > 3)
        return false;
    // Before the author's solution is shown, or where it is withheld, there
    // is nothing to save, and the file would replace what may have been
    // saved before.
    const bool withheld = selectedTask() > 1 && Opcia(Option::AuthorsSolutions) < 1;
    if (mode == 3 && (Text_Un[3]->text().isEmpty() || withheld)) {
        Message m;
        m.caption = lessonCaption();
        m.text = (withheld ? QStringLiteral("Решението на автора на тази задача не е достъпно "
                                            "и няма какво да се запише.")
                           : QStringLiteral("Решението на автора още не е показано и няма какво "
                                            "да се запише."))
                 + QStringLiteral("\r\nФайлът „%1“ не е променен.")
                       .arg(QDir::toNativeSeparators(folder.filePath(Ime_fail)));
        lesson_.prompter.ask(m);
        return false;
    }
    const QString text =
        saveFileText(mode, Text_Un[2]->text(), Text_Un[0]->text(), Text_Un[3]->text());
    const bool replacing = QFileInfo::exists(folder.filePath(Ime_fail));
    if (!writeLessonText(lesson_.prompter, folder, Ime_fail, text))
        return false;
    // What was written, where, and whether an older file gave way to it.
    const QString what[] = {{},
                            QStringLiteral("Условието и отговорът са записани"),
                            QStringLiteral("Отговорът е записан"),
                            QStringLiteral("Решението на автора е записано")};
    QString said = QStringLiteral("%1 във файла %2.").arg(what[mode], Ime_fail);
    if (replacing)
        said += QStringLiteral(" Записаното по-рано в него е заменено.");
    Izwestie->say(said);
    return true;
}

void Tarv_n::keepTypedAnswer()
{
    if (isVisible())
        state_.List_Un(3).setItem(List_Un[1]->listIndex() + 1, Text_Un[0]->text());
}

} // namespace urok
