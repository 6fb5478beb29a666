#include "controls/DisabledCommands.h"

#include <QAction>
#include <QMenuBar>
#include <QShortcutEvent>

namespace urok {

DisabledCommands::DisabledCommands(QMenuBar *bar)
    : QObject(bar)
    , bar_(bar)
{
    bar->installEventFilter(this);
}

bool DisabledCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != bar_ || event->type() != QEvent::Shortcut)
        return false;
    const QKeySequence key = static_cast<QShortcutEvent *>(event)->key();
    for (QAction *command : bar_->actions()) {
        if (!command->isEnabled() && command->isVisible()
            && QKeySequence::mnemonic(command->text()) == key) {
            Q_EMIT refused(command);
            return true;
        }
    }
    return false;
}

} // namespace urok
