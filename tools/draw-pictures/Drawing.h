#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

// The small drawing kit the lesson's pictures share: fonts, colours and the
// shapes of tables and flow charts. Everything is drawn with QPainter on a
// QImage, so the result depends only on the code and the fonts.
namespace draw {

// The colours of all pictures: a dark ink, greys and a few accents, each
// with a light tint for filled shapes.
namespace colour {
inline const QColor Paper{0xFF, 0xFF, 0xFF};
inline const QColor Ink{0x1E, 0x29, 0x3B};
inline const QColor Muted{0x5B, 0x67, 0x78};
inline const QColor Line{0x94, 0xA3, 0xB8};
inline const QColor Panel{0xF1, 0xF5, 0xF9};
inline const QColor Blue{0x1D, 0x4E, 0xD8};
inline const QColor BlueTint{0xDB, 0xEA, 0xFE};
inline const QColor Green{0x15, 0x80, 0x3D};
inline const QColor GreenTint{0xDC, 0xFC, 0xE7};
inline const QColor Red{0xC0, 0x26, 0x26};
inline const QColor RedTint{0xFE, 0xE2, 0xE2};
inline const QColor Orange{0xC2, 0x41, 0x0C};
inline const QColor OrangeTint{0xFF, 0xED, 0xD5};
inline const QColor Purple{0x6D, 0x28, 0xD9};
inline const QColor PurpleTint{0xED, 0xE9, 0xFE};
inline const QColor Teal{0x0F, 0x76, 0x6E};
inline const QColor TealTint{0xCC, 0xFB, 0xF1};
} // namespace colour

// "DejaVu Sans" / "DejaVu Sans Mono" at a size in pixels, anti-aliased in
// grey (no colour fringes) and fully hinted so that small text stays crisp.
QFont sans(int pixelSize, bool bold = false);
QFont mono(int pixelSize, bool bold = false);

// A white image of the given size and a painter on it with anti-aliasing on.
class Sheet
{
public:
    Sheet(int width, int height, const QColor &background = colour::Paper);
    ~Sheet();
    Sheet(const Sheet &) = delete;
    Sheet &operator=(const Sheet &) = delete;

    QPainter &p() { return painter_; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    // Ends painting and hands the image over.
    QImage finish();

private:
    QImage image_;
    QPainter painter_;
};

// The picture's heading at the top left and a thin rule under it; returns
// the y where the content may start.
int heading(QPainter &p, int width, const QString &s, int pixelSize = 16);
// A thin frame along the edge of the whole picture.
void frame(QPainter &p, int width, int height, const QColor &colour = colour::Line);

void text(QPainter &p, const QRectF &rect, const QString &s, const QFont &font,
          const QColor &colour = colour::Ink, int flags = Qt::AlignCenter);
// Width of a text in a font, in pixels.
qreal textWidth(const QFont &font, const QString &s);

// A rectangle with rounded corners, filled and outlined.
void box(QPainter &p, const QRectF &rect, const QColor &fill, const QColor &border,
         qreal radius = 4, qreal penWidth = 1.5);
// A diamond inscribed in the rectangle (the decision of a flow chart).
void diamond(QPainter &p, const QRectF &rect, const QColor &fill, const QColor &border,
             qreal penWidth = 1.5);

// A line from a to b with a filled arrowhead at b.
void arrow(QPainter &p, QPointF a, QPointF b, const QColor &colour = colour::Ink,
           qreal penWidth = 1.6, qreal head = 8, Qt::PenStyle style = Qt::SolidLine);
// A broken line through the points with an arrowhead at the last one.
void arrowPath(QPainter &p, const QList<QPointF> &points, const QColor &colour = colour::Ink,
               qreal penWidth = 1.6, qreal head = 8, Qt::PenStyle style = Qt::SolidLine);
// Only the arrowhead: its tip at `tip`, pointing along the direction from -> tip.
void arrowHead(QPainter &p, QPointF from, QPointF tip, const QColor &colour, qreal head = 8);

// Text made of coloured runs, drawn one after another from `left` on the
// baseline `baseline`; returns the x where the text ends.
qreal runs(QPainter &p, qreal left, qreal baseline, const QFont &font,
           const QList<QPair<QString, QColor>> &parts);

// Flow chart blocks: a rounded "start/end" block, an action and a decision,
// each with its text centred.
void terminal(QPainter &p, const QRectF &rect, const QString &s, const QFont &font,
              const QColor &fill = colour::Panel, const QColor &border = colour::Muted);
void action(QPainter &p, const QRectF &rect, const QString &s, const QFont &font,
            const QColor &fill, const QColor &border);
void decision(QPainter &p, const QRectF &rect, const QString &s, const QFont &font,
              const QColor &fill, const QColor &border);

// A grid table: column widths, one row height, the header row drawn bold on
// a tinted band. Cells are left-aligned with a small inset unless the column
// is listed in `centred`.
struct Table
{
    QList<int> columns;
    int rowHeight = 24;
    QFont headerFont;
    QList<QFont> columnFonts;     // one per column
    QList<QColor> columnColours;  // one per column
    QList<int> centred;
    QHash<QString, QColor> valueColours; // a cell with exactly this text gets this colour
    QColor headerFill = colour::Panel;
    QColor stripe = QColor(0xF8, 0xFA, 0xFC); // every second body row
};
// The narrowest column widths that hold every cell of the header and rows.
QList<int> fitColumns(const Table &t, const QStringList &header, const QList<QStringList> &rows);
// Draws the header and rows at (x, y); returns the y below the table.
int table(QPainter &p, int x, int y, const Table &t, const QStringList &header,
          const QList<QStringList> &rows);

} // namespace draw
