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

    void countdownOfALevelOneTask()
    {
        TaskSession s({5});
        QCOMPARE(s.f.state.Wremena(0).item(1), QStringLiteral("5"));
        s.ticks(1);
        QCOMPARE(s.tasks->Chasownik_Label[0]->text(), QStringLiteral("19"));
        s.ticks(10);
        QCOMPARE(s.tasks->Chasownik_Label[0]->text(), QStringLiteral("18"));
        // The hint comes once about 4 s have passed (elapsed > 5 - 1).
        s.ticks(29);
        QVERIFY(s.field(4).isEmpty());
        s.ticks(1);
        QCOMPARE(s.field(4), QStringLiteral("Имате достъп до допълнително упътване за въпроса\r\n\r\n")
                                 + s.f.state.Uslowie_L(1).item(0));
        QCOMPARE(s.f.state.Wremena(0).item(1), QStringLiteral("0"));
        const QString hint = s.field(4);
        s.ticks(159);
        QCOMPARE(s.tasks->Chasownik_Label[0]->text(), QStringLiteral("0"));
        QCOMPARE(s.tasks->Ostawashto_wreme, 0.0);
        QCOMPARE(s.field(4), hint);
        QVERIFY(!s.tasks->Text_Un[0]->isLocked());
        QVERIFY(s.field(3).isEmpty());
        s.ticks(1);
        QVERIFY(s.tasks->Text_Un[0]->isLocked());
        QCOMPARE(s.tasks->Kraj_wreme, 1);
        QCOMPARE(s.f.state.Wremena(1).item(1), QStringLiteral("0"));
        // The solution: every line from the first solution line, each after a line end.
        const int first = s.f.state.Redowe_L(2).item(1).toInt();
        QString solution;
        ItemList &lines = s.f.state.Uslowie_L(1);
        for (int i = first; i < lines.count(); ++i)
            solution += QStringLiteral("\r\n") + lines.item(i);
        QCOMPARE(s.field(3), solution);
        s.ticks(50); // nothing more happens
        QCOMPARE(s.field(3), solution);
    }

    void withoutOptionFiveNoHintWhileCounting()
    {
        TaskSession s({1});
        s.ticks(200);
        QVERIFY(s.field(4).isEmpty());
        s.ticks(1);
        QVERIFY(!s.field(3).isEmpty());
        QVERIFY(s.field(4).isEmpty());
        // Clicked again, the expired task takes the locked path: hint and solution.
        s.reclick();
        QVERIFY(s.field(3).isEmpty());
        s.ticks(1);
        QVERIFY(s.field(4).startsWith(QStringLiteral("Имате достъп")));
        QVERIFY(!s.field(3).isEmpty());
        QVERIFY(s.tasks->Chasownik_Label[0]->text().isEmpty());
    }

    void levelTwoIsScaledByTen()
    {
        TaskSession s({5}, [](LessonState &st) {
            st.Wremena(1).setItem(4, QStringLiteral("3000"));
            st.Wremena(0).setItem(4, QStringLiteral("2"));
        });
        s.f.prompter.answer(true);
        s.choose(3); // task 4, level 2
        QCOMPARE(s.tasks->Ostawashto_wreme, 30000.0);
        s.ticks(1);
        QCOMPARE(s.tasks->Prag_upytwane, 20.0);
        QCOMPARE(s.field(5), QStringLiteral("-26999.9"));
        // The hint waits until 3000 - remaining passes 10 x 2 - 1: 27 019 s
        // after the start, of 30 000.
        s.tasks->Ostawashto_wreme = 2981.1;
        s.ticks(1);
        QVERIFY(s.field(4).isEmpty());
        s.ticks(1);
        QVERIFY(!s.field(4).isEmpty());
    }

    void refusingTheMoveKeepsTheTaskAndItsCountdown()
    {
        TaskSession s;
        s.ticks(30);
        s.type(QStringLiteral("моят отговор"));
        s.f.prompter.answer(false);
        s.choose(4);
        QCOMPARE(s.f.prompter.shown.size(), 1);
        QCOMPARE(s.f.prompter.shown[0].text, QStringLiteral("Да премина ли към друга задача?"));
        QCOMPARE(s.task(), 1);
        QCOMPARE(s.tasks->Tekushta_zadacha, 1);
        QCOMPARE(s.tasks->Ostawashto_wreme, 17.0);
        QCOMPARE(s.field(0), QStringLiteral("моят отговор"));
        QCOMPARE(s.f.state.List_Ur(1).item(2), QStringLiteral("1"));
        QVERIFY(s.tasks->Timer_n->isEnabled());
    }

    void movingKeepsEachAnswer()
    {
        TaskSession s;
        s.type(QStringLiteral("отговор 1"));
        s.f.prompter.answer(true);
        s.choose(2);
        QCOMPARE(s.field(0), QStringLiteral(" "));
        QCOMPARE(s.field(2), conditionOf(s.f.state, 3));
        s.type(QStringLiteral("отговор 3"));
        s.f.prompter.answer(true);
        s.choose(0);
        QCOMPARE(s.field(0), QStringLiteral("отговор 1"));
        QCOMPARE(s.f.state.List_Un(3).item(3), QStringLiteral("отговор 3"));
        QCOMPARE(s.tasks->Ostawashto_wreme, 20.0); // a task other than the last opened starts afresh
    }

    void difficultyQuestionOnlyWithOptionTwentyFive()
    {
        {
            TaskSession s;
            s.f.prompter.answer(true);
            s.choose(1); // task 2, level 3
            QCOMPARE(s.f.prompter.shown.size(), 1);
            QCOMPARE(s.task(), 2);
        }
        TaskSession s({25});
        s.type(QStringLiteral("първа"));
        const QString condition = s.field(2);
        s.f.prompter.answer(true);  // move on
        s.f.prompter.answer(false); // but not to a hard task
        s.choose(1);
        QCOMPARE(s.f.prompter.shown.size(), 2);
        QCOMPARE(s.f.prompter.shown[1].text,
                 QStringLiteral("Задачата е с повишена трудност! \r\nСмятате ли, че ще се справите?"));
        QCOMPARE(s.task(), 1);
        QCOMPARE(s.field(2), condition);
        QCOMPARE(s.field(0), QStringLiteral("първа"));
        QCOMPARE(s.tasks->Ostawashto_wreme, 20.0);
        // Level 1 tasks are not announced.
        s.f.prompter.shown.clear();
        s.f.prompter.answer(true);
        s.choose(2);
        QCOMPARE(s.f.prompter.shown.size(), 1);
        QCOMPARE(s.task(), 3);
    }

    void countdownSurvivesAReturnToTheLesson()
    {
        TaskSession s({1, 16});
        s.ticks(50);
        s.type(QStringLiteral("започнат отговор"));
        s.tasks->mnu_IzhodN->trigger();
        QVERIFY(s.main->isVisible());
        QVERIFY(!s.tasks->isVisible());
        QVERIFY(!s.tasks->Timer_n->isEnabled());
        QVERIFY(s.main->Timer1->isEnabled());
        QCOMPARE(s.f.state.List_Un(3).item(1), QStringLiteral("започнат отговор"));
        QCOMPARE(s.f.state.List_Ur(1).item(2), QStringLiteral("0"));
        QCOMPARE(s.f.state.List_Ur(1).item(3), QStringLiteral("15"));
        s.main->mnu_Wyprosi->trigger();
        // The pupil clicks the task again: it goes on where it stopped.
        ListBox *list = s.tasks->List_Un[1];
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(s.tasks->Ostawashto_wreme, 15.0);
        QCOMPARE(s.field(0), QStringLiteral("започнат отговор"));
        QVERIFY(s.f.prompter.shown.isEmpty());
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
