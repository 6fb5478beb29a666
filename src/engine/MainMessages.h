#pragma once

#include "engine/Prompter.h"

#include <QtGlobal>

namespace urok {

// The main window's message catalogue: code 1 (configuration file missing
// or of another lesson), 2 (the exit question) and 3 (configuration file of
// the wrong size). Any other code has no message.
Message mainWindowMessage(quint8 code);

// Shows message `code` and returns "Yes" when the pupil pressed Yes and
// "No" for every other answer (No, OK, closing the box). An unknown code
// shows nothing and returns "No".
QString Greska_Otgowor1(Prompter &prompter, quint8 code);

} // namespace urok
