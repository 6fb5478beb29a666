#pragma once

#include "controls/AuxiliaryWindow.h"
#include "engine/LessonContext.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <tuple>
#include <type_traits>

namespace urok {

class LessonState;
class Prompter;
class Tarv;
class Tarv_n;
class Cwiat;
class Tarv_Glos;
class Tarv_Zad;
class Tarv_Gra;

// The lesson's six windows. Each is a single instance, created the first
// time anything refers to it: it is built hidden, its requests to the other
// windows are connected, its load handler runs, and only then is it handed
// out. A window can be unloaded (closed and destroyed); the next reference
// creates it afresh. The run-time state the windows share lives in the
// LessonState, which outlives them all.
//
// The windows know nothing of each other: a window that needs another one
// (to show a picture, to open the tasks, to apply a look) says so by a
// signal, and the connections made here carry it to the other window.
class WindowRegistry
{
public:
    WindowRegistry(LessonState &state, Prompter &prompter);
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry &) = delete;
    WindowRegistry &operator=(const WindowRegistry &) = delete;

    LessonState &state() const { return context.state; }
    Prompter &prompter() const { return context.prompter; }

    // What the windows work with; its platform is the folder the lesson runs
    // in, the kind of disk it is on and the clock of the timers.
    LessonContext context;

    template <class W>
    W &get()
    {
        QPointer<W> &slot = std::get<QPointer<W>>(windows_);
        if (!slot) {
            W *window = new W(context);
            slot = window;
            if constexpr (std::is_base_of_v<SelfUnloading, W>)
                window->setUnload([this] { unload<W>(); });
            connectRequests(*window);
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

    // What each window asks of the others (WindowRequests.cpp).
    void connectRequests(Tarv &main);
    void connectRequests(Tarv_n &tasks);
    void connectRequests(Cwiat &colours);
    void connectRequests(Tarv_Glos &chooser);
    void connectRequests(Tarv_Zad &focus);
    void connectRequests(Tarv_Gra &picture);

    std::tuple<QPointer<Tarv>, QPointer<Tarv_n>, QPointer<Cwiat>, QPointer<Tarv_Glos>,
               QPointer<Tarv_Zad>, QPointer<Tarv_Gra>>
        windows_;
    std::function<void()> endHook_;
    bool ended_ = false;
};

} // namespace urok
