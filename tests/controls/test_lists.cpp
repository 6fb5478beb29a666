// The lists as the pupil meets them: a click chooses, the keys move and
// Enter chooses, a refused move is asked once and stays refused, and a list
// that takes no choice takes none from a screen reader either.
#include "support/Tasks.h"
#include "windows/Tarv_Glos.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

using namespace urok;
using namespace urok::test;

namespace {

const QString MoveQuestion = QStringLiteral("Да премина ли към друга задача?");

// What a screen reader's "Toggle" on an entry does.
void toggle(ListBox *list, int row)
{
    QAccessibleInterface *entry = QAccessible::queryAccessibleInterface(list)->child(row);
    QVERIFY(entry && entry->actionInterface());
    entry->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

ListBox *openChooser(Tasks &t)
{
    Lesson::command(t.w, QStringLiteral("mnu_Tip_Wid"));
    return Lesson::control<ListBox>(t.lesson.window(QStringLiteral("Tarv_Glos")),
                                    QStringLiteral("Wremena(3)"));
}

// The task an entry of the chooser stands for (its last two characters).
int taskOf(const QString &entry)
{
    return entry.right(2).trimmed().toInt();
}

} // namespace

class ListsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The pupil refuses to leave task 1 for another: one question, and the
    // first task stays chosen and shown (the keys are walked in the
    // keyboard test, the countdown kept in the task tests).
    void aRefusedMoveIsAskedOnceAndSticks_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("click") << "click";
        QTest::newRow("chooser") << "chooser";
    }

    void aRefusedMoveIsAskedOnceAndSticks()
    {
        QFETCH(QString, how);
        Tasks t(configWith({{16, 1}, {25, 0}}));
        const QString condition = t.field(2);
        t.lesson.boxes.answer(QStringLiteral("Не"));
        if (how == "click") {
            Lesson::click(Lesson::control<ListBox>(t.w, "List_Un(1)"), 3);
        } else {
            ListBox *levels = openChooser(t);
            int row = 0;
            while (taskOf(levels->itemText(row)) == 1)
                ++row;
            Lesson::click(levels, row);
        }
        QCoreApplication::processEvents();
        QCOMPARE(t.lesson.boxes.texts(), QStringList{MoveQuestion});
        QVERIFY(t.lesson.boxes.allAnswered());
        QCOMPARE(Lesson::control<ListBox>(t.w, "List_Un(1)")->listIndex(), 0);
        QVERIFY(t.showsTask(1));
        QCOMPARE(t.field(2), condition);
    }

    // The chooser from the keyboard: the keys reach every entry without
    // choosing, Enter chooses the entry they landed on.
    void theKeysReachEveryEntryOfTheChooser_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("fromEnd");
        QTest::newRow("End") << QList<int>{Qt::Key_End} << 0;
        QTest::newRow("PgDn, End, Up") << QList<int>{Qt::Key_PageDown, Qt::Key_End, Qt::Key_Up} << 1;
    }

    void theKeysReachEveryEntryOfTheChooser()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, fromEnd);
        Tasks t(configWith({{16, 1}, {25, 0}}));
        ListBox *levels = openChooser(t);
        for (int key : keys)
            Lesson::key(levels, Qt::Key(key));
        const int row = levels->count() - 1 - fromEnd;
        QCOMPARE(levels->currentRow(), row);
        QCOMPARE(levels->listIndex(), -1);
        QVERIFY(t.lesson.boxes.seen.isEmpty());
        const int task = taskOf(levels->itemText(row));
        t.lesson.boxes.answer(QStringLiteral("Да"));
        Lesson::key(levels, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(t.lesson.boxes.texts(), QStringList{MoveQuestion});
        QVERIFY(!t.lesson.windows().isLoaded<Tarv_Glos>());
        QVERIFY(t.showsTask(task));
    }

    // A list that takes no choice from the mouse takes none from a screen
    // reader either: the forbidden dictionary, the task list that option 1
    // disables. (The locked plan is toggled in the accessibility check.)
    void aListThatTakesNoChoiceIgnoresTheScreenReader_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("field");
        QTest::newRow("forbidden dictionary") << 4 << 0 << 1;
        QTest::newRow("disabled task list") << 1 << 1 << 2;
    }

    void aListThatTakesNoChoiceIgnoresTheScreenReader()
    {
        QFETCH(int, option);
        QFETCH(int, list);
        QFETCH(int, field);
        Tasks t(configWith({{16, 1}, {option, 0}}));
        ListBox *entries = Lesson::control<ListBox>(t.w, QStringLiteral("List_Un(%1)").arg(list));
        const QString text = t.field(field);
        const int chosen = entries->listIndex();
        toggle(entries, 2);
        QCOMPARE(entries->listIndex(), chosen);
        QCOMPARE(t.field(field), text);
        QVERIFY(t.lesson.boxes.seen.isEmpty());
    }
};

QTEST_MAIN(ListsTest)
#include "test_lists.moc"
