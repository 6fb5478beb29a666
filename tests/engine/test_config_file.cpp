#include "engine/ConfigFile.h"
#include "lesson/Tarv.h"
#include "controls/ListBox.h"
#include "engine/NumericText.h"
#include "support/LessonFixture.h"
#include "tasks/Tarv_n.h"

#include <QAction>
#include <QFile>
#include <QTest>

using namespace urok;
using namespace urok::test;

namespace {

// A configuration file built byte by byte, independently of the program's
// own record writer.
class FileBytes
{
public:
    FileBytes()
        : bytes_(600, '\0')
    {
        setCode(QByteArray("OPTIM"));
    }

    void value(int record, int i, qint16 v)
    {
        const int at = 100 * (record - 1) + 2 * i;
        bytes_[at] = static_cast<char>(v & 0xFF);
        bytes_[at + 1] = static_cast<char>((v >> 8) & 0xFF);
    }
    void number(int record, qint32 n)
    {
        const int at = 100 * (record - 1) + 80;
        for (int b = 0; b < 4; ++b)
            bytes_[at + b] = static_cast<char>((static_cast<quint32>(n) >> (8 * b)) & 0xFF);
    }
    // Scrambled with key(i) = (i + 77) mod 251; `length` may claim more than is there.
    void setCode(const QByteArray &code, int length = -1)
    {
        const int at = 300 + 84;
        bytes_[at] = static_cast<char>(length < 0 ? code.size() : length);
        for (int i = 0; i < 15; ++i)
            bytes_[at + 1 + i] = 0;
        for (int i = 0; i < code.size() && i < 15; ++i)
            bytes_[at + 1 + i] = static_cast<char>(code[i] ^ ((i + 1 + 77) % 251));
    }
    QByteArray bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

// Values for a lesson that offers its 24 tasks and lists 15 at first.
FileBytes usualFile()
{
    FileBytes f;
    f.number(1, 24);
    f.number(2, 15);
    f.number(3, 100);
    f.number(4, 20261206);
    for (int i = 0; i < 24; ++i) {
        f.value(2, i, 2);
        f.value(3, i, static_cast<qint16>(10 + i));
        f.value(4, i, static_cast<qint16>(300 + i));
    }
    for (int i = 0; i < 4; ++i)
        f.value(5, i, 2);
    return f;
}

QStringList itemsOf(ItemList &list)
{
    return list.items();
}

} // namespace

class ConfigFileTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void handBuiltFileIsApplied()
    {
        LessonState state;
        FileBytes f = usualFile();
        f.value(1, 0, 1);   // option 1 on
        f.value(1, 1, -3);  // option 2: -3 mod 2 = -1, off
        f.value(1, 2, 7);   // option 3: 7 mod 2 = 1, on
        f.value(1, 39, 2);  // option 40: 0
        f.value(2, 0, 23);  // task 1: level 3
        f.value(2, 1, -12); // task 2: level -2
        const ConfigOutcome out = applyConfiguration(state, f.bytes());
        QCOMPARE(out.status, ConfigOutcome::Status::Applied);

        QCOMPARE(state.Opcii_L().item(1), QStringLiteral("1"));
        QCOMPARE(state.Opcii_L().item(2), QStringLiteral("-1"));
        QCOMPARE(state.Opcii_L().item(3), QStringLiteral("1"));
        QCOMPARE(state.Opcii_L().item(27), QStringLiteral("0"));
        QCOMPARE(state.Opcii_L().item(40), QStringLiteral("0"));
        QCOMPARE(state.Opcii_L().count(), 41);
        // The task window's copy: a blank, then the same 40 options.
        ItemList &copy = state.List_Un(4);
        QCOMPARE(copy.count(), 41);
        QCOMPARE(copy.item(0), QStringLiteral(" "));
        QCOMPARE(copy.items().mid(1), state.Opcii_L().items().mid(1));

        QCOMPARE(state.Wremena(4).item(1), QStringLiteral("3"));
        QCOMPARE(state.Wremena(4).item(2), QStringLiteral("-2"));
        QCOMPARE(state.Wremena(4).item(24), QStringLiteral("2"));
        QCOMPARE(state.Wremena(0).item(1), QStringLiteral("10"));
        QCOMPARE(state.Wremena(0).item(24), QStringLiteral("33"));
        QCOMPARE(state.Wremena(1).item(24), QStringLiteral("323"));
        QCOMPARE(state.Wremena(0).item(25), QStringLiteral("109")); // beyond the tasks: built-in
        QCOMPARE(state.Wremena(0).item(0), QStringLiteral("В"));   // item 0 is never written

        QCOMPARE(state.List_Ur(3).item(1), QStringLiteral("OPTIM"));
        QCOMPARE(state.List_Ur(3).item(3), QStringLiteral(" 100"));
        QCOMPARE(state.List_Ur(3).item(10), QStringLiteral(" 20261206"));
        QCOMPARE(state.Uslowie_L(0).item(0), QStringLiteral("15"));
        QCOMPARE(out.taskList->size(), 15);
        QCOMPARE(out.taskList->first(), QStringLiteral("01 "));
        QCOMPARE(*out.allTasksCaption, QStringLiteral("+ 9 задачи"));

        // Writing time = characters x rate / 100 + 2.
        const qsizetype c1 = state.Podtochki(1).size();
        QCOMPARE(state.Wremena(2).item(1), decimalText(c1 * 2 / 100.0 + 2));
        QCOMPARE(state.Wremena(2).item(5), QStringLiteral("18")); // beyond the plan: built-in
    }

    void wrongSizeChangesNothing_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("599") << 599;
        QTest::newRow("601") << 601;
        QTest::newRow("empty") << 0;
    }
    void wrongSizeChangesNothing()
    {
        QFETCH(int, size);
        LessonFixture fx;
        QByteArray bytes = usualFile().bytes();
        bytes.resize(size, '\0');
        QFile file(fx.path(QStringLiteral("OPTIM.UFG")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        LessonState pristine;
        const ConfigOutcome out = Zaredi_konfiguraciq(fx.state, fx.prompter, fx.windows.platform);
        QCOMPARE(out.status, ConfigOutcome::Status::WrongSize);
        QCOMPARE(fx.prompter.shown.size(), 1);
        QVERIFY(fx.prompter.shown[0].text.startsWith(QStringLiteral("3\r\n")));
        QCOMPARE(itemsOf(fx.state.List_Ur(3)), itemsOf(pristine.List_Ur(3)));
        QCOMPARE(itemsOf(fx.state.Opcii_L()), itemsOf(pristine.Opcii_L()));
        QCOMPARE(itemsOf(fx.state.Uslowie_L(0)), itemsOf(pristine.Uslowie_L(0)));
    }

    void missingFileGivesMessageOne()
    {
        LessonFixture fx;
        const ConfigOutcome out = Zaredi_konfiguraciq(fx.state, fx.prompter, fx.windows.platform);
        QCOMPARE(out.status, ConfigOutcome::Status::Missing);
        QCOMPARE(fx.prompter.shown.size(), 1);
        QVERIFY(fx.prompter.shown[0].text.startsWith(QStringLiteral("1\r\n")));
        QVERIFY(!out.taskList);
    }

    void foreignLessonChangesOnlyTheCodeItem()
    {
        LessonFixture fx;
        FileBytes f = usualFile();
        f.setCode(QByteArray("OTHER"));
        f.value(1, 0, 1);
        QFile file(fx.path(QStringLiteral("OPTIM.UFG")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(f.bytes());
        file.close();
        LessonState pristine;
        const ConfigOutcome out = Zaredi_konfiguraciq(fx.state, fx.prompter, fx.windows.platform);
        QCOMPARE(out.status, ConfigOutcome::Status::ForeignLesson);
        QCOMPARE(fx.prompter.shown.size(), 1);
        QVERIFY(fx.prompter.shown[0].text.startsWith(QStringLiteral("1\r\n")));
        QCOMPARE(fx.state.List_Ur(3).item(1), QStringLiteral("OTHER"));
        QStringList expected = itemsOf(pristine.List_Ur(3));
        expected[1] = QStringLiteral("OTHER");
        QCOMPARE(itemsOf(fx.state.List_Ur(3)), expected);
        QCOMPARE(itemsOf(fx.state.Opcii_L()), itemsOf(pristine.Opcii_L()));
    }

    void textLengths()
    {
        {
            LessonState state;
            FileBytes f = usualFile();
            f.setCode(QByteArray("OPTIM"), 0);
            QCOMPARE(applyConfiguration(state, f.bytes()).status,
                     ConfigOutcome::Status::ForeignLesson);
            QCOMPARE(state.List_Ur(3).item(1), QString());
        }
        {
            // A length above 15 reads the 15 bytes the field has, never past it.
            LessonState state;
            FileBytes f = usualFile();
            f.setCode(QByteArray("OPTIMOPTIMOPTIM"), 255);
            QCOMPARE(applyConfiguration(state, f.bytes()).status,
                     ConfigOutcome::Status::ForeignLesson);
            QCOMPARE(state.List_Ur(3).item(1), QStringLiteral("OPTIMOPTIMOPTIM"));
        }
    }

    void taskCountsTrimTheLesson()
    {
        LessonState state;
        state.Uslowie_L(0).add(QStringLiteral("25")); // a lesson of 25 tasks
        FileBytes f = usualFile();
        f.number(1, 10);
        f.number(2, 10);
        for (int i = 0; i < 40; ++i)
            f.value(3, i, 7);
        applyConfiguration(state, f.bytes());
        QCOMPARE(state.Uslowie_L(0).count(), 11);
        QCOMPARE(state.Uslowie_L(0).item(10), QStringLiteral("10"));
        // Only the tasks that remain get their numbers.
        QCOMPARE(state.Wremena(0).item(10), QStringLiteral("7"));
        QCOMPARE(state.Wremena(0).item(11), QStringLiteral("95"));
    }

    void largeOfferRemovesNothingAndListingAllGivesPlusZero()
    {
        LessonState state;
        state.Uslowie_L(0).add(QStringLiteral("25"));
        FileBytes f = usualFile();
        f.number(1, 25);
        f.number(2, 25);
        for (int i = 0; i < 40; ++i)
            f.value(4, i, 5);
        const ConfigOutcome out = applyConfiguration(state, f.bytes());
        QCOMPARE(state.Uslowie_L(0).count(), 26);
        QCOMPARE(out.taskList->size(), 25);
        QCOMPARE(*out.allTasksCaption, QStringLiteral("+ 0 задачи"));
        // values[25..39] belong to no task.
        QCOMPARE(state.Wremena(1).item(25), QStringLiteral("5"));
        QCOMPARE(state.Wremena(1).item(26), QStringLiteral("7800"));
    }

    void tenListedOfTwentyFive()
    {
        LessonState state;
        state.Uslowie_L(0).add(QStringLiteral("25"));
        FileBytes f = usualFile();
        f.number(1, 100);
        f.number(2, 10);
        const ConfigOutcome out = applyConfiguration(state, f.bytes());
        QCOMPARE(*out.allTasksCaption, QStringLiteral("+ 15 задачи"));
    }

    void askingForMoreTasksThanExistListsOnlyThoseThatExist()
    {
        LessonState state;
        FileBytes f = usualFile();
        f.number(2, 1000);
        const ConfigOutcome out = applyConfiguration(state, f.bytes());
        QCOMPARE(out.taskList->size(), 24);
        QVERIFY(!out.taskList->contains(QString()));
        QCOMPARE(*out.allTasksCaption, QStringLiteral("+ 0 задачи"));
        QCOMPARE(state.Uslowie_L(0).item(0), QStringLiteral("1000"));
    }

    void negativeOfferKeepsTheIndexHeading()
    {
        LessonState state;
        FileBytes f = usualFile();
        f.number(1, -5);
        f.number(2, -5);
        const ConfigOutcome out = applyConfiguration(state, f.bytes());
        QCOMPARE(state.Uslowie_L(0).count(), 1);
        QCOMPARE(out.taskList->size(), 0);
        QCOMPARE(*out.allTasksCaption, QStringLiteral("+ 0 задачи"));
    }

    void writingTimes()
    {
        const QString text = QString(1500, u'а');
        const Catalogue content = lessonWith(
            QStringLiteral("text Podtochki(1) < texts/podtochki-1.txt"),
            QStringLiteral("text Podtochki(1) = \"%1\"").arg(text));
        LessonState state(content);
        FileBytes f = usualFile();
        f.value(5, 0, 3);
        f.value(5, 1, 0);
        f.value(5, 2, 32767); // far beyond 16 bits of seconds: clamped
        f.value(5, 3, -32768);
        applyConfiguration(state, f.bytes());
        QCOMPARE(state.Wremena(2).item(1), QStringLiteral("47"));
        QCOMPARE(state.Wremena(2).item(2), QStringLiteral("2"));
        QCOMPARE(state.Wremena(2).item(3), QStringLiteral("32767"));
        QCOMPARE(state.Wremena(2).item(4), QStringLiteral("-32768"));
    }

    void fractionalWritingTimeKeepsItsFraction()
    {
        const Catalogue content = lessonWith(
            QStringLiteral("text Podtochki(1) < texts/podtochki-1.txt"),
            QStringLiteral("text Podtochki(1) = \"%1\"").arg(QString(1525, u'б')));
        LessonState state(content);
        FileBytes f = usualFile();
        f.value(5, 0, 2);
        applyConfiguration(state, f.bytes());
        QCOMPARE(state.Wremena(2).item(1), QStringLiteral("32.5"));
    }

    void lessonStartsWithTheFilesValues()
    {
        LessonFixture fx;
        FileBytes f = usualFile();
        f.value(1, 9, 1);  // teaching material
        f.value(1, 13, 1); // option 14: "all tasks" menu enabled
        QFile file(fx.path(QStringLiteral("OPTIM.UFG")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(f.bytes());
        file.close();
        Tarv &t = fx.windows.get<Tarv>();
        QVERIFY(fx.prompter.shown.isEmpty());
        QVERIFY(t.windowTitle().endsWith(QStringLiteral("Версия  1 от  20261206")));
        Tarv_n &tasks = fx.windows.get<Tarv_n>();
        QCOMPARE(tasks.List_Un[1]->count(), 15);
        QCOMPARE(tasks.mnu_All_zadachi->text(), QStringLiteral("+ 9 задачи"));
        QVERIFY(tasks.mnu_All_zadachi->isEnabled());
        QVERIFY(t.List_Ur[0]->isEnabled());
        const qsizetype c1 = fx.state.Podtochki(1).size();
        QCOMPARE(t.writing.remaining[1], qRound(c1 * 2 / 100.0 + 2));
    }
};

QTEST_MAIN(ConfigFileTest)
#include "test_config_file.moc"
