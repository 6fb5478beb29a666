#include "controls/ListBox.h"
#include "controls/Shape.h"
#include "controls/TextBox.h"
#include "lesson/Tarv.h"
#include "support/LessonFixture.h"
#include "tasks/Tarv_n.h"
#include "windows/Tarv_Glos.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>

using namespace urok;
using namespace urok::test;

namespace {

void setOptions(LessonState &state, const QString &value)
{
    for (int n = 1; n <= 40; ++n)
        state.Opcii_L().setItem(n, value);
}

struct Started
{
    explicit Started(std::function<void(LessonState &)> options = {})
    {
        if (options)
            options(f.state);
        main = &f.windows.get<Tarv>();
        tasks = &f.windows.get<Tarv_n>();
        chooser = &f.windows.get<Tarv_Glos>();
    }
    LessonFixture f;
    Tarv *main = nullptr;
    Tarv_n *tasks = nullptr;
    Tarv_Glos *chooser = nullptr;
};

} // namespace

class AccessSetupTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void builtInOptionsWithholdWhatTheyDoNotAllow()
    {
        Started s;
        QVERIFY(!s.tasks->List_Un[1]->isEnabled());                  // 1
        QVERIFY(s.tasks->Chasownik_Label[0]->isHidden());            // 2
        QCOMPARE(s.tasks->List_Un[0]->count(), 18);                  // 3
        QVERIFY(!s.tasks->List_Un[0]->isEnabled());                  // 4
        QCOMPARE(s.tasks->Text_Un[1]->text(), QStringLiteral("Достъпът до речника е забранен!"));
        QVERIFY(!s.main->mnu_Cwqt->isEnabled());                     // 6
        QVERIFY(!s.chooser->Wremena[3]->isEnabled());                // 7
        QVERIFY(!s.chooser->Wremena[5]->isEnabled());                // 8
        QVERIFY(!s.main->Sydyrv_pla[1]->isEnabled());                // 9
        QVERIFY(!s.main->List_Ur[0]->isEnabled());                   // 10
        QVERIFY(!s.tasks->mnu_ZapReshen[2]->isEnabled());            // 11
        QVERIFY(s.main->Shape_Lenta[0]->isHidden());                 // 12
        QVERIFY(!s.tasks->mnu_ZapReshen[1]->isVisible());            // 13
        for (int i = 3; i <= 9; ++i)                                  // 14
            QVERIFY(!s.main->Sydyrv_pla[i]->isEnabled());
        QVERIFY(s.main->Sydyrv_pla[2]->isEnabled());
        QVERIFY(!s.main->mnu_Fokus->isEnabled());                    // 16
        QVERIFY(!s.tasks->mnu_Pylen_Ekran->isEnabled());
    }

    void everyOptionOnLeavesEverythingUsable()
    {
        Started s([](LessonState &st) { setOptions(st, QStringLiteral("1")); });
        QVERIFY(s.tasks->List_Un[1]->isEnabled());
        QVERIFY(!s.tasks->Chasownik_Label[0]->isHidden());
        QVERIFY(s.tasks->List_Un[0]->isEnabled());
        // The dictionary selects the term chosen last (item 1 of the record).
        QCOMPARE(s.tasks->List_Un[0]->listIndex(), 0);
        QVERIFY(s.main->mnu_Cwqt->isEnabled());
        QVERIFY(s.chooser->Wremena[3]->isEnabled());
        QVERIFY(s.chooser->Wremena[5]->isEnabled());
        QVERIFY(s.main->List_Ur[0]->isEnabled());
        QVERIFY(s.tasks->mnu_ZapReshen[1]->isVisible());
        QVERIFY(s.tasks->mnu_ZapReshen[2]->isEnabled());
        for (int i = 1; i <= 9; ++i)
            QVERIFY(s.main->Sydyrv_pla[i]->isEnabled());
        QVERIFY(s.main->mnu_Fokus->isEnabled());
        QVERIFY(s.tasks->mnu_Pylen_Ekran->isEnabled());
        QVERIFY(s.main->Text_U[1]->text().startsWith(QStringLiteral("Съдържание на избраната")));
    }

    void dictionaryRestoresTheLastTerm()
    {
        Started s([](LessonState &st) {
            setOptions(st, QStringLiteral("1"));
            st.List_Ur(1).setItem(1, QStringLiteral("5"));
        });
        QCOMPARE(s.tasks->List_Un[0]->listIndex(), 5);
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
        Started s([offOption](LessonState &st) {
            setOptions(st, QStringLiteral("1"));
            st.Opcii_L().setItem(offOption, QStringLiteral("-1"));
        });
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(s.main->Sydyrv_pla[i]->isEnabled(), !disabled.contains(i));
    }

    void informationItemWithoutATextIsDisabled()
    {
        const Catalogue content = lessonWith(QStringLiteral("text Dopyln_M(4) < texts/dopyln-m-4.txt"),
                                             QStringLiteral("text Dopyln_M(4) = \"\""));
        LessonFixture f(content);
        setOptions(f.state, QStringLiteral("1"));
        Tarv &main = f.windows.get<Tarv>();
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(main.Sydyrv_pla[i]->isEnabled(), i != 4);
    }

    void eachOptionAloneOff_data()
    {
        QTest::addColumn<int>("option");
        for (int n : {1, 3, 4, 7, 8, 9, 10, 11, 13, 15, 24, 26})
            QTest::newRow(qPrintable(QString::number(n))) << n;
    }
    void eachOptionAloneOff()
    {
        QFETCH(int, option);
        Started s([option](LessonState &st) {
            setOptions(st, QStringLiteral("1"));
            st.Opcii_L().setItem(option, QStringLiteral("0"));
        });
        QCOMPARE(!s.tasks->List_Un[1]->isEnabled(), option == 1);
        QCOMPARE(s.tasks->Chasownik_Label[0]->isHidden(), option == 3);
        QCOMPARE(!s.tasks->List_Un[0]->isEnabled(), option == 4);
        QCOMPARE(!s.main->mnu_Cwqt->isEnabled(), option == 7);
        QCOMPARE(!s.chooser->Wremena[3]->isEnabled(), option == 8);
        QCOMPARE(!s.chooser->Wremena[5]->isEnabled(), option == 26);
        QCOMPARE(!s.main->Sydyrv_pla[1]->isEnabled(), option == 9);
        QCOMPARE(!s.main->List_Ur[0]->isEnabled(), option == 10);
        QCOMPARE(!s.tasks->mnu_ZapReshen[2]->isEnabled(), option == 11);
        QCOMPARE(!s.tasks->mnu_ZapReshen[1]->isVisible(), option == 15);
        QCOMPARE(!s.main->mnu_Fokus->isEnabled(), option == 24);
    }
};

QTEST_MAIN(AccessSetupTest)
#include "test_access_setup.moc"
