#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace urok {

// Design geometry is given in twips (1/1440 inch). Converts it to the
// device-independent pixels of a screen of the given resolution, edge by
// edge, so that neighbouring controls never drift apart through rounding.
class Twips
{
public:
    explicit Twips(double dpiX = 96, double dpiY = 96);

    int x(int twips) const;
    int y(int twips) const;
    QRect rect(int left, int top, int width, int height) const;
    QSize size(int width, int height) const;

private:
    double kx_;
    double ky_;
};

// The converter for the screen a widget will appear on (the primary screen
// before it is shown).
Twips twipsFor(const QWidget *widget = nullptr);

} // namespace urok
