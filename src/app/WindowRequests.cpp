// What each window asks of the others, carried to the window that answers.
// A window is connected when it is made; a window it asks for is made when
// first asked for.
#include "app/WindowRegistry.h"
#include "appearance/Cwiat.h"
#include "appearance/Procheti_wida.h"
#include "content/Picture.h"
#include "engine/LessonState.h"
#include "lesson/Tarv.h"
#include "lesson/Tarv_Gra.h"
#include "tasks/Tarv_n.h"
#include "windows/Tarv_Glos.h"
#include "windows/Tarv_Zad.h"

namespace urok {

namespace {

template <class W>
void bringForward(W &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

// Both lesson windows show a text enlarged and a picture at full size.
template <class W>
void connectViewers(WindowRegistry &windows, W &window)
{
    QObject::connect(&window, &W::focusWanted, &window,
                     [&windows](const QString &text, bool editable) {
                         windows.get<Tarv_Zad>().open(text, editable);
                     });
    QObject::connect(&window, &W::pictureWanted, &window,
                     [&windows](const Picture &picture, QSize margin) {
                         windows.get<Tarv_Gra>().showPicture(picture, margin);
                     });
}

} // namespace

void WindowRegistry::connectRequests(Tarv &main)
{
    QObject::connect(&main, &Tarv::tasksWanted, &main,
                     [this, &main] { get<Tarv_n>().enter(main); });
    QObject::connect(&main, &Tarv::coloursWanted, &main, [this, &main] {
        // A colour window already open only comes forward.
        Procheti_wida(state().List_Un(2), main.presentLook());
        bringForward(get<Cwiat>());
    });
    connectViewers(*this, main);
    QObject::connect(&main, &Tarv::answersAboutToBeWritten, &main, [this] {
        if (isLoaded<Tarv_Zad>())
            get<Tarv_Zad>().handTypingBack();
        if (isLoaded<Tarv_n>())
            get<Tarv_n>().keepTypedAnswer();
    });
    QObject::connect(&main, &Tarv::lessonEnded, &main, [this] { endProgram(); });
}

void WindowRegistry::connectRequests(Tarv_n &tasks)
{
    QObject::connect(&tasks, &Tarv_n::lessonWanted, &tasks,
                     [this, &tasks] { get<Tarv>().comeBack(tasks); });
    QObject::connect(&tasks, &Tarv_n::chooserWanted, &tasks,
                     [this](const QStringList &levels, const QStringList &types) {
                         get<Tarv_Glos>().offer(levels, types);
                     });
    connectViewers(*this, tasks);
    QObject::connect(&tasks, &Tarv_n::answerClosing, &tasks, [this] {
        if (isLoaded<Tarv_Zad>())
            get<Tarv_Zad>().stopTyping();
    });
}

void WindowRegistry::connectRequests(Cwiat &colours)
{
    // The look goes to the three windows that wear it, made if need be.
    QObject::connect(&colours, &Cwiat::lookSaved, &colours, [this](const Look &look) {
        get<Tarv>().applyLook(look);
        get<Tarv_n>().applyLook(look);
        get<Tarv_Zad>().applyLook(look);
    });
}

void WindowRegistry::connectRequests(Tarv_Glos &chooser)
{
    QObject::connect(&chooser, &Tarv_Glos::taskChosen, &chooser,
                     [this](int position) { get<Tarv_n>().chooseTask(position); });
}

void WindowRegistry::connectRequests(Tarv_Zad &focus)
{
    // Only the tasks window opens it to typing, for the answer.
    QObject::connect(&focus, &Tarv_Zad::textTyped, &focus, [this](const QString &text) {
        if (isLoaded<Tarv_n>())
            get<Tarv_n>().takeTypedAnswer(text);
    });
}

void WindowRegistry::connectRequests(Tarv_Gra &)
{
    // The picture window asks nothing of the others.
}

} // namespace urok
