#include "appearance/Procheti_wida.h"

#include "app/WindowRegistry.h"
#include "engine/ColourSettings.h"
#include "appearance/Cwiat.h"
#include "controls/ClientArea.h"
#include "controls/ControlLook.h"
#include "controls/TextBox.h"
#include "engine/LessonState.h"
#include "lesson/Tarv.h"

#include <QFontInfo>
#include <QLabel>

namespace urok {

void Procheti_wida(WindowRegistry &windows)
{
    Tarv &main = windows.get<Tarv>();
    ItemList &list = windows.state().List_Un(2);
    using namespace settings;
    const TextBox *topic = main.Text_U[0];

    list.setItem(FontName, topic->font().family());
    // A font given in pixels has no point size of its own; the size it shows has.
    const double points = topic->fontSize() > 0 ? topic->fontSize()
                                                : QFontInfo(topic->font()).pointSizeF();
    list.setItem(FontSize, fontSizeText(points));
    list.setItem(colourSlot(WindowBack), QString::number(backColor(main.client())));
    list.setItem(colourSlot(FieldText), QString::number(foreColor(topic)));
    list.setItem(colourSlot(FieldBack), QString::number(backColor(topic)));
    list.setItem(colourSlot(LabelBack), QString::number(backColor(main.Label_U[3])));

    windows.get<Cwiat>().show();
}

} // namespace urok
