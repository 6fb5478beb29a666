#include "controls/AccessibleControls.h"

#include "controls/AuxiliaryWindow.h"
#include "controls/PictureBox.h"
#include "controls/SpokenLabels.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QMenuBar>

namespace urok {

namespace {

class AccessibleProgress : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleProgress(ProgressLabel *label)
        : QAccessibleWidget(label, QAccessible::ProgressBar)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return label()->valueText();
        // A screen reader says the value of a progress bar in percent; its
        // words come first in the description.
        if (t == QAccessible::Description && !label()->valueText().isEmpty()) {
            const QString rest = QAccessibleWidget::text(t);
            return rest.isEmpty() ? label()->valueText()
                                  : label()->valueText() + QStringLiteral(". ") + rest;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

    QVariant currentValue() const override { return label()->value(); }
    void setCurrentValue(const QVariant &) override {} // shown, never set by the user
    QVariant maximumValue() const override { return label()->maximum(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    ProgressLabel *label() const { return static_cast<ProgressLabel *>(widget()); }
};

class AccessibleSeconds : public QAccessibleWidget
{
public:
    explicit AccessibleSeconds(SecondsLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<SecondsLabel *>(widget())->spokenText();
        return QAccessibleWidget::text(t);
    }
};

class AccessibleNotice : public QAccessibleWidget
{
public:
    explicit AccessibleNotice(SpokenNotice *notice)
        : QAccessibleWidget(notice, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<SpokenNotice *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

class AccessiblePicture : public QAccessibleWidget
{
public:
    explicit AccessiblePicture(PictureBox *picture)
        : QAccessibleWidget(picture, QAccessible::Graphic)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        // The tooltip speaks of the mouse; the description says what the
        // picture shows and what the keys do with it.
        if (t == QAccessible::Description)
            return static_cast<PictureBox *>(widget())->spokenDescription();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction()) {
            if (widget()->isEnabled())
                static_cast<PictureBox *>(widget())->press();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

    QString localizedActionDescription(const QString &action) const override
    {
        if (action == pressAction())
            return QStringLiteral("Показва изображението в пълен размер");
        return QAccessibleWidget::localizedActionDescription(action);
    }
};

const char *const SpokenName = "urokSpokenName";

// A command on a menu bar, as Qt's own menu item presents it, with the name
// given to it.
class AccessibleCommand : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    AccessibleCommand(QMenuBar *bar, QAction *command)
        : bar_(bar)
        , command_(command)
    {
    }

    bool isValid() const override { return bar_ && command_; }
    QObject *object() const override { return command_; }
    QWindow *window() const override { return bar_->window()->windowHandle(); }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(bar_); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return command_->property(SpokenName).toString();
        return {};
    }

    QRect rect() const override
    {
        const QRect r = bar_->actionGeometry(command_);
        return QRect(bar_->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.disabled = !command_->isEnabled();
        s.invisible = !command_->isVisible() || !bar_->isVisible();
        s.focused = bar_->activeAction() == command_;
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            command_->trigger();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<QMenuBar> bar_;
    QPointer<QAction> command_;
};

QAccessibleInterface *lessonControls(const QString &className, QObject *object)
{
    if (className == QLatin1String("QAction")) {
        auto *command = static_cast<QAction *>(object);
        if (command->property(SpokenName).toString().isEmpty())
            return nullptr;
        for (QObject *owner : command->associatedObjects()) {
            if (auto *bar = qobject_cast<QMenuBar *>(owner))
                return new AccessibleCommand(bar, command);
        }
        return nullptr;
    }
    // Qt asks for the most derived class first, so these come before the
    // interfaces Qt has for plain labels.
    if (className == QLatin1String(ProgressLabel::staticMetaObject.className()))
        return new AccessibleProgress(static_cast<ProgressLabel *>(object));
    if (className == QLatin1String(SecondsLabel::staticMetaObject.className()))
        return new AccessibleSeconds(static_cast<SecondsLabel *>(object));
    if (className == QLatin1String(SpokenNotice::staticMetaObject.className()))
        return new AccessibleNotice(static_cast<SpokenNotice *>(object));
    if (className == QLatin1String(PictureBox::staticMetaObject.className()))
        return new AccessiblePicture(static_cast<PictureBox *>(object));
    // A plain widget that is a window would be a mere "filler" to a screen
    // reader, which announces windows by their frames.
    if (className == QLatin1String(AuxiliaryWindow::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

void speakCommandAs(QAction *command, const QString &spoken)
{
    installAccessibleControls();
    command->setProperty(SpokenName, spoken);
}

void installAccessibleControls()
{
    static const bool installed = [] {
        QAccessible::installFactory(lessonControls);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace urok
