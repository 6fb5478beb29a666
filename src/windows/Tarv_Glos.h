#pragma once

#include "controls/AuxiliaryWindow.h"

#include <QStringList>

#include <array>

namespace urok {

class ListBox;
struct LessonContext;

// The task chooser: the listed tasks by difficulty level and by solution
// type. Picking an entry chooses that task in the tasks window.
class Tarv_Glos : public AuxiliaryWindow
{
    Q_OBJECT
public:
    explicit Tarv_Glos(LessonContext &lesson);

    void Form_Load();
    // Shows the listed tasks by level and by solution type, nothing chosen.
    void offer(const QStringList &levels, const QStringList &types);

Q_SIGNALS:
    // The pupil picked a task (its position in the task list); the chooser
    // has unloaded itself.
    void taskChosen(int position);

public:
    static constexpr int DesignWidth = 7470;
    static constexpr int DesignHeight = 2040;

private:
    void Wremena_Click(int index);

    // Elements 3 (levels) and 5 (solution types) are this window's visible
    // lists; the other elements are tables kept in the LessonState.
    std::array<ListBox *, 7> Wremena{};
    LessonContext &lesson_;
};

} // namespace urok
