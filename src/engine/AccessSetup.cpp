#include "engine/AccessSetup.h"

#include "app/WindowRegistry.h"
#include "controls/ListBox.h"
#include "controls/Shape.h"
#include "controls/TextBox.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "lesson/Tarv.h"
#include "tasks/Tarv_n.h"
#include "windows/Tarv_Glos.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

namespace urok {

void Nastroj_dostap(WindowRegistry &windows)
{
    Tarv &main = windows.get<Tarv>();
    Tarv_n &tasks = windows.get<Tarv_n>();
    LessonState &state = windows.state();
    auto off = [&main](int option) { return main.Opcia(option) < 1; };

    // 1: the task list
    if (off(1))
        tasks.List_Un[1]->setEnabled(false);
    // 2: the countdown clock of the tasks
    if (off(3))
        tasks.Chasownik_Label[0]->hide();
    // 3: the dictionary's terms
    main.Popylni_rechnik();
    // 4: the dictionary itself
    if (off(4)) {
        tasks.List_Un[0]->setEnabled(false);
        tasks.Text_Un[1]->setText(QStringLiteral("Достъпът до речника е забранен!"));
    } else {
        tasks.List_Un[0]->setListIndex(leadingInteger(state.List_Ur(1).item(1)));
    }
    // 5: the hint time that goes with the selected budget
    if (off(5)) {
        ItemList &hints = state.Wremena(0);
        const QString budget = state.Wremena(1).selectedText();
        for (int i = 0; i < hints.count(); ++i)
            if (hints.item(i) == budget)
                hints.setListIndex(i);
    }
    // 6: colours and fonts
    if (off(7))
        main.mnu_Cwqt->setEnabled(false);
    // 7, 8: choosing tasks by level and by solution type
    if (off(8) || off(26)) {
        Tarv_Glos &chooser = windows.get<Tarv_Glos>();
        if (off(8))
            chooser.Wremena[3]->setEnabled(false);
        if (off(26))
            chooser.Wremena[5]->setEnabled(false);
    }
    // 9: the additional material
    if (off(9))
        main.Sydyrv_pla[1]->setEnabled(false);
    // 10: the teaching material
    if (off(10)) {
        main.List_Ur[0]->setEnabled(false);
        main.Text_U[1]->setText(QStringLiteral("Достъпът до учебния материал е забранен!"));
    }
    // 11: saving the answer alone
    if (off(11))
        tasks.mnu_ZapReshen[2]->setEnabled(false);
    // 12: the countdown bar
    if (off(13)) {
        main.Shape_Lenta[0]->hide();
        main.Shape_Lenta[1]->hide();
    }
    // 13: saving condition and answer
    tasks.offerConditionSaving(!off(15));
    // 14: the information items that options 19..23 withhold, two each
    for (int j = 3; j <= 7; ++j) {
        if (off(16 + j)) {
            main.Sydyrv_pla[j]->setEnabled(false);
            main.Sydyrv_pla[j + 2]->setEnabled(false);
        }
    }
    // 15: information items without a text
    for (int k = 1; k <= 9; ++k)
        if (state.content().textLength(Holder::Dopyln_M, k) == 0)
            main.Sydyrv_pla[k]->setEnabled(false);
    // 16: the Focus window
    if (off(24)) {
        main.mnu_Fokus->setEnabled(false);
        tasks.mnu_Pylen_Ekran->setEnabled(false);
    }
}

} // namespace urok
