#include "controls/ProportionalLayout.h"

#include <cmath>

namespace urok {

void ProportionalLayout::capture(QSize innerSize, const QList<QRect> &designGeometry)
{
    designSize_ = innerSize;
    fractions_.clear();
    const double w = innerSize.width() > 0 ? innerSize.width() : 1;
    const double h = innerSize.height() > 0 ? innerSize.height() : 1;
    for (const QRect &r : designGeometry) {
        if (fractions_.size() >= Capacity)
            break;
        fractions_.append({r.x() / w, r.y() / h, r.width() / w, r.height() / h});
    }
}

QRect ProportionalLayout::place(int position, QSize innerSize) const
{
    if (position < 0 || position >= count())
        return {};
    const Fractions &f = fractions_[position];
    const double w = innerSize.width();
    const double h = innerSize.height();
    const int left = static_cast<int>(std::lround(w * f.left));
    const int top = static_cast<int>(std::lround(h * f.top));
    const int right = static_cast<int>(std::lround(w * (f.left + f.width)));
    const int bottom = static_cast<int>(std::lround(h * (f.top + f.height)));
    return QRect(left, top, right - left, bottom - top);
}

} // namespace urok
