#include "controls/ClientArea.h"
#include "controls/Twips.h"
#include "support/Lesson.h"

#include <QMenu>

using namespace urok;
using namespace urok::test;

class MainWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void caption_data()
    {
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("ending");
        QTest::newRow("built-in") << false << 0 << "решение  Версия  .96 от 2009/10/28";
        QTest::newRow("profile") << true << 100 << "решение  Версия  1 от  20261206";
        QTest::newRow("fraction") << true << 125 << "решение  Версия  1.25 от  20261206";
    }
    void caption()
    {
        QFETCH(bool, withFile);
        QFETCH(int, version);
        const QByteArray file = configWith({}, [version](setup::Profile &p) { p.version = version; });
        Lesson lesson(Lesson::Bytes{}, withFile ? std::optional(file) : std::nullopt);
        Tarv &main = lesson.start();
        QFETCH(QString, ending);
        QCOMPARE(main.windowTitle(),
                 QStringLiteral("Програмиран урок - урочно съдържание. Търсене на оптимално ")
                     + ending);
        // Without its configuration file the pupil is told so, once.
        QCOMPARE(lesson.boxes.seen.size(), withFile ? 0 : 1);
        // Start-up makes the main window alone; the others wait until the
        // pupil asks for them.
        QStringList made;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName().startsWith(u"Tarv") || w->objectName() == u"Cwiat")
                made.append(w->objectName());
        }
        QCOMPARE(made, QStringList{QStringLiteral("Tarv")});
    }

    // Every control keeps its fraction of the window, and so do the tasks
    // window's, which opens in the lesson's place.
    void resizingKeepsEveryControlAtItsFraction()
    {
        Lesson lesson({{16, 1}});
        Tarv &main = lesson.start();
        const QSize design = twipsFor(&main).size(Tarv::DesignWidth, Tarv::DesignHeight);
        QCOMPARE(main.client()->size(), design);
        auto *plan = Lesson::control<QWidget>(&main, QStringLiteral("List_Ur(0)"));
        const QRect planAt = plan->geometry();
        const auto answerAt = [&lesson, &main] {
            Lesson::command(&main, QStringLiteral("mnu_Wyprosi"));
            QWidget *tasks = lesson.window(QStringLiteral("Tarv_n"));
            const QRect at = Lesson::control<QWidget>(tasks, QStringLiteral("Text_Un(0)"))->geometry();
            Lesson::command(tasks, QStringLiteral("mnu_IzhodN"));
            return at;
        };
        const QRect answer = answerAt();

        main.resize(main.width() + design.width(), main.height());
        QCOMPARE(main.client()->width(), 2 * design.width());
        const QRect wide = plan->geometry();
        QCOMPARE(wide, QRect(2 * planAt.x(), planAt.y(), 2 * planAt.width(), planAt.height()));
        const QRect wideAnswer = answerAt();
        QCOMPARE(wideAnswer.x(), 2 * answer.x());
        QCOMPARE(wideAnswer.height(), answer.height());

        main.resize(main.width() - design.width(), main.height());
        QCOMPARE(plan->geometry(), planAt);
    }

    void rightClickOpensTheInformationMenu()
    {
        Lesson lesson;
        Tarv &main = lesson.start();
        auto *menu = Lesson::control<QMenu>(&main, QStringLiteral("mnu_Sydyrv_plan"));
        QTest::mouseClick(main.client(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!menu->isVisible());
        QTest::mouseClick(main.client(), Qt::RightButton, {}, QPoint(5, 5));
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    // The close box asks the exit question; "Да" closes every window.
    void theCloseBoxAsksTheExitQuestion()
    {
        Lesson lesson;
        Tarv &main = lesson.start();
        lesson.boxes.answer(QStringLiteral("Не"));
        QVERIFY(!main.close());
        QVERIFY(main.isVisible());
        QVERIFY(!lesson.ended);
        lesson.boxes.answer(QStringLiteral("Да"));
        main.close();
        QVERIFY(lesson.ended);
        QCOMPARE(lesson.boxes.texts(), QStringList(2, QStringLiteral("Желаете ли изход от урока?")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!lesson.windows().isLoaded<Tarv>());
        QVERIFY(!lesson.windows().isLoaded<Tarv_n>());
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
