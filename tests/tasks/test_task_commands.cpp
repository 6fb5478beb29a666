// The commands of the tasks window and of the lesson that open other
// windows: all the tasks, the chooser by level and type, the focus window
// and the full-size view of a picture.
#include "controls/PictureBox.h"
#include "controls/Twips.h"
#include "engine/Cp1251.h"
#include "lesson/Tarv_Gra.h"
#include "support/Tasks.h"
#include "windows/Tarv_Glos.h"
#include "windows/Tarv_Zad.h"

using namespace urok;
using namespace urok::test;

namespace {

const QString Yes = QStringLiteral("Да");

ListBox *openChooser(Tasks &t, int index)
{
    Lesson::command(t.w, QStringLiteral("mnu_Tip_Wid"));
    return Lesson::control<ListBox>(t.lesson.window(QStringLiteral("Tarv_Glos")),
                                    QStringLiteral("Wremena(%1)").arg(index));
}

int rowOf(ListBox *list, const QString &text)
{
    const int row = static_cast<int>(list->entries().indexOf(text));
    if (row < 0)
        qFatal("no entry %s", qPrintable(text));
    return row;
}

// The viewer of a picture at full size, when it is open.
Tarv_Gra *viewer(Lesson &lesson)
{
    auto *w = lesson.window<Tarv_Gra>(QStringLiteral("Tarv_Gra"));
    return w && w->isVisible() ? w : nullptr;
}

} // namespace

class TaskCommandsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // "Допълнително" adds the tasks not listed at first, once; the task
    // chosen stays chosen.
    void allTasksListsEveryTaskOnce()
    {
        Tasks t(configWith({{16, 1}, {14, 1}, {25, 0}}));
        ListBox *list = Lesson::control<ListBox>(t.w, "List_Un(1)");
        auto *all = Lesson::control<QAction>(t.w, QStringLiteral("mnu_All_zadachi"));
        QVERIFY(all->isEnabled());
        t.choose(list->count() - 1, {Yes});
        Lesson::command(t.w, QStringLiteral("mnu_All_zadachi"));
        QCOMPARE(list->count(), 24);
        QCOMPARE(list->listIndex(), 14);
        QVERIFY(t.showsTask(15));
        QVERIFY(!all->isEnabled());
        QCOMPARE(all->text(), QStringLiteral("+0 за&дачи"));
        QCOMPARE(t.lesson.boxes.seen.size(), 1);
    }

    // The chooser lists the tasks listed at first by the levels of the
    // teacher's file and by type, none chosen.
    void chooserListsTheTasksByLevelAndType()
    {
        Tasks t(configWith({{16, 1}, {8, 1}, {26, 1}}, [](setup::Profile &p) { p.levels[1] = 1; }));
        ListBox *levels = openChooser(t, 3);
        ListBox *types = Lesson::control<ListBox>(levels->window(), QStringLiteral("Wremena(5)"));
        QCOMPARE(levels->count(), 15);
        QCOMPARE(types->count(), 15);
        QVERIFY(levels->entries().contains(QStringLiteral("Сложност 1 за задача 2")));
        QVERIFY(types->entries().contains(QStringLiteral("симетричност на матрица за задача 1")));
        QCOMPARE(levels->listIndex(), -1);
        QCOMPARE(types->listIndex(), -1);
    }

    // A click on a type chooses its task, of one digit or two; the chooser
    // closes and, made afresh, keeps the lesson's options (8 off: no
    // choosing by level).
    void pickingAnEntryChoosesThatTask_data()
    {
        QTest::addColumn<int>("task");
        QTest::newRow("one digit") << 7;
        QTest::newRow("two digits") << 12;
    }
    void pickingAnEntryChoosesThatTask()
    {
        QFETCH(int, task);
        Tasks t(configWith({{16, 1}, {8, 0}, {26, 1}, {25, 0}}));
        ListBox *types = openChooser(t, 5);
        QVERIFY(!Lesson::control<ListBox>(types->window(), QStringLiteral("Wremena(3)"))->isEnabled());
        int row = 0;
        while (!types->itemText(row).endsWith(QStringLiteral(" за задача %1").arg(task)))
            ++row;
        t.lesson.boxes.answer(Yes);
        Lesson::click(types, row);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(t.showsTask(task));
        QCOMPARE(Lesson::control<ListBox>(t.w, "List_Un(1)")->listIndex(), task - 1);
        QVERIFY(!t.lesson.windows().isLoaded<Tarv_Glos>());
        QVERIFY(!openChooser(t, 3)->isEnabled());
        QVERIFY(t.lesson.boxes.allAnswered());
    }

    // "Фокус" shows the field used last, the condition at first; an answer
    // may be edited there, and the edits come back to the answer when the
    // window closes, when the answer's time runs out (the window then takes
    // no more) and when the lesson ends, but not to another task shown by then.
    void focusCopiesTheFieldUsedLast_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("kept");
        QTest::newRow("Escape") << "" << true;
        QTest::newRow("close box") << "close box" << true;
        QTest::newRow("time over") << "time over" << true;
        QTest::newRow("another task") << "another task" << false;
        QTest::newRow("lesson left") << "lesson left" << true;
    }
    void focusCopiesTheFieldUsedLast()
    {
        QFETCH(QString, before);
        QFETCH(bool, kept);
        Tasks t(configWith({{16, 1}, {24, 1}, {25, 0}, {12, 1}}));
        Lesson::command(t.w, QStringLiteral("mnu_Pylen_Ekran"));
        auto *focus = t.lesson.window<Tarv_Zad>(QStringLiteral("Tarv_Zad"));
        QVERIFY(focus->isVisible());
        QCOMPARE(Lesson::control<TextBox>(focus, "Obsho_Pole")->text(), t.field(2));
        QVERIFY(Lesson::control<TextBox>(focus, "Obsho_Pole")->isReadOnly());
        t.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.w));
        QTest::mouseClick(Lesson::control<TextBox>(t.w, "Text_Un(0)")->viewport(), Qt::LeftButton);
        typeText(Lesson::control<TextBox>(t.w, "Text_Un(0)"), QStringLiteral("моят отговор"));
        const QString answer = t.field(0);
        Lesson::command(t.w, QStringLiteral("mnu_Pylen_Ekran"));
        TextBox *enlarged = Lesson::control<TextBox>(focus, "Obsho_Pole");
        QCOMPARE(enlarged->text(), answer);
        QVERIFY(!enlarged->isReadOnly());
        typeText(enlarged, QStringLiteral("друго "));
        const QString edited = enlarged->text();
        QCOMPARE(t.field(0), answer);
        // "Фокус" again on the same answer keeps what is typed.
        Lesson::command(t.w, QStringLiteral("mnu_Pylen_Ekran"));
        QCOMPARE(enlarged->text(), edited);

        if (before == QStringLiteral("lesson left")) {
            Lesson::command(t.w, QStringLiteral("mnu_IzhodN"));
            t.lesson.boxes.answer(Yes);
            Lesson::command(t.main, QStringLiteral("Izhod"));
            QVERIFY(t.lesson.ended);
            QVERIFY(t.lesson.file(QStringLiteral("OTGOWORI.TXT")).contains(toCp1251(edited)));
            QCOMPARE(t.lesson.state().List_Un(3).item(1), edited);
            return;
        }
        if (before == QStringLiteral("time over")) {
            for (int s = 0; s < 100000 && !Lesson::control<TextBox>(t.w, "Text_Un(0)")->isLocked(); ++s)
                t.lesson.tick(10);
            QVERIFY(Lesson::control<TextBox>(t.w, "Text_Un(0)")->isLocked());
            QVERIFY(enlarged->isReadOnly());
        } else if (before == QStringLiteral("another task")) {
            t.choose(1, {Yes});
            QVERIFY(t.showsTask(2));
        }
        if (before == QStringLiteral("close box"))
            QVERIFY(focus->close());
        else
            Lesson::key(enlarged, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!t.lesson.windows().isLoaded<Tarv_Zad>());
        QCOMPARE(t.lesson.state().List_Un(3).item(1) == edited, kept);
        QCOMPARE(t.field(0) == edited, kept);
    }

    // A click on a term's picture opens it at full size only when it does
    // not fit its box; the empty picture opens nothing.
    void zoomOpensPicturesThatDoNotFit()
    {
        Tasks t(configWith({{16, 1}, {4, 1}}));
        ListBox *terms = Lesson::control<ListBox>(t.w, "List_Un(0)");
        auto *picture = Lesson::control<PictureBox>(t.w, QStringLiteral("Picture_Un(0)"));
        Lesson::click(terms, rowOf(terms, QStringLiteral("аритметични операции"))); // picture 9, smaller
        QVERIFY(picture->picture().sameAs(t.lesson.state().Grafika_G(9)));
        QTest::mouseClick(picture, Qt::LeftButton);
        QVERIFY(!viewer(t.lesson));
        Lesson::click(terms, rowOf(terms, QStringLiteral("Ератостен"))); // picture 1, larger
        QTest::mouseClick(picture, Qt::LeftButton);
        Tarv_Gra *shown = viewer(t.lesson);
        QVERIFY(shown);
        QVERIFY(Lesson::control<PictureBox>(shown, "Grafika_G(0)")
                        ->picture()
                        .sameAs(t.lesson.state().Grafika_G(1)));
        QCOMPARE(shown->size(), t.lesson.state().Grafika_G(1).holderSize() + twipsFor(shown).size(100, 150));
        shown->close();
        Lesson::click(terms, rowOf(terms, QStringLiteral("break")));
        QTest::mouseClick(picture, Qt::LeftButton);
        QVERIFY(!viewer(t.lesson));
    }

    // The lesson's "Фокус": ten points at first; the size chosen there is
    // kept after Escape closes it; a window too low keeps the text's height.
    void lessonFocusKeepsItsSize()
    {
        Lesson lesson;
        Tarv &main = lesson.start();
        Lesson::command(&main, QStringLiteral("mnu_Fokus"));
        auto *focus = lesson.window<Tarv_Zad>(QStringLiteral("Tarv_Zad"));
        QVERIFY(focus->isVisible());
        QCOMPARE(Lesson::control<TextBox>(focus, "Obsho_Pole")->text(),
                Lesson::control<TextBox>(&main, "Text_U(1)")->text());
        QVERIFY(Lesson::control<TextBox>(focus, "Obsho_Pole")->isReadOnly());
        QCOMPARE(Lesson::control<TextBox>(focus, "Obsho_Pole")->fontSize(), 10.0);
        QCOMPARE(
                Lesson::control<ListBox>(focus, "List_font")->selectedText(), QStringLiteral("10"));
        Lesson::click(Lesson::control<ListBox>(focus, "List_font"),
                rowOf(Lesson::control<ListBox>(focus, "List_font"), QStringLiteral("30")));
        QCOMPARE(Lesson::control<TextBox>(focus, "Obsho_Pole")->fontSize(), 30.0);
        focus->resize(600, 500);
        const int height = Lesson::control<TextBox>(focus, "Obsho_Pole")->height();
        focus->resize(400, Lesson::control<ListBox>(focus, "List_font")->height());
        QCOMPARE(Lesson::control<TextBox>(focus, "Obsho_Pole")->height(), height);
        QTest::keyClick(focus, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!lesson.windows().isLoaded<Tarv_Zad>());
        Lesson::command(&main, QStringLiteral("mnu_Fokus"));
        focus = lesson.window<Tarv_Zad>(QStringLiteral("Tarv_Zad"));
        QCOMPARE(Lesson::control<TextBox>(focus, "Obsho_Pole")->fontSize(), 30.0);
        QCOMPARE(
                Lesson::control<ListBox>(focus, "List_font")->selectedText(), QStringLiteral("30"));
    }

    // The picture of a plan point opens at its size (option 10: the
    // material); the sponsor's picture replaces it in the open viewer; the
    // topic alone has none.
    void pictureOfAPlanPointOpensAtItsSize()
    {
        Lesson lesson({{10, 1}});
        Tarv &main = lesson.start();
        auto *picture = Lesson::control<PictureBox>(&main, QStringLiteral("Picture_Ur(0)"));
        QTest::mouseClick(picture, Qt::LeftButton);
        QVERIFY(!viewer(lesson));
        Lesson::click(Lesson::control<ListBox>(&main, "List_Ur(0)"), 0); // point 1: picture 4
        QTest::mouseClick(picture, Qt::LeftButton);
        Tarv_Gra *shown = viewer(lesson);
        QVERIFY(shown);
        QCOMPARE(shown->windowTitle(), QStringLiteral("Пълен размер на графиката"));
        QVERIFY(Lesson::control<PictureBox>(shown, "Grafika_G(0)")
                        ->picture()
                        .sameAs(lesson.state().Grafika_G(4)));
        QCOMPARE(shown->size(), lesson.state().Grafika_G(4).holderSize() + twipsFor(shown).size(100, 100));
        Lesson::command(&main, QStringLiteral("awtori(1)"));
        QTest::mouseClick(picture, Qt::LeftButton);
        QVERIFY(Lesson::control<PictureBox>(shown, "Grafika_G(0)")
                        ->picture()
                        .sameAs(lesson.state().Grafika_W(2)));
        QCOMPARE(shown->size(), lesson.state().Grafika_W(2).holderSize() + twipsFor(shown).size(100, 100));
    }
};

QTEST_MAIN(TaskCommandsTest)
#include "test_task_commands.moc"
