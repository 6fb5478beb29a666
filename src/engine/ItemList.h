#pragma once

#include <QString>
#include <QStringList>

namespace urok {

// The order of a sorted list: alphabetical without regard to case, and
// case-sensitive only between texts that differ in case alone.
bool sortsBefore(const QString &a, const QString &b);

// A list of text items: the lesson's tables (content, options, answers,
// settings) and the run-time records that several windows share. Items are
// addressed from 0. Reading an item that does not exist gives empty text;
// writing one that does not exist changes nothing. A sorted list keeps its
// items in sortsBefore() order as they are added.
class ItemList
{
public:
    ItemList() = default;
    explicit ItemList(QStringList items, bool sorted = false);

    int count() const { return static_cast<int>(items_.size()); }
    QString item(int index) const;
    bool setItem(int index, const QString &text);

    // Appends, or inserts at its place in a sorted list. Returns the index.
    int add(const QString &text);
    void removeAt(int index);
    void removeLast();
    void clear();

    bool isSorted() const { return sorted_; }
    const QStringList &items() const { return items_; }

    // Selection, as a list box keeps it: -1 means nothing selected.
    int listIndex() const { return listIndex_; }
    void setListIndex(int index);
    QString selectedText() const { return item(listIndex_); }

private:
    QStringList items_;
    bool sorted_ = false;
    int listIndex_ = -1;
};

} // namespace urok
