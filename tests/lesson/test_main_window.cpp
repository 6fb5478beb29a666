#include "appearance/Cwiat.h"
#include "controls/ClientArea.h"
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/TextBox.h"
#include "controls/Twips.h"
#include "engine/TickSource.h"
#include "lesson/Tarv.h"
#include "support/Captions.h"
#include "support/Find.h"
#include "support/LessonFixture.h"
#include "tasks/Tarv_n.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace urok;
using namespace urok::test;

class MainWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startUpWithTheBuiltInLesson()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        QCOMPARE(t.planCount, 4);
        QCOMPARE(t.writing.openPoints(), 4);
        QCOMPARE(t.writing.currentPoint, 0);
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(t.writing.remaining[k], 8 + 2 * k);
        QCOMPARE(t.windowTitle(),
                 QStringLiteral("Програмиран урок - урочно съдържание. Търсене на оптимално "
                                "решение  Версия  .96 от 2009/10/28"));
        // Without a configuration file the pupil is told so, once.
        QCOMPARE(f.prompter.shown.size(), 1);
        QVERIFY(f.prompter.shown[0].text.startsWith(QStringLiteral("1\r\n")));
        QCOMPARE(f.state.List_Ur(1).item(2), QStringLiteral("0"));
        QVERIFY(t.Timer1->isEnabled());
        // The tasks window exists, hidden; the menu that opens it waits for the plan.
        QVERIFY(f.windows.isLoaded<Tarv_n>());
        QVERIFY(!f.windows.get<Tarv_n>().isVisible());
        QVERIFY(!t.mnu_Wyprosi->isEnabled());
        QCOMPARE(t.Text_U[0]->text(), QStringLiteral("Търсене на оптимално решение"));
    }

    void captionShowsAVersionAboveOne()
    {
        LessonFixture f;
        f.state.List_Ur(3).setItem(3, QStringLiteral(" 125"));
        f.state.List_Ur(3).setItem(10, QStringLiteral("2026/12/06"));
        QVERIFY(f.windows.get<Tarv>().windowTitle().endsWith(
            QStringLiteral("  Версия  1.25 от 2026/12/06")));
    }

    void captionWithANonNumericVersionShowsZero()
    {
        LessonFixture f;
        f.state.List_Ur(3).setItem(3, QStringLiteral("x"));
        QVERIFY(f.windows.get<Tarv>().windowTitle().contains(QStringLiteral("Версия  0 от")));
    }

    void controlsCarryTheirNames()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        for (const char *name : {"Text_U(0)", "Text_U(1)", "Text_U(2)"})
            QVERIFY(control<TextBox>(&t, QString::fromUtf8(name)));
        for (int i = 0; i < 4; ++i) {
            QVERIFY(control<QLabel>(&t, QStringLiteral("Label_U(%1)").arg(i)));
            QVERIFY(control<QWidget>(&t, QStringLiteral("Shape_Lenta(%1)").arg(i)));
        }
        QVERIFY(control<ListBox>(&t, QStringLiteral("List_Ur(0)")));
        QVERIFY(control<PictureBox>(&t, QStringLiteral("Picture_Ur(0)")));
        QCOMPARE(control<QLabel>(&t, QStringLiteral("Label_U(3)"))->text(), QStringLiteral("Тема"));
        QCOMPARE(control<QLabel>(&t, QStringLiteral("Label_U(0)"))->text(), QStringLiteral("План"));
        QCOMPARE(control<ListBox>(&t, QStringLiteral("List_Ur(0)"))->toolTip(),
                 QStringLiteral("План на урока - точка/подточка "));
        QVERIFY(!control<ListBox>(&t, QStringLiteral("List_Ur(0)"))->accessibleName().isEmpty());

        QCOMPARE(plainCaptions(t.menuBar()->actions()), QStringList({QStringLiteral("Изход"), QStringLiteral("Фокус"),
                                     QStringLiteral("Цвят/шрифт"), QStringLiteral("Задачи/Речник"),
                                     QStringLiteral("Информация за урока"),
                                     QStringLiteral("Автори")}));
        QCOMPARE(plainCaption(action(&t, QStringLiteral("Sydyrv_pla(2)"))),
                 QStringLiteral("Използвана литература & Internet site"));
        QCOMPARE(plainCaption(action(&t, QStringLiteral("awtori(3)"))), QStringLiteral("За програмата"));
    }

    void resizingKeepsEveryControlAtItsFraction()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        t.show();
        const QSize design = twipsFor(&t).size(Tarv::DesignWidth, Tarv::DesignHeight);
        QCOMPARE(t.client()->size(), design);
        const QRect plan = t.List_Ur[0]->geometry();
        const QRect answer = f.windows.get<Tarv_n>().Text_Un[0]->geometry();

        t.resize(t.width() + design.width(), t.height());
        QCOMPARE(t.client()->width(), 2 * design.width());
        const QRect wide = t.List_Ur[0]->geometry();
        QCOMPARE(wide.x(), 2 * plan.x());
        QCOMPARE(wide.width(), 2 * plan.width());
        QCOMPARE(wide.y(), plan.y());
        QCOMPARE(wide.height(), plan.height());
        // The tasks window's controls follow the main window's size.
        const QRect wideAnswer = f.windows.get<Tarv_n>().Text_Un[0]->geometry();
        QCOMPARE(wideAnswer.x(), 2 * answer.x());
        QCOMPARE(wideAnswer.height(), answer.height());

        t.resize(t.width() - design.width(), t.height());
        QCOMPARE(t.List_Ur[0]->geometry(), plan);
    }

    void colourMenuOpensTheColourWindowOnThePresentLook()
    {
        LessonFixture f;
        f.state.Opcii_L().setItem(7, QStringLiteral("1"));
        Tarv &t = f.windows.get<Tarv>();
        f.state.List_Un(2).setItem(3, QStringLiteral("999"));
        QVERIFY(t.mnu_Cwqt->isEnabled());
        t.mnu_Cwqt->trigger();
        QVERIFY(f.windows.isLoaded<Cwiat>());
        QVERIFY(f.windows.get<Cwiat>().isVisible());
        QCOMPARE(f.state.List_Un(2).item(3), QStringLiteral("128"));
        QCOMPARE(f.state.List_Un(2).item(1), t.Text_U[0]->font().family());
    }

    void rightClickOpensTheInformationMenu()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        t.show();
        QTest::mouseClick(t.client(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!t.mnu_Sydyrv_plan->isVisible());
        QTest::mouseClick(t.client(), Qt::RightButton, {}, QPoint(5, 5));
        QTRY_VERIFY(t.mnu_Sydyrv_plan->isVisible());
        t.mnu_Sydyrv_plan->hide();
    }

    void exitAnsweredNoLeavesTheLessonAsItWas()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        t.show();
        f.prompter.shown.clear();
        f.prompter.answer(false);
        t.Izhod->trigger();
        QCOMPARE(f.prompter.shown.size(), 1);
        QCOMPARE(f.prompter.shown[0].text, QStringLiteral("Желаете ли изход от урока?"));
        QVERIFY(!f.ended);
        QVERIFY(t.isVisible());
        QVERIFY(t.Timer1->isEnabled());
    }

    void exitAnsweredYesEndsTheProgram()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        t.show();
        f.prompter.answer(true);
        t.Izhod->trigger();
        QVERIFY(f.ended);
        QVERIFY(!t.isVisible());
        LessonFixture::flush();
        QVERIFY(!f.windows.isLoaded<Tarv>());
        QVERIFY(!f.windows.isLoaded<Tarv_n>());
    }

    void closeBoxAsksTheSameQuestion()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        t.show();
        f.prompter.shown.clear();
        f.prompter.answer(false);
        QVERIFY(!t.close());
        QVERIFY(t.isVisible());
        QVERIFY(!f.ended);
        f.prompter.answer(true);
        t.close();
        QVERIFY(f.ended);
        QCOMPARE(f.prompter.shown.size(), 2);
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
