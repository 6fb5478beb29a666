#pragma once

#include "controls/AuxiliaryWindow.h"
#include "engine/Look.h"

namespace urok {

class ListBox;
class TextBox;
struct LessonContext;

// The Focus window: a text shown enlarged, with a choice of font size from
// 10 to 40 points that the lesson remembers for the next time. A text
// opened to typing is handed back as it was left when the window closes.
class Tarv_Zad : public AuxiliaryWindow
{
    Q_OBJECT
public:
    explicit Tarv_Zad(LessonContext &lesson);

    void Form_Load();
    // Shows a text enlarged, read-only or open to typing, at the size the
    // pupil chose last.
    void open(const QString &text, bool editable);
    // What is typed here goes back to the answer now (the lesson ends, or
    // the answer's time is over); stopTyping then takes no more.
    void handTypingBack();
    void stopTyping();
    void applyLook(const Look &look);

    static constexpr int DesignWidth = 11715;
    static constexpr int DesignHeight = 6915;

Q_SIGNALS:
    // The window closes, takes another text, or is asked for its typing,
    // after it was opened to typing: the text as the pupil left it.
    void textTyped(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Resize();
    void Razpolozhi();
    void List_font_Click();

    ListBox *List_font = nullptr;
    TextBox *Obsho_Pole = nullptr;
    LessonContext &lesson_;
    bool editable_ = false;
};

} // namespace urok
