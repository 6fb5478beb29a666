#include "controls/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace urok {

Twips::Twips(double dpiX, double dpiY)
    : kx_(dpiX / 1440.0)
    , ky_(dpiY / 1440.0)
{
}

int Twips::x(int twips) const
{
    return static_cast<int>(std::lround(twips * kx_));
}

int Twips::y(int twips) const
{
    return static_cast<int>(std::lround(twips * ky_));
}

QRect Twips::rect(int left, int top, int width, int height) const
{
    const int l = x(left);
    const int t = y(top);
    return QRect(l, t, x(left + width) - l, y(top + height) - t);
}

QSize Twips::size(int width, int height) const
{
    return QSize(x(width), y(height));
}

Twips twipsFor(const QWidget *widget)
{
    const QScreen *screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return Twips();
    return Twips(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
}

} // namespace urok
