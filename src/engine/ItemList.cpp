#include "engine/ItemList.h"

#include <algorithm>

namespace urok {

bool sortsBefore(const QString &a, const QString &b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

ItemList::ItemList(QStringList items, bool sorted)
    : items_(std::move(items))
    , sorted_(sorted)
{
    if (sorted_)
        std::stable_sort(items_.begin(), items_.end(), sortsBefore);
}

QString ItemList::item(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return items_[index];
}

bool ItemList::setItem(int index, const QString &text)
{
    if (index < 0 || index >= count())
        return false;
    items_[index] = text;
    return true;
}

int ItemList::add(const QString &text)
{
    if (!sorted_) {
        items_.append(text);
        return count() - 1;
    }
    const auto at = std::upper_bound(items_.begin(), items_.end(), text, sortsBefore);
    const int index = static_cast<int>(at - items_.begin());
    items_.insert(index, text);
    if (listIndex_ >= index)
        ++listIndex_;
    return index;
}

void ItemList::removeAt(int index)
{
    if (index < 0 || index >= count())
        return;
    items_.removeAt(index);
    if (listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
}

void ItemList::removeLast()
{
    removeAt(count() - 1);
}

void ItemList::clear()
{
    items_.clear();
    listIndex_ = -1;
}

void ItemList::setListIndex(int index)
{
    listIndex_ = (index >= 0 && index < count()) ? index : -1;
}

} // namespace urok
