#pragma once

#include <QListWidget>

namespace urok {

// A list box whose Click runs whenever an entry is chosen: by the mouse
// (also on the entry already selected), by Enter or Space, by moving the
// selection with the keys, by a screen reader selecting it, or by the
// program selecting an entry. Choosing
// nothing (index -1) runs no Click. Tabbing into a list chooses nothing: an
// arrow key then chooses the first entry. A sorted list box keeps its
// entries in alphabetical order as they are added.
class ListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit ListBox(const QString &name, QWidget *parent = nullptr, bool sorted = false);

    int listIndex() const;
    void setListIndex(int index);
    QString itemText(int index) const;
    QString selectedText() const { return itemText(listIndex()); }
    int addEntry(const QString &text);
    void setEntries(const QStringList &texts);
    QStringList entries() const;
    bool isSorted() const { return sorted_; }

Q_SIGNALS:
    void Click(int index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void rowChanged(int row);

    bool sorted_;
    bool changedByPress_ = false;
};

} // namespace urok
