#include "engine/ItemList.h"
#include "engine/Options.h"

#include <QTest>

using namespace urok;

class ItemListTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void itemsOutsideTheListReadEmptyAndAreNotWritten()
    {
        ItemList list({QStringLiteral("a"), QStringLiteral("b")});
        QCOMPARE(list.item(-1), QString());
        QCOMPARE(list.item(2), QString());
        QVERIFY(!list.setItem(2, QStringLiteral("x")));
        QVERIFY(!list.setItem(-1, QStringLiteral("x")));
        QCOMPARE(list.count(), 2);
        QVERIFY(list.setItem(1, QStringLiteral("c")));
        QCOMPARE(list.items(), QStringList({QStringLiteral("a"), QStringLiteral("c")}));
        list.removeLast();
        list.removeLast();
        list.removeLast(); // on an empty list: nothing
        QCOMPARE(list.count(), 0);
    }

    void sortedListKeepsAlphabeticalOrderWithoutRegardToCase()
    {
        ItemList list({}, true);
        for (const char *t : {"цикъл for", "Ератостен", "break", "аритметични операции",
                              "двоично търсене", "Break"})
            list.add(QString::fromUtf8(t));
        QCOMPARE(list.items(),
                 QStringList({QStringLiteral("Break"), QStringLiteral("break"),
                              QStringLiteral("аритметични операции"),
                              QStringLiteral("двоично търсене"), QStringLiteral("Ератостен"),
                              QStringLiteral("цикъл for")}));
    }

    void planHeadingSortsBeforeEveryEntry()
    {
        const QString heading = QString(21, u' ') + QStringLiteral("Оборотен за план на урока");
        ItemList list({heading}, true);
        list.add(QStringLiteral("004 4. Динамично оптимиране"));
        list.add(QStringLiteral("001 1. Търсене с връщане назад"));
        list.add(QStringLiteral("000 0. Въведение"));
        QCOMPARE(list.item(0), heading);
        QCOMPARE(list.item(1), QStringLiteral("000 0. Въведение"));
        QCOMPARE(list.item(3), QStringLiteral("004 4. Динамично оптимиране"));
    }

    void selectionFollowsItsItem()
    {
        ItemList list({QStringLiteral("b"), QStringLiteral("d")}, true);
        list.setListIndex(1);
        QCOMPARE(list.selectedText(), QStringLiteral("d"));
        list.add(QStringLiteral("a"));
        QCOMPARE(list.selectedText(), QStringLiteral("d"));
        list.removeAt(0);
        QCOMPARE(list.selectedText(), QStringLiteral("d"));
        list.removeAt(1);
        QCOMPARE(list.listIndex(), -1);
        list.setListIndex(5);
        QCOMPARE(list.listIndex(), -1);
    }

    void optionReadsTheFirstCharacter_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("value");
        QTest::newRow("on") << "1" << 1;
        QTest::newRow("on with a note") << "1 - няма" << 1;
        QTest::newRow("off") << "0" << 0;
        QTest::newRow("off with a note") << "0 - " << 0;
        QTest::newRow("negative odd value is off") << "-1" << 0;
        QTest::newRow("blank") << " " << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("letter") << "nastrojki" << 0;
        QTest::newRow("only the first digit counts") << "17" << 1;
        QTest::newRow("larger digit") << "7" << 7;
    }
    void optionReadsTheFirstCharacter()
    {
        QFETCH(QString, item);
        QFETCH(int, value);
        ItemList options({QStringLiteral("heading"), item});
        QCOMPARE(optionValue(options, 1), value);
        QCOMPARE(optionOn(options, Option::TaskList), value >= 1);
    }

    void missingOptionIsOff()
    {
        ItemList options({QStringLiteral("heading"), QStringLiteral("1")});
        QCOMPARE(optionValue(options, 40), 0);
        QCOMPARE(optionValue(options, -1), 0);
    }
};

QTEST_GUILESS_MAIN(ItemListTest)
#include "test_item_list.moc"
