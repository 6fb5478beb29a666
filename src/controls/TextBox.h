#pragma once

#include <QPlainTextEdit>

#include <optional>

namespace urok {

// A multi-line text box. Its text is read and written with CR LF line
// ends, the line end of the lesson's texts and files; `Locked` makes it
// read-only while it can still be focused, scrolled, copied from and read
// with the caret keys, line by line and letter by letter (a locked text that
// starts with empty lines takes the focus with the caret on its first line
// of text, so that a screen reader does not begin with silence). Tab types a
// tab in a box that can be written in and leaves a locked one; Ctrl+Tab and
// Ctrl+Shift+Tab always go on to the next or the previous control.
//
// A text given to a box that is not on the screen is laid out only when the
// box is first shown: the lesson fills many boxes of windows that are not
// open yet, and some never are.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TextBox(const QString &name, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    void clear();

    bool isLocked() const { return isReadOnly(); }
    void setLocked(bool locked);

    // The font size in points as a fraction (the font takes the nearest size it can show).
    double fontSize() const { return font().pointSizeF(); }
    void setFontSize(double points);

Q_SIGNALS:
    void GotFocus();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void caretToFirstLine();

    std::optional<QString> pending_; // with LF line ends
};

} // namespace urok
