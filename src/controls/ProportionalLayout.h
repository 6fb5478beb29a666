#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace urok {

// Keeps every laid-out control at the same fraction of the main window's
// inner area: captured once from the design geometry, applied on every
// resize. Positions are numbered in the order they were captured.
class ProportionalLayout
{
public:
    static constexpr int Capacity = 71;

    // Records each rectangle as fractions of the inner size (positions from 0;
    // at most Capacity of them).
    void capture(QSize innerSize, const QList<QRect> &designGeometry);

    int count() const { return static_cast<int>(fractions_.size()); }
    QSize designInnerSize() const { return designSize_; }

    // Where position `position` goes for an inner size; edges are rounded,
    // so neighbouring controls keep touching.
    QRect place(int position, QSize innerSize) const;

private:
    struct Fractions
    {
        double left, top, width, height;
    };
    QSize designSize_;
    QList<Fractions> fractions_;
};

} // namespace urok
