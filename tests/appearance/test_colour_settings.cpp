#include "appearance/Colour.h"
#include "appearance/ColourSettings.h"

#include <QTest>

using namespace urok;

class ColourSettingsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void codeLine_data()
    {
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QString>("line");
        const QString head = QStringLiteral("Цвят в 10/16-тичен код =");
        QTest::newRow("zero") << 0 << head + QStringLiteral(" 0 /H0");
        QTest::newRow("dark red") << 128 << head + QStringLiteral(" 128 /H80");
        QTest::newRow("grey") << 8421504 << head + QStringLiteral(" 8421504 /H808080");
        QTest::newRow("no leading zeros") << 51208 << head + QStringLiteral(" 51208 /HC808");
        QTest::newRow("white") << 16777215 << head + QStringLiteral(" 16777215 /HFFFFFF");
        QTest::newRow("system reference") << SystemWindowText
                                          << head + QStringLiteral("-2147483640 /H80000008");
    }

    void codeLine()
    {
        QFETCH(qint32, value);
        QFETCH(QString, line);
        QCOMPARE(colourCodeLine(value), line);
    }

    void fontSizesAsTheListKeepsThem()
    {
        QCOMPARE(fontSizeText(12), QStringLiteral("12"));
        QCOMPARE(fontSizeText(10.5), QStringLiteral("10.5"));
        QCOMPARE(fontSizeText(9.75), QStringLiteral("9.75"));
        QCOMPARE(fontSizeText(8.123456), QStringLiteral("8.1235"));
        QCOMPARE(fontSizeText(8.00004), QStringLiteral("8"));

        QCOMPARE(wholeFontSizeText(13), QStringLiteral("13"));
        QCOMPARE(wholeFontSizeText(12.5), QStringLiteral("12"));
        QCOMPARE(wholeFontSizeText(13.5), QStringLiteral("14"));
        QCOMPARE(wholeFontSizeText(9.75), QStringLiteral("10"));
    }

    void eachFontFamilyIsListedOnceByItsPlainName()
    {
        const QStringList families = {
            QStringLiteral("C059 [UKWN]"), QStringLiteral("Arial"), QStringLiteral("C059 [urw]"),
            QStringLiteral("Nimbus Sans [urw]"), QStringLiteral("C059"),
            QStringLiteral("Odd [name] font")};
        QCOMPARE(fontFamilyNames(families),
                 QStringList({QStringLiteral("C059"), QStringLiteral("Arial"),
                              QStringLiteral("Nimbus Sans"), QStringLiteral("Odd [name] font")}));
    }
};

QTEST_GUILESS_MAIN(ColourSettingsTest)
#include "test_colour_settings.moc"
