// The keyboard in the lesson's windows: every step is a key pressed on the
// widget that has the focus, and what a screen reader reads is checked on
// the way. The whole lesson walked with the keys, read over AT-SPI, is the
// accessibility check (check_lesson.py). Only the clock is driven by hand (a
// second is a call, not a wait).
#include "appearance/Cwiat.h"
#include "controls/ClientArea.h"
#include "controls/ControlLook.h"
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/TextBox.h"
#include "lesson/Tarv.h"
#include "lesson/Tarv_Gra.h"
#include "support/Lesson.h"
#include "tasks/Tarv_n.h"
#include "windows/Tarv_Glos.h"
#include "windows/Tarv_Zad.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

using namespace urok;
using namespace urok::test;

namespace {

// The letters of the menu keys, as a Bulgarian keyboard gives them.
constexpr auto KeyI = Qt::Key(0x0418);  // И: Изход
constexpr auto KeyC = Qt::Key(0x0426);  // Ц: Цвят/шрифт
constexpr auto KeyZ = Qt::Key(0x0417);  // З: Задачи/Речник, Запис
constexpr auto KeyV = Qt::Key(0x0412);  // В: Връщане към урока
constexpr auto KeyN = Qt::Key(0x041D);  // Н: Ниво/Вид на задачи, Не
constexpr auto KeyD = Qt::Key(0x0414);  // Д: Да, Danni

QWidget *focused()
{
    return QApplication::focusWidget();
}

// A key pressed where the focus is (in a box just shown, the focus the box
// gives: the application learns of it only later).
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QWidget *target = nullptr)
{
    // With no control focused, the active window takes the key.
    if (!target)
        target = focused() ? focused() : QApplication::activeWindow();
    QVERIFY2(target, "no window is active");
    // A Cyrillic letter comes with its text, the way the keyboard gives it.
    const QString text = key >= 0x0400 && key <= 0x04FF ? QString(QChar(key).toLower())
                                                        : QString();
    if (text.isEmpty())
        QTest::keyClick(target, key, modifiers);
    else
        QTest::sendKeyEvent(QTest::Click, target, key, text, modifiers);
}

// The lesson started from its folder, its window in front.
struct KeyboardLesson
{
    explicit KeyboardLesson(std::initializer_list<std::pair<const int, int>> options = {})
        : lesson(options)
    {
        main = &lesson.start();
        if (!activate(main))
            qFatal("the main window did not come to the front");
    }

    // The window comes to the front (a window manager does it after a box
    // or a window closes; here the test does).
    static bool activate(QWidget *w)
    {
        w->activateWindow();
        return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; });
    }

    void seconds(int n) { lesson.tick(10 * n); }
    // The tasks window, once the pupil has opened it.
    Tarv_n *tasks() const { return lesson.window<Tarv_n>(QStringLiteral("Tarv_n")); }

    // The keyboard is back in the window, on a control a screen reader can name.
    static bool focusBackIn(QWidget *w)
    {
        return QTest::qWaitForWindowActive(w) && focused() && focused()->window() == w
               && !QAccessible::queryAccessibleInterface(focused())->text(QAccessible::Name).isEmpty();
    }

    Lesson lesson;
    Tarv *main = nullptr;
};

QString spoken(QWidget *w, QAccessible::Text what = QAccessible::Value)
{
    return QAccessible::queryAccessibleInterface(w)->text(what);
}

// F2 where the focus is: what the window says of the time left, as a
// notification; the focus stays where it was.
QString timeSaid(QWidget *window)
{
    QWidget *before = focused();
    press(Qt::Key_F2);
    auto *notice = Lesson::control<QLabel>(window, "Izwestie");
    if (focused() != before || !notice->isVisible()
        || QAccessible::queryAccessibleInterface(notice)->role() != QAccessible::Notification)
        return QStringLiteral("(no notice)");
    return spoken(notice, QAccessible::Name);
}

// The sentence a window has just said without moving the focus.
QString said(QWidget *window)
{
    auto *notice = Lesson::control<QLabel>(window, "Izwestie");
    return notice->isVisible() ? spoken(notice, QAccessible::Name) : QStringLiteral("(nothing)");
}

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void f10AndEscapeOpenAndCloseTheAuxiliaryWindows()
    {
        KeyboardLesson l({{16, 1}}); // the tasks open before the plan is written
        WindowRegistry &windows = l.lesson.windows();

        // F10 opens the menu bar for the arrow keys: one step right and Enter
        // is "Фокус". Alt+Ц opens the colour window. Escape closes each.
        press(Qt::Key_F10);
        QCOMPARE(focused(), l.main->menuBar());
        press(Qt::Key_Right);
        press(Qt::Key_Return);
        QVERIFY(QTest::qWaitForWindowActive(&windows.get<Tarv_Zad>()));
        press(Qt::Key_Escape);
        QVERIFY(!windows.isLoaded<Tarv_Zad>());

        QVERIFY(l.focusBackIn(l.main));
        press(KeyC, Qt::AltModifier);
        Cwiat &colours = windows.get<Cwiat>();
        QVERIFY(QTest::qWaitForWindowActive(&colours));
        // The target is chosen with the arrows before the sliders; a slider
        // moved with the keys tells the colour in words with its code; Tab goes round the
        // window, out of the sample text too. Alt+Д is "Danni"; Escape leaves
        // without applying, like "Отказ".
        const ColourValue before = backColor(l.main->client());
        QCOMPARE(focused(), Lesson::control<QRadioButton>(&colours, "Option1(0)"));
        press(Qt::Key_Down);
        QVERIFY(Lesson::control<QRadioButton>(&colours, "Option1(1)")->isChecked());
        QCOMPARE(Lesson::control<QSlider>(&colours, "Slider1(1)")->value(), 128); // the fields' green
        press(Qt::Key_Tab);
        QCOMPARE(focused(), Lesson::control<QSlider>(&colours, "Slider1(0)"));
        press(Qt::Key_Right);
        QCOMPARE(spoken(focused(), QAccessible::Description),
                 QStringLiteral("зелен, код 32769, шестнадесетично 8001"));
        QCOMPARE(said(&colours), spoken(focused(), QAccessible::Description));
        for (const char *next : {"Slider1(1)", "Slider1(2)", "List_font(0)", "List_font(1)",
                     "Text_Cv(0)", "Option1(1)"}) {
            press(Qt::Key_Tab);
            QCOMPARE(focused(), Lesson::control<QWidget>(&colours, next));
        }
        QSignalSpy danni(Lesson::control<QAction>(&colours, "mnu_Danni"), &QAction::triggered);
        press(KeyD, Qt::AltModifier);
        QCOMPARE(danni.count(), 1);
        press(Qt::Key_Escape);
        QCOMPARE(backColor(l.main->client()), before);
        QVERIFY(!windows.isLoaded<Cwiat>());

        // The chooser of the tasks window: Alt+Н opens it, Escape closes it.
        QVERIFY(l.focusBackIn(l.main));
        press(KeyZ, Qt::AltModifier);
        QVERIFY(QTest::qWaitForWindowActive(l.tasks()));
        press(KeyN, Qt::AltModifier);
        QVERIFY(QTest::qWaitForWindowActive(&windows.get<Tarv_Glos>()));
        press(Qt::Key_Escape);
        QVERIFY(!windows.isLoaded<Tarv_Glos>());
        QVERIFY(l.focusBackIn(l.tasks()));
        // "Връщане към урока" brings the keyboard back to the lesson.
        press(KeyV, Qt::AltModifier);
        QVERIFY(l.focusBackIn(l.main));
    }

    // Every window's controls are named, and what a screen reader says after
    // the name is something more: never the name again.
    void noDescriptionRepeatsItsName()
    {
        KeyboardLesson l({{16, 1}});
        WindowRegistry &windows = l.lesson.windows();
        press(KeyZ, Qt::AltModifier);
        QStringList repeated;
        const auto look = [&repeated](QWidget *window) {
            for (QWidget *w : window->findChildren<QWidget *>()) {
                QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
                const QString name = a->text(QAccessible::Name).remove(u':');
                const QString said = a->text(QAccessible::Description).trimmed();
                const auto begins = [](const QString &text, const QString &with) {
                    return text.startsWith(with, Qt::CaseInsensitive)
                           && (text.size() == with.size() || !text[with.size()].isLetter());
                };
                if (w->isVisibleTo(window) && !name.isEmpty() && !said.isEmpty()
                    && (begins(said, name) || begins(name, said)))
                    repeated.append(w->objectName() + QStringLiteral(": ") + said);
            }
        };
        look(l.main);
        look(l.tasks());
        Lesson::command(l.tasks(), QStringLiteral("mnu_Tip_Wid"));
        look(&windows.get<Tarv_Glos>());
        Lesson::command(l.tasks(), QStringLiteral("mnu_Pylen_Ekran"));
        look(&windows.get<Tarv_Zad>());
        Lesson::command(l.main, QStringLiteral("mnu_Cwqt"));
        look(&windows.get<Cwiat>());
        QVERIFY2(repeated.isEmpty(), qPrintable(repeated.join(u'\n')));
    }

    // The task clock is read in words, the number as it is shown; F2 says
    // the time left until it is over. The hint and the end of the time are
    // said as they come, the focus staying where it is.
    void taskClockIsReadInWords()
    {
        KeyboardLesson l({{16, 1}});
        press(KeyZ, Qt::AltModifier);
        QVERIFY(QTest::qWaitForWindowActive(l.tasks()));
        QLabel *clock = Lesson::control<QLabel>(l.tasks(), "Chasownik_Label(0)");
        l.seconds(1);
        const int left = clock->text().toInt();
        QVERIFY(left > 2);
        QCOMPARE(spoken(clock, QAccessible::Name), QStringLiteral("Оставащо време: %1 секунди").arg(left));
        l.seconds(left - 1);
        QCOMPARE(clock->text(), QStringLiteral("1"));
        QCOMPARE(spoken(clock, QAccessible::Name), QStringLiteral("Оставащо време: 1 секунда"));
        // The hint came while the pupil worked, and was said.
        QCOMPARE(said(l.tasks()), QStringLiteral("Допълнително упътване: ")
                                          + l.lesson.state().Uslowie_L(1).item(0));
        QCOMPARE(timeSaid(l.tasks()), QStringLiteral("Остава 1 секунда"));
        QWidget *before = focused();
        l.seconds(2);
        QVERIFY(said(l.tasks()).startsWith(
            QStringLiteral("Времето за задачата изтече. Отговорът вече не може да се променя. ")));
        QCOMPARE(focused(), before);
        QCOMPARE(timeSaid(l.tasks()), QStringLiteral("Не се отброява време"));
    }

    // Without the clock (option 3) the time is not given.
    void timeLeftIsNotSaidWithoutTheClock()
    {
        KeyboardLesson l({{16, 1}, {3, 0}});
        press(KeyZ, Qt::AltModifier);
        QVERIFY(QTest::qWaitForWindowActive(l.tasks()));
        l.seconds(1);
        QCOMPARE(timeSaid(l.tasks()), QStringLiteral("Оставащото време не се показва"));
    }

    // A picture larger than its box opens full size with Enter, or with a
    // screen reader's "Press"; Escape closes it. The box, and the window,
    // say what the picture shows.
    void pictureOpensFullSizeWithEnterAndClosesWithEscape()
    {
        KeyboardLesson l({{17, 1}});
        Tarv &t = *l.main;
        WindowRegistry &windows = l.lesson.windows();
        auto *box = Lesson::control<PictureBox>(&t, "Picture_Ur(0)");
        QCOMPARE(spoken(box, QAccessible::Description), QStringLiteral("без илюстрация"));
        press(Qt::Key_Tab);
        const int points = Lesson::control<ListBox>(&t, "List_Ur(0)")->count();
        for (int point = 1; point <= points; ++point) {
            press(Qt::Key_Return);
            // The point's writing time is said as it starts.
            QVERIFY(said(&t).startsWith(QStringLiteral("Точка %1 се записва. Оста").arg(point)));
            const QSize size = box->picture().holderSize();
            if (!box->picture().sameAs(l.lesson.state().Grafika_W(1))
                    && (size.width() >= Lesson::control<PictureBox>(&t, "Picture_Ur(0)")->width()
                            || size.height()
                                    >= Lesson::control<PictureBox>(&t, "Picture_Ur(0)")->height()))
                break;
            press(Qt::Key_Down);
        }
        press(Qt::Key_Tab);
        QCOMPARE(focused(), box);
        const QString shows = box->picture().description();
        QCOMPARE(spoken(box, QAccessible::Description),
                 shows + QStringLiteral(" Enter я показва в пълен размер."));
        press(Qt::Key_Return);
        QVERIFY(QTest::qWaitForWindowActive(&windows.get<Tarv_Gra>()));
        QCOMPARE(windows.get<Tarv_Gra>().accessibleDescription(),
                 shows + QStringLiteral(" Escape затваря прозореца."));
        press(Qt::Key_Escape);
        QVERIFY(!windows.isLoaded<Tarv_Gra>());

        QAccessibleInterface *picture = QAccessible::queryAccessibleInterface(
                Lesson::control<PictureBox>(&t, "Picture_Ur(0)"));
        QCOMPARE(picture->role(), QAccessible::Graphic);
        picture->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(windows.isLoaded<Tarv_Gra>());
        QVERIFY(windows.get<Tarv_Gra>().isVisible());
    }

    // The exit question answered with its keys. Should the key do nothing,
    // the other button is pressed.
    void exitQuestionIsAnsweredWithKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Alt+Д") << int(KeyD) << int(Qt::AltModifier) << true;
        QTest::newRow("Alt+Н") << int(KeyN) << int(Qt::AltModifier) << false;
        QTest::newRow("Escape is No") << int(Qt::Key_Escape) << 0 << false;
    }

    void exitQuestionIsAnsweredWithKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, yes);
        KeyboardLesson l;
        l.lesson.boxes.answer(yes ? QStringLiteral("Не") : QStringLiteral("Да"), [&] {
            QWidget *box = QApplication::activeModalWidget();
            if (!l.activate(box))
                return;
            press(Qt::Key(key), Qt::KeyboardModifiers(modifiers), box->focusWidget());
            // A button's key clicks it after a short press animation.
            (void)QTest::qWaitFor([box] { return !box->isVisible(); }, 2000);
        });
        press(KeyI, Qt::AltModifier);
        QCOMPARE(l.lesson.boxes.seen.size(), 1);
        QCOMPARE(l.lesson.boxes.seen[0].pressed, yes ? QStringLiteral("Да") : QStringLiteral("Не"));
        QCOMPARE(l.lesson.ended, yes);
        // Staying, the pupil is back where the keyboard was.
        QVERIFY(yes || l.focusBackIn(l.main));
    }
};

QTEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
