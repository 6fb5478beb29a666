#include "windows/Tarv_Zad.h"

#include "controls/ControlLook.h"
#include "controls/Controls.h"
#include "controls/ListBox.h"
#include "controls/SpokenLabels.h"
#include "controls/TextBox.h"
#include "controls/Twips.h"
#include "engine/LessonContext.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"

#include <QCloseEvent>

namespace urok {

Tarv_Zad::Tarv_Zad(LessonContext &lesson)
    : lesson_(lesson)
{
    setObjectName(QStringLiteral("Tarv_Zad"));
    setWindowTitle(QStringLiteral("Изберете желана стойност за размер на шрифта"));
    setFont(QFont(QStringLiteral("Times New Roman"), 12));
    const Twips tw = twipsFor(this);
    resize(tw.size(DesignWidth, DesignHeight));

    List_font = new ListBox(QString(), this);
    nameControl(List_font, QStringLiteral("List_font"), QStringLiteral("Размер на шрифта"),
                QStringLiteral(" Изберете желан размер на шрифта"));
    List_font->setFont(QFont(QStringLiteral("Arial"), 12));
    List_font->setGeometry(tw.rect(120, 120, 1815, 330));
    describeForKeys(List_font, QStringLiteral("Стрелките минават през размерите от 10 до 40, "
                                              "Enter избира размера на текста."));
    List_font->setChosenWord(QStringLiteral("избран"));
    for (int size = 10; size <= 40; size += 2)
        List_font->addEntry(QString::number(size));
    // A size the pupil chooses is said: the text changes where the focus is not.
    auto *notice = new SpokenNotice(this);
    connect(List_font, &ListBox::Click, this, [this, notice] {
        List_font_Click();
        if (isVisible())
            notice->say(QStringLiteral("Текстът е с размер %1.").arg(List_font->selectedText()));
    });

    Obsho_Pole = new TextBox(QString(), this);
    nameControl(Obsho_Pole, QStringLiteral("Obsho_Pole"), QStringLiteral("Увеличен текст"),
                QStringLiteral("Настройте размерите на цялата форма чрез мишката"));
    Obsho_Pole->setGeometry(tw.rect(120, 600, 11500, 6315));
}

void Tarv_Zad::Form_Load()
{
    Obsho_Pole->setFontSize(leadingNumber(List_font->itemText(List_font->listIndex() + 1)));
    ItemList &look = lesson_.state.List_Un(2);
    setBackColor(Obsho_Pole, leadingInteger(look.item(7)));
    setForeColor(Obsho_Pole, leadingInteger(look.item(11)));
    setBackColor(this, leadingInteger(look.item(3)));
    Razpolozhi();
}

void Tarv_Zad::open(const QString &text, bool editable)
{
    // The answer asked for again while it is typed here: the typing stays.
    if (editable_ && editable && isVisible()) {
        raise();
        activateWindow();
        return;
    }
    // What was typed goes back before another text takes its place.
    handTypingBack();
    editable_ = editable;
    Obsho_Pole->setLocked(!editable);
    describeForKeys(Obsho_Pole, editable ? QStringLiteral("Написаното тук се връща в отговора, "
                                                          "когато прозорецът се затвори с Escape.")
                                         : QStringLiteral("Стрелките четат текста ред по ред; "
                                                          "Escape затваря прозореца."));
    Obsho_Pole->setText(text);
    List_font->setListIndex(leadingInteger(lesson_.state.List_Ur(1).item(5)));
    show();
    raise();
    activateWindow();
}

void Tarv_Zad::applyLook(const Look &look)
{
    setBackColor(this, look.windowBack);
    setBackColor(Obsho_Pole, look.fieldBack);
    setForeColor(Obsho_Pole, look.fieldText);
}

void Tarv_Zad::Form_Resize()
{
    Razpolozhi();
}

void Tarv_Zad::Razpolozhi()
{
    const int h = 4 * List_font->height();
    const QRect outer = frameGeometry();
    Obsho_Pole->resize(static_cast<int>(0.95 * outer.width()), Obsho_Pole->height());
    if (outer.height() > h)
        Obsho_Pole->resize(Obsho_Pole->width(), outer.height() - h);
}

void Tarv_Zad::List_font_Click()
{
    const int i = List_font->listIndex();
    const QString v = List_font->itemText(i);
    Obsho_Pole->setFontSize(leadingNumber(v));
    ItemList &record = lesson_.state.List_Ur(1);
    record.setItem(4, v);
    record.setItem(5, QString::number(i));
}

void Tarv_Zad::handTypingBack()
{
    if (editable_ && isVisible())
        Q_EMIT textTyped(Obsho_Pole->text());
}

void Tarv_Zad::stopTyping()
{
    handTypingBack();
    editable_ = false;
    Obsho_Pole->setLocked(true);
}

void Tarv_Zad::closeEvent(QCloseEvent *event)
{
    handTypingBack();
    editable_ = false;
    AuxiliaryWindow::closeEvent(event);
}

void Tarv_Zad::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

} // namespace urok
