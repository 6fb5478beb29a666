// The remaining commands of the tasks window: every task, the level and
// type chooser, the Focus window and the picture at full size.
#include "content/Picture.h"
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/TextBox.h"
#include "controls/Twips.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "tasks/Tarv_n.h"

#include <QAction>

namespace urok {

void Tarv_n::mnu_All_zadachi_Click()
{
    const int chosen = List_Un[1]->listIndex();
    ItemList &index = state_.Uslowie_L(0);
    QStringList all;
    for (int i = 1; i < index.count(); ++i)
        all.append(index.item(i));
    List_Un[1]->setEntries(all);
    List_Un[1]->setListIndex(chosen);
    mnu_All_zadachi->setEnabled(false);
    mnu_All_zadachi->setText(allTasksCaption(QStringLiteral("+0 задачи")));
}

void Tarv_n::mnu_Tip_Wid_Click()
{
    QStringList levels;
    QStringList types;
    for (int i = 1; i <= List_Un[1]->count(); ++i) {
        levels.append(QStringLiteral("Сложност ") + state_.Wremena(4).item(i)
                      + QStringLiteral(" за задача ") + QString::number(i));
        types.append(state_.Wremena(6).item(i) + QStringLiteral(" за задача ") + QString::number(i));
    }
    state_.List_Un(3).setItem(0, QStringLiteral("0"));
    Q_EMIT chooserWanted(levels, types);
}

void Tarv_n::mnu_Pylen_Ekran_Click()
{
    // The text goes through the work field; only the answer can be typed into.
    Text_Un[5]->setText(Text_Un[Fokus_pole]->text());
    Q_EMIT focusWanted(Text_Un[5]->text(), Fokus_pole == 0);
    // Set after the request: an answer the window held before comes back
    // under the task it was typed for.
    focusTask_ = Fokus_pole == 0 ? selectedTask() : 0;
}

void Tarv_n::takeTypedAnswer(const QString &text)
{
    const int k = selectedTask();
    if (k < 1 || k != focusTask_ || Text_Un[0]->isLocked())
        return;
    Text_Un[0]->setText(text);
    state_.List_Un(3).setItem(k, text);
}

void Tarv_n::Picture_Un_Click(int index)
{
    Q_UNUSED(index);
    if (Picture_Un[0]->picture().sameAs(state_.Grafika_W(1)))
        return;
    const int k = selectedTask();
    switch (Widy_kartina) {
    case 0:
        Nomer_kartina = leadingInteger(state_.Spi_GR(0).item(Nomer_termin));
        break;
    case 1:
        Nomer_kartina = leadingInteger(state_.Spi_GR(1).item(k));
        break;
    case 2: {
        const int solution = leadingInteger(state_.Spi_GR(2).item(k));
        const int condition = leadingInteger(state_.Spi_GR(1).item(k));
        Nomer_kartina = solution < 1 && condition > 0 ? condition : solution;
        break;
    }
    default:
        break;
    }
    const Picture &picture = state_.Grafika_G(Nomer_kartina);
    if (Nomer_kartina < 1 || picture.isEmpty())
        return;
    const QSize size = picture.holderSize();
    if (Picture_Un[0]->width() > size.width() && Picture_Un[0]->height() > size.height())
        return;
    Q_EMIT pictureWanted(picture, twipsFor(this).size(100, 150));
}

} // namespace urok
