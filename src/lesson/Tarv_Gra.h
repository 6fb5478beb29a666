#pragma once

#include "app/AuxiliaryWindow.h"

#include <array>

namespace urok {

class Picture;
class PictureBox;

// The full-size picture viewer: one picture at its own size, with a margin.
// The lesson's pictures themselves are kept in the content catalogue.
class Tarv_Gra : public AuxiliaryWindow<Tarv_Gra>
{
    Q_OBJECT
public:
    explicit Tarv_Gra(WindowRegistry &windows);

    void Form_Load();

    // Shows a picture holder's picture at the holder's size; the window's
    // inner area is the picture plus `margin` (in pixels) across and down.
    void showPicture(const Picture &picture, QSize margin);

    std::array<PictureBox *, 1> Grafika_G{};
};

} // namespace urok
