#pragma once

namespace urok {

class WindowRegistry;

// The start-up step that applies the lesson options to the controls of the
// main window, the tasks window and the task chooser: what the lesson
// withholds is disabled or hidden, and the dictionary list is filled.
void Nastroj_dostap(WindowRegistry &windows);

} // namespace urok
