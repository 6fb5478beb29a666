#pragma once

#include "engine/ItemList.h"

namespace urok {

// Whether the lesson writes the pupil's files (the answers file and the
// task save files) into a folder on a disk of this kind (the drive types
// of DriveType.h): on a removable or a fixed disk, and on a network disk
// when the teacher's option allows it.
bool keepsPupilFiles(int driveKind, const ItemList &options);

// The answers file's own test takes the disk's kind twice: the first must
// be at least removable and the second at most fixed; a network disk
// passes only when both say so and the option allows it.
bool keepsAnswers(int first, int second, const ItemList &options);

} // namespace urok
