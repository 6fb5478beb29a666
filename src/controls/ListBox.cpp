#include "controls/ListBox.h"

#include "engine/ItemList.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace urok {

ListBox::ListBox(const QString &name, QWidget *parent, bool sorted)
    : QListWidget(parent)
    , sorted_(sorted)
{
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::currentRowChanged, this, &ListBox::rowChanged);
    // An entry selected without becoming current (a screen reader's
    // "Toggle" selects it so) is chosen too.
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> selected = selectedItems();
        if (selected.size() == 1 && row(selected.first()) != currentRow())
            setCurrentRow(row(selected.first()));
    });
}

int ListBox::listIndex() const
{
    // In a single-selection list the current entry is the chosen one; it is
    // already current when Click runs, while the selection may still follow.
    return currentRow();
}

void ListBox::setListIndex(int index)
{
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(index);
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
    // Inserting before the current entry moves it; that is not a choice.
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

void ListBox::rowChanged(int row)
{
    if (row >= 0)
        Q_EMIT Click(row);
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    const int before = currentRow();
    QListWidget::mousePressEvent(event);
    changedByPress_ = currentRow() != before;
}

void ListBox::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    const QListWidgetItem *under = itemAt(event->position().toPoint());
    // A click on the entry that was already chosen chooses it again.
    if (under && !changedByPress_ && row(under) == currentRow())
        Q_EMIT Click(currentRow());
    changedByPress_ = false;
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    // A list with nothing chosen makes its first entry current when it gets
    // the focus; that is not the pupil's choice.
    const bool nothingChosen = currentRow() < 0;
    {
        const QSignalBlocker quiet(this);
        QListWidget::focusInEvent(event);
        if (nothingChosen && currentRow() >= 0)
            setCurrentRow(-1);
    }
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
         || event->key() == Qt::Key_Space)
        && listIndex() >= 0) {
        Q_EMIT Click(listIndex());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace urok
