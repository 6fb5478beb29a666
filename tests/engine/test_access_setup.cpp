// What the lesson's options allow, seen by the pupil: the lesson starts
// from its folder with a configuration file written by the teacher's tool,
// and the controls each option governs are on or off in the windows the
// pupil opens.
#include "support/Lesson.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

using namespace urok;
using namespace urok::test;

namespace {

// Every option on except the given ones.
std::map<int, int> allOnBut(const std::map<int, int> &changed)
{
    std::map<int, int> options;
    for (int n = 1; n <= 40; ++n)
        options[n] = 1;
    for (const auto &[n, v] : changed)
        options[n] = v;
    return options;
}

// The lesson with the tasks window and the chooser opened.
struct Opened
{
    explicit Opened(const std::map<int, int> &options)
        : lesson(Lesson::Bytes{}, configWith(options))
    {
        main = &lesson.start();
        Lesson::command(main, QStringLiteral("mnu_Wyprosi"));
        tasks = lesson.window(QStringLiteral("Tarv_n"));
        if (!tasks)
            qFatal("the tasks window did not open");
        Lesson::command(tasks, QStringLiteral("mnu_Tip_Wid"));
        chooser = lesson.window(QStringLiteral("Tarv_Glos"));
    }

    bool on(QWidget *window, const QString &name) const
    {
        if (QAction *a = window->findChild<QAction *>(name))
            return a->isEnabled() && a->isVisible();
        QWidget *w = Lesson::control<QWidget>(window, name);
        return w->isEnabled() && !w->isHidden();
    }

    // The controls the options govern, in the order of the options below.
    QList<bool> governed() const
    {
        return {on(tasks, QStringLiteral("List_Un(1)")),          // 1
                on(tasks, QStringLiteral("Chasownik_Label(0)")),  // 3
                on(tasks, QStringLiteral("List_Un(0)")),          // 4
                on(main, QStringLiteral("mnu_Cwqt")),             // 7
                on(chooser, QStringLiteral("Wremena(3)")),        // 8
                on(main, QStringLiteral("Sydyrv_pla(1)")),        // 9
                on(main, QStringLiteral("List_Ur(0)")),           // 10
                on(tasks, QStringLiteral("mnu_ZapReshen(2)")),    // 11
                on(tasks, QStringLiteral("mnu_ZapReshen(1)")),    // 15
                on(main, QStringLiteral("mnu_Fokus"))
                    && on(tasks, QStringLiteral("mnu_Pylen_Ekran")), // 24
                on(chooser, QStringLiteral("Wremena(5)"))};       // 26
    }

    Lesson lesson;
    Tarv *main = nullptr;
    QWidget *tasks = nullptr;
    QWidget *chooser = nullptr;
};

const QList<int> governingOptions = {1, 3, 4, 7, 8, 9, 10, 11, 15, 24, 26};

} // namespace

class AccessSetupTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void eachOptionAloneOff_data()
    {
        QTest::addColumn<int>("option");
        QTest::newRow("none") << 0;
        for (int n : governingOptions)
            QTest::newRow(qPrintable(QString::number(n))) << n;
    }
    void eachOptionAloneOff()
    {
        QFETCH(int, option);
        Opened o(option ? allOnBut({{option, 0}}) : allOnBut({}));
        QList<bool> expected;
        for (int n : governingOptions)
            expected.append(n != option);
        QCOMPARE(o.governed(), expected);
        QVERIFY(o.lesson.boxes.seen.isEmpty());
    }

    void theDictionaryOffTellsThePupil()
    {
        Opened o(allOnBut({{4, 0}}));
        QCOMPARE(Lesson::control<QPlainTextEdit>(o.tasks, QStringLiteral("Text_Un(1)"))->toPlainText(),
                 QStringLiteral("Достъпът до речника е забранен!"));
    }

    // Without its configuration file the lesson runs on its built-in
    // options, which withhold the teaching features.
    void withoutTheFileTheBuiltInOptionsWithhold()
    {
        Lesson lesson(Lesson::Bytes{}, std::nullopt);
        Tarv &main = lesson.start();
        QCOMPARE(lesson.boxes.seen.size(), 1);
        for (const char *name : {"mnu_Cwqt", "Sydyrv_pla(1)", "mnu_Fokus", "mnu_Wyprosi"})
            QVERIFY2(!Lesson::control<QAction>(&main, QString::fromLatin1(name))->isEnabled(), name);
        QVERIFY(!Lesson::control<QWidget>(&main, QStringLiteral("List_Ur(0)"))->isEnabled());
    }

    void informationItemsArePairedWithTheirOptions_data()
    {
        QTest::addColumn<int>("offOption");
        QTest::addColumn<QList<int>>("disabled");
        QTest::newRow("19") << 19 << QList<int>{3, 5};
        QTest::newRow("20") << 20 << QList<int>{4, 6};
        QTest::newRow("21") << 21 << QList<int>{5, 7};
        QTest::newRow("22") << 22 << QList<int>{6, 8};
        QTest::newRow("23") << 23 << QList<int>{7, 9};
    }
    void informationItemsArePairedWithTheirOptions()
    {
        QFETCH(int, offOption);
        QFETCH(QList<int>, disabled);
        Lesson lesson(Lesson::Bytes{}, configWith(allOnBut({{offOption, -1}})));
        Tarv &main = lesson.start();
        for (int i = 1; i <= 9; ++i) {
            const auto *item = Lesson::control<QAction>(&main, QStringLiteral("Sydyrv_pla(%1)").arg(i));
            QCOMPARE(item->isEnabled(), !disabled.contains(i));
        }
    }
};

QTEST_MAIN(AccessSetupTest)
#include "test_access_setup.moc"
