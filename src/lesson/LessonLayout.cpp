// Where the main window's controls stand and how they look: the layout that
// keeps their proportions when the window is resized, the pupil's look, the
// context menu.
#include "controls/ClientArea.h"
#include "controls/ControlLook.h"
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/Shape.h"
#include "controls/SpokenLabels.h"
#include "controls/TextBox.h"
#include "controls/Twips.h"
#include "lesson/Tarv.h"

#include <QFontInfo>
#include <QLabel>
#include <QMenu>

namespace urok {

// The layout positions: Shape_Lenta(0) stands at FirstShapePosition.
QList<QWidget *> Tarv::layoutElements() const
{
    return {Text_U[0],   Text_U[1],     Label_U[0],     Label_U[1],     Label_U[2],
            Label_U[3],  Picture_Ur[0], List_Ur[0],     Shape_Lenta[0], Shape_Lenta[1],
            Shape_Lenta[2], Shape_Lenta[3]};
}

void Tarv::captureLayout()
{
    QList<QRect> design;
    for (QWidget *w : layoutElements())
        design.append(w->geometry());
    layout.capture(twipsFor(this).size(DesignWidth, DesignHeight), design);
    ribbonIndex = FirstShapePosition;
}

QSize Tarv::innerSize() const
{
    // Until the window is first shown and laid out, its area has the design size.
    return inner_.isValid() ? inner_ : layout.designInnerSize();
}

void Tarv::Form_Resize()
{
    if (layout.count() == 0)
        return;
    const QSize inner = innerSize();
    const QList<QWidget *> elements = layoutElements();
    for (int p = 0; p < elements.size(); ++p)
        elements[p]->setGeometry(layout.place(p, inner));
    // The bar and the ribbon keep the progress they show.
    drawBar();
    drawRibbon();
}

float Tarv::scaledX(int twips) const
{
    const QSize design = layout.designInnerSize();
    return design.width() > 0 ? static_cast<float>(twips) * innerSize().width() / design.width()
                              : static_cast<float>(twips);
}

float Tarv::scaledY(int twips) const
{
    const QSize design = layout.designInnerSize();
    return design.height() > 0 ? static_cast<float>(twips) * innerSize().height() / design.height()
                               : static_cast<float>(twips);
}

void Tarv::Form_MouseDown(Qt::MouseButton button, QPoint position)
{
    if (button == Qt::RightButton)
        mnu_Sydyrv_plan->popup(client_->mapToGlobal(position));
}

// ---- The look -----------------------------------------------------------------

Look Tarv::presentLook() const
{
    const TextBox *topic = Text_U[0];
    Look look;
    look.fontName = topic->font().family();
    // A font given in pixels has no point size of its own; the size it shows has.
    look.fontPoints = topic->fontSize() > 0 ? topic->fontSize()
                                            : QFontInfo(topic->font()).pointSizeF();
    look.windowBack = backColor(client_);
    look.fieldText = foreColor(topic);
    look.fieldBack = backColor(topic);
    look.labelBack = backColor(Label_U[3]);
    return look;
}

void Tarv::applyLook(const Look &look)
{
    setBackColor(client_, look.windowBack);
    setBackColor(Label_U[1], look.windowBack);
    setBackColor(Label_U[2], look.windowBack);
    setBackColor(Picture_Ur[0], look.windowBack);
    setBackColor(Label_U[0], look.labelBack);
    setBackColor(Label_U[3], look.labelBack);
    for (QWidget *field : {static_cast<QWidget *>(Text_U[0]), static_cast<QWidget *>(Text_U[1]),
                           static_cast<QWidget *>(List_Ur[0])}) {
        setBackColor(field, look.fieldBack);
        setForeColor(field, look.fieldText);
        setFontFamily(field, look.fontName);
        setFontPoints(field, look.fontPoints);
    }
    // Said when the window is in front again, the colour window gone.
    if (isVisible())
        Izwestie->say(QStringLiteral("Новите цветове и шрифт са приложени."));
}

} // namespace urok
