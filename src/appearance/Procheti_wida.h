#pragma once

#include "engine/Look.h"

namespace urok {

class ItemList;

// Opening the colour and font window starts from the main window's present
// look: the font name and size of the topic field, the background of the
// main window, the text colour and background of the topic field and the
// background of the topic caption go into the appearance settings list,
// from which the colour window loads.
void Procheti_wida(ItemList &list, const Look &present);

} // namespace urok
