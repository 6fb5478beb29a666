#pragma once

#include "engine/Prompter.h"

#include <QtGlobal>

namespace urok {

// The tasks window's questions: code 2 (move to another task?) and code 3
// (a task of raised difficulty: will you cope?). Both have Yes and No, No
// preselected.
Message taskWindowMessage(quint8 code);

// "Yes" when the pupil chose Yes, "No" otherwise; an unknown code shows
// nothing and gives "No".
QString Greska_Otgowor2(Prompter &prompter, quint8 code);

} // namespace urok
