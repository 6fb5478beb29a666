#include "lesson/Tarv_Gra.h"

#include "content/Picture.h"
#include "controls/Controls.h"
#include "controls/PictureBox.h"


namespace urok {

Tarv_Gra::Tarv_Gra(LessonContext &)
{
    setObjectName(QStringLiteral("Tarv_Gra"));
    setWindowTitle(QStringLiteral("Пълен размер на графиката"));
    Grafika_G[0] = new PictureBox(QString(), this);
    nameControl(Grafika_G[0], QStringLiteral("Grafika_G(0)"),
                QStringLiteral("Изображение в пълен размер"));
    Grafika_G[0]->setFrameShape(QFrame::NoFrame);
    Grafika_G[0]->setKeyboardHint(QStringLiteral("Escape затваря прозореца."));
    Grafika_G[0]->move(0, 0);
}

void Tarv_Gra::Form_Load()
{
    // Nothing to load: each picture comes with showPicture.
}

void Tarv_Gra::showPicture(const Picture &picture, QSize margin)
{
    Grafika_G[0]->setPicture(picture);
    Grafika_G[0]->resize(picture.holderSize());
    // The window says what it shows.
    setAccessibleDescription(Grafika_G[0]->spokenDescription());
    // The inner area is sized, not the frame: the title bar never covers
    // the bottom of the picture.
    resize(picture.holderSize() + margin);
    show();
    raise();
    // Active, so that Escape from the keyboard closes it.
    activateWindow();
}

} // namespace urok
