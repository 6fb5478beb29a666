#pragma once

#include <QString>

namespace urok {

// Content lines of a lesson may be stored scrambled (lesson option 31).
// A stored line is one junk character followed by the scrambled characters
// in reverse order; character j of the text (from 1) is its Windows-1251
// byte XOR key(j), key(j) = (j mod ContentKeyPeriod) + ContentKeyOffset:
// the key rises by one a character and starts again after a period. The
// key stream starts afresh for every line.
constexpr int ContentKeyPeriod = 29;
constexpr int ContentKeyOffset = 163;

// The text a stored line shows: the line itself when the lesson is not
// scrambled, otherwise the unscrambled text (empty for an empty line).
QString Fn_Decrypt(const QString &stored, bool scrambled);

// The stored form of a text for a scrambled lesson (the inverse of
// Fn_Decrypt). Characters outside Windows-1251 become '?'.
QString scrambleContentLine(const QString &text);

} // namespace urok
