#pragma once

#include <QListWidget>
#include <QTimer>

namespace urok {

// A list box whose Click runs when an entry is chosen. The pupil chooses
// with a mouse click (also on the entry already chosen) or with Enter or
// Space on the current entry; the other keys (arrows, Home/End, PgUp/PgDn,
// typing the first letters) only move the current entry, so a keyboard user
// reads the list before choosing. A screen reader chooses by selecting an
// entry. The program chooses with setListIndex, which runs Click when the
// chosen entry changes. The chosen entry is the selected one; choosing
// nothing (index -1) runs no Click.
//
// A disabled list and a locked one ignore a choice from every source but
// the program. A locked list stays in the tab order and keeps the focus,
// so the pupil can still read it; it is drawn as disabled.
//
// A list that takes the focus tells a screen reader its current entry (the
// chosen one, or the first); the chosen entry is heard with a word after
// its text ("избрана"). While the list has the focus its current entry is
// framed in black and white, seen on any colours the pupil composes.
class ListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit ListBox(const QString &name, QWidget *parent = nullptr, bool sorted = false);
    ~ListBox() override;

    int listIndex() const;
    void setListIndex(int index);
    QString itemText(int index) const;
    QString selectedText() const { return itemText(listIndex()); }
    int addEntry(const QString &text);
    void setEntries(const QStringList &texts);
    QStringList entries() const;
    bool isSorted() const { return sorted_; }

    // A locked list tells a screen reader why, in its description.
    void setLocked(bool locked, const QString &why = {});
    bool isLocked() const { return locked_; }
    // A word a screen reader says after an entry's text ("записана").
    void setEntryNote(int index, const QString &note);
    // The word said after the chosen entry's text and note ("избран" for a
    // term; "избрана" unless told otherwise).
    void setChosenWord(const QString &word);

Q_SIGNALS:
    void Click(int index);
    // The pupil chose (Enter, Space, a click, a screen reader's selection)
    // in a list that is locked.
    void choiceRefused();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void initViewItemOption(QStyleOptionViewItem *option) const override;

private:
    bool choosable() const { return isEnabled() && !locked_; }
    void choose(int row);
    void selectionMoved(const QItemSelection &selected, const QItemSelection &deselected);
    // The entry's text as a screen reader hears it: with its note and, when
    // chosen, the chosen word.
    void retell(int row);
    void tellCurrentEntry();

    bool sorted_;
    bool locked_ = false;
    QString unlockedDescription_;
    QString chosenWord_ = QStringLiteral("избрана");
    // Inside the pupil's own action, changes of entry are not choices.
    int quiet_ = 0;
    // The current entry is told once the focus has arrived and the screen
    // reader has heard the list itself.
    QTimer tellLater_;
};

} // namespace urok
