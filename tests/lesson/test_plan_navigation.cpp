// The plan of the main window as the pupil meets it: entries in key order,
// a point chosen shows its text and picture, the menus show theirs.
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/SpokenLabels.h"
#include "controls/TextBox.h"
#include "lesson/Tarv.h"
#include "support/Lesson.h"

#include <QTest>

using namespace urok;
using namespace urok::test;

class PlanNavigationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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
        ListBox *plan = Lesson::control<ListBox>(&t, "List_Ur(0)");
        for (Qt::Key key : {Qt::Key_End, Qt::Key_2, Qt::Key_Up}) // "2" finds "2. ..."
            Lesson::key(plan, key);
        ProgressLabel *bar = Lesson::control<ProgressLabel>(&t, "Label_U(2)");
        QCOMPARE(bar->value(), 0);
        QCOMPARE(plan->listIndex(), -1);
        QCOMPARE(plan->currentRow(), 0);
        QTest::keyClick(plan, Qt::Key_Return);
        const int full = bar->value();
        QVERIFY(full > 0);
        QCOMPARE(bar->maximum(), full);
        QCOMPARE(Lesson::control<TextBox>(&t, "Text_U(1)")->text(), lesson.state().Podtochki(1));
        QVERIFY(Lesson::control<PictureBox>(&t, "Picture_Ur(0)")
                        ->picture()
                        .sameAs(lesson.state().Grafika_G(4)));
        QCOMPARE(QApplication::focusWidget(), plan);

        Lesson::click(plan, 2);
        QTest::keyClick(plan, Qt::Key_Down);
        QTest::keyClick(plan, Qt::Key_Space);
        QCOMPARE(bar->value(), full);
        QCOMPARE(plan->listIndex(), 0);
        QCOMPARE(Lesson::control<TextBox>(&t, "Text_U(1)")->text(), lesson.state().Podtochki(1));
        QCOMPARE(QApplication::focusWidget(), plan);

        lesson.tick(10 * (full + 1)); // written, unlocked
        QTest::keyClick(plan, Qt::Key_Return);
        QCOMPARE(Lesson::control<TextBox>(&t, "Text_U(1)")->text(), lesson.state().Podtochki(2));
        lesson.tick(10 * (bar->value() + 1));
        Lesson::click(plan, 0);
        QCOMPARE(Lesson::control<TextBox>(&t, "Text_U(1)")->text(), lesson.state().Podtochki(1));
        QCOMPARE(bar->value(), 0);
        QCOMPARE(Lesson::control<ProgressLabel>(&t, "Label_U(1)")->value(), 2);
    }

    // A plan written out of order: entries shorter than a key and a text
    // are skipped, the rest are shown in key order without their keys, and
    // a point shows the text of the last plan entry that ends like it.
    void aPlanIsShownInKeyOrderAndTheLastMatchingEntryWins()
    {
        const Catalogue content = lessonWith(
            QStringLiteral("  \"Търсене на оптимално решение\"\n  \"001 1. Търсене с връщане назад\"\n"
                           "  \"002 2. Алчни алгоритми\"\n  \"003 3. Разделяй и владей\"\n"
                           "  \"004 4. Динамично оптимиране\"\n"),
            QStringLiteral("  \"Тема\"\n  \"003 3. Трета\"\n  \"001 1. Първа\"\n  \"002 2.\"\n"
                           "  \"010 1.1. Първа\"\n  \"002 2. Втора\"\n"));
        Lesson lesson(Lesson::Bytes{}, configWith({}), content);
        Tarv &t = lesson.start();
        QCOMPARE(Lesson::control<TextBox>(&t, "Text_U(0)")->text(), QStringLiteral("Тема"));
        QCOMPARE(Lesson::control<ListBox>(&t, "List_Ur(0)")->entries(),
                QStringList({QStringLiteral("1. Първа"), QStringLiteral("2. Втора"),
                        QStringLiteral("3. Трета"), QStringLiteral("1.1. Първа")}));
        Lesson::click(Lesson::control<ListBox>(&t, "List_Ur(0)"), 0);
        QCOMPARE(Lesson::control<TextBox>(&t, "Text_U(1)")->text(), lesson.state().Podtochki(4));
    }

    void pointWithoutAPictureShowsTheEmptyPicture()
    {
        Lesson lesson({{17, 1}}); // the list stays usable while a point is written
        Tarv &t = lesson.start();
        Lesson::click(Lesson::control<ListBox>(&t, "List_Ur(0)"), 0);
        Lesson::click(Lesson::control<ListBox>(&t, "List_Ur(0)"), 2);
        QCOMPARE(Lesson::control<TextBox>(&t, "Text_U(1)")->text(), lesson.state().Podtochki(3));
        QVERIFY(Lesson::control<PictureBox>(&t, "Picture_Ur(0)")
                        ->picture()
                        .sameAs(lesson.state().Grafika_W(1)));
        QVERIFY(!Lesson::control<ListBox>(&t, "List_Ur(0)")->isLocked());
    }

    void withoutTheTeachingMaterialNothingIsShown()
    {
        Lesson lesson({{10, 0}});
        Tarv &t = lesson.start();
        const QString forbidden = QStringLiteral("Достъпът до учебния материал е забранен!");
        QVERIFY(!Lesson::control<ListBox>(&t, "List_Ur(0)")->isEnabled());
        QCOMPARE(Lesson::control<TextBox>(&t, "Text_U(1)")->text(), forbidden);
        Lesson::click(Lesson::control<ListBox>(&t, "List_Ur(0)"), 0);
        QCOMPARE(Lesson::control<TextBox>(&t, "Text_U(1)")->text(), forbidden);
        QCOMPARE(Lesson::control<ProgressLabel>(&t, "Label_U(2)")->value(), 0);
    }

    // The information items show their texts and keep the point's picture;
    // the first author's item shows its own picture, which the others keep.
    void menuItemsShowTheirTexts()
    {
        Lesson lesson;
        Tarv &t = lesson.start();
        LessonState &s = lesson.state();
        Lesson::command(&t, QStringLiteral("awtori(2)"));
        QCOMPARE(Lesson::control<TextBox>(&t, "Text_U(1)")->text(), s.Reklama_Par(2));
        QVERIFY(Lesson::control<PictureBox>(&t, "Picture_Ur(0)")->picture().sameAs(s.Grafika_W(1)));
        Lesson::click(Lesson::control<ListBox>(&t, "List_Ur(0)"), 0);
        for (int i = 1; i <= 9; ++i) {
            Lesson::command(&t, QStringLiteral("Sydyrv_pla(%1)").arg(i));
            QCOMPARE(Lesson::control<TextBox>(&t, "Text_U(1)")->text(), s.Dopyln_M(i));
        }
        QVERIFY(Lesson::control<PictureBox>(&t, "Picture_Ur(0)")->picture().sameAs(s.Grafika_G(4)));
        for (int i : {1, 3}) {
            Lesson::command(&t, QStringLiteral("awtori(%1)").arg(i));
            QCOMPARE(Lesson::control<TextBox>(&t, "Text_U(1)")->text(), s.Reklama_Par(i));
            QVERIFY(Lesson::control<PictureBox>(&t, "Picture_Ur(0)")
                            ->picture()
                            .sameAs(s.Grafika_W(2)));
        }
    }
};

QTEST_MAIN(PlanNavigationTest)
#include "test_plan_navigation.moc"
