#pragma once

#include <QString>

namespace urok {

// The name of a task's save file: the lesson code, "_", the task number in
// two digits and ".TXT" (task 7 gives 07, task 12 gives 12, task 105 gives
// 05 and no task, 0, gives 00).
QString saveFileName(const QString &lessonCode, int task);

// The text of a save file. Mode 1: the condition and the answer under their
// headings; mode 2: the answer alone; mode 3: the author's solution. Field
// texts are written as they stand, without a line end after them.
QString saveFileText(int mode, const QString &condition, const QString &answer,
                     const QString &solution);

} // namespace urok
