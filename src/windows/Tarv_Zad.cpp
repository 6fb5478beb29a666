#include "windows/Tarv_Zad.h"

#include "app/WindowRegistry.h"
#include "controls/Controls.h"
#include "controls/ListBox.h"
#include "controls/TextBox.h"
#include "controls/Twips.h"

namespace urok {

Tarv_Zad::Tarv_Zad(WindowRegistry &windows)
    : windows_(windows)
{
    setObjectName(QStringLiteral("Tarv_Zad"));
    setWindowTitle(QStringLiteral("Изберете желана стойност за размер на шрифта"));
    setFont(QFont(QStringLiteral("Times New Roman"), 12));
    const Twips tw = twipsFor(this);
    resize(tw.size(DesignWidth, DesignHeight));

    List_font = new ListBox(QString(), this);
    nameControl(List_font, QStringLiteral("List_font"), QStringLiteral("Размер на шрифта"),
                QStringLiteral(" Изберете желан размер на шрифта"));
    List_font->setFont(QFont(QStringLiteral("Arial"), 12));
    List_font->setGeometry(tw.rect(120, 120, 1815, 330));
    for (int size = 10; size <= 40; size += 2)
        List_font->addEntry(QString::number(size));

    Obsho_Pole = new TextBox(QString(), this);
    nameControl(Obsho_Pole, QStringLiteral("Obsho_Pole"), QStringLiteral("Увеличен текст"),
                QStringLiteral("Настройте размерите на цялата форма чрез мишката"));
    Obsho_Pole->setGeometry(tw.rect(120, 600, 11500, 6315));
}

void Tarv_Zad::Form_Load()
{
}

} // namespace urok
