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
        Lesson &lesson = t.lesson;
        Tarv_n &tasks = *t.w;
        ListBox *list = tasks.List_Un[1];
        const QString condition = tasks.Text_Un[2]->text();
        lesson.boxes.answer(QStringLiteral("Не"));
        if (how == "click") {
            Lesson::click(list, 3);
        } else {
            ListBox *levels = openChooser(t);
            int row = 0;
            while (taskOf(levels->itemText(row)) == 1)
                ++row;
            Lesson::click(levels, row);
        }
        QCoreApplication::processEvents();
        QCOMPARE(lesson.boxes.texts(), QStringList{MoveQuestion});
        QVERIFY(lesson.boxes.allAnswered());
        QCOMPARE(list->listIndex(), 0);
        QCOMPARE(tasks.Tekushta_zadacha, 1);
        QCOMPARE(tasks.Text_Un[2]->text(), condition);
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
        Lesson &lesson = t.lesson;
        ListBox *levels = openChooser(t);
        for (int key : keys)
            Lesson::key(levels, Qt::Key(key));
        const int row = levels->count() - 1 - fromEnd;
        QCOMPARE(levels->currentRow(), row);
        QCOMPARE(levels->listIndex(), -1);
        QVERIFY(lesson.boxes.seen.isEmpty());
        const int task = taskOf(levels->itemText(row));
        lesson.boxes.answer(QStringLiteral("Да"));
        Lesson::key(levels, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(lesson.boxes.texts(), QStringList{MoveQuestion});
        QVERIFY(!lesson.windows().isLoaded<Tarv_Glos>());
        QCOMPARE(t.w->Tekushta_zadacha, task);
    }

    // A list that is disabled or locked ignores a screen reader's choice
    // as it ignores the mouse: the locked plan while a point is written,
    // the forbidden dictionary, the task list that option 1 disables.
    void aListThatTakesNoChoiceIgnoresTheScreenReader_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QString>("fieldName");
        QTest::newRow("locked plan") << 0 << "List_Ur(0)" << "Text_U(1)";
        QTest::newRow("forbidden dictionary") << 4 << "List_Un(0)" << "Text_Un(1)";
        QTest::newRow("disabled task list") << 1 << "List_Un(1)" << "Text_Un(2)";
    }

    void aListThatTakesNoChoiceIgnoresTheScreenReader()
    {
        QFETCH(int, option);
        QFETCH(QString, listName);
        QFETCH(QString, fieldName);
        std::map<int, int> options = {{16, 1}};
        if (option > 0)
            options[option] = 0;
        Tasks t(configWith(options));
        QWidget *window = option > 0 ? static_cast<QWidget *>(t.w) : t.main;
        if (option == 0)
            Lesson::command(t.w, QStringLiteral("mnu_IzhodN")); // back to the plan
        auto *list = Lesson::control<ListBox>(window, listName);
        if (option == 0) {
            Lesson::click(list, 0); // point 1 is written now
            QVERIFY(list->isLocked());
        }
        auto *field = Lesson::control<TextBox>(window, fieldName);
        const QString text = field->text();
        const int chosen = list->listIndex();
        toggle(list, 2);
        QCOMPARE(list->listIndex(), chosen);
        QCOMPARE(field->text(), text);
        QVERIFY(t.lesson.boxes.seen.isEmpty());
    }
};

QTEST_MAIN(ListsTest)
#include "test_lists.moc"
