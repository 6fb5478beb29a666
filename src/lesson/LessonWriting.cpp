// The timed writing of the plan: the seconds of the point being written,
// the countdown bar and the plan ribbon.
#include "controls/ListBox.h"
#include "controls/Shape.h"
#include "controls/SpokenLabels.h"
#include "controls/Twips.h"
#include "engine/NumericText.h"
#include "engine/Options.h"
#include "lesson/LessonDesign.h"
#include "lesson/Tarv.h"

#include <QAction>
#include <QLabel>

namespace urok {

namespace {

const QString ribbonTip = QStringLiteral(
    " Лявата (зелената) част представя какъв материал от плана е преминат, а дясната "
    "(червената) оставащият ");

} // namespace

void Tarv::Timer1_Timer()
{
    ++tickCount;
    if (tickCount % 10 == 0)
        Sekunda();
}

void Tarv::Sekunda()
{
    if (writing.currentPoint == 0)
        return;
    const int k = List_Ur[0]->listIndex() + 1;
    if (k < 1 || k > MaxPlanPoints)
        return;
    if (writing.remaining[k] == 0) {
        Kraj_tochka();
        return;
    }
    if (Opcia(Option::CountdownBar) == 1) {
        Shape_Lenta[0]->show();
        Shape_Lenta[1]->show();
        mnu_Wyprosi->setEnabled(false);
    }
    --writing.remaining[k];
    bar.second();
    drawBar();
    showProgress();
    if (writing.remaining[k] > 0)
        return;

    writing.done[k] = 1;
    List_Ur[0]->setEntryNote(k - 1, QStringLiteral("записана"));
    if (writing.done[0] > 0)
        --writing.done[0];
    const bool tasksWereOpen = mnu_Wyprosi->isEnabled();
    if (writing.done[0] == 0)
        mnu_Wyprosi->setEnabled(true);
    if (Opcia(Option::TasksBeforePlanWritten) == 1)
        mnu_Wyprosi->setEnabled(true);
    Lenta_plan();
    // Said without moving the focus: the pupil may be reading elsewhere.
    QString said = QStringLiteral("Точка %1 е записана.").arg(k);
    if (writing.openPoints() == 0)
        said += QStringLiteral(" Всички точки са записани.");
    if (!tasksWereOpen && mnu_Wyprosi->isEnabled() && writing.openPoints() == 0)
        said += QStringLiteral(" „Задачи/Речник“ вече се отваря: Alt и буквата З.");
    else if (List_Ur[0]->isLocked())
        said += QStringLiteral(" Списъкът с точките се отключва.");
    Izwestie->say(said);
}

void Tarv::Kraj_tochka()
{
    Shape_Lenta[0]->hide();
    Shape_Lenta[1]->hide();
    List_Ur[0]->setLocked(false);
    showProgress();
}

void Tarv::Lenta_tochka(int position)
{
    Q_UNUSED(position); // the bar's two shapes stand at FirstShapePosition and the next
    bar.setUp(scaledY(shapeDesign[1].top), scaledY(shapeDesign[0].height),
              scaledY(shapeDesign[1].height), currentTime, innerSize());
}

void Tarv::Lenta_init()
{
    if (Opcia(Option::CountdownBar) == 1)
        currentTime = 10;
    Lenta_tochka(ribbonIndex);
    ribbonIndex += 2;
    ribbon.setUp(scaledX(shapeDesign[2].left), scaledX(shapeDesign[2].width),
                 scaledX(shapeDesign[3].width), planCount, innerSize());
}

void Tarv::Lenta_plan()
{
    if (Opcia(Option::RibbonRequirementsAim) == 0) {
        Shape_Lenta[2]->hide();
        Shape_Lenta[3]->hide();
        return;
    }
    Shape_Lenta[2]->show();
    Shape_Lenta[3]->show();
    Label_U[1]->setToolTip(ribbonTip);
    Label_U[1]->setAccessibleDescription(ribbonTip.trimmed());
    if (ribbon.steps <= planCount - 1) {
        ribbon.advance(planCount);
        if (ribbon.redHidden)
            Shape_Lenta[2]->hide();
        drawRibbon();
    }
    showProgress();
}

// The bar's and the ribbon's progress as values for a screen reader: the
// seconds left of the point being written, and the points written.
void Tarv::showProgress()
{
    const std::optional<int> counted = pointTimeLeft();
    const bool counting = counted.has_value();
    const int left = counted.value_or(0);
    const int time = counting ? qMax<int>(currentTime, left) : 0;
    static_cast<ProgressLabel *>(Label_U[2])
        ->setProgress(left, time,
                      counting ? QStringLiteral("%1 %2 от %3")
                                         .arg(left == 1 ? QStringLiteral("Остава")
                                                        : QStringLiteral("Остават"))
                                         .arg(secondsText(left))
                                         .arg(time)
                               : QStringLiteral("Не се записва точка"));
    const int points = qBound(0, planCount, MaxPlanPoints);
    const int written = points - writing.openPoints();
    static_cast<ProgressLabel *>(Label_U[1])
        ->setProgress(written, points,
                      QStringLiteral("Записани точки: %1 от %2").arg(written).arg(points));
}

std::optional<int> Tarv::pointTimeLeft() const
{
    const int k = writing.currentPoint;
    if (k >= 1 && k <= MaxPlanPoints && writing.done[k] == 0 && writing.remaining[k] > 0)
        return writing.remaining[k];
    return std::nullopt;
}

void Tarv::sayTimeLeft()
{
    Izwestie->say(remainingTimeText(pointTimeLeft()));
}

// Bar and ribbon values are twips of the window at the size they were set
// up for; they are drawn in proportion to the window's present size.
void Tarv::drawBar()
{
    if (bar.reference.isEmpty())
        return;
    const Twips tw = twipsFor(this);
    const QSize inner = innerSize();
    const double ky = inner.height() / bar.reference.height();
    auto y = [&](float v) { return tw.y(static_cast<int>(v * ky)); };
    const QRect remaining = layout.place(FirstShapePosition, inner);
    const QRect elapsed = layout.place(FirstShapePosition + 1, inner);
    Shape_Lenta[0]->setGeometry(remaining.x(), remaining.y(), remaining.width(),
                                y(bar.leftHeight));
    Shape_Lenta[1]->setGeometry(elapsed.x(), y(bar.top), elapsed.width(), y(bar.usedHeight));
}

void Tarv::drawRibbon()
{
    if (ribbon.reference.isEmpty() || ribbon.steps == 0)
        return;
    const Twips tw = twipsFor(this);
    const QSize inner = innerSize();
    const double kx = inner.width() / ribbon.reference.width();
    auto x = [&](float v) { return tw.x(static_cast<int>(v * kx)); };
    const QRect red = layout.place(FirstShapePosition + 2, inner);
    const QRect green = layout.place(FirstShapePosition + 3, inner);
    Shape_Lenta[2]->setGeometry(x(ribbon.redLeft), red.y(), x(ribbon.redWidth), red.height());
    Shape_Lenta[3]->setGeometry(green.x(), green.y(), x(ribbon.greenWidth), green.height());
}

} // namespace urok
