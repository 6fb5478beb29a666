#pragma once

#include "controls/AuxiliaryWindow.h"

#include <array>

namespace urok {

class Picture;
class PictureBox;
struct LessonContext;

// The full-size picture viewer: one picture at its own size, with a margin.
// The lesson's pictures themselves are kept in the content catalogue.
class Tarv_Gra : public AuxiliaryWindow
{
    Q_OBJECT
public:
    explicit Tarv_Gra(LessonContext &lesson);

    void Form_Load();

    // Shows a picture holder's picture at the holder's size; the window's
    // inner area is the picture plus `margin` (in pixels) across and down.
    void showPicture(const Picture &picture, QSize margin);

private:
    std::array<PictureBox *, 1> Grafika_G{};
};

} // namespace urok
