// A lesson from start to end with the keyboard alone: every step is a key
// pressed on the widget that has the focus. Only the clock is driven by
// hand (a second of plan writing is a call, not a wait).
#include "appearance/Cwiat.h"
#include "controls/ClientArea.h"
#include "controls/ControlLook.h"
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/TextBox.h"
#include "engine/Prompter.h"
#include "lesson/Tarv.h"
#include "lesson/Tarv_Gra.h"
#include "support/Lesson.h"
#include "tasks/Tarv_n.h"
#include "windows/Tarv_Glos.h"
#include "windows/Tarv_Zad.h"

#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

using namespace urok;
using namespace urok::test;

namespace {

// The letters of the menu keys, as a Bulgarian keyboard gives them.
constexpr auto KeyI = Qt::Key(0x0418);  // И: Изход
constexpr auto KeyF = Qt::Key(0x0424);  // Ф: Фокус
constexpr auto KeyC = Qt::Key(0x0426);  // Ц: Цвят/шрифт
constexpr auto KeyZ = Qt::Key(0x0417);  // З: Задачи/Речник, Запис
constexpr auto KeyV = Qt::Key(0x0412);  // В: Връщане към урока
constexpr auto KeyN = Qt::Key(0x041D);  // Н: Ниво/Вид на задачи, Не
constexpr auto KeyD = Qt::Key(0x0414);  // Д: Да

QWidget *focused()
{
    return QApplication::focusWidget();
}

// A key pressed where the focus is.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    // With no control focused, the active window takes the key.
    QWidget *target = focused() ? focused() : QApplication::activeWindow();
    QVERIFY2(target, "no window is active");
    // A Cyrillic letter comes with its text, the way the keyboard gives it.
    const QString text = key >= 0x0400 && key <= 0x04FF ? QString(QChar(key).toLower())
                                                        : QString();
    if (text.isEmpty())
        QTest::keyClick(target, key, modifiers);
    else
        QTest::sendKeyEvent(QTest::Click, target, key, text, modifiers);
}

// The lesson started from its folder with the default profile, the window
// in front.
struct KeyboardLesson
{
    explicit KeyboardLesson(std::initializer_list<std::pair<const int, int>> options = {})
        : lesson(options)
    {
    }

    bool start()
    {
        main = &lesson.start();
        tasks = &lesson.windows().get<Tarv_n>();
        main->activateWindow();
        return QTest::qWaitForWindowActive(main);
    }

    void seconds(int n) { lesson.tick(10 * n); }

    Lesson lesson;
    Tarv *main = nullptr;
    Tarv_n *tasks = nullptr;
};

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wholeLessonWithKeysOnly()
    {
        KeyboardLesson l;
        QVERIFY(l.start());
        QVERIFY(l.lesson.boxes.seen.isEmpty()); // the configuration file was read
        Tarv &t = *l.main;

        // The window opens on the topic; Tab leads to the plan without choosing a point.
        QCOMPARE(focused(), t.Text_U[0]);
        press(Qt::Key_Tab);
        QCOMPARE(focused(), t.List_Ur[0]);
        QCOMPARE(t.List_Ur[0]->listIndex(), -1);
        QCOMPARE(t.writing.currentPoint, 0);

        // Every point of the plan: Enter chooses the current entry, Down moves
        // to the next one. The list is locked while the point is written and
        // keeps the focus.
        for (int point = 1; point <= t.planCount; ++point) {
            if (point > 1)
                press(Qt::Key_Down);
            QCOMPARE(t.writing.currentPoint, point - 1);
            press(Qt::Key_Return);
            QCOMPARE(t.writing.currentPoint, point);
            QCOMPARE(t.Text_U[1]->text(), l.lesson.state().Podtochki(point));
            QVERIFY(t.List_Ur[0]->isLocked());
            QCOMPARE(focused(), t.List_Ur[0]);
            l.seconds(t.writing.remaining[point] + 1);
            QVERIFY(!t.List_Ur[0]->isLocked());
        }
        QVERIFY(t.mnu_Wyprosi->isEnabled());

        // Alt+З opens the tasks window on its task list, with task 1 shown.
        press(KeyZ, Qt::AltModifier);
        Tarv_n &n = *l.tasks;
        QVERIFY(n.isVisible());
        QVERIFY(!t.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&n));
        QCOMPARE(focused(), n.List_Un[1]);
        QCOMPARE(n.List_Un[1]->listIndex(), 0);

        // The next task, with the arrow key and Enter: the move and the harder
        // level are confirmed.
        press(Qt::Key_Down);
        QCOMPARE(n.Tekushta_zadacha, 1);
        l.lesson.boxes.answer(QStringLiteral("Да"));
        l.lesson.boxes.answer(QStringLiteral("Да"));
        press(Qt::Key_Return);
        QCOMPARE(n.List_Un[1]->listIndex(), 1);
        QCOMPARE(n.Tekushta_zadacha, 2);
        QVERIFY(l.lesson.boxes.allAnswered());
        // (A window manager gives the focus back after the boxes; here the test does.)
        n.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&n));
        QCOMPARE(focused(), n.List_Un[1]);

        // The answer field is three Tabs on: condition, hint, answer.
        press(Qt::Key_Tab);
        QCOMPARE(focused(), n.Text_Un[2]);
        press(Qt::Key_Tab);
        QCOMPARE(focused(), n.Text_Un[4]);
        press(Qt::Key_Tab);
        QCOMPARE(focused(), n.Text_Un[0]);
        QVERIFY(!n.Text_Un[0]->isLocked());
        QTest::keyClicks(focused(), QStringLiteral("gcd(a, b) = 6"));
        QVERIFY(n.Text_Un[0]->text().startsWith(QStringLiteral("gcd(a, b) = 6")));

        // Alt+В: back to the lesson, the answer kept for task 2.
        press(KeyV, Qt::AltModifier);
        QVERIFY(t.isVisible());
        QVERIFY(!n.isVisible());
        QVERIFY(l.lesson.state().List_Un(3).item(2).startsWith(QStringLiteral("gcd(a, b) = 6")));
        QVERIFY(QTest::qWaitForWindowActive(&t));

        // Alt+И and Yes: the lesson ends and the answers file is written.
        l.lesson.boxes.answer(QStringLiteral("Да"));
        press(KeyI, Qt::AltModifier);
        QVERIFY(l.lesson.ended);
        QFile answers(l.lesson.path(QStringLiteral("OTGOWORI.TXT")));
        QVERIFY(answers.open(QIODevice::ReadOnly));
        QVERIFY(answers.readAll().contains("gcd(a, b) = 6"));
    }

    void tabGoesRoundTheMainWindow()
    {
        KeyboardLesson l;
        QVERIFY(l.start());
        Tarv &t = *l.main;
        const QList<QWidget *> order = {t.Text_U[0], t.List_Ur[0], t.Picture_Ur[0], t.Text_U[1]};
        for (int i = 1; i <= order.size(); ++i) {
            press(Qt::Key_Tab);
            QCOMPARE(focused(), order[i % order.size()]);
        }
    }

    void tabGoesRoundTheTasksWindow()
    {
        KeyboardLesson l({{16, 1}});
        QVERIFY(l.start());
        Lesson::command(l.main, QStringLiteral("mnu_Wyprosi"));
        Tarv_n &n = *l.tasks;
        QVERIFY(QTest::qWaitForWindowActive(&n));
        const QList<QWidget *> order = {n.List_Un[1], n.Text_Un[2], n.Text_Un[4], n.Text_Un[0]};
        QCOMPARE(focused(), order[0]);
        for (int i = 1; i < order.size(); ++i) {
            press(Qt::Key_Tab);
            QCOMPARE(focused(), order[i]);
        }
        // In the answer field Tab is typed; Ctrl+Tab goes on.
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(focused(), n.Text_Un[3]);
        for (QWidget *next : {static_cast<QWidget *>(n.Picture_Un[0]), static_cast<QWidget *>(n.List_Un[0]),
                              static_cast<QWidget *>(n.Text_Un[1]), static_cast<QWidget *>(n.List_Un[1])}) {
            press(Qt::Key_Tab);
            QCOMPARE(focused(), next);
        }
        // Choosing a term with Enter shows its definition.
        press(Qt::Key_Backtab);
        press(Qt::Key_Backtab);
        QCOMPARE(focused(), n.List_Un[0]);
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        QCOMPARE(n.Text_Un[1]->text(), l.lesson.state().Glos(n.Nomer_termin));
        QVERIFY(!n.Text_Un[1]->text().isEmpty());
    }

    void f10OpensTheMenuBarForTheArrowKeys()
    {
        KeyboardLesson l;
        QVERIFY(l.start());
        // F10, one step right, Enter: the second command, "Фокус".
        press(Qt::Key_F10);
        QCOMPARE(focused(), l.main->menuBar());
        press(Qt::Key_Right);
        press(Qt::Key_Return);
        QVERIFY(l.lesson.windows().isLoaded<Tarv_Zad>());
        QVERIFY(l.lesson.windows().get<Tarv_Zad>().isVisible());
    }

    void escapeClosesTheAuxiliaryWindows()
    {
        KeyboardLesson l({{16, 1}}); // the tasks open before the plan is written
        QVERIFY(l.start());

        // Alt+Ф opens the Focus window, Alt+Ц the colour window; Escape closes each.
        press(KeyF, Qt::AltModifier);
        Tarv_Zad &focus = l.lesson.windows().get<Tarv_Zad>();
        QVERIFY(QTest::qWaitForWindowActive(&focus));
        press(Qt::Key_Escape);
        QVERIFY(!l.lesson.windows().isLoaded<Tarv_Zad>());

        // (A window manager gives the focus back; here the test does.)
        l.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(l.main));
        press(KeyC, Qt::AltModifier);
        Cwiat &colours = l.lesson.windows().get<Cwiat>();
        QVERIFY(QTest::qWaitForWindowActive(&colours));
        // A slider moved with the keys; Escape leaves without applying, like "Отказ".
        const ColourValue before = backColor(l.main->client());
        QCOMPARE(focused(), colours.Slider1[0]);
        press(Qt::Key_Right);
        press(Qt::Key_Escape);
        QCOMPARE(backColor(l.main->client()), before);
        QVERIFY(!l.lesson.windows().isLoaded<Cwiat>());

        // The chooser of the tasks window: Alt+Н opens it, Escape closes it.
        l.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(l.main));
        press(KeyZ, Qt::AltModifier);
        QVERIFY(QTest::qWaitForWindowActive(l.tasks));
        press(KeyN, Qt::AltModifier);
        Tarv_Glos &chooser = l.lesson.windows().get<Tarv_Glos>();
        QVERIFY(QTest::qWaitForWindowActive(&chooser));
        press(Qt::Key_Escape);
        QVERIFY(!l.lesson.windows().isLoaded<Tarv_Glos>());
    }

    void pictureOpensFullSizeWithEnterAndClosesWithEscape()
    {
        KeyboardLesson l;
        QVERIFY(l.start());
        Tarv &t = *l.main;
        // A point whose picture is larger than the box.
        press(Qt::Key_Tab);
        int point = 0;
        while (point < t.planCount) {
            if (point > 0)
                press(Qt::Key_Down);
            press(Qt::Key_Return);
            ++point;
            if (t.pictureNumber > 0) {
                const QSize size = l.lesson.state().Grafika_G(t.pictureNumber).holderSize();
                if (size.width() >= t.Picture_Ur[0]->width() || size.height() >= t.Picture_Ur[0]->height())
                    break;
            }
            l.seconds(t.writing.remaining[point] + 1);
        }
        press(Qt::Key_Tab);
        QCOMPARE(focused(), t.Picture_Ur[0]);
        press(Qt::Key_Return);
        QVERIFY(l.lesson.windows().isLoaded<Tarv_Gra>());
        Tarv_Gra &full = l.lesson.windows().get<Tarv_Gra>();
        QVERIFY(full.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&full));
        press(Qt::Key_Escape);
        QVERIFY(!l.lesson.windows().isLoaded<Tarv_Gra>());
    }

    // The real message box answered with its keys (that it is announced as
    // an alert is heard in the accessibility check).
    void messageBoxIsAnsweredWithKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Alt+Д") << int(KeyD) << int(Qt::AltModifier) << 1 << true;
        QTest::newRow("Alt+Н") << int(KeyN) << int(Qt::AltModifier) << 0 << false;
        QTest::newRow("Escape is No") << int(Qt::Key_Escape) << 0 << 0 << false;
        QTest::newRow("Enter takes Yes") << int(Qt::Key_Return) << 0 << 0 << true;
        QTest::newRow("Enter takes No") << int(Qt::Key_Return) << 0 << 1 << false;
    }

    void messageBoxIsAnsweredWithKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, defaultButton);
        QFETCH(bool, yes);
        Message m;
        m.caption = lessonCaption();
        m.text = QStringLiteral("Да приключи ли урокът?");
        m.buttons = Message::Buttons::YesNo;
        m.defaultButton = defaultButton;

        QObject context;
        bool seen = false;
        QTimer::singleShot(0, &context, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = true;
            if (!QTest::qWaitForWindowActive(box))
                return;
            press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            // A button's key clicks it after a short press animation.
            (void)QTest::qWaitFor([box] { return !box->isVisible(); }, 2000);
            if (box->isVisible())
                box->reject(); // the key did nothing: do not hang
        });
        MessageBoxPrompter prompter;
        const bool answer = prompter.ask(m);
        QVERIFY(seen);
        QCOMPARE(answer, yes);
    }
};

QTEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
