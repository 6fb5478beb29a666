#pragma once

#include "TaskTests.h"
#include "Verdict.h"

#include <QString>

namespace urok::judge {

// Runs a compiled program (`folder`/prog) on every test of a task in the
// sandbox and marks it. `checkerFolder` holds the task's compiled checker
// (`check`) when the task has one. After a test that ran out of time the
// rest are not run: the verdict is the time limit either way, and a class
// of endless loops would otherwise keep the teacher waiting for minutes.
Verdict runTests(const QString &folder, const TaskTests &tests, const QString &checkerFolder);

} // namespace urok::judge
