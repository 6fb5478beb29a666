#pragma once

namespace urok {

class WindowRegistry;

// Opens the colour and font window on the main window's present look: the
// font name and size of the topic field, the background of the main
// window, the text colour and background of the topic field and the
// background of the topic caption go into the appearance settings list;
// then the colour window is created (and loaded from the list) when it does
// not exist, and shown.
void Procheti_wida(WindowRegistry &windows);

} // namespace urok
