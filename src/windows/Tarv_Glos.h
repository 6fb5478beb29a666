#pragma once

#include "app/AuxiliaryWindow.h"

#include <array>

namespace urok {

class ListBox;

// The task chooser: the listed tasks by difficulty level and by solution
// type. Picking an entry chooses that task in the tasks window.
class Tarv_Glos : public AuxiliaryWindow<Tarv_Glos>
{
    Q_OBJECT
public:
    explicit Tarv_Glos(WindowRegistry &windows);

    void Form_Load();
    void Wremena_Click(int index);

    // Elements 3 (levels) and 5 (solution types) are this window's visible
    // lists; the other elements are tables kept in the LessonState.
    std::array<ListBox *, 7> Wremena{};

    static constexpr int DesignWidth = 7470;
    static constexpr int DesignHeight = 2040;
};

} // namespace urok
