#include "engine/ColourSettings.h"

#include <QTest>

using namespace urok;

class ColourSettingsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // As read from a window: four decimals at most; as chosen: whole, halves to even.
    void fontSizes_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("whole");
        QTest::newRow("whole") << 12.0 << "12" << "12";
        QTest::newRow("half down to even") << 10.5 << "10.5" << "10";
        QTest::newRow("half up to even") << 13.5 << "13.5" << "14";
        QTest::newRow("four decimals") << 8.123456 << "8.1235" << "8";
        QTest::newRow("almost whole") << 8.00004 << "8" << "8";
    }

    void fontSizes()
    {
        QFETCH(double, points);
        QFETCH(QString, read);
        QFETCH(QString, whole);
        QCOMPARE(fontSizeText(points), read);
        QCOMPARE(wholeFontSizeText(points), whole);
    }

    void eachFontFamilyIsListedOnceByItsPlainName()
    {
        const QStringList families = {"C059 [UKWN]", "Arial",  "C059 [urw]",
                                      "Nimbus Sans [urw]", "C059", "Odd [name] font"};
        QCOMPARE(fontFamilyNames(families),
                 QStringList({"C059", "Arial", "Nimbus Sans", "Odd [name] font"}));
    }
};

QTEST_GUILESS_MAIN(ColourSettingsTest)
#include "test_colour_settings.moc"
