#include "engine/Prompter.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace urok {

QString lessonCaption()
{
    return QStringLiteral("Електронен урок");
}

bool MessageBoxPrompter::ask(const Message &message)
{
    // The window the question comes from: the one in front, or, for a
    // question that follows another at once, before the window system has
    // brought that window back, the one the last question came from.
    static QPointer<QWidget> lastFront;
    if (QWidget *active = QApplication::activeWindow())
        lastFront = active;
    const QPointer<QWidget> front = lastFront && lastFront->isVisible() ? lastFront : nullptr;
    QMessageBox box(front);
    box.setWindowTitle(message.caption);
    box.setTextFormat(Qt::PlainText);
    const QString text = QString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(text);
    // Each line of a message is as the catalogue has it: the box is made
    // wide enough for the longest, so that no word is left alone on a line.
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        int widest = 0;
        for (const QString &line : text.split(u'\n'))
            widest = qMax(widest, label->fontMetrics().horizontalAdvance(line.trimmed()));
        label->setMinimumWidth(widest + label->fontMetrics().averageCharWidth());
    }
    switch (message.icon) {
    case Message::Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Message::Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Message::Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    }

    QPushButton *yes = nullptr;
    QPushButton *first = nullptr;
    QPushButton *second = nullptr;
    if (message.buttons == Message::Buttons::YesNo) {
        yes = box.addButton(QStringLiteral("&Да"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("&Не"), QMessageBox::NoRole);
        box.setEscapeButton(no);
        first = yes;
        second = no;
    } else {
        first = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(first);
    }
    box.setDefaultButton(message.defaultButton == 1 && second ? second : first);
    // The question is the box's text, which a screen reader reads with it;
    // a description would have it said twice.
    box.setAccessibleName(message.caption);

    box.exec();
    // The window the question came from takes the keyboard back.
    if (front && front->isVisible())
        front->activateWindow();
    return yes != nullptr && box.clickedButton() == yes;
}

} // namespace urok
