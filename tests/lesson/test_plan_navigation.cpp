#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/TextBox.h"
#include "engine/TickSource.h"
#include "lesson/Tarv.h"
#include "support/Lesson.h"
#include "support/LessonFixture.h"
#include "tasks/Tarv_n.h"

#include <QAction>
#include <QTest>

using namespace urok;
using namespace urok::test;

namespace {

// The teaching material on (option 10) so that plan points can be chosen.
void allowMaterial(LessonState &state)
{
    state.Opcii_L().setItem(10, QStringLiteral("1"));
}

} // namespace

class PlanNavigationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void planIsShownInKeyOrderWithoutKeys()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        QCOMPARE(t.List_Ur[0]->entries(),
                 QStringList({QStringLiteral("1. Търсене с връщане назад"),
                              QStringLiteral("2. Алчни алгоритми"),
                              QStringLiteral("3. Разделяй и владей"),
                              QStringLiteral("4. Динамично оптимиране")}));
    }

    void shortEntriesAreSkippedAndKeysOrderThePlan()
    {
        LessonFixture f;
        ItemList &plan = f.state.Plan_Tarv(0);
        plan.clear();
        for (const char *e : {"Тема", "003 3. Трета", "001 1. Първа", "002 2.", "010 1.1. Подточка",
                              "002 2. Втора"})
            plan.add(QString::fromUtf8(e));
        Tarv &t = f.windows.get<Tarv>();
        QCOMPARE(t.planCount, 5);
        QCOMPARE(t.List_Ur[0]->entries(),
                 QStringList({QStringLiteral("1. Първа"), QStringLiteral("2. Втора"),
                              QStringLiteral("3. Трета"), QStringLiteral("1.1. Подточка")}));
        QCOMPARE(t.Text_U[0]->text(), QStringLiteral("Тема"));
    }

    // The keys move through the plan without choosing; Enter chooses and
    // shows the point's text and picture. While the point is written the
    // list is locked: the focus stays on it, and neither a click nor Enter
    // or Space chooses another point. A point written is shown again
    // without starting its time anew.
    void keysMoveEnterChoosesALockedListKeepsTheFocus()
    {
        Lesson lesson;
        Tarv &t = lesson.start();
        QVERIFY(QTest::qWaitForWindowActive(&t));
        ListBox *plan = t.List_Ur[0];
        for (Qt::Key key : {Qt::Key_End, Qt::Key_2, Qt::Key_Up}) // "2" finds "2. ..."
            Lesson::key(plan, key);
        QCOMPARE(t.writing.currentPoint, 0);
        QCOMPARE(plan->listIndex(), -1);
        QCOMPARE(plan->currentRow(), 0);
        QTest::keyClick(plan, Qt::Key_Return);
        QCOMPARE(t.writing.currentPoint, 1);
        QCOMPARE(t.Text_U[1]->text(), lesson.state().Podtochki(1));
        QVERIFY(t.Picture_Ur[0]->picture().sameAs(lesson.state().Grafika_G(4)));
        QCOMPARE(t.pictureNumber, 4);
        QCOMPARE(t.pictureSource, 1);
        QCOMPARE(t.currentTime, t.writing.remaining[1]);
        QCOMPARE(QApplication::focusWidget(), plan);

        Lesson::click(plan, 2);
        QTest::keyClick(plan, Qt::Key_Down);
        QTest::keyClick(plan, Qt::Key_Space);
        QCOMPARE(t.writing.currentPoint, 1);
        QCOMPARE(plan->listIndex(), 0);
        QCOMPARE(t.Text_U[1]->text(), lesson.state().Podtochki(1));
        QCOMPARE(QApplication::focusWidget(), plan);

        lesson.tick(10 * (t.writing.remaining[1] + 1)); // written, unlocked
        QTest::keyClick(plan, Qt::Key_Return);
        QCOMPARE(t.writing.currentPoint, 2);
        lesson.tick(10 * (t.writing.remaining[2] + 1));
        Lesson::click(plan, 0);
        QCOMPARE(t.Text_U[1]->text(), lesson.state().Podtochki(1));
        QCOMPARE(t.writing.remaining[1], 0);
        QCOMPARE(t.writing.openPoints(), 2);
    }

    void pointWithoutAPictureShowsTheEmptyPicture()
    {
        LessonFixture f;
        allowMaterial(f.state);
        f.state.Opcii_L().setItem(17, QStringLiteral("1")); // list stays usable
        Tarv &t = f.windows.get<Tarv>();
        t.List_Ur[0]->setListIndex(0);
        t.List_Ur[0]->setListIndex(2);
        QCOMPARE(t.Text_U[1]->text(), f.state.Podtochki(3));
        QVERIFY(t.Picture_Ur[0]->picture().sameAs(f.state.Grafika_W(1)));
        QCOMPARE(t.pictureNumber, 0);
        QCOMPARE(t.pictureSource, 1); // left as it was
        QVERIFY(!t.List_Ur[0]->isLocked());
    }

    void lastMatchingEntryWins()
    {
        LessonFixture f;
        allowMaterial(f.state);
        ItemList &plan = f.state.Plan_Tarv(0);
        plan.setItem(3, QStringLiteral("003 2. Алчни алгоритми")); // two entries end alike
        Tarv &t = f.windows.get<Tarv>();
        t.List_Ur[0]->setListIndex(1);
        QCOMPARE(t.Text_U[1]->text(), f.state.Podtochki(3));
    }

    void withoutTheTeachingMaterialNothingIsShown()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        QVERIFY(!t.List_Ur[0]->isEnabled());
        QCOMPARE(t.Text_U[1]->text(), QStringLiteral("Достъпът до учебния материал е забранен!"));
        t.List_Ur[0]->setListIndex(0);
        QCOMPARE(t.Text_U[1]->text(), QStringLiteral("Достъпът до учебния материал е забранен!"));
        QCOMPARE(t.writing.currentPoint, 0);
    }

    void informationItemsShowTheirTextAndKeepThePicture()
    {
        LessonFixture f;
        allowMaterial(f.state);
        Tarv &t = f.windows.get<Tarv>();
        t.List_Ur[0]->setListIndex(0);
        for (int i = 1; i <= 9; ++i) {
            t.Sydyrv_pla[i]->setEnabled(true);
            t.Sydyrv_pla[i]->trigger();
            QCOMPARE(t.Text_U[1]->text(), f.state.Dopyln_M(i));
        }
        QVERIFY(t.Picture_Ur[0]->picture().sameAs(f.state.Grafika_G(4)));
        QCOMPARE(t.pictureNumber, 4);
    }

    void authorsItemsShowTheirTexts()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        t.awtori[2]->trigger();
        QCOMPARE(t.Text_U[1]->text(), f.state.Reklama_Par(2));
        QVERIFY(t.Picture_Ur[0]->picture().sameAs(f.state.Grafika_W(1)));
        t.awtori[1]->trigger();
        QCOMPARE(t.Text_U[1]->text(), f.state.Reklama_Par(1));
        QVERIFY(t.Picture_Ur[0]->picture().sameAs(f.state.Grafika_W(2)));
        QCOMPARE(t.pictureNumber, 2);
        QCOMPARE(t.pictureSource, 2);
        t.awtori[3]->trigger();
        QCOMPARE(t.Text_U[1]->text(), f.state.Reklama_Par(3));
        QVERIFY(t.Picture_Ur[0]->picture().sameAs(f.state.Grafika_W(2)));
    }

    void dictionaryTermsAreCopiedInAlphabeticalOrder()
    {
        LessonFixture f;
        f.windows.get<Tarv>();
        const QStringList terms = f.windows.get<Tarv_n>().List_Un[0]->entries();
        QCOMPARE(terms.size(), 18);
        QCOMPARE(terms.first(), QStringLiteral("break"));
        QCOMPARE(terms.last(), QStringLiteral("числа на Каталан"));
        QVERIFY(terms.indexOf(QStringLiteral("Ератостен")) > terms.indexOf(QStringLiteral("двоично търсене")));
    }
};

QTEST_MAIN(PlanNavigationTest)
#include "test_plan_navigation.moc"
