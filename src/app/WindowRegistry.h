#pragma once

#include "engine/Platform.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <tuple>

namespace urok {

class LessonState;
class Prompter;
class Tarv;
class Tarv_n;
class Cwiat;
class Tarv_Glos;
class Tarv_Zad;
class Tarv_Gra;
class Tarv_Dis;

// The lesson's seven windows. Each is a single instance, created the first
// time anything refers to it: it is built hidden, its load handler runs,
// and only then is it handed out. A window can be unloaded (closed and
// destroyed); the next reference creates it afresh. The run-time state the
// windows share lives in the LessonState, which outlives them all.
class WindowRegistry
{
public:
    WindowRegistry(LessonState &state, Prompter &prompter);
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry &) = delete;
    WindowRegistry &operator=(const WindowRegistry &) = delete;

    LessonState &state() const { return state_; }
    Prompter &prompter() const { return prompter_; }

    // The folder the lesson runs in and the kind of disk it is on.
    Platform platform = Platform::current();

    template <class W>
    W &get()
    {
        QPointer<W> &slot = std::get<QPointer<W>>(windows_);
        if (!slot) {
            W *window = new W(*this);
            slot = window;
            window->Form_Load();
        }
        return *slot;
    }

    template <class W>
    bool isLoaded() const
    {
        return !std::get<QPointer<W>>(windows_).isNull();
    }

    // Closes and destroys the window (later, so that a window may unload
    // itself from its own handler); the next get() builds a new one.
    template <class W>
    void unload()
    {
        QPointer<W> &slot = std::get<QPointer<W>>(windows_);
        if (W *window = slot.data()) {
            slot.clear();
            retire(window);
        }
    }

    // Ends the program: every window closes and the end hook runs.
    void endProgram();
    void setProgramEndHook(std::function<void()> hook) { endHook_ = std::move(hook); }
    bool hasEnded() const { return ended_; }

private:
    void retire(QWidget *window);

    LessonState &state_;
    Prompter &prompter_;
    std::tuple<QPointer<Tarv>, QPointer<Tarv_n>, QPointer<Cwiat>, QPointer<Tarv_Glos>,
               QPointer<Tarv_Zad>, QPointer<Tarv_Gra>, QPointer<Tarv_Dis>>
        windows_;
    std::function<void()> endHook_;
    bool ended_ = false;
};

} // namespace urok
