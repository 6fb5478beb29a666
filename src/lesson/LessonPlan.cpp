// The plan and what the pupil reads beside it: the plan points' texts and
// pictures, the lesson information, the authors' texts, and the commands that
// lead to the other windows.
#include "content/Picture.h"
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/SpokenLabels.h"
#include "controls/TextBox.h"
#include "controls/Twips.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "engine/Options.h"
#include "engine/TickSource.h"
#include "lesson/Tarv.h"

namespace urok {

void Tarv::Popylni_plan()
{
    ItemList &plan = state_.Plan_Tarv(0);
    ItemList &ordered = state_.List_Ur(2);
    const int c = plan.count();
    int m = c;
    for (int k = 1; k < c; ++k) {
        const QString entry = plan.item(k);
        if (entry.size() < 7) {
            --m;
            continue;
        }
        ordered.add(entry);
    }
    // The entries in key order, without the key and its blank.
    for (int k = 1; k < m; ++k)
        List_Ur[0]->addEntry(ordered.item(k).mid(4));

    Text_U[0]->setText(plan.item(0));
    const int p = leadingInteger(state_.Spi_GR(3).item(0));
    showPicture(p);
}

void Tarv::showPicture(int number)
{
    Picture_Ur[0]->setPicture(number > 0 ? state_.Grafika_G(number) : state_.Grafika_W(1));
}

void Tarv::List_Ur_Click()
{
    if (Opcia(Option::TeachingMaterial) < 1)
        return;
    ItemList &plan = state_.Plan_Tarv(0);
    const int n = plan.count() - 1;
    const int s = List_Ur[0]->listIndex() + 1;
    writing.currentPoint = static_cast<qint16>(s);

    const QString d = List_Ur[0]->selectedText();
    int matched = 0;
    for (int k = 0; k <= n; ++k) {
        if (plan.item(k).right(d.size()) == d) {
            matched = k;
            Text_U[1]->setText(state_.Podtochki(k));
        }
    }

    const int p = leadingInteger(state_.Spi_GR(3).item(matched));
    pictureNumber = p;
    if (p > 0) {
        Picture_Ur[0]->setPicture(state_.Grafika_G(p));
        pictureSource = 1;
    } else {
        Picture_Ur[0]->setPicture(state_.Grafika_W(1));
    }

    if (s >= 1 && s <= MaxPlanPoints && writing.done[s] == 0) {
        qint16 t = Opcia(Option::PointTimeResumes) == 0
                       ? static_cast<qint16>(roundedNumber(state_.Wremena(2).item(s), -32768, 32767))
                       : writing.remaining[s];
        // A point always takes at least a second to write: with no time at
        // all it could never be counted as written and the lesson would stop.
        if (t < 1)
            t = 1;
        writing.remaining[s] = t;
        currentTime = t;
        Lenta_tochka(ribbonIndex - 2);
        showProgress();
        Izwestie->say(QStringLiteral("Точка %1 се записва. %2.").arg(s).arg(remainingTimeText(t)));
    } else if (s >= 1 && s <= MaxPlanPoints && writing.done[s] == 1) {
        Izwestie->say(QStringLiteral("Точка %1 вече е записана; текстът ѝ е показан.").arg(s));
    }

    if (Opcia(Option::PlanOpenWhileWriting) == 0)
        List_Ur[0]->setLocked(true, QStringLiteral("Точката се записва. Списъкът ще се отключи, "
                                                   "когато времето ѝ изтече."));
}

void Tarv::Sydyrv_pla_Click(int index)
{
    Text_U[1]->clear();
    Text_U[1]->setText(state_.Dopyln_M(index));
    if (!state_.Grafika_W(3).sameAs(state_.Grafika_W(1))) {
        Picture_Ur[0]->setPicture(state_.Grafika_W(3));
        pictureNumber = 3;
        pictureSource = 2;
    }
}

void Tarv::awtori_Click(int index)
{
    if (index < 1 || index > 3)
        return;
    Text_U[1]->setText(state_.Reklama_Par(index));
    if (index == 1) {
        Picture_Ur[0]->setPicture(state_.Grafika_W(2));
        pictureNumber = 2;
        pictureSource = 2;
    }
}

void Tarv::Picture_Ur_Click(int index)
{
    Q_UNUSED(index);
    if (pictureNumber < 1)
        return;
    const Picture *source = nullptr;
    if (pictureSource == 1)
        source = &state_.Grafika_G(pictureNumber);
    else if (pictureSource == 2)
        source = &state_.Grafika_W(pictureNumber);
    if (!source || source->isEmpty())
        return;
    const QSize size = source->holderSize();
    if (Picture_Ur[0]->width() > size.width() && Picture_Ur[0]->height() > size.height())
        return;
    Q_EMIT pictureWanted(*source, twipsFor(this).size(100, 100));
}

// ---- To the other windows and back ------------------------------------------

void Tarv::mnu_Wyprosi_Click()
{
    Timer1->setEnabled(false);
    hide();
    // The tasks window takes the lesson's place on the screen.
    Q_EMIT tasksWanted();
}

void Tarv::comeBack(const QWidget &place)
{
    Timer1->setEnabled(true);
    setWindowState(place.windowState());
    if (!place.isMaximized() && !place.isFullScreen())
        setGeometry(place.geometry());
    show();
    raise();
    activateWindow();
}

void Tarv::mnu_Cwqt_Click()
{
    // Opening copies the window's present look into the settings and shows
    // the colour window; a window already open only comes forward.
    Q_EMIT coloursWanted();
}

void Tarv::mnu_Fokus_Click()
{
    Text_U[2]->setText(Text_U[1]->text());
    Text_U[2]->setFontSize(leadingNumber(state_.List_Ur(1).item(4)));
    Q_EMIT focusWanted(Text_U[2]->text(), false);
}

} // namespace urok
