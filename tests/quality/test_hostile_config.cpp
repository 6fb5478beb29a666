// Hostile configuration files: more than ten thousand generated files go
// through the loader, and a deterministic part of them through the whole
// start-up of the lesson. Every case is made from its own number alone
// (std::mt19937 seeded with a constant plus the number), so a failure is
// reported with its case number and reproduces on its own:
//
//     UROK_HOSTILE_CASE=1234 ./test_hostile_config
//
// runs that one case, loader and start-up.
#include "controls/ListBox.h"
#include "engine/ConfigFile.h"
#include "engine/ConfigRecord.h"
#include "engine/LessonState.h"
#include "engine/OptionTable.h"
#include "lesson/Tarv.h"
#include "support/ConfigBytes.h"
#include "support/Lesson.h"
#include "tasks/Tarv_n.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <array>
#include <limits>
#include <random>
#include <vector>

using namespace urok;
using namespace urok::test;

namespace {

constexpr std::uint32_t Seed = 0x0F7A1600u;

enum class Kind {
    RandomBytes,   // random bytes of a random size, a quarter of them 600 bytes long
    WrongSize,     // every size from 0 to 1200 but 600, made from a valid file
    Field16,       // a valid file with one 16-bit value changed
    Field32,       // a valid file with one record's 32-bit number changed
    LengthByte,    // a valid file with one record's length byte set to 0..255
    OptionValues,  // every 16-bit value, 40 at a time, as the 40 options
    ForeignCode,   // a valid file of another lesson (near misses and random codes)
    ByteFlips,     // a valid file with a few bytes changed, the lesson code kept
};
constexpr int KindCount = 8;

const char *kindName(Kind k)
{
    static const char *names[KindCount] = {"random bytes", "wrong size",    "16-bit field",
                                           "32-bit field", "length byte",   "option values",
                                           "foreign code", "byte flips"};
    return names[static_cast<int>(k)];
}

struct Case
{
    int number = 0;
    Kind kind = Kind::RandomBytes;
    QByteArray bytes;
};

// A valid file, close to what the lesson's default profile gives.
QByteArray validFile()
{
    ConfigBytes f = ConfigBytes::usual();
    for (int i = 0; i < 40; ++i) {
        f.value(1, i, static_cast<qint16>(i < 26 ? 1 : 0));
        f.value(2, i, static_cast<qint16>(i < 24 ? 1 + i % 4 : 0));
        f.value(3, i, static_cast<qint16>(i < 24 ? (i % 2 ? -30 : 151) : 0));
        f.value(4, i, static_cast<qint16>(i < 24 ? (i % 2 ? 60 : 420) : 0));
    }
    return f.bytes;
}

constexpr int CodeLength = 3 * ConfigRecordSize + 84;   // record 4's length byte
constexpr int CodeText = CodeLength + 1;

void put16(QByteArray &f, int at, qint16 v)
{
    ConfigBytes b{f};
    b.put(at, static_cast<quint16>(v), 2);
    f = b.bytes;
}

// What the loader must make of a file: worked out from the bytes, the
// way the file's layout describes them.
ConfigOutcome::Status expectedStatus(const QByteArray &f)
{
    if (f.size() != ConfigFileSize)
        return ConfigOutcome::Status::WrongSize;
    if (static_cast<quint8>(f[CodeLength]) != 5)
        return ConfigOutcome::Status::ForeignLesson;
    const char code[] = "OPTIM";
    for (int i = 0; i < 5; ++i)
        if ((static_cast<quint8>(f[CodeText + i]) ^ textKey(i + 1)) != static_cast<quint8>(code[i]))
            return ConfigOutcome::Status::ForeignLesson;
    return ConfigOutcome::Status::Applied;
}

QByteArray randomBytes(std::mt19937 &rng, int size)
{
    QByteArray b(size, '\0');
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < size; ++i)
        b[i] = static_cast<char>(byte(rng));
    return b;
}

const std::vector<qint16> extreme16 = {std::numeric_limits<qint16>::min(),
                                       std::numeric_limits<qint16>::min() + 1, -1, 0,
                                       std::numeric_limits<qint16>::max() - 1,
                                       std::numeric_limits<qint16>::max()};
const std::vector<qint32> extreme32 = {std::numeric_limits<qint32>::min(),
                                       std::numeric_limits<qint32>::min() + 1,
                                       -2, -1, 0, 1, 23, 24, 25, 40, 41, 65535, 65536,
                                       std::numeric_limits<qint32>::max() - 1,
                                       std::numeric_limits<qint32>::max()};

// Near misses of the lesson code, in Windows-1251 bytes.
const std::vector<QByteArray> nearMisses = {
    "", "O", "OPTI", "OPTIMA", "optim", "Optim", "OPTIm", " OPTIM", "OPTIM ", "OPT1M",
    "0PTIM", "OPTIM.", "OPTIM\t", QByteArray("OPTIM\0", 6), QByteArray("\0OPTIM", 6),
    "\xCE\xCF\xD2\xC8\xCC",   // "ОПТИМ" in Cyrillic letters
    "OPTIMOPTIMOPTIM",
};

// The generator: the number of cases of each kind, in order, and the case
// of a number.
struct Generator
{
    static constexpr int Randoms = 2000;
    static constexpr int Sizes = 1200;                  // 0..1200 without 600
    static constexpr int Extreme16 = 6 * 40 * 6;        // records x values x extremes
    static constexpr int Random16 = 1000;
    static constexpr int Extreme32 = 6 * 15;
    static constexpr int Random32 = 410;
    static constexpr int Lengths = 6 * 256;
    static constexpr int Options = (65536 + 39) / 40;   // every 16-bit value once
    static constexpr int Foreign = 600;
    static constexpr int Flips = 800;

    static constexpr int Total = Randoms + Sizes + Extreme16 + Random16 + Extreme32 + Random32
                                 + Lengths + Options + Foreign + Flips;

    QByteArray valid = validFile();

    Case make(int n) const
    {
        std::mt19937 rng(Seed + static_cast<std::uint32_t>(n));
        Case c;
        c.number = n;
        int i = n;
        if (i < Randoms) {
            c.kind = Kind::RandomBytes;
            const bool exact = std::uniform_int_distribution<int>(0, 3)(rng) == 0;
            const int size = exact ? ConfigFileSize : std::uniform_int_distribution<int>(0, 1300)(rng);
            c.bytes = randomBytes(rng, size);
            return c;
        }
        i -= Randoms;
        if (i < Sizes) {
            c.kind = Kind::WrongSize;
            const int size = i < ConfigFileSize ? i : i + 1;
            c.bytes = valid.left(size);
            if (size > ConfigFileSize)
                c.bytes += i % 2 ? randomBytes(rng, size - ConfigFileSize)
                                 : valid.left(size - ConfigFileSize);
            return c;
        }
        i -= Sizes;
        c.bytes = valid;
        if (i < Extreme16 + Random16) {
            c.kind = Kind::Field16;
            int record, index;
            qint16 value;
            if (i < Extreme16) {
                record = 1 + i / 240;
                index = (i / 6) % 40;
                value = extreme16[static_cast<std::size_t>(i % 6)];
            } else {
                record = std::uniform_int_distribution<int>(1, 6)(rng);
                index = std::uniform_int_distribution<int>(0, 39)(rng);
                value = static_cast<qint16>(std::uniform_int_distribution<int>(-32768, 32767)(rng));
            }
            put16(c.bytes, ConfigBytes::valueAt(record, index), value);
            return c;
        }
        i -= Extreme16 + Random16;
        if (i < Extreme32 + Random32) {
            c.kind = Kind::Field32;
            int record;
            qint32 value;
            if (i < Extreme32) {
                record = 1 + i / 15;
                value = extreme32[static_cast<std::size_t>(i % 15)];
            } else {
                record = std::uniform_int_distribution<int>(1, 6)(rng);
                value = static_cast<qint32>(rng());
            }
            ConfigBytes b{c.bytes};
            b.number(record, value);
            c.bytes = b.bytes;
            return c;
        }
        i -= Extreme32 + Random32;
        if (i < Lengths) {
            c.kind = Kind::LengthByte;
            c.bytes[ConfigBytes::lengthAt(1 + i / 256)] = static_cast<char>(i % 256);
            return c;
        }
        i -= Lengths;
        if (i < Options) {
            c.kind = Kind::OptionValues;
            for (int k = 0; k < 40; ++k)
                put16(c.bytes, ConfigBytes::valueAt(1, k),
                      static_cast<qint16>(static_cast<quint16>((i * 40 + k) & 0xFFFF)));
            return c;
        }
        i -= Options;
        if (i < Foreign) {
            c.kind = Kind::ForeignCode;
            if (i < static_cast<int>(nearMisses.size())) {
                const QByteArray &code = nearMisses[static_cast<std::size_t>(i)];
                ConfigBytes b{c.bytes};
                b.setCode(code);
                c.bytes = b.bytes;
            } else {
                const int length = std::uniform_int_distribution<int>(0, 15)(rng);
                QByteArray code = randomBytes(rng, length);
                // A length byte that says more, or less, than the text has.
                const int lengthByte = std::uniform_int_distribution<int>(0, 3)(rng) == 0
                                           ? std::uniform_int_distribution<int>(0, 255)(rng)
                                           : length;
                ConfigBytes b{c.bytes};
                b.setCode(code, lengthByte);
                c.bytes = b.bytes;
            }
            return c;
        }
        i -= Foreign;
        c.kind = Kind::ByteFlips;
        const int flips = std::uniform_int_distribution<int>(1, 8)(rng);
        for (int k = 0; k < flips; ++k) {
            int at = std::uniform_int_distribution<int>(0, ConfigFileSize - 1)(rng);
            if (at >= CodeLength && at < CodeText + 5)
                at -= 100;   // the same place in record 3
            c.bytes[at] = static_cast<char>(rng());
        }
        return c;
    }
};

static_assert(Generator::Total >= 10000, "the loader sees at least ten thousand files");

// ---- The invariants ---------------------------------------------------------

struct Checker
{
    const Case &c;
    QStringList &failures;

    void fail(const QString &what) const
    {
        failures.append(QStringLiteral("case %1 (%2, %3 bytes): %4")
                            .arg(c.number)
                            .arg(QString::fromLatin1(kindName(c.kind)))
                            .arg(c.bytes.size())
                            .arg(what));
    }
    void expect(bool ok, const QString &what) const
    {
        if (!ok)
            fail(what);
    }
};

bool isStrictNumber(const QString &s, double lo, double hi)
{
    bool ok = false;
    const double v = s.toDouble(&ok);
    return ok && v >= lo && v <= hi;
}

// The lists a configuration file may write to, for comparing two states.
QList<QStringList> touchedLists(LessonState &s)
{
    QList<QStringList> all = {s.Opcii_L().items(), s.List_Un(4).items(), s.Uslowie_L(0).items()};
    for (int e = 0; e <= 6; ++e)
        all.append(s.Wremena(e).items());
    QStringList service = s.List_Ur(3).items();
    service[1] = QString();   // the one item another lesson's file may change
    all.append(service);
    return all;
}

// What holds of the lesson's lists after loading, whatever the file was.
// `pristine` is the state the lesson has without a configuration file: a
// fresh state for the loader, the state after a start-up without the file
// for the whole start-up.
void checkState(const Checker &check, LessonState &state, LessonState &pristine,
                ConfigOutcome::Status status)
{
    ItemList &options = state.Opcii_L();
    // A file read gives every option of the table an item, past 40 too.
    check.expect(options.count() == pristine.Opcii_L().count() || options.count() == OptionCount + 1,
                 QStringLiteral("Opcii_L has %1 items").arg(options.count()));
    for (int n = 1; n <= 40; ++n) {
        const QString o = options.item(n);
        check.expect(o == u"1" || o == u"0" || o == u"-1",
                     QStringLiteral("Opcii_L(%1) is \"%2\"").arg(n).arg(o));
    }

    ItemList &copy = state.List_Un(4);
    if (copy.items() != pristine.List_Un(4).items()) {
        check.expect(copy.count() == OptionCount + 1 && copy.item(0) == u" ",
                     QStringLiteral("List_Un(4) has %1 items").arg(copy.count()));
        for (int n = 1; n <= 40; ++n)
            check.expect(copy.item(n) == options.item(n),
                         QStringLiteral("List_Un(4) item %1 differs from the option").arg(n));
    }

    ItemList &index = state.Uslowie_L(0);
    const QStringList builtIn = pristine.Uslowie_L(0).items();
    check.expect(index.count() >= 1 && index.count() <= builtIn.size(),
                 QStringLiteral("Uslowie_L(0) has %1 items").arg(index.count()));
    for (int i = 1; i < index.count() && i < builtIn.size(); ++i)
        check.expect(index.item(i) == builtIn[i], QStringLiteral("task %1 of the index changed").arg(i));

    ItemList &times = state.Wremena(2);
    check.expect(times.count() == pristine.Wremena(2).count(), QStringLiteral("Wremena(2) changed size"));
    for (int i = 1; i < times.count(); ++i)
        check.expect(isStrictNumber(times.item(i), -32768, 32767),
                     QStringLiteral("Wremena(2) item %1 is \"%2\"").arg(i).arg(times.item(i)));

    // A file that is not used changes nothing (another lesson's file only
    // the service item that receives its code).
    if (status != ConfigOutcome::Status::Applied)
        check.expect(touchedLists(state) == touchedLists(pristine),
                     QStringLiteral("a file that was not used changed the lists"));
}

void checkOutcome(const Checker &check, LessonState &state, const ConfigOutcome &outcome)
{
    const ConfigOutcome::Status expected = expectedStatus(check.c.bytes);
    check.expect(outcome.status == expected,
                 QStringLiteral("status %1, expected %2").arg(int(outcome.status)).arg(int(expected)));
    if (outcome.taskList) {
        check.expect(outcome.taskList->size() <= state.Uslowie_L(0).count() - 1,
                     QStringLiteral("%1 tasks listed of %2")
                         .arg(outcome.taskList->size())
                         .arg(state.Uslowie_L(0).count() - 1));
        check.expect(!outcome.taskList->contains(QString()), QStringLiteral("an empty task listed"));
    }
}

void loaderCase(const Case &c, QStringList &failures)
{
    const Checker check{c, failures};
    LessonState state;
    LessonState pristine;
    const ConfigOutcome outcome = applyConfiguration(state, c.bytes);
    checkOutcome(check, state, outcome);
    checkState(check, state, pristine, outcome.status);
}

const QString designCaption = QStringLiteral("Програмиран урок - урочно съдържание.");

// Drops the offscreen platform's notes that it cannot raise a window or
// pass size hints on, which every shown window of every case would print.
QtMessageHandler testHandler = nullptr;

void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    testHandler(type, context, message);
}

void startUpCase(const Case &c, LessonState &withoutFile, QStringList &failures)
{
    const Checker check{c, failures};
    Lesson lesson(Lesson::Bytes{}, c.bytes);
    Tarv &main = lesson.start();
    const ConfigOutcome::Status expected = expectedStatus(c.bytes);
    checkState(check, lesson.state(), withoutFile, expected);

    // At most one message, and the one that fits the file.
    const QStringList shown = lesson.boxes.texts();
    check.expect(shown.size() <= 1, QStringLiteral("%1 messages").arg(shown.size()));
    const QString wanted = expected == ConfigOutcome::Status::Applied       ? QString()
                           : expected == ConfigOutcome::Status::WrongSize ? QStringLiteral("3\n")
                                                                           : QStringLiteral("1\n");
    if (wanted.isEmpty())
        check.expect(shown.isEmpty(), QStringLiteral("a message for a good file"));
    else
        check.expect(shown.size() == 1 && shown[0].startsWith(wanted),
                     QStringLiteral("not message %1").arg(wanted.trimmed()));

    const QString title = main.windowTitle();
    check.expect(title.startsWith(designCaption) && title.contains(QStringLiteral("Версия "))
                     && title.contains(QStringLiteral(" от ")),
                 QStringLiteral("caption \"%1\"").arg(title));

    // The lesson goes on where the file lets the pupil: the tasks window
    // opens on its first task and its countdown runs, and the pupil comes back.
    Lesson::command(&main, QStringLiteral("mnu_Wyprosi"));
    if (QWidget *tasks = lesson.window(QStringLiteral("Tarv_n")); tasks && tasks->isVisible()) {
        const QStringList listed = Lesson::control<ListBox>(tasks, QStringLiteral("List_Un(1)"))->entries();
        check.expect(!listed.contains(QString()), QStringLiteral("an empty entry in the task list"));
        check.expect(listed.size() <= lesson.state().Uslowie_L(0).count() - 1,
                     QStringLiteral("%1 entries in the task list for %2 tasks")
                         .arg(listed.size())
                         .arg(lesson.state().Uslowie_L(0).count() - 1));
        lesson.tick(25);
        Lesson::command(tasks, QStringLiteral("mnu_IzhodN"));
    }
    lesson.tick();
    check.expect(!lesson.ended, QStringLiteral("the lesson ended by itself"));
}

// Which cases go through the whole start-up: every fiftieth, and at least
// the first 20 of each kind.
std::vector<int> startUpSubset(const Generator &g)
{
    std::vector<int> subset;
    std::array<int, KindCount> perKind{};
    for (int n = 0; n < Generator::Total; ++n) {
        const int kind = static_cast<int>(g.make(n).kind);
        if (n % 50 == 0 || perKind[kind] < 20) {
            subset.push_back(n);
            ++perKind[kind];
        }
    }
    return subset;
}

QString report(const QStringList &failures)
{
    QStringList first = failures.mid(0, 20);
    if (failures.size() > 20)
        first.append(QStringLiteral("... and %1 more").arg(failures.size() - 20));
    return first.join(u'\n');
}

int onlyCase()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("UROK_HOSTILE_CASE", &ok);
    return ok ? n : -1;
}

} // namespace

class HostileConfigTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { testHandler = qInstallMessageHandler(quietPlatform); }

    void everyCaseThroughTheLoader()
    {
        const Generator g;
        QStringList failures;
        QElapsedTimer clock;
        clock.start();
        const int only = onlyCase();
        for (int n = 0; n < Generator::Total; ++n)
            if (only < 0 || n == only)
                loaderCase(g.make(n), failures);
        qInfo("%d cases through the loader in %lld ms", Generator::Total, clock.elapsed());
        QVERIFY2(failures.isEmpty(), qPrintable(report(failures)));
    }

    void manyCasesThroughTheWholeStartUp()
    {
        const Generator g;
        const int only = onlyCase();
        const std::vector<int> subset = only >= 0 ? std::vector<int>{only} : startUpSubset(g);
        // The lesson started without a configuration file, for comparison.
        Lesson reference(Lesson::Bytes{}, std::nullopt);
        reference.start();
        QCOMPARE(reference.boxes.seen.size(), 1);

        QStringList failures;
        QElapsedTimer clock;
        clock.start();
        for (int n : subset)
            startUpCase(g.make(n), reference.state(), failures);
        qInfo("%zu start-ups in %lld ms", subset.size(), clock.elapsed());
        QVERIFY2(failures.isEmpty(), qPrintable(report(failures)));
    }

    // An out-of-the-ordinary file that should not happen but can: the
    // configuration file is a folder. (An unreadable one is among the file
    // faults.)
    void aFolderInThePlaceOfTheConfiguration()
    {
        Lesson lesson(Lesson::Bytes{}, std::nullopt);
        QVERIFY(QDir(lesson.folder.path()).mkdir(QStringLiteral("OPTIM.UFG")));
        Tarv &main = lesson.start();
        QCOMPARE(lesson.boxes.seen.size(), 1);
        QVERIFY(lesson.boxes.texts()[0].startsWith(QStringLiteral("1\n")));
        QVERIFY(main.windowTitle().startsWith(designCaption));
    }
};

QTEST_MAIN(HostileConfigTest)
#include "test_hostile_config.moc"
