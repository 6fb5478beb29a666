#include "controls/TextBox.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>

namespace urok {

TextBox::TextBox(const QString &name, QWidget *parent)
    : QPlainTextEdit(parent)
{
    setObjectName(name);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(false);
}

QString TextBox::text() const
{
    // toPlainText() would turn a no-break space into a plain one; the text is
    // taken as typed, with only the paragraph breaks made line ends.
    QString t = pending_ ? *pending_ : document()->toRawText();
    if (!pending_) {
        t.replace(QChar::ParagraphSeparator, u'\n');
        t.replace(QChar::LineSeparator, u'\n');
    }
    t.replace(u'\n', QStringLiteral("\r\n"));
    return t;
}

void TextBox::setText(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    if (isVisible()) {
        pending_.reset();
        setPlainText(t);
        caretToFirstLine();
    } else {
        pending_ = t;
    }
}

void TextBox::clear()
{
    pending_.reset();
    QPlainTextEdit::clear();
}

void TextBox::showEvent(QShowEvent *event)
{
    if (pending_) {
        const QString t = *pending_;
        pending_.reset();
        setPlainText(t);
        caretToFirstLine();
    }
    QPlainTextEdit::showEvent(event);
}

void TextBox::setLocked(bool locked)
{
    const bool was = isReadOnly();
    setReadOnly(locked);
    if (locked)
        setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    // A screen reader is told at once, also while the box has the focus.
    if (was != locked) {
        QAccessible::State changed;
        changed.readOnly = true;
        changed.editable = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void TextBox::setFontSize(double points)
{
    if (points <= 0)
        return;
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusInEvent(event);
    Q_EMIT GotFocus();
}

void TextBox::caretToFirstLine()
{
    // Done as the text is given, before the box takes the focus: a caret
    // that moved as the focus came would make Orca take the box silently.
    if (!isLocked())
        return;
    QTextBlock line = document()->firstBlock();
    while (line.isValid() && line.text().trimmed().isEmpty())
        line = line.next();
    if (line.isValid() && line.position() > 0) {
        QTextCursor caret = textCursor();
        caret.setPosition(line.position());
        setTextCursor(caret);
    }
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier)) {
            // The text edit's own step refuses while Tab is typed.
            QWidget::focusNextPrevChild(true);
            return;
        }
        if (event->key() == Qt::Key_Backtab
            || (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier))) {
            QWidget::focusNextPrevChild(false);
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace urok
