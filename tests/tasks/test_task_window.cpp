#include "controls/ClientArea.h"
#include "controls/ControlLook.h"
#include "controls/PictureBox.h"
#include "engine/Cp1251.h"
#include "support/Tasks.h"
#include "engine/Decrypt.h"

using namespace urok;
using namespace urok::test;

class TaskWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensOnTheFirstTaskInTheLessonsPlace()
    {
        Lesson lesson({{16, 1}});
        Tarv &main = lesson.start();
        main.setGeometry(40, 50, 1000, 700);
        Lesson::command(&main, QStringLiteral("mnu_Wyprosi"));
        auto *tasks = lesson.window<Tarv_n>(QStringLiteral("Tarv_n"));
        QVERIFY(!main.isVisible());
        QVERIFY(tasks->isVisible());
        QVERIFY(lesson.boxes.seen.isEmpty());
        QCOMPARE(tasks->windowTitle(), QStringLiteral("Комбиниран урок - задачи + речник"));
        QCOMPARE(tasks->geometry(), main.geometry());
        QCOMPARE(Lesson::control<ListBox>(tasks, "List_Un(1)")->count(), 15);
        QCOMPARE(Lesson::control<ListBox>(tasks, "List_Un(1)")->currentRow(), 0);
        ItemList &task1 = lesson.state().Uslowie_L(1);
        const QString condition = Lesson::control<TextBox>(tasks, "Text_Un(2)")->text();
        QVERIFY(condition.startsWith(QStringLiteral("\r\n") + task1.item(2)));
        QCOMPARE(Lesson::control<TextBox>(tasks, "Text_Un(0)")->text(), QString());
        QVERIFY(!Lesson::control<TextBox>(tasks, "Text_Un(0)")->isReadOnly());

        // Made twice as wide, the window spreads its controls in proportion,
        // and the lesson comes back in its place and size.
        const QRect answer = Lesson::control<TextBox>(tasks, "Text_Un(0)")->geometry();
        tasks->resize(tasks->width() + tasks->client()->width(), tasks->height());
        QVERIFY(qAbs(Lesson::control<TextBox>(tasks, "Text_Un(0)")->x() - 2 * answer.x()) <= 1);
        QVERIFY(qAbs(Lesson::control<TextBox>(tasks, "Text_Un(0)")->width() - 2 * answer.width())
                <= 1);
        QCOMPARE(Lesson::control<TextBox>(tasks, "Text_Un(0)")->height(), answer.height());
        Lesson::command(tasks, QStringLiteral("mnu_IzhodN"));
        QVERIFY(main.isVisible());
        QCOMPARE(main.geometry(), tasks->geometry());
    }

    // The close box returns to the lesson; what was typed is there again.
    void closeBoxReturnsToTheLesson()
    {
        Tasks t(configWith({{16, 1}}));
        typeText(Lesson::control<TextBox>(t.w, "Text_Un(0)"), QStringLiteral("не се губи"));
        QVERIFY(!t.w->close());
        QVERIFY(!t.w->isVisible());
        QVERIFY(t.main->isVisible());
        Lesson::command(t.main, QStringLiteral("mnu_Wyprosi"));
        QCOMPARE(t.field(0), QStringLiteral("не се губи"));
        QVERIFY(t.lesson.boxes.seen.isEmpty());
    }

    void taskPicturesFollowTheirMaps()
    {
        Tasks t(configWith({{16, 1}, {14, 1}}));
        auto *picture = Lesson::control<PictureBox>(t.w, QStringLiteral("Picture_Un(0)"));
        QVERIFY(picture->picture().sameAs(t.lesson.state().Grafika_W(1)));
        Lesson::command(t.w, QStringLiteral("mnu_All_zadachi"));
        t.choose(12, {QStringLiteral("Да"), QStringLiteral("Да")}); // task 13: the circular list
        QCOMPARE(t.lesson.boxes.seen.first().text, QStringLiteral("Да премина ли към друга задача?"));
        QVERIFY(picture->picture().sameAs(t.lesson.state().Grafika_G(2)));
    }

    void termShowsItsDefinitionAndPicture()
    {
        Tasks t(configWith({{16, 1}, {4, 1}}));
        ListBox *terms = Lesson::control<ListBox>(t.w, "List_Un(0)");
        auto *picture = Lesson::control<PictureBox>(t.w, QStringLiteral("Picture_Un(0)"));
        Lesson::click(terms, static_cast<int>(terms->entries().indexOf(QStringLiteral("Ератостен"))));
        QCOMPARE(t.field(1), t.lesson.state().Glos(14));
        QVERIFY(picture->picture().sameAs(t.lesson.state().Grafika_G(1)));
        Lesson::click(terms, static_cast<int>(terms->entries().indexOf(QStringLiteral("коментар"))));
        QVERIFY(picture->picture().sameAs(t.lesson.state().Grafika_W(1)));
    }

    // The field the pupil clicks into is highlighted; the others keep
    // the window's field colour.
    void focusedFieldIsHighlighted()
    {
        Tasks t(configWith({{16, 1}}));
        t.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.w));
        QTest::mouseClick(Lesson::control<TextBox>(t.w, "Text_Un(0)")->viewport(), Qt::LeftButton);
        QCOMPARE(backColor(Lesson::control<TextBox>(t.w, "Text_Un(0)")), rgbValue(125, 110, 105));
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(backColor(Lesson::control<TextBox>(t.w, QStringLiteral("Text_Un(%1)").arg(i))),
                    32768);
        QTest::mouseClick(Lesson::control<TextBox>(t.w, "Text_Un(3)")->viewport(), Qt::LeftButton);
        QCOMPARE(backColor(Lesson::control<TextBox>(t.w, "Text_Un(0)")), 32768);
        QCOMPARE(backColor(Lesson::control<TextBox>(t.w, "Text_Un(3)")), rgbValue(125, 110, 105));
    }

    // A lesson whose task 2 is stored scrambled (option 31) shows it plain:
    // a line of hand-made bytes, and the task's own lines scrambled, each
    // longer than one period of the key.
    void scrambledLessonIsUnscrambledForThePupil()
    {
        const QString plain = QString::fromUtf8(readFile(QStringLiteral(":/data/tasks/task-02.txt"))).trimmed();
        QString stored, condition, solution;
        QString *shown = nullptr;
        for (const QString &line : plain.split(u'\n')) {
            if (line.startsWith(u'@')) {
                shown = line == u"@condition" ? &condition : line == u"@solution" ? &solution : nullptr;
                stored += line + u'\n';
                if (shown == &condition) // w x y z: w is dropped, z y x read with the key 164, 165, 166
                    stored += fromCp1251("w\x01\x02\x03") + u'\n';
                continue;
            }
            stored += scrambleContentLine(line) + u'\n';
            if (shown)
                *shown += QStringLiteral("\r\n") + line;
        }
        const auto read = [&](const QString &path) -> std::optional<QByteArray> {
            if (path == u"tasks/task-02.txt")
                return stored.toUtf8();
            QFile f(QStringLiteral(":/data/") + path);
            return f.open(QIODevice::ReadOnly) ? std::optional(f.readAll()) : std::nullopt;
        };
        const Catalogue content = Catalogue::parse(
            QString::fromUtf8(readFile(QStringLiteral(":/data/catalogue.txt"))), read, QStringLiteral(":/data/"));
        Lesson lesson(Lesson::Bytes{}, configWith({{16, 1}, {31, 1}, {25, 0}, {6, 1}},
                                                  [](setup::Profile &p) { p.budgets[1] = 0; }),
                      content);
        Lesson::command(&lesson.start(), QStringLiteral("mnu_Wyprosi"));
        auto *tasks = lesson.window<Tarv_n>(QStringLiteral("Tarv_n"));
        lesson.boxes.answer(QStringLiteral("Да"));
        Lesson::click(Lesson::control<ListBox>(tasks, "List_Un(1)"), 1);
        lesson.tick();
        QCOMPARE(Lesson::control<TextBox>(tasks, "Text_Un(2)")->text(),
                QStringLiteral("\r\n§§§") + condition);
        QCOMPARE(Lesson::control<TextBox>(tasks, "Text_Un(3)")->text(), solution);
    }
};

QTEST_MAIN(TaskWindowTest)
#include "test_task_window.moc"
