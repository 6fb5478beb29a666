#pragma once

#include <QObject>

class QAction;
class QMenuBar;

namespace urok {

// Tells when a command of a menu bar that is off is asked for by its key
// (Alt and its letter): Qt takes such a key without a sound, and a pupil
// who cannot see the menu would not know why nothing happened.
class DisabledCommands : public QObject
{
    Q_OBJECT
public:
    explicit DisabledCommands(QMenuBar *bar);

Q_SIGNALS:
    void refused(QAction *command);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMenuBar *bar_;
};

} // namespace urok
