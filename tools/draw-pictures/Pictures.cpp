#include "Pictures.h"

#include "Drawing.h"
#include "GifWriter.h"
#include "Mathematics.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace pictures {

using namespace draw;
namespace c = draw::colour;

namespace {

// ---------------------------------------------------------------------------
// 1. The sieve of Eratosthenes for 1..50.

// The strokes over a number that is crossed out: first "/", then the other
// diagonal, then a line along the bottom, each in the colour of the prime
// that crossed it; the number is drawn over them and stays readable.
void crossOut(QPainter &p, const QRectF &cell, const QList<int> &crossings,
              const QList<int> &sievingPrimes, const QList<QColor> &primeColour)
{
    const QRectF m = cell.adjusted(6, 5, -6, -5);
    const QList<QLineF> strokes = {QLineF(m.bottomLeft(), m.topRight()),
                                   QLineF(m.topLeft(), m.bottomRight()),
                                   QLineF(m.left(), m.bottom() + 1, m.right(), m.bottom() + 1)};
    for (int i = 0; i < crossings.size() && i < strokes.size(); ++i) {
        p.save();
        const int which = int(sievingPrimes.indexOf(crossings[i]));
        p.setPen(QPen(primeColour[which % primeColour.size()], 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(strokes[i]);
        p.restore();
    }
}

// One sample stroke per sieving prime, then the circle of a prime; returns
// the y under the legend.
int sieveLegend(QPainter &p, int x0, int y, const QList<int> &sievingPrimes,
                const QList<QColor> &primeColour)
{
    const QFont legendFont = sans(12);
    const QString crossed = QStringLiteral("Зачертани кратни:");
    text(p, QRectF(x0, y, 200, 20), crossed, legendFont, c::Ink, Qt::AlignLeft | Qt::AlignVCenter);
    int x = x0 + int(textWidth(legendFont, crossed)) + 14;
    for (int i = 0; i < sievingPrimes.size(); ++i) {
        p.save();
        p.setPen(QPen(primeColour[i % primeColour.size()], 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x + 2, y + 16), QPointF(x + 14, y + 4));
        p.restore();
        const QString label = QStringLiteral("на %1").arg(sievingPrimes[i]);
        text(p, QRectF(x + 19, y, 80, 20), label, legendFont, c::Ink,
             Qt::AlignLeft | Qt::AlignVCenter);
        x += 19 + int(textWidth(legendFont, label)) + 18;
    }
    y += 24;
    p.save();
    p.setPen(QPen(c::Green, 2));
    p.setBrush(c::GreenTint);
    p.drawEllipse(QPointF(x0 + 8, y + 10), 8, 7);
    p.restore();
    text(p, QRectF(x0 + 21, y, 360, 20),
         QStringLiteral("просто число: остава незачертано"), legendFont, c::Ink,
         Qt::AlignLeft | Qt::AlignVCenter);
    return y + 28;
}

QImage sieve()
{
    const int n = 50;
    Sheet s(460, 322);
    QPainter &p = s.p();
    int y = heading(p, s.width(),
                    QStringLiteral("Решето на Ератостен: простите числа до %1").arg(n));

    // The primes that cross the numbers out, each with its own colour.
    const QList<QList<int>> crossedBy = maths::sieveCrossings(n);
    QList<int> sievingPrimes;
    for (int k = 2; k * k <= n; ++k)
        if (crossedBy[k].isEmpty())
            sievingPrimes.append(k);
    const QList<QColor> primeColour = {c::Blue, c::Orange, c::Purple, c::Teal};

    const int cols = 10, cw = 40, ch = 31;
    const int gx = (s.width() - cols * cw) / 2, gy = y + 2;
    const QFont numberFont = sans(14);
    const QFont primeFont = sans(14, true);
    for (int k = 1; k <= n; ++k) {
        const int r = (k - 1) / cols, col = (k - 1) % cols;
        const QRectF cell(gx + col * cw, gy + r * ch, cw, ch);
        box(p, cell.adjusted(1.5, 1.5, -1.5, -1.5), k == 1 ? c::Panel : c::Paper, c::Line, 3, 1);
        const bool prime = k > 1 && crossedBy[k].isEmpty();
        if (k == 1) {
            text(p, cell, QStringLiteral("1"), numberFont, c::Line);
        } else if (prime) {
            p.save();
            p.setPen(QPen(c::Green, 2));
            p.setBrush(c::GreenTint);
            p.drawEllipse(cell.center(), 13, 12);
            p.restore();
            text(p, cell, QString::number(k), primeFont, c::Green);
        } else {
            crossOut(p, cell, crossedBy[k], sievingPrimes, primeColour);
            text(p, cell, QString::number(k), numberFont, c::Ink);
        }
    }
    y = sieveLegend(p, gx, gy + 5 * ch + 12, sievingPrimes, primeColour);

    const QFont noteFont = sans(12);
    const QRectF line(gx, y, s.width() - 2 * gx, 18);
    text(p, line,
         QStringLiteral("За всяко незачертано p зачертаваме p*p, p*p + p, p*p + 2p, ..."),
         noteFont, c::Muted, Qt::AlignLeft | Qt::AlignVCenter);
    int primes = 0;
    for (int k = 2; k <= n; ++k)
        primes += crossedBy[k].isEmpty() ? 1 : 0;
    text(p, line.translated(0, 19),
         QStringLiteral("Спираме, щом p*p > %1. Остават %2 прости числа.").arg(n).arg(primes),
         noteFont, c::Muted, Qt::AlignLeft | Qt::AlignVCenter);
    frame(p, s.width(), s.height());
    return s.finish();
}

// ---------------------------------------------------------------------------
// 2. A circular doubly linked list. It is written as a GIF, so it is drawn
// in a handful of flat colours and then snapped to a fixed palette.

QList<QRgb> gifPalette(const QList<QColor> &grounds, const QList<QColor> &inks)
{
    QList<QRgb> palette;
    auto add = [&palette](const QColor &col) {
        if (!palette.contains(col.rgb()))
            palette.append(col.rgb());
    };
    for (const QColor &g : grounds)
        add(g);
    for (const QColor &i : inks)
        add(i);
    // Three steps between every ground and every ink keep the edges of the
    // anti-aliased lines and letters smooth.
    for (const QColor &g : grounds)
        for (const QColor &i : inks)
            for (int step = 1; step <= 3; ++step) {
                const double t = step / 4.0;
                add(QColor(int(std::lround(g.red() + (i.red() - g.red()) * t)),
                           int(std::lround(g.green() + (i.green() - g.green()) * t)),
                           int(std::lround(g.blue() + (i.blue() - g.blue()) * t))));
            }
    return palette;
}

// The row of nodes of the list, prev | value | next each. Forward links run
// along the upper half of the row, backward links along the lower half.
struct NodeRow
{
    int top = 0;
    int x0 = 96;
    int linkW = 26, valueW = 44, nodeW = linkW + valueW + linkW, nodeH = 42, gap = 18;

    qreal forwardY() const { return top + 13; }
    qreal backwardY() const { return top + nodeH - 13; }
    QRectF node(int i) const { return QRectF(x0 + i * (nodeW + gap), top, nodeW, nodeH); }
};

// Where a link starts: a dot in its field.
void linkDot(QPainter &p, QPointF at, const QColor &col)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawEllipse(at, 4, 4);
    p.restore();
}

// The nodes with the links between neighbours, and the names of the three
// fields over the first node.
void drawNodes(QPainter &p, const NodeRow &row, const QList<int> &values)
{
    const QFont valueFont = mono(17, true);
    for (int i = 0; i < values.size(); ++i) {
        const QRectF r = row.node(i);
        box(p, r, c::BlueTint, c::Blue, 4, 1.6);
        p.save();
        p.setPen(QPen(c::Blue, 1.6));
        for (qreal x : {r.left() + row.linkW, r.right() - row.linkW})
            p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        p.restore();
        text(p, QRectF(r.left() + row.linkW, r.top(), row.valueW, row.nodeH),
             QString::number(values[i]), valueFont, c::Ink);
        if (i > 0) {
            const QPointF prevDot(r.left() + row.linkW / 2.0, row.backwardY());
            linkDot(p, prevDot, c::Purple);
            arrow(p, prevDot, QPointF(r.left() - row.gap + 1, row.backwardY()), c::Purple, 2, 9);
        }
        if (i + 1 < values.size()) {
            const QPointF nextDot(r.right() - row.linkW / 2.0, row.forwardY());
            linkDot(p, nextDot, c::Ink);
            arrow(p, nextDot, QPointF(r.right() + row.gap - 1, row.forwardY()), c::Ink, 2, 9);
        }
    }

    const QRectF first = row.node(0);
    const QFont fieldFont = mono(12);
    text(p, QRectF(first.left() - 10, first.top() - 22, row.linkW + 20, 18), QStringLiteral("prev"),
         fieldFont, c::Purple);
    text(p, QRectF(first.left() + row.linkW, first.top() - 22, row.valueW, 18),
         QStringLiteral("value"), fieldFont, c::Blue);
    text(p, QRectF(first.right() - row.linkW - 10, first.top() - 22, row.linkW + 20, 18),
         QStringLiteral("next"), fieldFont, c::Ink);
}

// The ring is closed both ways: the last node's next is the first node, the
// first node's prev is the last one. Returns the y of the lower loop.
qreal closeRing(QPainter &p, const NodeRow &row, int count)
{
    const QFont smallFont = sans(12);
    const QRectF first = row.node(0);
    const QRectF last = row.node(count - 1);
    const qreal forwardY = row.forwardY();
    const QPointF lastNext(last.right() - row.linkW / 2.0, forwardY);
    const QPointF firstPrev(first.left() + row.linkW / 2.0, row.backwardY());
    const qreal nextLoopY = row.top + row.nodeH + 22, prevLoopY = nextLoopY + 24;
    const qreal firstValueX = first.left() + row.linkW + row.valueW / 2.0;
    const qreal lastValueX = last.left() + row.linkW + row.valueW / 2.0;
    linkDot(p, lastNext, c::Green);
    arrowPath(p,
              {lastNext, QPointF(last.right() + 14, forwardY), QPointF(last.right() + 14, nextLoopY),
               QPointF(firstValueX, nextLoopY), QPointF(firstValueX, first.bottom() + 1)},
              c::Green, 2, 9);
    linkDot(p, firstPrev, c::Purple);
    arrowPath(p,
              {firstPrev, QPointF(firstPrev.x(), prevLoopY), QPointF(lastValueX, prevLoopY),
               QPointF(lastValueX, last.bottom() + 1)},
              c::Purple, 2, 9);
    text(p, QRectF(firstValueX + 10, nextLoopY - 19, 300, 18),
         QStringLiteral("next на последния сочи към първия"), smallFont, c::Green,
         Qt::AlignLeft | Qt::AlignVCenter);
    text(p, QRectF(firstValueX + 10, prevLoopY + 1, 300, 18),
         QStringLiteral("prev на първия сочи към последния"), smallFont, c::Purple,
         Qt::AlignLeft | Qt::AlignVCenter);
    return prevLoopY;
}

QImage circularList()
{
    Sheet s(570, 320);
    QPainter &p = s.p();
    const int y = heading(p, s.width(), QStringLiteral("Кръгов двусвързан списък"));

    const QList<int> values = {12, 5, 8, 3};
    NodeRow row;
    row.top = y + 58;

    // The "начало" pointer: a variable box holding a pointer to the first node.
    const QRectF head(18, row.top, 56, row.nodeH);
    box(p, head, c::OrangeTint, c::Orange, 4, 1.6);
    text(p, QRectF(head.left() - 10, head.top() - 24, head.width() + 20, 20),
         QStringLiteral("начало"), sans(13, true), c::Orange);
    linkDot(p, head.center(), c::Orange);
    arrow(p, head.center(), QPointF(row.x0 - 1, head.center().y()), c::Orange, 2, 9);

    drawNodes(p, row, values);
    const qreal prevLoopY = closeRing(p, row, int(values.size()));

    // Under the picture: the node type and how to walk the ring.
    const int under = int(prevLoopY) + 30;
    const QFont smallFont = sans(12);
    text(p, QRectF(18, under, s.width() - 36, 20),
         QStringLiteral("struct Node { int value; Node* prev; Node* next; };"), mono(13), c::Ink,
         Qt::AlignLeft | Qt::AlignVCenter);
    text(p, QRectF(18, under + 24, s.width() - 36, 20),
         QStringLiteral("Обхождане в двете посоки: p = p->next или p = p->prev."), smallFont,
         c::Muted, Qt::AlignLeft | Qt::AlignVCenter);
    text(p, QRectF(18, under + 44, s.width() - 36, 20),
         QStringLiteral("Няма nullptr: след %1 идва пак %2. Едносвързаният кръгов списък има само next.")
             .arg(values.last())
             .arg(values.first()),
         smallFont, c::Muted, Qt::AlignLeft | Qt::AlignVCenter);
    frame(p, s.width(), s.height());

    const QList<QColor> grounds = {c::Paper, c::BlueTint, c::OrangeTint};
    const QList<QColor> inks = {c::Ink, c::Muted, c::Line, c::Blue, c::Orange, c::Green, c::Purple};
    return gif::snapToPalette(s.finish(), gifPalette(grounds, inks));
}

// ---------------------------------------------------------------------------
// 3. The logical operations and their truth tables.

QImage logicalOperations()
{
    Sheet s(560, 318);
    QPainter &p = s.p();
    int y = heading(p, s.width(), QStringLiteral("Логически операции в C++"));

    const QString f = QStringLiteral("false"), t = QStringLiteral("true");
    Table base;
    base.rowHeight = 25;
    base.headerFont = mono(13, true);
    base.valueColours = {{f, c::Red}, {t, c::Green}};

    struct Truth
    {
        QString symbol, name, term;
        QList<int> widths;
        QStringList header;
        QList<QStringList> rows;
        QColor accent;
    };
    const QList<Truth> tables = {
        {QStringLiteral("!"), QStringLiteral("НЕ"), QStringLiteral("отрицание"), {56, 60},
         {QStringLiteral("a"), QStringLiteral("!a")}, {{f, t}, {t, f}}, c::Purple},
        {QStringLiteral("&&"), QStringLiteral("И"), QStringLiteral("конюнкция"), {52, 52, 74},
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a && b")},
         {{f, f, f}, {f, t, f}, {t, f, f}, {t, t, t}}, c::Blue},
        {QStringLiteral("||"), QStringLiteral("ИЛИ"), QStringLiteral("дизюнкция"), {52, 52, 74},
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a || b")},
         {{f, f, f}, {f, t, t}, {t, f, t}, {t, t, t}}, c::Orange},
    };
    int total = 0;
    for (const Truth &tr : tables)
        for (int w : tr.widths)
            total += w;
    const int gap = (s.width() - 32 - total) / 2;
    int x = 16;
    int bottom = y;
    for (const Truth &tr : tables) {
        int w = 0;
        for (int cw : tr.widths)
            w += cw;
        // The operator in a badge, then its name and the term for it.
        const QRectF badge(x, y + 2, 34, 30);
        box(p, badge, tr.accent, QColor(), 5, 0);
        text(p, badge, tr.symbol, mono(17, true), c::Paper);
        text(p, QRectF(x + 42, y, w - 42, 17), tr.name, sans(13, true), tr.accent,
             Qt::AlignLeft | Qt::AlignVCenter);
        text(p, QRectF(x + 42, y + 17, w - 42, 17), tr.term, sans(12), c::Muted,
             Qt::AlignLeft | Qt::AlignVCenter);
        Table tb = base;
        tb.columns = tr.widths;
        for (int i = 0; i < tr.widths.size(); ++i) {
            tb.columnFonts.append(mono(13, i + 1 == tr.widths.size()));
            tb.centred.append(i);
        }
        bottom = std::max(bottom, table(p, x, y + 42, tb, tr.header, tr.rows));
        x += w + gap;
    }

    y = bottom + 14;
    const QFont note = sans(12);
    const QFont noteBold = sans(12, true);
    auto noteLine = [&](qreal lx, const QString &lead, const QString &rest) {
        const qreal end = runs(p, lx, y + 14, noteBold, {{lead, c::Ink}});
        runs(p, end, y + 14, note, {{rest, c::Muted}});
        y += 20;
    };
    const QString shortCircuit = QStringLiteral("Съкратено изчисляване: ");
    noteLine(16, shortCircuit, QStringLiteral("при a && b, ако a е false, b не се изчислява;"));
    noteLine(16 + textWidth(noteBold, shortCircuit), QString(),
             QStringLiteral("при a || b, ако a е true, b не се изчислява."));
    noteLine(16, QStringLiteral("Приоритет: "),
             QStringLiteral("! е най-висок, след него е &&, най-нисък е ||."));
    noteLine(16, QStringLiteral("В условие: "),
             QStringLiteral("всяко число, различно от 0, е true, а 0 е false."));
    frame(p, s.width(), s.height());
    return s.finish();
}

// ---------------------------------------------------------------------------
// 4. The search tree of backtracking for 4 queens: every partial placement
// the search reaches, its dead ends, returns and the two solutions.

// Where the nodes of the search tree go: leaves in consecutive slots from
// the left, a parent over its children, a row of nodes for each queen placed.
struct TreeLayout
{
    TreeLayout(const QList<maths::QueensNode> &searchTree, int width, qreal firstRow);

    const QList<maths::QueensNode> &tree;
    qreal left = 50, slot = 0, top = 0;
    qreal levelGap = 48, nodeW = 62, nodeH = 24;
    QList<qreal> x;   // the centre of each node

    QRectF rect(int i) const
    {
        return QRectF(x[i] - nodeW / 2, top + tree[i].columns.size() * levelGap, nodeW, nodeH);
    }
};

TreeLayout::TreeLayout(const QList<maths::QueensNode> &searchTree, int width, qreal firstRow)
    : tree(searchTree), top(firstRow), x(searchTree.size())
{
    int leaves = 0;
    for (const maths::QueensNode &node : tree)
        leaves += node.children.isEmpty() ? 1 : 0;
    slot = (width - left - 8) / qreal(leaves);
    int nextSlot = 0;
    std::function<void(int)> place = [&](int i) {
        const maths::QueensNode &node = tree[i];
        if (node.children.isEmpty()) {
            x[i] = left + slot * (nextSlot++ + 0.5);
            return;
        }
        for (int ch : node.children)
            place(ch);
        x[i] = (x[node.children.first()] + x[node.children.last()]) / 2;
    };
    place(0);
}

// From every dead end a dashed curve beside its edge back up to the parent:
// on the left for the first of several children, on the right otherwise.
// The first one on the left is labelled.
void drawReturns(QPainter &p, const TreeLayout &layout, int n)
{
    const QList<maths::QueensNode> &tree = layout.tree;
    bool labelled = false;
    for (int i = 1; i < tree.size(); ++i) {
        if (!maths::isDeadEnd(tree[i], n))
            continue;
        const maths::QueensNode &parent = tree[tree[i].parent];
        const QRectF a = layout.rect(tree[i].parent), b = layout.rect(i);
        const bool leftmost = parent.children.first() == i && parent.children.size() > 1;
        const qreal side = leftmost ? -1 : 1;
        const QPointF from(b.center().x() + side * (layout.nodeW / 2 - 8), b.top());
        const QPointF to(a.center().x() + side * 14, a.bottom() + 1);
        const QPointF mid = (from + to) / 2 + QPointF(side * 16, 0);
        QPainterPath curve(from);
        curve.quadTo(mid, to);
        p.save();
        p.setPen(QPen(c::Orange, 1.6, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawPath(curve);
        p.restore();
        arrowHead(p, curve.pointAtPercent(0.9), to, c::Orange, 8);
        if (!labelled && side < 0) {
            const QFont f = sans(11, true);
            const qreal w = textWidth(f, QStringLiteral("връщане"));
            text(p, QRectF(std::max(8.0, curve.pointAtPercent(0.5).x() - w - 4), mid.y() - 9, w, 18),
                 QStringLiteral("връщане"), f, c::Orange, Qt::AlignRight | Qt::AlignVCenter);
            labelled = true;
        }
    }
}

QString columnsText(const QList<int> &columns)
{
    QStringList cols;
    for (int col : columns)
        cols.append(QString::number(col));
    return cols.join(QLatin1Char(' '));
}

// A node shows the columns of the queens placed so far: blue while the
// search goes on, red with a cross under it at a dead end, green for a
// solution.
void drawQueensNode(QPainter &p, const maths::QueensNode &node, const QRectF &r, int n,
                    const QFont &nodeFont)
{
    if (node.columns.isEmpty()) {
        box(p, r, c::Panel, c::Muted, 4, 1.5);
        text(p, r, QStringLiteral("старт"), sans(12, true), c::Ink);
        return;
    }
    const bool solution = maths::isSolution(node, n);
    const bool deadEnd = maths::isDeadEnd(node, n);
    QColor fill = c::BlueTint, border = c::Blue;
    if (solution) {
        fill = c::GreenTint;
        border = c::Green;
    } else if (deadEnd) {
        fill = c::RedTint;
        border = c::Red;
    }
    box(p, r, fill, border, 4, solution ? 2.2 : 1.5);
    text(p, r, columnsText(node.columns), nodeFont, c::Ink);
    if (deadEnd) {
        const QPointF m(r.center().x(), r.bottom() + 9);
        p.save();
        p.setPen(QPen(c::Red, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(m + QPointF(-4, -4), m + QPointF(4, 4));
        p.drawLine(m + QPointF(-4, 4), m + QPointF(4, -4));
        p.restore();
    }
    if (solution)
        text(p, QRectF(r.left() - 6, r.bottom() + 1, r.width() + 12, 16),
             QStringLiteral("решение"), sans(11, true), c::Green);
}

// The board of a solution, in the empty corner under the left branch, with
// its columns under it.
void drawSolutionBoard(QPainter &p, const TreeLayout &layout, const QList<int> &columns)
{
    const int n = int(columns.size());
    const qreal cell = 12;
    const QRectF board(layout.left + (layout.slot - n * cell) / 2,
                       layout.top + 3 * layout.levelGap + 2, n * cell, n * cell);
    for (int r = 0; r < n; ++r)
        for (int col = 0; col < n; ++col) {
            const QRectF sq(board.left() + col * cell, board.top() + r * cell, cell, cell);
            p.fillRect(sq, (r + col) % 2 ? QColor(0xCB, 0xD5, 0xE1) : c::Paper);
            if (columns[r] == col + 1) {
                p.save();
                p.setPen(Qt::NoPen);
                p.setBrush(c::Green);
                p.drawEllipse(sq.center(), 3.8, 3.8);
                p.restore();
            }
        }
    p.save();
    p.setPen(QPen(c::Muted, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(board);
    p.restore();
    text(p, QRectF(layout.left, board.bottom() + 2, layout.slot, 14), columnsText(columns),
         mono(11, true), c::Green);
}

void backtrackingLegend(QPainter &p, int y)
{
    const QFont legend = sans(11);
    auto sample = [&](qreal x, qreal yy, const QColor &fill, const QColor &border) {
        box(p, QRectF(x, yy + 2, 22, 13), fill, border, 3, 1.2);
    };
    sample(16, y, c::BlueTint, c::Blue);
    text(p, QRectF(44, y, 420, 17),
         QStringLiteral("\"2 4 1\": царици в редове 1, 2 и 3, в колони 2, 4 и 1"),
         legend, c::Ink, Qt::AlignLeft | Qt::AlignVCenter);
    y += 19;
    sample(16, y, c::RedTint, c::Red);
    text(p, QRectF(44, y, 190, 17), QStringLiteral("задънена улица: няма ход"), legend,
         c::Ink, Qt::AlignLeft | Qt::AlignVCenter);
    p.save();
    p.setPen(QPen(c::Orange, 1.6, Qt::DashLine));
    p.drawLine(QPointF(226, y + 8.5), QPointF(246, y + 8.5));
    p.restore();
    arrowHead(p, QPointF(238, y + 8.5), QPointF(254, y + 8.5), c::Orange, 8);
    text(p, QRectF(260, y, 200, 17), QStringLiteral("връщане към предния ред"), legend, c::Ink,
         Qt::AlignLeft | Qt::AlignVCenter);
    y += 19;
    sample(16, y, c::GreenTint, c::Green);
    text(p, QRectF(44, y, 420, 17),
         QStringLiteral("решение: 4 царици, от които никои две не се бият"), legend,
         c::Ink, Qt::AlignLeft | Qt::AlignVCenter);
}

QImage backtrackingTree()
{
    const int n = 4;
    Sheet s(480, 360);
    QPainter &p = s.p();
    const int y = heading(p, s.width(), QStringLiteral("Търсене с връщане назад: 4 царици"));

    const QList<maths::QueensNode> tree = maths::queensSearchTree(n);
    const TreeLayout layout(tree, s.width(), y + 8);

    // Which row each level fills.
    const QFont levelFont = sans(11);
    for (int r = 1; r <= n; ++r)
        text(p, QRectF(6, layout.top + r * layout.levelGap, 44, layout.nodeH),
             QStringLiteral("ред %1").arg(r), levelFont, c::Muted, Qt::AlignLeft | Qt::AlignVCenter);

    // Edges first, then the returns from the dead ends, then the nodes on top.
    for (int i = 1; i < tree.size(); ++i) {
        const QRectF a = layout.rect(tree[i].parent), b = layout.rect(i);
        arrow(p, QPointF(a.center().x(), a.bottom()), QPointF(b.center().x(), b.top()),
              c::Muted, 1.4, 7);
    }
    drawReturns(p, layout, n);
    const QFont nodeFont = mono(12, true);
    for (int i = 0; i < tree.size(); ++i)
        drawQueensNode(p, tree[i], layout.rect(i), n, nodeFont);

    const auto firstSolution = std::find_if(tree.cbegin(), tree.cend(),
                                            [n](const maths::QueensNode &node) {
                                                return maths::isSolution(node, n);
                                            });
    if (firstSolution != tree.cend())
        drawSolutionBoard(p, layout, firstSolution->columns);

    backtrackingLegend(p, int(layout.top + n * layout.levelGap + layout.nodeH + 22));
    frame(p, s.width(), s.height());
    return s.finish();
}

// ---------------------------------------------------------------------------
// 5. What the Catalan numbers count: the correct bracket sequences with 1, 2
// and 3 pairs and the binary trees with 3 vertices. Neither how a sequence
// splits nor the values beyond the task's example: task 22 asks for both.

void drawTree(QPainter &p, const maths::BinaryTree *node, QPointF at, qreal spread, qreal levelGap)
{
    if (!node)
        return;
    const qreal r = 7;
    for (const auto &[child, dx] : {std::pair{node->left.get(), -spread},
                                   std::pair{node->right.get(), spread}})
        if (child) {
            const QPointF to = at + QPointF(dx, levelGap);
            p.save();
            p.setPen(QPen(c::Muted, 1.6));
            p.drawLine(at, to);
            p.restore();
            drawTree(p, child, to, spread * 0.75, levelGap);
        }
    p.save();
    p.setPen(QPen(c::Purple, 1.6));
    p.setBrush(c::PurpleTint);
    p.drawEllipse(at, r, r);
    p.restore();
}

QImage catalan()
{
    Sheet s(540, 384);
    QPainter &p = s.p();
    int y = heading(p, s.width(), QStringLiteral("Правилни скобни редици и двоични дървета"));

    text(p, QRectF(16, y, s.width() - 32, 20),
         QStringLiteral("Във всяко начало на правилната редица „)“ не са повече от „(“."),
         sans(13, true), c::Ink, Qt::AlignLeft | Qt::AlignVCenter);
    y += 30;
    const QStringList counted = {QStringLiteral("1 редица"), QStringLiteral("2 редици"),
                                 QStringLiteral("5 редици")};
    const qreal boxW = 66, gap = 8, left = 80;
    for (int n = 1; n <= 3; ++n) {
        text(p, QRectF(16, y, left - 24, 28), QStringLiteral("n = %1").arg(n), sans(13, true),
             c::Ink, Qt::AlignLeft | Qt::AlignVCenter);
        const QStringList sequences = maths::bracketSequences(n);
        for (int i = 0; i < sequences.size(); ++i) {
            const QRectF label(left + i * (boxW + gap), y, boxW, 28);
            box(p, label, c::PurpleTint, c::Purple, 4, 1.2);
            text(p, label, sequences[i], mono(15, true), c::Ink);
        }
        text(p, QRectF(s.width() - 16 - 70, y, 70, 28), counted[n - 1], sans(12), c::Muted,
             Qt::AlignRight | Qt::AlignVCenter);
        y += 44;
    }

    y += 10;
    text(p, QRectF(16, y, s.width() - 32, 20),
         QStringLiteral("Двоичните дървета с 3 върха:"),
         sans(12, true), c::Ink, Qt::AlignLeft | Qt::AlignVCenter);
    y += 30;
    // The trees in an order of their own, away from the sequences: the
    // picture shows that both are five, not which tree goes with which.
    const QStringList shapes = {QStringLiteral("(())()"), QStringLiteral("((()))"),
                                QStringLiteral("()()()"), QStringLiteral("(()())"),
                                QStringLiteral("()(())")};
    const qreal colW = (s.width() - 32) / qreal(shapes.size());
    for (int i = 0; i < shapes.size(); ++i) {
        const auto t = maths::treeOf(shapes[i]);
        drawTree(p, t.get(), QPointF(16 + colW * (i + 0.5), y + 12), 26, 34);
    }
    y += 12 + 2 * 34 + 30;
    text(p, QRectF(16, y, s.width() - 32, 18),
         QStringLiteral("Редиците с n двойки скоби и дърветата с n върха са еднакво много."),
         sans(12), c::Muted, Qt::AlignLeft | Qt::AlignVCenter);
    frame(p, s.width(), s.height());
    return s.finish();
}

// ---------------------------------------------------------------------------
// 6. The basic types of C++: size and range.

QImage variableTypes()
{
    Table tb;
    tb.rowHeight = 26;
    tb.headerFont = sans(12, true);
    tb.columnFonts = {mono(13, true), sans(13), sans(12), mono(12)};
    tb.columnColours = {c::Blue, c::Ink, c::Ink, c::Muted};
    tb.centred = {1};
    const QList<QStringList> rows = {
        {QStringLiteral("bool"), QStringLiteral("1"), QStringLiteral("false или true"),
         QStringLiteral("bool ok = (n > 5);")},
        {QStringLiteral("char"), QStringLiteral("1"), QStringLiteral("-128 .. 127 (един знак)"),
         QStringLiteral("char c = 'A';")},
        {QStringLiteral("short"), QStringLiteral("2"), QStringLiteral("-32768 .. 32767"),
         QStringLiteral("short t = -300;")},
        {QStringLiteral("int"), QStringLiteral("4"), QStringLiteral("-2147483648 .. 2147483647"),
         QStringLiteral("int n = 10;")},
        {QStringLiteral("long long"), QStringLiteral("8"),
         QStringLiteral("около ±9,2·10^18"), QStringLiteral("long long b = 1LL << 40;")},
        {QStringLiteral("float"), QStringLiteral("4"),
         QStringLiteral("±3,4·10^38, 7 цифри"), QStringLiteral("float f = 2.5f;")},
        {QStringLiteral("double"), QStringLiteral("8"),
         QStringLiteral("±1,8·10^308, 15–16 цифри"), QStringLiteral("double r = 2.5;")},
    };
    const QStringList header = {QStringLiteral("Тип"), QStringLiteral("Байта"),
                                QStringLiteral("Стойности"), QStringLiteral("Пример")};
    tb.columns = fitColumns(tb, header, rows);
    int tableWidth = 0;
    for (int w : tb.columns)
        tableWidth += w;

    Sheet s(std::max(tableWidth + 32, 540), 336);
    QPainter &p = s.p();
    int y = heading(p, s.width(), QStringLiteral("Основни типове на променливите в C++"));
    y = table(p, 16, y, tb, header, rows) + 12;

    const QFont note = sans(12);
    const QStringList notes = {
        QStringLiteral("Размерите са обичайните за g++ и Visual C++; sizeof(int) дава размера точно."),
        QStringLiteral("При float и double: най-голямата стойност и броят на точните значещи цифри."),
        QStringLiteral("unsigned пред цял тип: само стойности >= 0, unsigned int е 0 .. 4294967295."),
    };
    for (const QString &line : notes) {
        text(p, QRectF(16, y, s.width() - 32, 18), line, note, c::Muted,
             Qt::AlignLeft | Qt::AlignVCenter);
        y += 20;
    }
    frame(p, s.width(), s.height());
    return s.finish();
}

// ---------------------------------------------------------------------------
// 7. A cyclic process as a flow chart: start values, condition, body, change.

QImage cyclicProcess()
{
    Sheet s(490, 416);
    QPainter &p = s.p();
    int y = heading(p, s.width(), QStringLiteral("Цикличен процес: блокова схема"));

    const QFont f = sans(13);
    const QFont fc = mono(13, true);
    const qreal cx = 150;
    const QRectF start(cx - 50, y + 4, 100, 28);
    const QRectF init(cx - 85, start.bottom() + 20, 170, 40);
    const QRectF cond(cx - 75, init.bottom() + 22, 150, 62);
    const QRectF body(cx - 85, cond.bottom() + 26, 170, 40);
    const QRectF change(cx - 85, body.bottom() + 20, 170, 40);
    const qreal exitX = 450;
    const QRectF end(exitX - 34, change.bottom() + 2, 68, 26);

    terminal(p, start, QStringLiteral("начало"), f);
    action(p, init, QStringLiteral("s = 0;  i = 1"), fc, c::BlueTint, c::Blue);
    decision(p, cond, QStringLiteral("i <= n ?"), fc, c::OrangeTint, c::Orange);
    action(p, body, QStringLiteral("s = s + i"), fc, c::GreenTint, c::Green);
    action(p, change, QStringLiteral("i = i + 1"), fc, c::PurpleTint, c::Purple);
    terminal(p, end, QStringLiteral("край"), f);

    arrow(p, QPointF(cx, start.bottom()), QPointF(cx, init.top()));
    arrow(p, QPointF(cx, init.bottom()), QPointF(cx, cond.top()));
    arrow(p, QPointF(cx, cond.bottom()), QPointF(cx, body.top()));
    arrow(p, QPointF(cx, body.bottom()), QPointF(cx, change.top()));
    // From the change back to the condition, round the left side.
    const qreal loopX = init.left() - 22;
    const qreal joinY = init.bottom() + 11;
    arrowPath(p,
              {QPointF(cx, change.bottom()), QPointF(cx, change.bottom() + 16),
               QPointF(loopX, change.bottom() + 16), QPointF(loopX, joinY),
               QPointF(cx - 1, joinY)});
    // The way out, past the names of the parts.
    arrowPath(p, {QPointF(cond.right(), cond.center().y()), QPointF(exitX, cond.center().y()),
                  QPointF(exitX, end.top())});
    const QFont yesNo = sans(12, true);
    text(p, QRectF(cx + 6, cond.bottom() + 4, 30, 18), QStringLiteral("да"), yesNo, c::Green,
         Qt::AlignLeft | Qt::AlignVCenter);
    text(p, QRectF(cond.right() + 4, cond.center().y() + 2, 30, 18), QStringLiteral("не"), yesNo,
         c::Red, Qt::AlignLeft | Qt::AlignVCenter);

    // The four parts of every loop, named beside their blocks.
    const QFont tag = sans(12, true);
    const QFont tagNote = sans(11);
    const qreal lx = body.right() + 14;
    auto label = [&](qreal top, const QString &name, const QString &note, const QColor &col) {
        text(p, QRectF(lx, top, 200, 17), name, tag, col, Qt::AlignLeft | Qt::AlignVCenter);
        text(p, QRectF(lx, top + 17, 200, 17), note, tagNote, c::Muted,
             Qt::AlignLeft | Qt::AlignVCenter);
    };
    label(init.center().y() - 17, QStringLiteral("1. начални стойности"),
          QStringLiteral("задават се веднъж"), c::Blue);
    label(cond.top() - 4, QStringLiteral("2. условие"),
          QStringLiteral("проверява се всеки път"), c::Orange);
    label(body.center().y() - 17, QStringLiteral("3. тяло на цикъла"),
          QStringLiteral("повтаряните действия"), c::Green);
    label(change.center().y() - 17, QStringLiteral("4. промяна"),
          QStringLiteral("на управляващата величина"), c::Purple);

    const qreal ny = change.bottom() + 30;
    text(p, QRectF(16, ny, s.width() - 32, 18),
         QStringLiteral("2 -> 3 -> 4 се повтаря, докато условието е истина."), sans(12), c::Ink,
         Qt::AlignLeft | Qt::AlignVCenter);
    text(p, QRectF(16, ny + 20, s.width() - 32, 18),
         QStringLiteral("Без промяната на i условието не се сменя и цикълът е безкраен."),
         sans(12), c::Muted, Qt::AlignLeft | Qt::AlignVCenter);
    frame(p, s.width(), s.height());
    return s.finish();
}

// ---------------------------------------------------------------------------
// 8. Operator precedence in C++, from the highest to the lowest.

QImage precedence()
{
    Table tb;
    tb.rowHeight = 21;
    tb.headerFont = sans(12, true);
    tb.columnFonts = {sans(12), mono(12, true), sans(12), sans(11)};
    tb.columnColours = {c::Muted, c::Blue, c::Ink, c::Muted};
    tb.centred = {0};
    const QString ltr = QStringLiteral("отляво надясно");
    const QString rtl = QStringLiteral("отдясно наляво");
    tb.valueColours = {{rtl, c::Orange}};
    const QList<QStringList> rows = {
        {QStringLiteral("1"), QStringLiteral("a++  a--  f(x)  a[i]"), QStringLiteral("постфиксни"), ltr},
        {QStringLiteral("2"), QStringLiteral("!  -a  ++a  --a  (тип)"), QStringLiteral("едноместни"), rtl},
        {QStringLiteral("3"), QStringLiteral("*  /  %"), QStringLiteral("умножение, деление, остатък"), ltr},
        {QStringLiteral("4"), QStringLiteral("+  -"), QStringLiteral("събиране, изваждане"), ltr},
        {QStringLiteral("5"), QStringLiteral("<<  >>"), QStringLiteral("отместване; вход и изход"), ltr},
        {QStringLiteral("6"), QStringLiteral("<  <=  >  >="), QStringLiteral("сравнение"), ltr},
        {QStringLiteral("7"), QStringLiteral("==  !="), QStringLiteral("равно, различно"), ltr},
        {QStringLiteral("8"), QStringLiteral("&"), QStringLiteral("побитово И"), ltr},
        {QStringLiteral("9"), QStringLiteral("^"), QStringLiteral("побитово изключващо ИЛИ"), ltr},
        {QStringLiteral("10"), QStringLiteral("|"), QStringLiteral("побитово ИЛИ"), ltr},
        {QStringLiteral("11"), QStringLiteral("&&"), QStringLiteral("логическо И"), ltr},
        {QStringLiteral("12"), QStringLiteral("||"), QStringLiteral("логическо ИЛИ"), ltr},
        {QStringLiteral("13"), QStringLiteral("?:  =  +=  -=  *=  /="),
         QStringLiteral("условна операция, присвояване"), rtl},
    };
    const QStringList header = {QStringLiteral("№"), QStringLiteral("операции"),
                                QStringLiteral("вид"), QStringLiteral("изпълнение")};
    tb.columns = fitColumns(tb, header, rows);
    int tableWidth = 0;
    for (int w : tb.columns)
        tableWidth += w;

    Sheet s(tableWidth + 32, 414);
    QPainter &p = s.p();
    int y = heading(p, s.width(), QStringLiteral("Приоритет на операциите в C++"));
    text(p, QRectF(16, y - 4, s.width() - 32, 18),
         QStringLiteral("От най-високия (1) към най-ниския; на един ред - еднакъв приоритет."),
         sans(12), c::Muted, Qt::AlignLeft | Qt::AlignVCenter);
    y += 18;
    y = table(p, 16, y, tb, header, rows) + 10;

    text(p, QRectF(16, y, s.width() - 32, 18),
         QStringLiteral("2 + 3 * 4 == 14    (2 + 3) * 4 == 20    20 / 4 / 5 == 1"), mono(12),
         c::Ink, Qt::AlignLeft | Qt::AlignVCenter);
    text(p, QRectF(16, y + 20, s.width() - 32, 18),
         QStringLiteral("a = b = 0 е a = (b = 0). При съмнение поставяйте скоби."), sans(12),
         c::Muted, Qt::AlignLeft | Qt::AlignVCenter);
    frame(p, s.width(), s.height());
    return s.finish();
}

// ---------------------------------------------------------------------------
// 9. Arithmetic operations: a card that the tasks window shows whole, in
// two columns, its text as large as the other pictures' text.

QImage arithmetic()
{
    Sheet s(212, 150);
    QPainter &p = s.p();
    const QFont label = sans(12, true);
    const QFont code = mono(13);
    const QFont result = mono(13, true);
    const qreal step = 19;
    const qreal charW = textWidth(code, QStringLiteral("0"));
    // Each column right-aligns its expressions to one width so that the "="
    // signs line up.
    auto column = [&](qreal x, qreal y, int exprChars, const QString &heading, const QColor &headCol,
                      const QList<QStringList> &lines) {
        text(p, QRectF(x, y, s.width() - x, 18), heading, label, headCol,
             Qt::AlignLeft | Qt::AlignVCenter);
        y += 21;
        for (const QStringList &line : lines) {
            const QString padded = line[0].rightJustified(exprChars) + QStringLiteral(" = ");
            const qreal end = runs(p, x, y + 13, code, {{padded, c::Ink}});
            runs(p, end, y + 13, result, {{line[1], line.size() > 2 ? headCol : c::Ink}});
            y += step;
        }
        return y;
    };
    const qreal left = 8, right = left + 10 * charW + 8;
    column(left, 6, 5, QStringLiteral("цели: int"), c::Blue,
           {{QStringLiteral("7 + 2"), QStringLiteral("9")},
            {QStringLiteral("7 - 2"), QStringLiteral("5")},
            {QStringLiteral("7 * 2"), QStringLiteral("14")},
            {QStringLiteral("7 / 2"), QStringLiteral("3"), QStringLiteral("!")},
            {QStringLiteral("7 % 2"), QStringLiteral("1"), QStringLiteral("!")}});
    const qreal y = column(right, 6, 6, QStringLiteral("със знак"), c::Blue,
                           {{QStringLiteral("-7 / 2"), QStringLiteral("-3"), QStringLiteral("!")},
                            {QStringLiteral("-7 % 2"), QStringLiteral("-1"), QStringLiteral("!")}});
    column(right, y + 8, 7, QStringLiteral("реални: double"), c::Orange,
           {{QStringLiteral("7.0 / 2"), QStringLiteral("3.5"), QStringLiteral("!")}});
    frame(p, s.width(), s.height());
    return s.finish();
}

// ---------------------------------------------------------------------------
// 10-12. The three loops of C++: the form of each and its flow chart. The
// parts keep the same colours in the text and in the chart.

using Runs = QList<QPair<QString, QColor>>;

// Lines of code in coloured runs, from (x, y) down; returns the y below them.
qreal codeLines(QPainter &p, qreal x, qreal y, const QFont &font, const QList<Runs> &lines)
{
    const qreal step = QFontMetricsF(font).height() + 3;
    for (const Runs &line : lines) {
        runs(p, x, y + QFontMetricsF(font).ascent(), font, line);
        y += step;
    }
    return y;
}

// A captioned panel holding code; returns the y below it.
qreal codePanel(QPainter &p, qreal x, qreal y, qreal w, const QString &caption,
                const QList<Runs> &lines)
{
    const QFont font = mono(13);
    const qreal step = QFontMetricsF(font).height() + 3;
    text(p, QRectF(x, y, w, 18), caption, sans(12, true), c::Muted,
         Qt::AlignLeft | Qt::AlignVCenter);
    const QRectF panel(x, y + 20, w, lines.size() * step + 14);
    box(p, panel, c::Panel, c::Line, 4, 1);
    codeLines(p, x + 10, panel.top() + 7, font, lines);
    return panel.bottom();
}

void yesNo(QPainter &p, QPointF at, bool yes)
{
    text(p, QRectF(at.x(), at.y(), 26, 16), yes ? QStringLiteral("да") : QStringLiteral("не"),
         sans(12, true), yes ? c::Green : c::Red, Qt::AlignLeft | Qt::AlignVCenter);
}

QImage forLoop()
{
    Sheet s(540, 366);
    QPainter &p = s.p();
    int y = heading(p, s.width(), QStringLiteral("Цикъл for"));

    const QColor ink = c::Ink;
    qreal ly = codePanel(p, 16, y, 268, QStringLiteral("Запис"),
                         {{{QStringLiteral("for ("), ink},
                           {QStringLiteral("начало"), c::Blue},
                           {QStringLiteral("; "), ink},
                           {QStringLiteral("условие"), c::Orange},
                           {QStringLiteral("; "), ink},
                           {QStringLiteral("промяна"), c::Purple},
                           {QStringLiteral(")"), ink}},
                          {{QStringLiteral("    "), ink}, {QStringLiteral("тяло"), c::Green}}});
    ly = codePanel(p, 16, ly + 10, 268, QStringLiteral("Пример: s = 1 + 2 + ... + 5"),
                   {{{QStringLiteral("int s = 0;"), ink}},
                    {{QStringLiteral("for ("), ink},
                     {QStringLiteral("int i = 1"), c::Blue},
                     {QStringLiteral("; "), ink},
                     {QStringLiteral("i <= 5"), c::Orange},
                     {QStringLiteral("; "), ink},
                     {QStringLiteral("i++"), c::Purple},
                     {QStringLiteral(")"), ink}},
                    {{QStringLiteral("    "), ink}, {QStringLiteral("s += i;"), c::Green}}});
    const QFont note = sans(12);
    const QStringList notes = {
        QStringLiteral("Началото се изпълнява веднъж."),
        QStringLiteral("След всяко изпълнение на тялото"),
        QStringLiteral("идва промяната, после пак условието."),
        QStringLiteral("i съществува само в цикъла."),
    };
    ly += 10;
    for (const QString &n : notes) {
        text(p, QRectF(16, ly, 270, 18), n, note, c::Muted, Qt::AlignLeft | Qt::AlignVCenter);
        ly += 19;
    }

    // The flow chart on the right.
    const QFont fc = mono(13, true);
    const qreal cx = 392;
    const QRectF init(cx - 62, y + 20, 124, 34);
    const QRectF cond(cx - 62, init.bottom() + 24, 124, 56);
    const QRectF body(cx - 62, cond.bottom() + 28, 124, 34);
    const QRectF change(cx - 62, body.bottom() + 22, 124, 34);
    const QRectF after(cx - 62, change.bottom() + 40, 124, 30);
    action(p, init, QStringLiteral("int i = 1"), fc, c::BlueTint, c::Blue);
    decision(p, cond, QStringLiteral("i <= 5"), fc, c::OrangeTint, c::Orange);
    action(p, body, QStringLiteral("s += i;"), fc, c::GreenTint, c::Green);
    action(p, change, QStringLiteral("i++"), fc, c::PurpleTint, c::Purple);
    terminal(p, after, QStringLiteral("след цикъла"), sans(12));

    arrow(p, QPointF(cx, y + 2), QPointF(cx, init.top()));
    arrow(p, QPointF(cx, init.bottom()), QPointF(cx, cond.top()));
    arrow(p, QPointF(cx, cond.bottom()), QPointF(cx, body.top()));
    arrow(p, QPointF(cx, body.bottom()), QPointF(cx, change.top()));
    const qreal joinY = init.bottom() + 12;
    const qreal leftX = init.left() - 22;
    arrowPath(p, {QPointF(cx, change.bottom()), QPointF(cx, change.bottom() + 12),
                  QPointF(leftX, change.bottom() + 12), QPointF(leftX, joinY),
                  QPointF(cx - 1, joinY)});
    const qreal rightX = cond.right() + 22;
    arrowPath(p, {QPointF(cond.right(), cond.center().y()), QPointF(rightX, cond.center().y()),
                  QPointF(rightX, after.top() - 14), QPointF(cx, after.top() - 14),
                  QPointF(cx, after.top())});
    yesNo(p, QPointF(cx + 6, cond.bottom() + 4), true);
    yesNo(p, QPointF(cond.right() + 2, cond.center().y() - 18), false);
    frame(p, s.width(), s.height());
    return s.finish();
}

QImage whileLoop()
{
    Sheet s(520, 330);
    QPainter &p = s.p();
    int y = heading(p, s.width(), QStringLiteral("Цикъл while (с предусловие)"));

    const QColor ink = c::Ink;
    qreal ly = codePanel(p, 16, y, 250, QStringLiteral("Запис"),
                         {{{QStringLiteral("while ("), ink},
                           {QStringLiteral("условие"), c::Orange},
                           {QStringLiteral(")"), ink}},
                          {{QStringLiteral("    "), ink}, {QStringLiteral("тяло"), c::Green}}});
    ly = codePanel(p, 16, ly + 10, 250, QStringLiteral("Пример: НОД(a, b) по Евклид"),
                   {{{QStringLiteral("while ("), ink},
                     {QStringLiteral("b != 0"), c::Orange},
                     {QStringLiteral(") {"), ink}},
                    {{QStringLiteral("    int r = a % b;"), c::Green}},
                    {{QStringLiteral("    a = b;"), c::Green}},
                    {{QStringLiteral("    b = r;"), c::Green}},
                    {{QStringLiteral("}"), ink}}});
    ly += 10;
    const QStringList notes = {
        QStringLiteral("Условието се проверява преди тялото."),
        QStringLiteral("Ако още в началото е лъжа, тялото"),
        QStringLiteral("не се изпълнява нито веднъж."),
    };
    for (const QString &n : notes) {
        text(p, QRectF(16, ly, 260, 18), n, sans(12), c::Muted, Qt::AlignLeft | Qt::AlignVCenter);
        ly += 19;
    }

    const QFont fc = mono(13, true);
    const qreal cx = 390;
    const QRectF cond(cx - 66, y + 40, 132, 60);
    const QRectF body(cx - 66, cond.bottom() + 30, 132, 54);
    const QRectF after(cx - 62, body.bottom() + 52, 124, 30);
    arrow(p, QPointF(cx, y + 4), QPointF(cx, cond.top()));
    decision(p, cond, QStringLiteral("b != 0"), fc, c::OrangeTint, c::Orange);
    action(p, body, QStringLiteral("r = a % b;\na = b; b = r;"), fc, c::GreenTint, c::Green);
    terminal(p, after, QStringLiteral("след цикъла"), sans(12));
    arrow(p, QPointF(cx, cond.bottom()), QPointF(cx, body.top()));
    const qreal joinY = y + 22;
    const qreal leftX = body.left() - 24;
    arrowPath(p, {QPointF(cx, body.bottom()), QPointF(cx, body.bottom() + 14),
                  QPointF(leftX, body.bottom() + 14), QPointF(leftX, joinY),
                  QPointF(cx - 1, joinY)});
    const qreal rightX = cond.right() + 22;
    arrowPath(p, {QPointF(cond.right(), cond.center().y()), QPointF(rightX, cond.center().y()),
                  QPointF(rightX, after.top() - 14), QPointF(cx, after.top() - 14),
                  QPointF(cx, after.top())});
    yesNo(p, QPointF(cx + 6, cond.bottom() + 4), true);
    yesNo(p, QPointF(cond.right() + 2, cond.center().y() - 18), false);
    frame(p, s.width(), s.height());
    return s.finish();
}

QImage doWhileLoop()
{
    Sheet s(520, 330);
    QPainter &p = s.p();
    int y = heading(p, s.width(), QStringLiteral("Цикъл do-while (със следусловие)"));

    const QColor ink = c::Ink;
    qreal ly = codePanel(p, 16, y, 250, QStringLiteral("Запис"),
                         {{{QStringLiteral("do"), ink}},
                          {{QStringLiteral("    "), ink}, {QStringLiteral("тяло"), c::Green}},
                          {{QStringLiteral("while ("), ink},
                           {QStringLiteral("условие"), c::Orange},
                           {QStringLiteral(");"), ink}}});
    ly = codePanel(p, 16, ly + 10, 250, QStringLiteral("Пример: брой на цифрите на n"),
                   {{{QStringLiteral("int d = 0;"), ink}},
                    {{QStringLiteral("do {"), ink}},
                    {{QStringLiteral("    d++;"), c::Green}},
                    {{QStringLiteral("    n /= 10;"), c::Green}},
                    {{QStringLiteral("} while ("), ink},
                     {QStringLiteral("n != 0"), c::Orange},
                     {QStringLiteral(");"), ink}}});
    ly += 10;
    const QStringList notes = {
        QStringLiteral("Тялото се изпълнява поне веднъж:"),
        QStringLiteral("за n = 0 броят е 1. След while (...)"),
        QStringLiteral("се пише точка и запетая."),
    };
    for (const QString &n : notes) {
        text(p, QRectF(16, ly, 260, 18), n, sans(12), c::Muted, Qt::AlignLeft | Qt::AlignVCenter);
        ly += 19;
    }

    const QFont fc = mono(13, true);
    const qreal cx = 390;
    const QRectF body(cx - 66, y + 40, 132, 54);
    const QRectF cond(cx - 66, body.bottom() + 30, 132, 60);
    const QRectF after(cx - 62, cond.bottom() + 38, 124, 30);
    arrow(p, QPointF(cx, y + 4), QPointF(cx, body.top()));
    action(p, body, QStringLiteral("d++;\nn /= 10;"), fc, c::GreenTint, c::Green);
    decision(p, cond, QStringLiteral("n != 0"), fc, c::OrangeTint, c::Orange);
    terminal(p, after, QStringLiteral("след цикъла"), sans(12));
    arrow(p, QPointF(cx, body.bottom()), QPointF(cx, cond.top()));
    // "да": back up to the body, round the left side.
    const qreal joinY = y + 22;
    const qreal leftX = body.left() - 24;
    arrowPath(p, {QPointF(cond.left(), cond.center().y()), QPointF(leftX, cond.center().y()),
                  QPointF(leftX, joinY), QPointF(cx - 1, joinY)});
    arrow(p, QPointF(cx, cond.bottom()), QPointF(cx, after.top()));
    yesNo(p, QPointF(leftX + 5, cond.center().y() - 18), true);
    yesNo(p, QPointF(cx + 6, cond.bottom() + 6), false);
    frame(p, s.width(), s.height());
    return s.finish();
}

// ---------------------------------------------------------------------------
// W1. The empty picture, shown when an item has no picture of its own.

QImage emptyPicture()
{
    const QColor ground(0xF3, 0xF3, 0xEF);
    const QColor faint(0xC9, 0xCB, 0xC2);
    Sheet s(96, 96, ground);
    QPainter &p = s.p();
    // A faint outline of a landscape photo.
    const QRectF photo(28, 22, 40, 32);
    box(p, photo, ground, faint, 3, 1.4);
    p.save();
    p.setPen(QPen(faint, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(58, 31), 3.5, 3.5);
    p.drawPolyline(QPolygonF({QPointF(31, 50), QPointF(42, 37), QPointF(50, 46),
                              QPointF(55, 41), QPointF(65, 50)}));
    p.restore();
    text(p, QRectF(0, 62, 96, 16), QStringLiteral("без илюстрация"), sans(9),
         QColor(0x9A, 0x9D, 0x93));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(faint, 1));
    p.drawRect(3, 3, 89, 89);
    p.restore();
    return s.finish();
}

// ---------------------------------------------------------------------------
// W2. The logo of the sponsor, the foundation "Бит и байт".

QImage sponsorLogo()
{
    Sheet s(340, 180);
    QPainter &p = s.p();
    const QFont nameFont = sans(26, true);
    const QString name = QStringLiteral("„Бит и байт“");
    const qreal emblemSize = 84, space = 18;
    const qreal left = (s.width() - emblemSize - space - textWidth(nameFont, name)) / 2;

    // The emblem: one byte, 01000010 (66, the code of the letter 'B').
    const QRectF emblem(left, 46, emblemSize, emblemSize);
    box(p, emblem, c::Blue, QColor(), 14, 0);
    const QString bits = QStringLiteral("01000010");
    const qreal cell = 15, gapX = 3.5;
    const qreal bx = emblem.left() + (emblem.width() - 4 * cell - 3 * gapX) / 2;
    const qreal by = emblem.top() + 18;
    for (int i = 0; i < 8; ++i) {
        const int row = i / 4, column = i % 4;
        const QRectF r(bx + column * (cell + gapX), by + row * (cell + 14), cell, cell);
        if (bits[i] == QLatin1Char('1'))
            box(p, r, c::Paper, QColor(), 2, 0);
        else
            box(p, r.adjusted(1, 1, -1, -1), c::Blue, QColor(0x93, 0xB4, 0xF5), 2, 1.6);
    }
    text(p, QRectF(emblem.left(), emblem.bottom() - 22, emblem.width(), 16), bits, mono(10),
         QColor(0xBF, 0xD3, 0xFB));

    const qreal tx = emblem.right() + space;
    const qreal tw = s.width() - tx - 8;
    text(p, QRectF(tx + 1, 48, tw, 20), QStringLiteral("Ф О Н Д А Ц И Я"), sans(13, true),
         c::Muted, Qt::AlignLeft | Qt::AlignVCenter);
    text(p, QRectF(tx - 2, 68, tw, 40), name, nameFont, c::Blue, Qt::AlignLeft | Qt::AlignVCenter);
    p.save();
    p.setPen(QPen(c::Orange, 2));
    p.drawLine(QPointF(tx + 1, 112.5), QPointF(tx + textWidth(nameFont, name) - 4, 112.5));
    p.restore();
    text(p, QRectF(tx + 1, 116, tw, 18), QStringLiteral("за млади програмисти"), sans(12), c::Ink,
         Qt::AlignLeft | Qt::AlignVCenter);
    return s.finish();
}

} // namespace

QList<Picture> drawAll()
{
    return {
        {QStringLiteral("grafika-g-01.jpg"), sieve(), 82},
        {QStringLiteral("grafika-g-02.gif"), circularList(), 0},
        {QStringLiteral("grafika-g-03.jpg"), logicalOperations(), 85},
        {QStringLiteral("grafika-g-04.jpg"), backtrackingTree(), 85},
        {QStringLiteral("grafika-g-05.jpg"), catalan(), 85},
        {QStringLiteral("grafika-g-06.jpg"), variableTypes(), 85},
        {QStringLiteral("grafika-g-07.jpg"), cyclicProcess(), 85},
        {QStringLiteral("grafika-g-08.jpg"), precedence(), 85},
        {QStringLiteral("grafika-g-09.jpg"), arithmetic(), 92},
        {QStringLiteral("grafika-g-10.jpg"), forLoop(), 85},
        {QStringLiteral("grafika-g-11.jpg"), whileLoop(), 85},
        {QStringLiteral("grafika-g-12.jpg"), doWhileLoop(), 85},
        {QStringLiteral("grafika-w-1.png"), emptyPicture(), 95},
        {QStringLiteral("grafika-w-2.jpg"), sponsorLogo(), 92},
    };
}

} // namespace pictures
