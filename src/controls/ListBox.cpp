#include "controls/ListBox.h"

#include "controls/ControlLook.h"
#include "engine/Contrast.h"
#include "engine/ItemList.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>

#include <algorithm>

namespace urok {

namespace {

constexpr int NoteRole = Qt::UserRole + 1;

} // namespace

ListBox::ListBox(const QString &name, QWidget *parent, bool sorted)
    : QListWidget(parent)
    , sorted_(sorted)
{
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    keepPlatformColours(this);
    tellLater_.setSingleShot(true);
    tellLater_.setInterval(0);
    connect(&tellLater_, &QTimer::timeout, this, &ListBox::tellCurrentEntry);
    // A change of selection that none of the doors below made comes from a
    // screen reader (its "Toggle" selects an entry).
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ListBox::selectionMoved);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected, const QItemSelection &deselected) {
                for (const QModelIndex &at : selected.indexes() + deselected.indexes())
                    retell(at.row());
            });
    // Entries going away take their selection with them; that is no choice.
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { ++quiet_; });
    connect(model(), &QAbstractItemModel::rowsRemoved, this, [this] { --quiet_; });
    connect(model(), &QAbstractItemModel::modelAboutToBeReset, this, [this] { ++quiet_; });
    connect(model(), &QAbstractItemModel::modelReset, this, [this] { --quiet_; });
}

// The view's model and selection outlive this part of the list while it is
// destroyed: what they say then is no longer ours to hear.
ListBox::~ListBox()
{
    disconnect(model(), nullptr, this, nullptr);
    disconnect(selectionModel(), nullptr, this, nullptr);
}

int ListBox::listIndex() const
{
    const QModelIndexList chosen = selectionModel()->selectedIndexes();
    return chosen.isEmpty() ? -1 : chosen.first().row();
}

void ListBox::setListIndex(int index)
{
    const int before = listIndex();
    {
        const QScopedValueRollback quiet(quiet_, quiet_ + 1);
        if (index < 0 || index >= count()) {
            clearSelection();
            setCurrentRow(-1);
            return;
        }
        setCurrentRow(index); // selects it
    }
    if (index != before)
        Q_EMIT Click(index);
}

QString ListBox::itemText(int index) const
{
    const QListWidgetItem *entry = item(index);
    return entry ? entry->text() : QString();
}

int ListBox::addEntry(const QString &text)
{
    int at = count();
    if (sorted_) {
        const QStringList all = entries();
        at = static_cast<int>(std::upper_bound(all.begin(), all.end(), text, sortsBefore)
                              - all.begin());
    }
    const QSignalBlocker quiet(this);
    insertItem(at, text);
    return at;
}

void ListBox::setEntries(const QStringList &texts)
{
    {
        const QSignalBlocker quiet(this);
        clear();
    }
    for (const QString &t : texts)
        addEntry(t);
}

QStringList ListBox::entries() const
{
    QStringList all;
    all.reserve(count());
    for (int i = 0; i < count(); ++i)
        all.append(item(i)->text());
    return all;
}

void ListBox::setLocked(bool locked, const QString &why)
{
    if (locked && !locked_)
        unlockedDescription_ = accessibleDescription();
    if (locked != locked_)
        setAccessibleDescription(locked && !why.isEmpty() ? why : unlockedDescription_);
    locked_ = locked;
    viewport()->update();
}

void ListBox::setEntryNote(int index, const QString &note)
{
    QListWidgetItem *entry = item(index);
    if (!entry)
        return;
    entry->setData(NoteRole, note.isEmpty() ? QVariant() : QVariant(note));
    retell(index);
}

void ListBox::setChosenWord(const QString &word)
{
    chosenWord_ = word;
    retell(listIndex());
}

void ListBox::retell(int row)
{
    QListWidgetItem *entry = item(row);
    if (!entry)
        return;
    QStringList said(entry->text().trimmed());
    const QString note = entry->data(NoteRole).toString();
    if (!note.isEmpty())
        said.append(note);
    if (entry->isSelected() && !chosenWord_.isEmpty())
        said.append(chosenWord_);
    entry->setData(Qt::AccessibleTextRole,
                   said.size() > 1 ? QVariant(said.join(QStringLiteral(", "))) : QVariant());
}

// Qt tells a screen reader that the list took the focus, not which entry
// is current: the entry is told after it.
void ListBox::tellCurrentEntry()
{
    if (!hasFocus() || currentRow() < 0 || !QAccessible::isActive())
        return;
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface *table = list ? list->tableInterface() : nullptr;
    QAccessibleInterface *entry = table ? table->cellAt(currentRow(), 0) : nullptr;
    if (!entry)
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(list->indexOfChild(entry));
    QAccessible::updateAccessibility(&event);
}

void ListBox::choose(int row)
{
    {
        const QScopedValueRollback quiet(quiet_, quiet_ + 1);
        setCurrentRow(row);
    }
    // The handler may put another entry back; nothing moves after it.
    Q_EMIT Click(row);
}

void ListBox::selectionMoved(const QItemSelection &selected, const QItemSelection &deselected)
{
    if (quiet_ > 0)
        return;
    const QModelIndexList added = selected.indexes();
    if (added.size() == 1 && choosable()) {
        choose(added.first().row());
        return;
    }
    if (added.size() == 1 && locked_)
        Q_EMIT choiceRefused();
    // Anything else (a second entry, none at all, a list that takes no
    // choice) leaves the chosen entry as it was.
    const QScopedValueRollback quiet(quiet_, quiet_ + 1);
    selectionModel()->select(selected, QItemSelectionModel::Deselect);
    selectionModel()->select(deselected, QItemSelectionModel::Select);
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && locked_ && isEnabled())
        Q_EMIT choiceRefused();
    if (event->button() != Qt::LeftButton || !choosable())
        return;
    const QModelIndex at = indexAt(event->position().toPoint());
    if (!at.isValid())
        return; // below the entries: nothing is chosen, nothing let go
    {
        const QScopedValueRollback quiet(quiet_, quiet_ + 1);
        QListWidget::mousePressEvent(event);
    }
    // The click chooses once the view has settled on the pressed entry
    // (also the entry already chosen).
    choose(at.row());
}

void ListBox::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging over the entries chooses nothing and selects nothing.
    if (event->buttons() == Qt::NoButton)
        QListWidget::mouseMoveEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Its press has already come as a press.
    event->accept();
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        && currentRow() >= 0) {
        if (choosable())
            choose(currentRow());
        else if (locked_ && isEnabled())
            Q_EMIT choiceRefused();
        event->accept();
        return;
    }
    // The view starts from the first entry when none is current; End and
    // PgDn then go on from there instead of stopping on it.
    if ((key == Qt::Key_End || key == Qt::Key_PageDown) && currentRow() < 0 && count() > 0)
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
    // The keys move the current entry and leave the chosen one selected.
    const int before = currentRow();
    {
        const QScopedValueRollback quiet(quiet_, quiet_ + 1);
        setSelectionMode(QAbstractItemView::NoSelection);
        QListWidget::keyPressEvent(event);
        setSelectionMode(QAbstractItemView::SingleSelection);
    }
    // A key that finds the entry already current (Home on the first) says it again.
    const bool moving = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Home
                        || key == Qt::Key_End || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    if (moving && currentRow() == before)
        tellCurrentEntry();
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    // The keys start from the chosen entry, or from the first.
    if (currentRow() < 0 && count() > 0)
        selectionModel()->setCurrentIndex(model()->index(qMax(0, listIndex()), 0),
                                          QItemSelectionModel::NoUpdate);
    QListWidget::focusInEvent(event);
    tellLater_.start();
}

void ListBox::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    const QListWidgetItem *current = currentItem();
    if (!hasFocus() || !current)
        return;
    const QRect place = visualItemRect(current);
    if (place.isEmpty())
        return;
    // Two rings: the outer one stands out against the list around the
    // entry, the inner one against the entry's own background.
    const QPalette::ColorGroup view = isEnabled() ? QPalette::Active : QPalette::Disabled;
    const QPalette::ColorGroup entry = locked_ ? QPalette::Disabled : view;
    const QColor around = palette().color(view, QPalette::Base);
    const QColor inside = current->isSelected() ? palette().color(entry, QPalette::Highlight) : around;
    QPainter painter(viewport());
    painter.setPen(frameColourOn(around));
    painter.drawRect(place.adjusted(0, 0, -1, -1));
    painter.setPen(frameColourOn(inside));
    painter.drawRect(place.adjusted(1, 1, -2, -2));
}

void ListBox::initViewItemOption(QStyleOptionViewItem *option) const
{
    QListWidget::initViewItemOption(option);
    if (locked_) {
        option->state &= ~QStyle::State_Enabled;
        option->palette.setCurrentColorGroup(QPalette::Disabled);
    }
}

} // namespace urok
