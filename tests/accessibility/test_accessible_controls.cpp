// What Qt's accessibility layer reports for the lesson's own controls: the
// interfaces a screen reader reads (the AT-SPI bridge is not needed for it).
#include "controls/Controls.h"
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/SpokenLabels.h"
#include "lesson/Tarv.h"
#include "support/Lesson.h"
#include "support/TaskSession.h"
#include "tasks/Tarv_n.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QSignalSpy>
#include <QTest>

using namespace urok;
using namespace urok::test;

namespace {

QAccessibleInterface *face(QObject *object)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(object);
    if (!i)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return i;
}

QVariant value(QObject *object)
{
    return face(object)->valueInterface()->currentValue();
}

QVariant maximum(QObject *object)
{
    return face(object)->valueInterface()->maximumValue();
}

// The lesson started from its folder; the pupil clicks plan points.
struct Writing
{
    Writing() { t = &lesson.start(); }
    void choose(int row) { Lesson::click(t->List_Ur[0], row); }
    void seconds(int n) { lesson.tick(10 * n); }
    Lesson lesson;
    Tarv *t = nullptr;
};

} // namespace

class AccessibleControlsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // ---- The countdown bar and the plan ribbon ------------------------------

    void barCountsTheSecondsOfThePointAndRibbonThePointsWritten()
    {
        Writing w;
        // Before any point (the names and roles are heard in the
        // accessibility check).
        QCOMPARE(face(w.t->Label_U[2])->text(QAccessible::Value), QStringLiteral("Не се записва точка"));
        QCOMPARE(face(w.t->Label_U[1])->text(QAccessible::Value), QStringLiteral("Записани точки: 0 от 4"));
        w.choose(0);
        const int time = w.t->writing.remaining[1];
        QVERIFY(time > 2);
        QCOMPARE(value(w.t->Label_U[2]).toInt(), time);
        QCOMPARE(maximum(w.t->Label_U[2]).toInt(), time);
        w.seconds(time - 1);
        QCOMPARE(value(w.t->Label_U[2]).toInt(), 1);
        QCOMPARE(face(w.t->Label_U[2])->text(QAccessible::Value),
                 QStringLiteral("Остава 1 секунда от %1").arg(time));
        w.seconds(1); // written
        QCOMPARE(value(w.t->Label_U[2]).toInt(), 0);
        QCOMPARE(maximum(w.t->Label_U[2]).toInt(), 0);
        QCOMPARE(value(w.t->Label_U[1]).toInt(), 1);
        QCOMPARE(face(w.t->Label_U[1])->text(QAccessible::Value), QStringLiteral("Записани точки: 1 от 4"));
    }

    // ---- The task clock -------------------------------------------------------

    void clockSaysItsSecondsInWords_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("none") << QString() << QStringLiteral("Оставащо време");
        QTest::newRow("one") << QStringLiteral("1") << QStringLiteral("Оставащо време: 1 секунда");
        QTest::newRow("zero") << QStringLiteral("0") << QStringLiteral("Оставащо време: 0 секунди");
        QTest::newRow("many") << QStringLiteral("417") << QStringLiteral("Оставащо време: 417 секунди");
        QTest::newRow("not a number") << QStringLiteral("--") << QStringLiteral("Оставащо време: --");
    }

    void clockSaysItsSecondsInWords()
    {
        QFETCH(QString, shown);
        QFETCH(QString, spoken);
        SecondsLabel clock(QStringLiteral("Оставащо време"));
        nameControl(&clock, QStringLiteral("clock"), QStringLiteral("Оставащо време в секунди"));
        clock.setText(shown);
        QCOMPARE(clock.text(), shown); // what is shown stays as it was
        QCOMPARE(face(&clock)->text(QAccessible::Name), spoken);
        // Named by its caption: what it is goes into the description.
        QVERIFY(clock.accessibleName().isEmpty());
        QCOMPARE(clock.accessibleDescription(), QStringLiteral("Оставащо време в секунди"));
    }

    void taskClockOfTheTasksWindowIsSpoken()
    {
        TaskSession s;
        s.ticks(1);
        QCOMPARE(s.tasks->Chasownik_Label[0]->text(), QStringLiteral("19"));
        QCOMPARE(face(s.tasks->Chasownik_Label[0])->text(QAccessible::Name),
                 QStringLiteral("Оставащо време: 19 секунди"));
    }

    // ---- Pictures and lists -----------------------------------------------------

    void pictureIsAGraphicThatCanBePressed()
    {
        PictureBox picture(QStringLiteral("p"));
        nameControl(&picture, QStringLiteral("p"), QStringLiteral("Илюстрация"));
        QSignalSpy pressed(&picture, &PictureBox::Pressed);
        QAccessibleInterface *i = face(&picture);
        QCOMPARE(i->role(), QAccessible::Graphic);
        QCOMPARE(i->text(QAccessible::Name), QStringLiteral("Илюстрация"));
        QAccessibleActionInterface *actions = i->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(pressed.size(), 1);
        QCOMPARE(pressed[0][0].value<Qt::MouseButton>(), Qt::LeftButton);
        // A disabled picture does nothing.
        picture.setEnabled(false);
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(pressed.size(), 1);
    }
};

QTEST_MAIN(AccessibleControlsTest)
#include "test_accessible_controls.moc"
