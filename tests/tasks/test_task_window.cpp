#include "controls/PictureBox.h"
#include "controls/ClientArea.h"
#include "controls/ControlLook.h"
#include "support/Captions.h"
#include "support/Find.h"
#include "tasks/Decrypt.h"
#include "support/TaskSession.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace urok;
using namespace urok::test;

namespace {

QString conditionOf(LessonState &state, int k)
{
    const int a = state.Redowe_L(1).item(k).toInt();
    const int b = state.Redowe_L(2).item(k).toInt() - 1;
    QString text;
    for (int i = a; i <= b; ++i)
        text += QStringLiteral("\r\n") + state.Uslowie_L(k).item(i);
    return text;
}

} // namespace

class TaskWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensOnTheFirstTask()
    {
        TaskSession s;
        QVERIFY(!s.main->isVisible());
        QVERIFY(s.tasks->isVisible());
        QCOMPARE(s.tasks->windowTitle(), QStringLiteral("Комбиниран урок - задачи + речник"));
        QCOMPARE(s.task(), 1);
        QCOMPARE(s.tasks->List_Un[1]->count(), 15);
        QCOMPARE(s.field(2), conditionOf(s.f.state, 1));
        QVERIFY(s.field(2).startsWith(QStringLiteral("\r\n")));
        // The empty answer field is stored for task 1 before task 1 is shown.
        QCOMPARE(s.field(0), QString());
        QVERIFY(!s.tasks->Text_Un[0]->isLocked());
        QCOMPARE(s.tasks->Ostawashto_wreme, 20.0); // level 1, budget 20
        QVERIFY(s.tasks->Timer_n->isEnabled());
        QCOMPARE(s.f.state.List_Ur(1).item(2), QStringLiteral("0"));
        QCOMPARE(s.tasks->Fokus_pole, 2);
        QVERIFY(s.f.prompter.shown.isEmpty());
    }

    void controlsAndMenus()
    {
        TaskSession s;
        QCOMPARE(plainCaptions(s.tasks->menuBar()->actions()), QStringList({QStringLiteral("Връщане към урока"), QStringLiteral("Ниво/Вид на задачи"),
                                     QStringLiteral("Фокус"), QStringLiteral("Допълнително"),
                                     QStringLiteral("Запис")}));
        QCOMPARE(plainCaption(action(s.tasks, QStringLiteral("mnu_ZapReshen(1)"))), QStringLiteral("Запис условие+решение"));
        QCOMPARE(plainCaption(action(s.tasks, QStringLiteral("mnu_ZapReshen(3)"))), QStringLiteral("Решение на автора"));
        for (int i = 0; i <= 5; ++i)
            QVERIFY(control<TextBox>(s.tasks, QStringLiteral("Text_Un(%1)").arg(i)));
        QVERIFY(control<QLabel>(s.tasks, QStringLiteral("Chasownik_Label(0)")));
        QVERIFY(s.tasks->Text_Un[5]->isHidden());
    }

    void tasksWindowTakesTheLessonsPlaceAndSize()
    {
        LessonFixture f;
        Tarv &main = f.windows.get<Tarv>();
        main.show();
        main.setGeometry(40, 50, 1000, 700);
        main.mnu_Wyprosi_Click();
        Tarv_n &tasks = f.windows.get<Tarv_n>();
        QCOMPARE(tasks.geometry(), main.geometry());
        const QRect answer = tasks.Text_Un[0]->geometry();
        // Made twice as wide, the window spreads its controls in proportion.
        tasks.resize(tasks.width() + tasks.client()->width(), tasks.height());
        QVERIFY(qAbs(tasks.Text_Un[0]->x() - 2 * answer.x()) <= 1);
        QVERIFY(qAbs(tasks.Text_Un[0]->width() - 2 * answer.width()) <= 1);
        QCOMPARE(tasks.Text_Un[0]->height(), answer.height());
        tasks.mnu_IzhodN_Click();
        QCOMPARE(main.geometry(), tasks.geometry());
        QCOMPARE(main.client()->size(), tasks.client()->size());
    }

    void closeBoxReturnsToTheLesson()
    {
        TaskSession s;
        s.type(QStringLiteral("не се губи"));
        QVERIFY(!s.tasks->close());
        QVERIFY(!s.tasks->isVisible());
        QVERIFY(s.main->isVisible());
        QVERIFY(s.f.windows.isLoaded<Tarv_n>());
        QCOMPARE(s.f.state.List_Un(3).item(1), QStringLiteral("не се губи"));
    }

    void returnWithNoTaskSelected()
    {
        TaskSession s;
        s.tasks->List_Un[1]->setListIndex(-1);
        s.type(QStringLiteral("нищо"));
        s.tasks->mnu_IzhodN_Click();
        QCOMPARE(s.f.state.List_Un(3).item(0), QStringLiteral("нищо"));
        QCOMPARE(s.f.state.List_Ur(1).item(2), QStringLiteral("-1"));
    }

    void taskPicturesFollowTheirMaps()
    {
        TaskSession s;
        QVERIFY(s.tasks->Picture_Un[0]->picture().sameAs(s.f.state.Grafika_W(1)));
        s.f.prompter.answer(true);
        s.tasks->mnu_All_zadachi_Click();
        s.choose(12); // task 13: the circular list
        QVERIFY(s.tasks->Picture_Un[0]->picture().sameAs(s.f.state.Grafika_G(2)));
        QCOMPARE(s.tasks->Widy_kartina, 1);
    }

    void termShowsItsDefinitionAndPicture()
    {
        TaskSession s({4});
        ListBox *terms = s.tasks->List_Un[0];
        const int at = terms->entries().indexOf(QStringLiteral("Ератостен"));
        terms->setListIndex(at);
        QCOMPARE(s.field(1), s.f.state.Glos(14));
        QCOMPARE(s.tasks->Nomer_termin, 14);
        QCOMPARE(s.tasks->Widy_kartina, 0);
        QVERIFY(s.tasks->Picture_Un[0]->picture().sameAs(s.f.state.Grafika_G(1)));
        QCOMPARE(s.f.state.List_Ur(1).item(1), QString::number(at));
        terms->setListIndex(terms->entries().indexOf(QStringLiteral("коментар")));
        QVERIFY(s.tasks->Picture_Un[0]->picture().sameAs(s.f.state.Grafika_W(1)));
    }

    void laterOfTwoEqualTermsWins()
    {
        TaskSession s({4}, [](LessonState &st) {
            st.glos_All(0).setItem(16, QStringLiteral("break")); // two entries named "break"
        });
        ListBox *terms = s.tasks->List_Un[0];
        terms->setListIndex(terms->entries().indexOf(QStringLiteral("break")));
        QCOMPARE(s.field(1), s.f.state.Glos(16));
        QCOMPARE(s.tasks->Nomer_termin, 16);
    }

    void focusedFieldIsHighlighted()
    {
        TaskSession s;
        s.tasks->Text_Un_GotFocus(0);
        QCOMPARE(backColor(s.tasks->Text_Un[0]), rgbValue(125, 110, 105));
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(backColor(s.tasks->Text_Un[i]), 32768);
        QCOMPARE(s.tasks->Fokus_pole, 0);
        s.f.state.List_Un(2).setItem(7, QStringLiteral("255"));
        s.tasks->Text_Un_GotFocus(3);
        QCOMPARE(backColor(s.tasks->Text_Un[0]), 255);
        QCOMPARE(backColor(s.tasks->Text_Un[3]), rgbValue(125, 110, 105));
    }

    void scrambledLessonIsUnscrambledForThePupil()
    {
        TaskSession s({31}, [](LessonState &st) {
            ItemList &lines = st.Uslowie_L(1);
            for (int i = 0; i < lines.count(); ++i)
                lines.setItem(i, scrambleContentLine(QStringLiteral("ред %1").arg(i)));
        });
        s.f.prompter.answer(true);
        s.choose(1);
        s.f.prompter.answer(true);
        s.choose(0);
        QVERIFY(s.field(2).startsWith(QStringLiteral("\r\nред 2")));
        s.ticks(201);
        QVERIFY(s.field(3).startsWith(QStringLiteral("\r\nред ")));
    }
};

QTEST_MAIN(TaskWindowTest)
#include "test_task_window.moc"
