#pragma once

#include "content/Catalogue.h"
#include "engine/ItemList.h"

#include <QStringList>

#include <map>
#include <optional>
#include <utility>

namespace urok {

// The run-time state the windows share: every list holder of the lesson
// (the content tables, the choice record, the two option copies, the
// answers store, the appearance settings, the per-task and per-point
// numbers), starting from their design contents. It is owned outside the
// windows and outlives them, so a window that is closed and created afresh
// finds the values the run has written.
//
// Texts and pictures never change at run time; they are read straight from
// the content catalogue. A list is copied from the catalogue when it is
// first used.
// What start-up found for the tasks window, which is made only when the
// pupil first opens it: the tasks the configuration file offers (none: the
// window's own first tasks), the caption of "Допълнително", and whether the
// lesson's disk takes the pupil's files.
struct TasksWindowStart
{
    std::optional<QStringList> taskList;
    std::optional<QString> allTasksCaption;
    bool savingAllowed = true;
};

class LessonState
{
public:
    explicit LessonState(const Catalogue &content = Catalogue::builtIn());

    const Catalogue &content() const { return content_; }

    // A list holder by address. A holder that the lesson does not define
    // reads as an empty list, and writes to it are dropped.
    ItemList &list(Holder holder, int element);

    // Main window: the choice record (1), the plan work list (2), the service
    // list (3) and the main copy of the lesson options.
    ItemList &List_Ur(int element) { return list(Holder::List_Ur, element); }
    ItemList &Opcii_L() { return list(Holder::Opcii_L, 0); }
    // Text holder window: the plan.
    ItemList &Plan_Tarv(int element) { return list(Holder::Plan_Tarv, element); }
    // Picture window: the picture maps.
    ItemList &Spi_GR(int element) { return list(Holder::Spi_GR, element); }
    // Task chooser window: the timing, level and type tables, the terms.
    ItemList &Wremena(int element) { return list(Holder::Wremena, element); }
    ItemList &glos_All(int element) { return list(Holder::glos_All, element); }
    // Focus window: the task index list, the task lines, the line numbers.
    ItemList &Uslowie_L(int element) { return list(Holder::Uslowie_L, element); }
    ItemList &Redowe_L(int element) { return list(Holder::Redowe_L, element); }
    // Tasks window: appearance settings (2), answers store (3), options copy (4).
    ItemList &List_Un(int element) { return list(Holder::List_Un, element); }

    QString Podtochki(int element) const { return content_.text(Holder::Podtochki, element); }
    QString Dopyln_M(int element) const { return content_.text(Holder::Dopyln_M, element); }
    QString Reklama_Par(int element) const { return content_.text(Holder::Reklama_Par, element); }
    QString Glos(int element) const { return content_.text(Holder::Glos, element); }
    const Picture &Grafika_G(int element) const { return content_.picture(Holder::Grafika_G, element); }
    const Picture &Grafika_W(int element) const { return content_.picture(Holder::Grafika_W, element); }

    TasksWindowStart tasksWindowStart;

    // The lesson code names the configuration file and the save files.
    QString lessonCode() { return Spi_GR(2).item(0); }

private:
    const Catalogue &content_;
    std::map<std::pair<Holder, int>, ItemList> lists_;
    ItemList nowhere_;
};

} // namespace urok
