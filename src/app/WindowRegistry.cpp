#include "app/WindowRegistry.h"

#include "appearance/Cwiat.h"
#include "lesson/Tarv.h"
#include "lesson/Tarv_Gra.h"
#include "tasks/Tarv_n.h"
#include "windows/Tarv_Glos.h"
#include "windows/Tarv_Zad.h"

namespace urok {

WindowRegistry::WindowRegistry(LessonState &state, Prompter &prompter)
    : context{state, prompter}
{
}

WindowRegistry::~WindowRegistry()
{
    std::apply([](auto &...slot) { (delete slot.data(), ...); }, windows_);
}

void WindowRegistry::retire(QWidget *window)
{
    window->hide();
    window->deleteLater();
}

void WindowRegistry::endProgram()
{
    if (ended_)
        return;
    ended_ = true;
    std::apply(
        [this](auto &...slot) {
            ((slot ? (retire(slot.data()), slot.clear()) : void()), ...);
        },
        windows_);
    if (endHook_)
        endHook_();
}

} // namespace urok
