// What the pupil saves and leaves behind: a task's file in its three
// layouts, the answers file at the end of the lesson, and the disks that
// take neither. The files are compared whole with the expected bytes.
#include "engine/Cp1251.h"
#include "engine/DriveType.h"
#include "support/Golden.h"
#include "support/Tasks.h"

#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>

using namespace urok;
using namespace urok::test;

namespace {

const QString Yes = QStringLiteral("Да");

QString golden(const QString &name)
{
    return QStringLiteral(UROK_SOURCE_DIR "/tests/tasks/testdata/") + name;
}

void save(Tasks &t, int layout)
{
    Lesson::command(t.w, QStringLiteral("mnu_ZapReshen(%1)").arg(layout));
}

// Two lines typed as the pupil types them.
void typeTwoLines(QWidget *field, const QString &first, const QString &second)
{
    typeText(field, first);
    QTest::keyClick(field, Qt::Key_Return);
    typeText(field, second);
}

} // namespace

class SavingTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Task 1: condition and answer, the answer alone, the author's solution
    // (refused before its first tick shows it, the saved file kept).
    void threeLayoutsWholeFiles()
    {
        Tasks t(configWith({{16, 1}, {11, 1}, {15, 1}, {25, 1}},
                           [](setup::Profile &p) { p.budgets[0] = 0; }));
        typeTwoLines(Lesson::control<TextBox>(t.w, "Text_Un(0)"), QStringLiteral("Отговор"),
                QStringLiteral("на два реда"));
        const QString path = t.lesson.path(QStringLiteral("OPTIM_01.TXT"));
        save(t, 1);
        UROK_COMPARE_GOLDEN(golden(QStringLiteral("save-condition.txt")), readFile(path));
        // A screen reader hears what was written where, and what it replaced.
        auto *notice = Lesson::control<QLabel>(t.w, "Izwestie");
        QVERIFY(notice->isVisible());
        QCOMPARE(notice->text(),
                 QStringLiteral("Условието и отговорът са записани във файла OPTIM_01.TXT."));
        save(t, 2);
        UROK_COMPARE_GOLDEN(golden(QStringLiteral("save-answer.txt")), readFile(path));
        QCOMPARE(notice->text(), QStringLiteral("Отговорът е записан във файла OPTIM_01.TXT. "
                                                "Записаното по-рано в него е заменено."));
        t.lesson.boxes.answer(QStringLiteral("OK"));
        save(t, 3);
        UROK_COMPARE_GOLDEN(golden(QStringLiteral("save-answer.txt")), readFile(path));
        QCOMPARE(t.lesson.boxes.texts(),
                 QStringList(QStringLiteral("Решението на автора още не е показано и няма какво "
                                            "да се запише.\nФайлът „%1“ не е променен.")
                                 .arg(path)));
        t.lesson.tick(); // a budget of 0: the solution appears
        save(t, 3);
        UROK_COMPARE_GOLDEN(golden(QStringLiteral("save-solution.txt")), readFile(path));

        QVERIFY(t.lesson.boxes.allAnswered());
    }

    // Task 1 refused at its difficulty question: no condition, both
    // headings. Then tasks of two digits name their own files.
    void refusedTaskAndTaskTwelve()
    {
        Tasks t(configWith({{16, 1}, {11, 1}, {15, 1}, {25, 1}}, [](setup::Profile &p) {
                    p.levels[0] = 2;
                    p.levels[9] = 1;
                    p.levels[11] = 1;
                }),
                {QStringLiteral("Не")});
        QCOMPARE(t.lesson.boxes.texts(),
                 QStringList(QStringLiteral("Задачата е с повишена трудност! \nСмятате ли, че ще се справите?")));
        typeText(Lesson::control<TextBox>(t.w, "Text_Un(0)"), QStringLiteral("Отговор"));
        save(t, 1);
        UROK_COMPARE_GOLDEN(golden(QStringLiteral("save-refused.txt")), t.lesson.file(QStringLiteral("OPTIM_01.TXT")));
        for (const int task : {10, 12}) {
            t.choose(task - 1, {Yes});
            typeText(Lesson::control<TextBox>(t.w, "Text_Un(0)"), QStringLiteral("на %1").arg(task));
            save(t, 2);
            QCOMPARE(t.lesson.file(QStringLiteral("OPTIM_%1.TXT").arg(task)),
                     toCp1251(QStringLiteral("на %1").arg(task)));
        }
        QVERIFY(t.lesson.boxes.allAnswered());
    }

    // Saving gives back the task list that option 1 withholds.
    void savingGivesBackTheTaskList()
    {
        Tasks t(configWith({{16, 1}, {1, 0}, {11, 1}}));
        QVERIFY(!Lesson::control<ListBox>(t.w, "List_Un(1)")->isEnabled());
        save(t, 2);
        QVERIFY(Lesson::control<ListBox>(t.w, "List_Un(1)")->isEnabled());
    }

    void aFolderInTheFilesPlaceIsToldAndLosesNothing()
    {
        Tasks t(configWith({{16, 1}, {11, 1}, {25, 0}}));
        QVERIFY(QDir(t.lesson.folder.path()).mkdir(QStringLiteral("OPTIM_02.TXT")));
        t.choose(1, {Yes});
        typeText(Lesson::control<TextBox>(t.w, "Text_Un(0)"), QStringLiteral("отговор"));
        const QString typed = t.field(0);
        save(t, 2);
        QCOMPARE(t.lesson.boxes.texts().last(),
                 QStringLiteral("Файлът „%1“ не беше записан.\nНа мястото на файла има папка със "
                                "същото име.")
                     .arg(t.lesson.path(QStringLiteral("OPTIM_02.TXT"))));
        QVERIFY(QFileInfo(t.lesson.path(QStringLiteral("OPTIM_02.TXT"))).isDir());
        QVERIFY(t.w->isVisible());
        QCOMPARE(t.field(0), typed);
    }

    // Characters the code page lacks are written as "?" and the pupil is
    // told which; a no-break space is kept.
    void charactersTheFileCannotHoldAreTold()
    {
        Tasks t(configWith({{16, 1}, {11, 1}}));
        Lesson::control<TextBox>(t.w, "Text_Un(0)")->setFocus();
        QInputMethodEvent typed;
        typed.setCommitString(QString::fromUtf8("Сума\u00A0= 5 \U0001F600 中 е\u0301"));
        QCoreApplication::sendEvent(Lesson::control<TextBox>(t.w, "Text_Un(0)"), &typed);
        save(t, 2);
        const QString path = t.lesson.path(QStringLiteral("OPTIM_01.TXT"));
        QCOMPARE(readFile(path), toCp1251(QString::fromUtf8("Сума\u00A0= 5 ? ? е?")));
        QCOMPARE(t.lesson.boxes.texts(),
                 QStringList(QString::fromUtf8("Файлът „%1“ е записан, но тези знаци не могат да "
                                               "се запишат в кодировка Windows-1251 и във файла "
                                               "са заменени с „?“:\n\U0001F600 (U+1F600) 中 "
                                               "(U+4E2D) \u0301 (U+0301)")
                                 .arg(path)));
    }

    // A whole lesson: answers typed to three tasks (the one of five
    // characters is not listed), back to the lesson, "Изход". The answers
    // file is written on a fixed or removable disk only (on a network disk
    // too when the teacher's option 41 allows it), named after option 31;
    // the save menu is offered on the same disks.
    void answersFileAtTheEnd_data()
    {
        QTest::addColumn<int>("option12");
        QTest::addColumn<int>("option31");
        QTest::addColumn<int>("drive");
        QTest::addColumn<int>("option41");
        QTest::addColumn<QString>("file"); // none: no file
        QTest::addColumn<QString>("disk"); // what the pupil is told at the start
        QTest::newRow("fixed") << 1 << 0 << int(DriveFixed) << 0 << "OTGOWORI.TXT" << "";
        QTest::newRow("removable, option 31") << 1 << 1 << int(DriveRemovable) << 0 << "OTGOWORS.TXT" << "";
        QTest::newRow("option 12 off") << 0 << 0 << int(DriveFixed) << 1 << "" << "";
        QTest::newRow("optical") << 1 << 0 << int(DriveOptical) << 1 << ""
                                 << "оптичен диск (CD или DVD), на който не се записва";
        QTest::newRow("network") << 1 << 0 << int(DriveNetwork) << 0 << "" << "мрежов диск";
        QTest::newRow("network, allowed") << 1 << 0 << int(DriveNetwork) << 1 << "OTGOWORI.TXT" << "";
        QTest::newRow("RAM disk") << 1 << 0 << int(DriveRam) << 1 << ""
                                  << "RAM диск, който се изтрива при изключване на компютъра";
        QTest::newRow("undetermined") << 1 << 0 << int(DriveUndetermined) << 1 << ""
                                      << "диск, чийто вид не може да бъде определен";
    }
    void answersFileAtTheEnd()
    {
        QFETCH(int, option12);
        QFETCH(int, option31);
        QFETCH(int, drive);
        QFETCH(int, option41);
        QFETCH(QString, file);
        Lesson lesson({{16, 1}, {11, 1}, {15, 1}, {25, 0}, {12, option12}, {31, option31}, {41, option41}});
        QFETCH(QString, disk);
        lesson.driveType = drive;
        lesson.start();
        // Told once, without a box, along the window's bottom edge.
        auto *notice = Lesson::control<QLabel>(lesson.main, "Izwestie");
        QCOMPARE(notice->isVisible(), !disk.isEmpty());
        if (!disk.isEmpty())
            QCOMPARE(notice->text(), QStringLiteral("Отговорите и записите на задачите няма да "
                                                    "бъдат запазени в тази папка: тя е на %1.")
                                         .arg(disk));
        Lesson::command(lesson.main, QStringLiteral("mnu_Wyprosi"));
        auto *tasks = lesson.window<Tarv_n>(QStringLiteral("Tarv_n"));
        const bool takesFiles = drive == DriveFixed || drive == DriveRemovable || (drive == DriveNetwork && option41);
        QCOMPARE(Lesson::control<QMenu>(tasks, "zap_resheshenie")->menuAction()->isEnabled(),
                takesFiles);
        for (QAction *item : Lesson::control<QMenu>(tasks, "zap_resheshenie")->actions())
            QCOMPARE(item->isEnabled(), takesFiles);

        typeText(Lesson::control<TextBox>(tasks, "Text_Un(0)"),
                QStringLiteral("Проверявам a[i][j] == a[j][i]."));
        lesson.boxes.answer(Yes);
        Lesson::click(Lesson::control<ListBox>(tasks, "List_Un(1)"), 1);
        // Five letters are no answer, in this task as in the first.
        typeText(Lesson::control<TextBox>(tasks, "Text_Un(0)"), QStringLiteral("abcde"));
        lesson.boxes.answer(Yes);
        Lesson::click(Lesson::control<ListBox>(tasks, "List_Un(1)"), 2);
        typeTwoLines(Lesson::control<TextBox>(tasks, "Text_Un(0)"), QStringLiteral("ред 1"),
                QStringLiteral("ред 2"));
        Lesson::command(tasks, QStringLiteral("mnu_IzhodN"));
        lesson.boxes.answer(Yes);
        Lesson::command(lesson.main, QStringLiteral("Izhod"));
        QVERIFY(lesson.ended);
        QVERIFY(lesson.boxes.allAnswered());
        const QStringList written = QDir(lesson.folder.path()).entryList({QStringLiteral("*.TXT")});
        QCOMPARE(written, file.isEmpty() ? QStringList() : QStringList(file));
        if (!file.isEmpty())
            UROK_COMPARE_GOLDEN(golden(QStringLiteral("answers.txt")), lesson.file(file));
    }
};

QTEST_MAIN(SavingTest)
#include "test_saving.moc"
