#include "windows/Tarv_Glos.h"

#include "app/WindowRegistry.h"
#include "controls/Controls.h"
#include "controls/ListBox.h"
#include "controls/Twips.h"
#include "engine/LessonState.h"

namespace urok {

Tarv_Glos::Tarv_Glos(WindowRegistry &windows)
    : windows_(windows)
{
    setObjectName(QStringLiteral("Tarv_Glos"));
    setWindowTitle(QStringLiteral("Тип и сложност на задачи"));
    setFont(QFont(QStringLiteral("Times New Roman"), 12));
    const Twips tw = twipsFor(this);
    resize(tw.size(DesignWidth, DesignHeight));

    const Catalogue &content = windows.state().content();
    Wremena[3] = new ListBox(QString(), this, true);
    nameControl(Wremena[3], QStringLiteral("Wremena(3)"),
                QStringLiteral("Задачите по сложност"),
                QStringLiteral(" Описва във възходящ ред сложността на задачите "));
    Wremena[3]->setGeometry(tw.rect(100, 120, 7260, 915));
    Wremena[3]->setEntries(content.list(Holder::Wremena, 3));

    Wremena[5] = new ListBox(QString(), this, true);
    nameControl(Wremena[5], QStringLiteral("Wremena(5)"),
                QStringLiteral("Задачите по тип на решението"),
                QStringLiteral("  Описва във във взъходящ ред типа решение  на задачите "));
    Wremena[5]->setGeometry(tw.rect(100, 1080, 7260, 915));
    Wremena[5]->setEntries(content.list(Holder::Wremena, 5));
}

void Tarv_Glos::Form_Load()
{
}

} // namespace urok
