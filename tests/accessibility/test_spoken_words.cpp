// What a pupil who cannot see the screen is told, and what a sighted pupil
// at the keyboard sees of the entry the keys are on: the sentences the
// windows say, what a screen reader reads, the painted frame. The events
// sent to a screen reader are read by the accessibility check over AT-SPI
// (Qt sends none under the offscreen platform). The lesson starts from its
// folder; the pupil uses the keys; the clock is moved by hand.
#include "controls/LessonStyle.h"
#include "controls/ListBox.h"
#include "controls/TextBox.h"
#include "engine/Contrast.h"
#include "lesson/Tarv.h"
#include "support/Lesson.h"
#include "tasks/Tarv_n.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QSlider>
#include <QTest>

using namespace urok;
using namespace urok::test;

namespace {

constexpr auto KeyZ = Qt::Key(0x0417); // З: Задачи/Речник

// The lesson with its window in front, as a window manager keeps it.
struct Pupil
{
    explicit Pupil(const QByteArray &config)
        : lesson(Lesson::Bytes{}, config)
    {
        main = &lesson.start();
        front(main);
    }

    static void front(QWidget *w)
    {
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w))
            qFatal("%s did not come to the front", qPrintable(w->objectName()));
    }

    // A key where the focus is.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget()
                                                      : QApplication::activeWindow();
        const QString text = key >= 0x0400 && key <= 0x04FF ? QString(QChar(key).toLower()) : QString();
        QTest::sendKeyEvent(QTest::Click, target, key, text, modifiers);
    }

    // What the window says without moving the focus, once it has said it.
    static QString said(QWidget *window)
    {
        auto *notice = Lesson::control<QLabel>(window, "Izwestie");
        return QTest::qWaitFor([notice] { return notice->isVisible(); }) ? notice->text() : QStringLiteral("(nothing)");
    }

    Tarv_n *openTasks()
    {
        Lesson::command(main, QStringLiteral("mnu_Wyprosi"));
        auto *tasks = lesson.window<Tarv_n>(QStringLiteral("Tarv_n"));
        if (!QTest::qWaitForWindowActive(tasks))
            qFatal("the tasks window did not come to the front");
        return tasks;
    }

    Lesson lesson;
    Tarv *main = nullptr;
};

} // namespace

class SpokenWordsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setStyle(new LessonStyle); }

    // The tasks open on task 1: the list tells its entry as chosen, then the
    // window tells the task with its time. A task picked in the chooser is
    // told the same way, the keyboard on the task list.
    void chosenTaskIsTold()
    {
        Pupil p(configWith({{16, 1}}));
        Tarv_n *tasks = p.openTasks();
        auto *list = Lesson::control<ListBox>(tasks, "List_Un(1)");
        QCOMPARE(QApplication::focusWidget(), list);
        QCOMPARE(list->currentItem()->data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("01, избрана"));
        QCOMPARE(Pupil::said(tasks), QStringLiteral("Задача 1, сложност 1, симетричност на "
                                                     "матрица; остават 7 минути."));

        Lesson::control<TextBox>(tasks, "Text_Un(2)")->setFocus();
        p.lesson.boxes.answer(QStringLiteral("Да"));
        Lesson::command(tasks, QStringLiteral("mnu_Tip_Wid"));
        auto *chooser = p.lesson.window(QStringLiteral("Tarv_Glos"));
        auto *levels = Lesson::control<ListBox>(chooser, "Wremena(3)");
        const int row = levels->entries().indexOf(QStringLiteral("Сложност 1 за задача 3"));
        QVERIFY(row >= 0);
        Lesson::click(levels, row);
        Pupil::front(tasks);
        QCOMPARE(QApplication::focusWidget(), list);
        QCOMPARE(list->currentRow(), 2);
        QCOMPARE(Pupil::said(tasks), QStringLiteral("Задача 3, сложност 1, площадка; остават 10 "
                                                    "минути."));
        QVERIFY(p.lesson.boxes.allAnswered());
    }

    // Enter on the locked plan and Alt+З before the tasks open each say why
    // nothing happens; F10 and the arrows reach "Задачи/Речник", unavailable.
    void lockedCommandsSayWhy()
    {
        Pupil p(configWith({}));
        auto *plan = Lesson::control<ListBox>(p.main, "List_Ur(0)");
        plan->setFocus();
        Pupil::press(Qt::Key_Return);
        Pupil::press(Qt::Key_Down);
        Pupil::press(Qt::Key_Return);
        QVERIFY2(Pupil::said(p.main).startsWith(QStringLiteral("Точка 1 се записва; остава 1 минута")),
                 qPrintable(Pupil::said(p.main)));
        QCOMPARE(plan->listIndex(), 0);
        Pupil::press(KeyZ, Qt::AltModifier);
        QCOMPARE(Pupil::said(p.main),
                 QStringLiteral("„Задачи/Речник“ не се отваря, докато точката се записва."));

        Pupil::press(Qt::Key_F10);
        for (int i = 0; i < 3; ++i)
            Pupil::press(Qt::Key_Right);
        QCOMPARE(p.main->menuBar()->activeAction()->objectName(), QStringLiteral("mnu_Wyprosi"));
        QVERIFY(!p.main->menuBar()->activeAction()->isEnabled());
    }

    // The bar's seconds are read in words when asked.
    void barSaysItsSecondsInWords()
    {
        Pupil p(configWith({{19, 1}}, [](setup::Profile &profile) { profile.rates[0] = 0; }));
        auto *plan = Lesson::control<ListBox>(p.main, "List_Ur(0)");
        Lesson::click(plan, 0);
        p.lesson.tick(10);
        auto *bar = Lesson::control<QLabel>(p.main, "Label_U(2)");
        QVERIFY2(QAccessible::queryAccessibleInterface(bar)->text(QAccessible::Description)
                     .startsWith(QStringLiteral("Остава 1 секунда от 2. ")),
                 qPrintable(QAccessible::queryAccessibleInterface(bar)->text(QAccessible::Description)));
    }

    // The time over says where the solution is, or that it is closed; the
    // answer field is read-only to a screen reader at once.
    void timeOverSaysWhereToRead_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("solutions");
        QTest::addColumn<QString>("last");
        QTest::newRow("solution shown") << 0 << 1 << QStringLiteral("Решението на автора е в полето „Решение на автора“, след отговора (Ctrl+Tab).");
        QTest::newRow("solution closed") << 2 << 0 << QStringLiteral("Решението на автора на тази задача не е достъпно.");
    }
    void timeOverSaysWhereToRead()
    {
        QFETCH(int, row);
        QFETCH(int, solutions);
        QFETCH(QString, last);
        Pupil p(configWith({{16, 1}, {6, solutions}, {25, 0}},
                           [](setup::Profile &profile) { profile.budgets[0] = profile.budgets[2] = 0; }));
        Tarv_n *tasks = p.openTasks();
        if (row > 0) {
            p.lesson.boxes.answer(QStringLiteral("Да"));
            Lesson::click(Lesson::control<ListBox>(tasks, "List_Un(1)"), row);
            Pupil::front(tasks);
        }
        auto *answer = Lesson::control<TextBox>(tasks, "Text_Un(0)");
        answer->setFocus();
        p.lesson.tick();
        QCOMPARE(Pupil::said(tasks), QStringLiteral("Времето за задачата изтече. Отговорът вече не "
                                                    "може да се променя. ") + last);
        // Longer than the window is wide, the sentence is shown whole, on two lines.
        auto *notice = Lesson::control<QLabel>(tasks, "Izwestie");
        QVERIFY(notice->fontMetrics().horizontalAdvance(notice->text()) > notice->width());
        QVERIFY(notice->minimumSizeHint().width() <= notice->width());
        QVERIFY(notice->height() >= notice->heightForWidth(notice->width()));
        QVERIFY(QAccessible::queryAccessibleInterface(answer)->state().readOnly);
        QVERIFY(answer->accessibleDescription().startsWith(QStringLiteral("Отговорът вече не може")));
        QVERIFY(p.lesson.boxes.allAnswered());
    }

    // The window is named in words; with a screen reader, the lesson ends
    // after the answers file is said.
    void exitIsHeardFirst()
    {
        Pupil p(configWith({}));
        QCOMPARE(p.main->accessibleName(),
                 QStringLiteral("Програмиран урок - урочно съдържание. Търсене на оптимално "
                                "решение, версия 1 от 6 декември 2026 г."));
        p.lesson.windows().context.platform.screenReader = [] { return true; };
        p.lesson.boxes.answer(QStringLiteral("Да"));
        Lesson::command(p.main, QStringLiteral("Izhod"));
        QVERIFY(!p.lesson.ended);
        QCOMPARE(Pupil::said(p.main), QStringLiteral("Отговорите са записани във файла OTGOWORI.TXT."));
        QVERIFY(QTest::qWaitFor([&] { return p.lesson.ended; }, 10000));
    }

    // A message's lines stay as the catalogue has them: no word on its own.
    void messageLinesStayWhole()
    {
        Lesson lesson(Lesson::Bytes{}, std::nullopt);
        int lines = 0;
        int needed = 0;
        lesson.boxes.answer(QStringLiteral("OK"), [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            lines = static_cast<int>(box->text().count(u'\n')) + 1;
            const int height = label->wordWrap() ? label->heightForWidth(label->width())
                                                 : label->sizeHint().height();
            needed = height / label->fontMetrics().lineSpacing();
        });
        lesson.start();
        QCOMPARE(lesson.boxes.seen.size(), 1);
        QCOMPARE(needed, lines);
    }

    // The entry the keys are on is framed, seen against the list and against
    // the entry itself, on any colours the pupil composes for the fields.
    void currentEntryIsFramed_data()
    {
        QTest::addColumn<QColor>("field");
        QTest::newRow("the lesson's green") << QColor(0, 128, 0);
        QTest::newRow("black") << QColor(Qt::black);
        QTest::newRow("white") << QColor(Qt::white);
        QTest::newRow("middle grey") << QColor(119, 119, 119);
        QTest::newRow("highlight blue") << QColor(48, 140, 198);
    }
    void currentEntryIsFramed()
    {
        QFETCH(QColor, field);
        Pupil p(configWith({{16, 1}}));
        Lesson::command(p.main, QStringLiteral("mnu_Cwqt"));
        QWidget *colours = p.lesson.window(QStringLiteral("Cwiat"));
        Lesson::control<QWidget>(colours, "Option1(1)")->setFocus();
        QTest::mouseClick(Lesson::control<QWidget>(colours, "Option1(1)"), Qt::LeftButton);
        const int parts[3] = {field.red(), field.green(), field.blue()};
        for (int i = 0; i < 3; ++i)
            Lesson::control<QSlider>(colours, QStringLiteral("Slider1(%1)").arg(i))->setValue(parts[i]);
        Lesson::command(colours, QStringLiteral("mnu_zapis"));
        Pupil::front(p.main);

        auto *plan = Lesson::control<ListBox>(p.main, "List_Ur(0)");
        plan->setFocus();
        Pupil::press(Qt::Key_Down);
        Pupil::press(Qt::Key_Down);
        const QRect entry = plan->visualItemRect(plan->currentItem());
        const QImage shot = plan->viewport()->grab().toImage();
        const int x = entry.right() - 4;
        const int y = entry.center().y();
        // Beside the frame: the entry above (the field) and the entry's own inside.
        const QColor above = shot.pixelColor(x, entry.top() - 1);
        const QColor inside = shot.pixelColor(x, y);
        QCOMPARE(above, field);
        const QColor outer = shot.pixelColor(x, entry.top());
        const QColor inner = shot.pixelColor(entry.right() - 1, y);
        QVERIFY2(contrastRatio(outer, above) >= 3, qPrintable(outer.name()));
        QVERIFY2(contrastRatio(inner, inside) >= 3, qPrintable(inner.name() + inside.name()));
    }
};

QTEST_MAIN(SpokenWordsTest)
#include "test_spoken_words.moc"
