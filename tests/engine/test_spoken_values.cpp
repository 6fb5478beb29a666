// Values as a person says them: a colour by its nearest name, a date in words.
#include "engine/ColourNames.h"
#include "engine/SpokenDate.h"

#include <QTest>

using namespace urok;

class SpokenValuesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void colourName_data()
    {
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::addColumn<QString>("name");
        QTest::newRow("the lesson's window") << 128 << 0 << 0 << QStringLiteral("тъмночервен");
        QTest::newRow("the lesson's fields") << 0 << 128 << 0 << QStringLiteral("зелен");
        QTest::newRow("almost black") << 25 << 0 << 0 << QStringLiteral("черен");
        QTest::newRow("off white") << 250 << 248 << 240 << QStringLiteral("бял");
        QTest::newRow("sky") << 120 << 200 << 240 << QStringLiteral("светлосин");
        QTest::newRow("grey of the picture") << 192 << 192 << 192 << QStringLiteral("светлосив");
        QTest::newRow("a green a little blue") << 0 << 120 << 110 << QStringLiteral("синьозелен");
    }
    void colourName()
    {
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QFETCH(QString, name);
        QCOMPARE(urok::colourName({red, green, blue}), name);
    }

    void colourInWordsGivesTheCode()
    {
        QCOMPARE(colourInWords(rgbValue(0, 200, 8)), QStringLiteral("яркозелен, код 575488, "
                                                                    "шестнадесетично 8C800"));
        QCOMPARE(colourInWords(0), QStringLiteral("черен, код 0, шестнадесетично 0"));
    }

    void dateInWords_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("said");
        QTest::newRow("the configuration's") << QStringLiteral(" 20261206") << QStringLiteral("6 декември 2026 г.");
        QTest::newRow("the lesson data's") << QStringLiteral("2009/10/28") << QStringLiteral("28 октомври 2009 г.");
        QTest::newRow("with dashes") << QStringLiteral("2026-01-31") << QStringLiteral("31 януари 2026 г.");
        QTest::newRow("day first") << QStringLiteral("1.3.2027") << QStringLiteral("1 март 2027 г.");
        QTest::newRow("no such day") << QStringLiteral("20261340") << QStringLiteral("20261340");
        QTest::newRow("not a date") << QStringLiteral(" есента ") << QStringLiteral("есента");
    }
    void dateInWords()
    {
        QFETCH(QString, written);
        QFETCH(QString, said);
        QCOMPARE(urok::dateInWords(written), said);
    }
};

QTEST_MAIN(SpokenValuesTest)
#include "test_spoken_values.moc"
