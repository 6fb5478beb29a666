#include "engine/AnswersFile.h"
#include "engine/Cp1251.h"
#include "engine/DriveType.h"
#include "support/Lesson.h"
#include "support/TaskSession.h"
#include "tasks/SaveFile.h"

#include <QAction>
#include <QMenu>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QTest>


using namespace urok;
using namespace urok::test;

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

QByteArray cp(const char *utf8)
{
    return toCp1251(QString::fromUtf8(utf8));
}

} // namespace

class SavingTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileNames_data()
    {
        QTest::addColumn<int>("task");
        QTest::addColumn<QString>("name");
        QTest::newRow("7") << 7 << "OPTIM_07.TXT";
        QTest::newRow("12") << 12 << "OPTIM_12.TXT";
        QTest::newRow("105") << 105 << "OPTIM_05.TXT";
        QTest::newRow("none") << 0 << "OPTIM_00.TXT";
        QTest::newRow("10") << 10 << "OPTIM_10.TXT";
    }
    void fileNames()
    {
        QFETCH(int, task);
        QFETCH(QString, name);
        QCOMPARE(saveFileName(QStringLiteral("OPTIM"), task), name);
    }

    void threeLayoutsByteForByte()
    {
        TaskSession s({15});
        s.type(QStringLiteral("Отговор\r\nна два реда"));
        s.tasks->mnu_ZapReshen[1]->trigger();
        const QString path = s.f.path(QStringLiteral("OPTIM_01.TXT"));
        QByteArray expected = cp("Условие на задачата:\r\n") + toCp1251(s.field(2))
                              + cp("Представено решение:\r\n") + cp("Отговор\r\nна два реда");
        QCOMPARE(contents(path), expected);
        QVERIFY(contents(path).startsWith(cp("Условие на задачата:\r\n\r\n")));

        s.tasks->mnu_ZapReshen[2]->setEnabled(true);
        s.tasks->mnu_ZapReshen[2]->trigger();
        QCOMPARE(contents(path), cp("Отговор\r\nна два реда"));

        QVERIFY(s.f.prompter.shown.isEmpty());
        // No solution shown yet: the saved answer stays, and the pupil is told.
        s.tasks->mnu_ZapReshen[3]->trigger();
        QCOMPARE(contents(path), cp("Отговор\r\nна два реда"));
        QCOMPARE(s.f.prompter.texts(),
                 QStringList(QStringLiteral("Решението на автора още не е показано и няма какво "
                                            "да се запише.\r\nФайлът „%1“ не е променен.")
                                 .arg(path)));
        s.ticks(201); // task 1's 20 seconds run out: its solution appears
        s.tasks->mnu_ZapReshen[3]->trigger();
        QCOMPARE(contents(path), toCp1251(s.field(3)));
        QVERIFY(contents(path).startsWith("\r\n"));
        QCOMPARE(s.f.prompter.shown.size(), 1);
    }

    void emptyConditionStillHasBothHeadings()
    {
        QCOMPARE(toCp1251(saveFileText(1, QString(), QStringLiteral("x"), QString())),
                 cp("Условие на задачата:\r\nПредставено решение:\r\nx"));
        QCOMPARE(saveFileText(2, QStringLiteral("c"), QString(), QStringLiteral("s")), QString());
        QCOMPARE(saveFileText(3, QStringLiteral("c"), QStringLiteral("a"), QString()), QString());
    }

    void savingWithoutATaskUsesZeroZero()
    {
        TaskSession s;
        s.tasks->List_Un[1]->setListIndex(-1);
        s.tasks->mnu_ZapReshen_Click(2);
        QVERIFY(QFile::exists(s.f.path(QStringLiteral("OPTIM_00.TXT"))));
    }

    void savingReenablesTheTaskListAndTheReturn()
    {
        TaskSession s; // option 1 off: the task list starts disabled
        QVERIFY(!s.tasks->List_Un[1]->isEnabled());
        s.tasks->mnu_IzhodN->setEnabled(false);
        s.tasks->mnu_ZapReshen[3]->trigger();
        QVERIFY(s.tasks->List_Un[1]->isEnabled());
        QVERIFY(s.tasks->mnu_IzhodN->isEnabled());
    }

    void failedSaveIsReportedAndLosesNothing()
    {
        TaskSession s;
        // A folder stands where the file of task 2 would go.
        QVERIFY(QDir(s.f.folder.path()).mkdir(QStringLiteral("OPTIM_02.TXT")));
        s.f.prompter.answer(true);
        s.choose(1);
        s.f.prompter.shown.clear();
        s.type(QStringLiteral("отговор"));
        s.tasks->mnu_ZapReshen_Click(2);
        QCOMPARE(s.f.prompter.texts(),
                 QStringList(QStringLiteral("Файлът „%1“ не беше записан.\r\nНа мястото на файла "
                                            "има папка със същото име.")
                                 .arg(s.f.path(QStringLiteral("OPTIM_02.TXT")))));
        QCOMPARE(s.f.prompter.shown[0].icon, Message::Icon::Critical);
        QVERIFY(QFileInfo(s.f.path(QStringLiteral("OPTIM_02.TXT"))).isDir());
        // The window goes on working.
        QVERIFY(s.tasks->isVisible());
        QCOMPARE(s.field(0), QStringLiteral("отговор"));
    }

    // Characters the code page lacks are written as "?" and the pupil is
    // told which; a no-break space is kept.
    void charactersTheFileCannotHoldAreTold()
    {
        TaskSession s({11});
        s.tasks->Text_Un[0]->setFocus();
        QInputMethodEvent typed;
        typed.setCommitString(QString::fromUtf8("Сума\u00A0= 5 \U0001F600 中 е\u0301"));
        QCoreApplication::sendEvent(s.tasks->Text_Un[0], &typed);
        s.tasks->mnu_ZapReshen[2]->trigger();
        const QString path = s.f.path(QStringLiteral("OPTIM_01.TXT"));
        QCOMPARE(contents(path), cp("Сума\u00A0= 5 ? ? е?"));
        QCOMPARE(s.f.prompter.texts(),
                 QStringList(QString::fromUtf8("Файлът „%1“ е записан, но тези знаци не могат да "
                                               "се запишат в кодировка Windows-1251 и във файла "
                                               "са заменени с „?“:\r\n\U0001F600 (U+1F600) 中 "
                                               "(U+4E2D) \u0301 (U+0301)")
                                 .arg(path)));
    }

    void answersFileListsAnswersLongerThanFive()
    {
        TaskSession s({12}, [](LessonState &st) {
            st.List_Un(3).setItem(2, QStringLiteral("12345"));
            st.List_Un(3).setItem(3, QStringLiteral("1234567"));
            st.List_Un(3).setItem(5, QStringLiteral("ред 1\r\nред 2"));
            st.List_Un(3).setItem(25, QStringLiteral("след последната задача"));
            st.List_Un(3).setItem(26, QStringLiteral("далеч след нея"));
        });
        QVERIFY(Zapis_otgowori(s.f.state, s.f.prompter, s.f.windows.platform));
        QCOMPARE(contents(s.f.path(QStringLiteral("OTGOWORI.TXT"))),
                 cp("Има въведен текст по следните задачи:\r\n"
                    "Задача  3\r\n1234567\r\n"
                    "Задача  5\r\nред 1\r\nред 2\r\n"
                    "Задача  25\r\nслед последната задача\r\n"));
    }

    void answersFileWithNoAnswersHasItsHeading()
    {
        TaskSession s({12});
        QVERIFY(Zapis_otgowori(s.f.state, s.f.prompter, s.f.windows.platform));
        QCOMPARE(contents(s.f.path(QStringLiteral("OTGOWORI.TXT"))),
                 cp("Има въведен текст по следните задачи:\r\n"));
    }

    void answersFileNameFollowsOptionThirtyOne()
    {
        TaskSession s({12, 31});
        QVERIFY(Zapis_otgowori(s.f.state, s.f.prompter, s.f.windows.platform));
        QVERIFY(QFile::exists(s.f.path(QStringLiteral("OTGOWORS.TXT"))));
        QVERIFY(!QFile::exists(s.f.path(QStringLiteral("OTGOWORI.TXT"))));
    }

    void noAnswersFileWithoutOptionTwelveOrOnTheWrongDisk_data()
    {
        QTest::addColumn<bool>("option12");
        QTest::addColumn<int>("drive");
        QTest::newRow("option 12 off") << false << int(DriveFixed);
        QTest::newRow("optical") << true << int(DriveOptical);
        QTest::newRow("network") << true << int(DriveNetwork);
        QTest::newRow("RAM disk") << true << int(DriveRam);
        QTest::newRow("undetermined") << true << int(DriveUndetermined);
    }
    void noAnswersFileWithoutOptionTwelveOrOnTheWrongDisk()
    {
        QFETCH(bool, option12);
        QFETCH(int, drive);
        TaskSession s;
        if (option12)
            s.setOption(12, QStringLiteral("1"));
        s.f.driveType = drive;
        s.f.state.List_Un(3).setItem(1, QStringLiteral("дълъг отговор"));
        QVERIFY(Zapis_otgowori(s.f.state, s.f.prompter, s.f.windows.platform));
        QVERIFY(QDir(s.f.folder.path()).entryList(QDir::Files).isEmpty());
    }

    void removableDiskGetsTheFile()
    {
        TaskSession s({12});
        s.f.driveType = DriveRemovable;
        QVERIFY(Zapis_otgowori(s.f.state, s.f.prompter, s.f.windows.platform));
        QVERIFY(QFile::exists(s.f.path(QStringLiteral("OTGOWORI.TXT"))));
    }

    // The menu and every command in it, whatever the options offer: a screen
    // reader or a shortcut reaches the commands without the menu.
    void saveMenuIsOffOnDisksThatAreNotRemovableOrFixed_data()
    {
        QTest::addColumn<int>("drive");
        QTest::newRow("network") << int(DriveNetwork);
        QTest::newRow("fixed") << int(DriveFixed);
    }
    void saveMenuIsOffOnDisksThatAreNotRemovableOrFixed()
    {
        QFETCH(int, drive);
        Lesson lesson({{11, 1}, {15, 1}});
        lesson.driveType = drive;
        lesson.start();
        auto *tasks = lesson.window<Tarv_n>(QStringLiteral("Tarv_n"));
        QMenu *menu = tasks->zap_resheshenie;
        QCOMPARE(menu->menuAction()->isEnabled(), drive == DriveFixed);
        for (QAction *item : menu->actions())
            QCOMPARE(item->isEnabled(), drive == DriveFixed);
    }

    void exitWhenTheAnswersCannotBeWritten()
    {
        TaskSession s({12});
        s.tasks->mnu_IzhodN_Click();
        QVERIFY(QDir(s.f.folder.path()).mkdir(QStringLiteral("OTGOWORI.TXT")));
        // Yes to the exit question, then No to leaving without the answers
        // (the notice of the failure between them has only OK).
        s.f.prompter.answer(true);
        s.f.prompter.answer(false);
        s.main->Izhod_Click();
        QVERIFY(!s.f.ended);
        QCOMPARE(s.f.prompter.shown.size(), 3);
        QVERIFY(s.f.prompter.shown[1].text.contains(QStringLiteral("OTGOWORI.TXT")));
        QVERIFY(s.f.prompter.shown[2].text.contains(QStringLiteral("не бяха записани")));
        // The pupil frees the name and leaves: the answers are written.
        QVERIFY(QDir(s.f.folder.path()).rmdir(QStringLiteral("OTGOWORI.TXT")));
        s.f.prompter.answer(true);
        s.main->Izhod_Click();
        QVERIFY(s.f.ended);
        QVERIFY(QFileInfo(s.f.path(QStringLiteral("OTGOWORI.TXT"))).isFile());
    }

    // A whole pupil session, from start-up to the answers file's bytes.
    void wholeSession()
    {
        LessonFixture f;
        // The lesson's configuration as a teacher would give it.
        for (int n : {1, 3, 4, 5, 6, 10, 11, 12, 13, 15, 16, 19})
            f.state.Opcii_L().setItem(n, QStringLiteral("1"));
        for (int n : {1, 3, 4, 5, 6, 10, 11, 12, 13, 15, 16, 19})
            f.state.List_Un(4).setItem(n, QStringLiteral("1"));
        Tarv &main = f.windows.get<Tarv>();
        main.show();
        main.List_Ur[0]->setListIndex(0);
        for (int i = 0; i < 110; ++i)
            main.Timer1_Timer();
        main.mnu_Wyprosi->trigger();
        Tarv_n &tasks = f.windows.get<Tarv_n>();
        QVERIFY(tasks.isVisible());
        tasks.Text_Un[0]->setText(QStringLiteral("Проверявам a[i][j] == a[j][i]."));
        f.prompter.answer(true); // move on to task 3
        tasks.List_Un[1]->setListIndex(2);
        tasks.Text_Un[0]->setText(QStringLiteral("кратък"));
        tasks.mnu_IzhodN->trigger();
        QVERIFY(main.isVisible());
        f.prompter.answer(true); // leave the lesson
        main.Izhod->trigger();
        QVERIFY(f.ended);
        QCOMPARE(contents(f.path(QStringLiteral("OTGOWORI.TXT"))),
                 cp("Има въведен текст по следните задачи:\r\n"
                    "Задача  1\r\nПроверявам a[i][j] == a[j][i].\r\n"
                    "Задача  3\r\nкратък\r\n"));
    }
};

QTEST_MAIN(SavingTest)
#include "test_saving.moc"
