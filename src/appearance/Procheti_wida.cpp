#include "appearance/Procheti_wida.h"

#include "engine/ColourSettings.h"
#include "engine/ItemList.h"

namespace urok {

void Procheti_wida(ItemList &list, const Look &present)
{
    using namespace settings;
    list.setItem(FontName, present.fontName);
    list.setItem(FontSize, fontSizeText(present.fontPoints));
    list.setItem(colourSlot(WindowBack), QString::number(present.windowBack));
    list.setItem(colourSlot(FieldText), QString::number(present.fieldText));
    list.setItem(colourSlot(FieldBack), QString::number(present.fieldBack));
    list.setItem(colourSlot(LabelBack), QString::number(present.labelBack));
}

} // namespace urok
