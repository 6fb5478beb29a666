#include "controls/ControlLook.h"
#include "controls/PictureBox.h"
#include "controls/Twips.h"
#include "lesson/Tarv_Gra.h"
#include "support/TaskSession.h"
#include "windows/Tarv_Glos.h"
#include "windows/Tarv_Zad.h"

#include <QAction>
#include <QApplication>
#include <QTest>

using namespace urok;
using namespace urok::test;

class TaskCommandsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void allTasksListsEveryTaskOnce()
    {
        TaskSession s({14});
        QVERIFY(s.tasks->mnu_All_zadachi->isEnabled());
        s.f.prompter.answer(true);
        s.choose(14); // the last task listed at first
        s.tasks->mnu_All_zadachi->trigger();
        QCOMPARE(s.tasks->List_Un[1]->count(), 24);
        QCOMPARE(s.task(), 15);
        QCOMPARE(s.tasks->Tekushta_zadacha, 15);
        QVERIFY(!s.tasks->mnu_All_zadachi->isEnabled());
        QCOMPARE(s.tasks->mnu_All_zadachi->text(), QStringLiteral("+0 задачи"));
        // A second time: the item is disabled and nothing changes.
        s.tasks->mnu_All_zadachi->trigger();
        QCOMPARE(s.tasks->List_Un[1]->count(), 24);
        QCOMPARE(s.tasks->mnu_All_zadachi->text(), QStringLiteral("+0 задачи"));
        QCOMPARE(s.f.prompter.shown.size(), 1); // only the move to task 15 was asked
    }

    void chooserIsFilledForTheListedTasks()
    {
        TaskSession s({8, 26});
        s.tasks->mnu_Tip_Wid->trigger();
        Tarv_Glos &chooser = s.f.windows.get<Tarv_Glos>();
        QVERIFY(chooser.isVisible());
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Тип и сложност на задачи"));
        const QStringList levels = chooser.Wremena[3]->entries();
        const QStringList types = chooser.Wremena[5]->entries();
        QCOMPARE(levels.size(), 15);
        QCOMPARE(types.size(), 15);
        QVERIFY(levels.contains(QStringLiteral("Сложност 3 за задача 2")));
        QVERIFY(types.contains(QStringLiteral("работа с числа  за задача 4")));
        QVERIFY(types.contains(QStringLiteral("симетричност на матрица за задача 1")));
        QCOMPARE(levels, [&] { QStringList l = levels; std::sort(l.begin(), l.end(), sortsBefore); return l; }());
        QCOMPARE(chooser.Wremena[3]->listIndex(), -1);
        QCOMPARE(chooser.Wremena[5]->listIndex(), -1);
        QCOMPARE(s.f.state.List_Un(3).item(0), QStringLiteral("0"));
    }

    void chooserNumbersEntriesByPositionWhateverTheTaskText()
    {
        TaskSession s({8, 26}, [](LessonState &st) { st.Uslowie_L(0).setItem(3, QStringLiteral("задача x")); });
        s.tasks->mnu_Tip_Wid->trigger();
        Tarv_Glos &chooser = s.f.windows.get<Tarv_Glos>();
        for (int i = 1; i <= 15; ++i)
            QVERIFY(chooser.Wremena[3]->entries().contains(
                QStringLiteral("Сложност %1 за задача %2").arg(s.f.state.Wremena(4).item(i)).arg(i)));
    }

    void pickingAnEntryChoosesThatTask_data()
    {
        QTest::addColumn<int>("task");
        QTest::newRow("one digit") << 7;
        QTest::newRow("two digits") << 12;
    }
    void pickingAnEntryChoosesThatTask()
    {
        QFETCH(int, task);
        TaskSession s({8, 26});
        s.tasks->mnu_Tip_Wid->trigger();
        Tarv_Glos &chooser = s.f.windows.get<Tarv_Glos>();
        const int at = chooser.Wremena[5]->entries().indexOf(
            s.f.state.Wremena(6).item(task) + QStringLiteral(" за задача ") + QString::number(task));
        QVERIFY(at >= 0);
        s.f.prompter.answer(true);
        chooser.Wremena[5]->setListIndex(at);
        QCOMPARE(s.f.state.List_Ur(1).item(2), QString::number(task)); // shown: the record is 1-based again
        QCOMPARE(s.task(), task);
        LessonFixture::flush();
        QVERIFY(!s.f.windows.isLoaded<Tarv_Glos>());
    }

    void entryWithoutANumberLeavesNoTask()
    {
        TaskSession s({8, 26});
        Tarv_Glos &chooser = s.f.windows.get<Tarv_Glos>();
        chooser.Wremena[3]->setEntries({QStringLiteral("без номер")});
        chooser.Wremena[3]->setListIndex(0);
        QCOMPARE(s.f.state.List_Ur(1).item(2), QStringLiteral("-1"));
        QCOMPARE(s.tasks->List_Un[1]->listIndex(), -1);
    }

    void onlyTheLastPickStaysSelected()
    {
        TaskSession s({8, 26});
        Tarv_Glos &chooser = s.f.windows.get<Tarv_Glos>();
        chooser.Wremena[3]->setEntries({QStringLiteral("a за задача 1")});
        chooser.Wremena[5]->setEntries({QStringLiteral("b за задача 1")});
        // The first pick unloads the window; the chooser is picked from afresh.
        QSignalBlocker quiet(chooser.Wremena[5]);
        chooser.Wremena[5]->setListIndex(0);
        quiet.unblock();
        chooser.Wremena[3]->setListIndex(0);
        QCOMPARE(chooser.Wremena[3]->listIndex(), 0);
        QCOMPARE(chooser.Wremena[5]->listIndex(), -1);
    }

    void chooserKeepsTheLessonsOptionsAfterItIsCreatedAfresh()
    {
        TaskSession s({26}); // option 8 off: no choosing by level
        Tarv_Glos *chooser = &s.f.windows.get<Tarv_Glos>();
        QVERIFY(!chooser->Wremena[3]->isEnabled());
        s.f.windows.unload<Tarv_Glos>();
        LessonFixture::flush();
        chooser = &s.f.windows.get<Tarv_Glos>();
        QVERIFY(!chooser->Wremena[3]->isEnabled());
        QVERIFY(chooser->Wremena[5]->isEnabled());
    }

    void focusCopiesTheFieldUsedLast()
    {
        TaskSession s({24});
        s.tasks->mnu_Pylen_Ekran->trigger(); // after start-up: the condition
        Tarv_Zad &focus = s.f.windows.get<Tarv_Zad>();
        QVERIFY(focus.isVisible());
        QCOMPARE(focus.Obsho_Pole->text(), s.field(2));
        QVERIFY(focus.Obsho_Pole->isLocked());
        QCOMPARE(focus.Obsho_Pole->fontSize(), 10.0);
        s.type(QStringLiteral("моят отговор"));
        s.tasks->Text_Un_GotFocus(0);
        s.tasks->mnu_Pylen_Ekran->trigger();
        QCOMPARE(focus.Obsho_Pole->text(), QStringLiteral("моят отговор"));
        QVERIFY(!focus.Obsho_Pole->isLocked()); // the answer may be edited there
        QCOMPARE(s.field(5), QStringLiteral("моят отговор"));
        // ... but edits are not carried back.
        focus.Obsho_Pole->setText(QStringLiteral("друго"));
        QCOMPARE(s.field(0), QStringLiteral("моят отговор"));
    }

    void zoomOpensPicturesThatDoNotFit()
    {
        TaskSession s({4});
        ListBox *terms = s.tasks->List_Un[0];
        // "аритметични операции": picture 9 is smaller than the box both ways.
        terms->setListIndex(terms->entries().indexOf(QStringLiteral("аритметични операции")));
        QVERIFY(s.tasks->Picture_Un[0]->picture().sameAs(s.f.state.Grafika_G(9)));
        s.tasks->Picture_Un_Click(0);
        QCOMPARE(s.tasks->Nomer_kartina, 9);
        QVERIFY(!s.f.windows.isLoaded<Tarv_Gra>());
        // "Ератостен": picture 1 is larger.
        terms->setListIndex(terms->entries().indexOf(QStringLiteral("Ератостен")));
        s.tasks->Picture_Un_Click(0);
        QVERIFY(s.f.windows.isLoaded<Tarv_Gra>());
        Tarv_Gra &viewer = s.f.windows.get<Tarv_Gra>();
        QVERIFY(viewer.Grafika_G[0]->picture().sameAs(s.f.state.Grafika_G(1)));
        const QSize holder = s.f.state.Grafika_G(1).holderSize();
        QCOMPARE(viewer.Grafika_G[0]->size(), holder);
        QCOMPARE(viewer.size(), holder + twipsFor(&viewer).size(100, 150));
        // The empty picture does nothing.
        terms->setListIndex(terms->entries().indexOf(QStringLiteral("break")));
        viewer.hide();
        s.tasks->Picture_Un_Click(0);
        QVERIFY(!viewer.isVisible());
    }

    void zoomOfASolutionWithoutItsOwnPictureShowsTheConditionPicture()
    {
        TaskSession s({14, 6}, [](LessonState &st) {
            st.Spi_GR(2).setItem(13, QStringLiteral("0"));
            st.Wremena(1).setItem(13, QStringLiteral("0"));
        });
        s.f.prompter.answer(true);
        s.tasks->mnu_All_zadachi->trigger();
        s.choose(12);
        s.ticks(1); // budget 0: the solution comes at once
        QCOMPARE(s.tasks->Widy_kartina, 2);
        QVERIFY(s.tasks->Picture_Un[0]->picture().sameAs(s.f.state.Grafika_W(1)));
        // The solution shows the empty picture, so the zoom does nothing ...
        s.tasks->Picture_Un_Click(0);
        QVERIFY(!s.f.windows.isLoaded<Tarv_Gra>());
        // ... while a condition picture is zoomed in the solution's place.
        s.tasks->Picture_Un[0]->setPicture(s.f.state.Grafika_G(5));
        s.tasks->Picture_Un_Click(0);
        QCOMPARE(s.tasks->Nomer_kartina, 2);
        QVERIFY(s.f.windows.get<Tarv_Gra>().Grafika_G[0]->picture().sameAs(s.f.state.Grafika_G(2)));
    }
};

class FocusWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstRequestShowsTenPoints()
    {
        LessonFixture f;
        Tarv &main = f.windows.get<Tarv>();
        QCOMPARE(f.state.List_Ur(1).item(4), QStringLiteral("12"));
        main.mnu_Fokus_Click();
        Tarv_Zad &focus = f.windows.get<Tarv_Zad>();
        QVERIFY(focus.isVisible());
        QCOMPARE(focus.Obsho_Pole->text(), main.Text_U[1]->text());
        QCOMPARE(focus.Obsho_Pole->fontSize(), 10.0);
        QCOMPARE(focus.List_font->listIndex(), 0);
        QCOMPARE(f.state.List_Ur(1).item(4), QStringLiteral("10"));
        QCOMPARE(main.Text_U[2]->text(), main.Text_U[1]->text());
        QVERIFY(focus.Obsho_Pole->isLocked());
    }

    void chosenSizeIsRememberedAfterClosing()
    {
        LessonFixture f;
        Tarv &main = f.windows.get<Tarv>();
        main.mnu_Fokus_Click();
        Tarv_Zad *focus = &f.windows.get<Tarv_Zad>();
        focus->List_font->setListIndex(focus->List_font->entries().indexOf(QStringLiteral("30")));
        QCOMPARE(focus->Obsho_Pole->fontSize(), 30.0);
        QCOMPARE(f.state.List_Ur(1).item(4), QStringLiteral("30"));
        QCOMPARE(f.state.List_Ur(1).item(5), QStringLiteral("10"));
        focus->close();
        LessonFixture::flush();
        QVERIFY(!f.windows.isLoaded<Tarv_Zad>());
        main.mnu_Fokus_Click();
        focus = &f.windows.get<Tarv_Zad>();
        QCOMPARE(focus->Obsho_Pole->fontSize(), 30.0);
        QCOMPARE(focus->List_font->selectedText(), QStringLiteral("30"));
    }

    void colouredFromTheAppearanceSettings()
    {
        LessonFixture f;
        f.state.List_Un(2).setItem(3, QStringLiteral("65280"));
        f.state.List_Un(2).setItem(7, QStringLiteral("16711680"));
        f.state.List_Un(2).setItem(11, QStringLiteral("255"));
        Tarv_Zad &focus = f.windows.get<Tarv_Zad>();
        QCOMPARE(backColor(&focus), 65280);
        QCOMPARE(backColor(focus.Obsho_Pole), 16711680);
        QCOMPARE(foreColor(focus.Obsho_Pole), 255);
    }

    void textFollowsTheWindowButALowWindowKeepsItsHeight()
    {
        LessonFixture f;
        Tarv_Zad &focus = f.windows.get<Tarv_Zad>();
        focus.show();
        focus.resize(600, 500);
        const int h = 4 * focus.List_font->height();
        QCOMPARE(focus.Obsho_Pole->width(), static_cast<int>(0.95 * focus.frameGeometry().width()));
        QCOMPARE(focus.Obsho_Pole->height(), focus.frameGeometry().height() - h);
        const int height = focus.Obsho_Pole->height();
        focus.resize(400, h - 20);
        QCOMPARE(focus.Obsho_Pole->height(), height);
        QCOMPARE(focus.Obsho_Pole->width(), static_cast<int>(0.95 * focus.frameGeometry().width()));
    }

    void escapeClosesTheWindow()
    {
        LessonFixture f;
        Tarv_Zad &focus = f.windows.get<Tarv_Zad>();
        focus.show();
        QTest::keyClick(&focus, Qt::Key_Escape);
        QVERIFY(!focus.isVisible());
        LessonFixture::flush();
        QVERIFY(!f.windows.isLoaded<Tarv_Zad>());
    }
};

class FullSizeViewTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pictureOfAPlanPointOpensAtItsSize()
    {
        LessonFixture f;
        f.state.Opcii_L().setItem(10, QStringLiteral("1"));
        Tarv &main = f.windows.get<Tarv>();
        main.Picture_Ur_Click(0); // the topic has no picture number
        QVERIFY(!f.windows.isLoaded<Tarv_Gra>());
        main.List_Ur[0]->setListIndex(0); // point 1: picture 4
        main.Picture_Ur_Click(0);
        Tarv_Gra &viewer = f.windows.get<Tarv_Gra>();
        QVERIFY(viewer.isVisible());
        QCOMPARE(viewer.windowTitle(), QStringLiteral("Пълен размер на графиката"));
        QVERIFY(viewer.Grafika_G[0]->picture().sameAs(f.state.Grafika_G(4)));
        QCOMPARE(viewer.size(), f.state.Grafika_G(4).holderSize() + twipsFor(&viewer).size(100, 100));
        // The sponsor's picture replaces it in the open viewer.
        main.awtori_Click(1);
        main.Picture_Ur_Click(0);
        QVERIFY(viewer.Grafika_G[0]->picture().sameAs(f.state.Grafika_W(2)));
        QCOMPARE(viewer.size(), f.state.Grafika_W(2).holderSize() + twipsFor(&viewer).size(100, 100));
    }

    void pictureThatFitsTheBoxIsNotOpened()
    {
        LessonFixture f;
        Tarv &main = f.windows.get<Tarv>();
        main.pictureNumber = 9;
        main.pictureSource = 1;
        main.Picture_Ur[0]->setPicture(f.state.Grafika_G(9));
        const QSize holder = f.state.Grafika_G(9).holderSize();
        main.Picture_Ur[0]->resize(holder + QSize(1, 1));
        main.Picture_Ur_Click(0);
        QVERIFY(!f.windows.isLoaded<Tarv_Gra>());
        // Exactly as wide as the picture: it does not fit, so it opens.
        main.Picture_Ur[0]->resize(holder.width(), holder.height() + 1);
        main.Picture_Ur_Click(0);
        QVERIFY(f.windows.isLoaded<Tarv_Gra>());
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TaskCommandsTest a;
    FocusWindowTest b;
    FullSizeViewTest c;
    return QTest::qExec(&a, argc, argv) | QTest::qExec(&b, argc, argv) | QTest::qExec(&c, argc, argv);
}

#include "test_task_commands.moc"
