#pragma once

#include "app/WindowRegistry.h"
#include "engine/DriveType.h"
#include "engine/LessonState.h"
#include "support/Lesson.h"
#include "support/ScriptedPrompter.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace urok::test {

// A whole lesson in a temporary folder on a fixed disk, with scripted
// answers to its questions. Nothing is started until start() runs the main
// window's start-up.
struct LessonFixture
{
    explicit LessonFixture(const Catalogue &content = Catalogue::builtIn())
        : state(content)
        , windows(state, prompter)
    {
        windows.platform.directory = folder.path();
        windows.platform.folder = LessonFolder::open(folder.path());
        windows.platform.driveType = [this](const QString &) { return driveType; };
        windows.setProgramEndHook([this] { ended = true; });
    }

    QString path(const QString &name) const { return folder.filePath(name); }

    // Lets windows that were unloaded be destroyed.
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QTemporaryDir folder;
    int driveType = DriveFixed;
    LessonState state;
    ScriptedPrompter prompter;
    WindowRegistry windows;
    bool ended = false;
};

} // namespace urok::test
