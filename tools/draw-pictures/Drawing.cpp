#include "Drawing.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace draw {

namespace {

QFont dejaVu(const QString &family, int pixelSize, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias
                                            | QFont::NoFontMerging));
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setKerning(true);
    return f;
}

} // namespace

QFont sans(int pixelSize, bool bold)
{
    return dejaVu(QStringLiteral("DejaVu Sans"), pixelSize, bold);
}

QFont mono(int pixelSize, bool bold)
{
    return dejaVu(QStringLiteral("DejaVu Sans Mono"), pixelSize, bold);
}

Sheet::Sheet(int width, int height, const QColor &background)
    : image_(width, height, QImage::Format_RGB32)
{
    image_.fill(background);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

Sheet::~Sheet()
{
    if (painter_.isActive())
        painter_.end();
}

QImage Sheet::finish()
{
    if (painter_.isActive())
        painter_.end();
    return image_;
}

int heading(QPainter &p, int width, const QString &s, int pixelSize)
{
    const QFont f = sans(pixelSize, true);
    const int h = int(std::ceil(QFontMetricsF(f).height())) + 10;
    text(p, QRectF(12, 4, width - 24, h - 6), s, f, colour::Ink, Qt::AlignLeft | Qt::AlignVCenter);
    p.save();
    p.setPen(QPen(colour::Blue, 2));
    p.drawLine(QPointF(12, h + 0.5), QPointF(width - 12, h + 0.5));
    p.restore();
    return h + 8;
}

void frame(QPainter &p, int width, int height, const QColor &c)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(c, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, width - 1, height - 1);
    p.restore();
}

void text(QPainter &p, const QRectF &rect, const QString &s, const QFont &font,
          const QColor &c, int flags)
{
    p.save();
    p.setFont(font);
    p.setPen(c);
    p.drawText(rect, flags, s);
    p.restore();
}

qreal textWidth(const QFont &font, const QString &s)
{
    return QFontMetricsF(font).horizontalAdvance(s);
}

void box(QPainter &p, const QRectF &rect, const QColor &fill, const QColor &border,
         qreal radius, qreal penWidth)
{
    p.save();
    p.setPen(border.isValid() ? QPen(border, penWidth) : QPen(Qt::NoPen));
    p.setBrush(fill);
    if (radius > 0)
        p.drawRoundedRect(rect, radius, radius);
    else
        p.drawRect(rect);
    p.restore();
}

void diamond(QPainter &p, const QRectF &r, const QColor &fill, const QColor &border,
             qreal penWidth)
{
    const QPolygonF shape({QPointF(r.center().x(), r.top()), QPointF(r.right(), r.center().y()),
                           QPointF(r.center().x(), r.bottom()), QPointF(r.left(), r.center().y())});
    p.save();
    p.setPen(QPen(border, penWidth));
    p.setBrush(fill);
    p.drawPolygon(shape);
    p.restore();
}

void arrowHead(QPainter &p, QPointF from, QPointF tip, const QColor &c, qreal head)
{
    const QLineF line(from, tip);
    if (line.length() < 0.001)
        return;
    const QPointF u = (tip - from) / line.length();
    const QPointF n(-u.y(), u.x());
    const QPointF base = tip - u * head;
    const QPolygonF triangle({tip, base + n * (head * 0.45), base - n * (head * 0.45)});
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(triangle);
    p.restore();
}

void arrowPath(QPainter &p, const QList<QPointF> &points, const QColor &c, qreal penWidth,
               qreal head, Qt::PenStyle style)
{
    if (points.size() < 2)
        return;
    // Stop the line inside the arrowhead so its end does not poke through the tip.
    QList<QPointF> line = points;
    const QPointF tip = points.last();
    const QPointF from = points[points.size() - 2];
    const qreal length = QLineF(from, tip).length();
    if (length > head)
        line.last() = tip - (tip - from) / length * (head * 0.7);
    p.save();
    QPen pen(c, penWidth, style, Qt::FlatCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF(line));
    p.restore();
    arrowHead(p, from, tip, c, head);
}

void arrow(QPainter &p, QPointF a, QPointF b, const QColor &c, qreal penWidth, qreal head,
           Qt::PenStyle style)
{
    arrowPath(p, {a, b}, c, penWidth, head, style);
}

qreal runs(QPainter &p, qreal left, qreal baseline, const QFont &font,
           const QList<QPair<QString, QColor>> &parts)
{
    p.save();
    p.setFont(font);
    qreal x = left;
    for (const auto &[s, c] : parts) {
        p.setPen(c);
        p.drawText(QPointF(x, baseline), s);
        x += textWidth(font, s);
    }
    p.restore();
    return x;
}

void terminal(QPainter &p, const QRectF &rect, const QString &s, const QFont &font,
              const QColor &fill, const QColor &border)
{
    box(p, rect, fill, border, rect.height() / 2, 1.6);
    text(p, rect, s, font, colour::Ink);
}

void action(QPainter &p, const QRectF &rect, const QString &s, const QFont &font,
            const QColor &fill, const QColor &border)
{
    box(p, rect, fill, border, 3, 1.6);
    text(p, rect, s, font, colour::Ink);
}

void decision(QPainter &p, const QRectF &rect, const QString &s, const QFont &font,
              const QColor &fill, const QColor &border)
{
    diamond(p, rect, fill, border, 1.6);
    text(p, rect, s, font, colour::Ink);
}

namespace {
constexpr int CellInset = 6;
}

QList<int> fitColumns(const Table &t, const QStringList &header, const QList<QStringList> &rows)
{
    QList<int> widths;
    for (int c = 0; c < header.size(); ++c) {
        qreal w = textWidth(t.headerFont, header[c]);
        const QFont f = t.columnFonts.value(c, sans(12));
        for (const QStringList &row : rows)
            if (c < row.size())
                w = std::max(w, textWidth(f, row[c]));
        widths.append(int(std::ceil(w)) + 2 * CellInset + 2);
    }
    return widths;
}

int table(QPainter &p, int x, int y, const Table &t, const QStringList &header,
          const QList<QStringList> &rows)
{
    int width = 0;
    for (int w : t.columns)
        width += w;
    const int inset = CellInset;
    auto drawRow = [&](int top, const QStringList &cells, bool isHeader) {
        int left = x;
        for (int c = 0; c < t.columns.size() && c < cells.size(); ++c) {
            const QRectF cell(left + inset, top, t.columns[c] - 2 * inset, t.rowHeight);
            const int align = static_cast<int>(
                (t.centred.contains(c) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
            const QFont f = isHeader ? t.headerFont : t.columnFonts.value(c, sans(12));
            QColor col = isHeader ? colour::Ink : t.columnColours.value(c, colour::Ink);
            if (!isHeader && t.valueColours.contains(cells[c]))
                col = t.valueColours.value(cells[c]);
            text(p, cell, cells[c], f, col, align);
            left += t.columns[c];
        }
    };

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(x, y, width, t.rowHeight), t.headerFill);
    for (int r = 0; r < rows.size(); ++r)
        if (r % 2 == 1)
            p.fillRect(QRect(x, y + (r + 1) * t.rowHeight, width, t.rowHeight), t.stripe);
    p.restore();

    drawRow(y, header, true);
    for (int r = 0; r < rows.size(); ++r)
        drawRow(y + (r + 1) * t.rowHeight, rows[r], false);

    const int bottom = y + (int(rows.size()) + 1) * t.rowHeight;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(colour::Line, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(x, y, width, bottom - y);
    p.setPen(QPen(colour::Muted, 1));
    p.drawLine(x, y + t.rowHeight, x + width, y + t.rowHeight);
    p.setPen(QPen(colour::Line, 1));
    int left = x;
    for (int c = 0; c + 1 < t.columns.size(); ++c) {
        left += t.columns[c];
        p.drawLine(left, y, left, bottom);
    }
    p.restore();
    return bottom + 1;
}

} // namespace draw
