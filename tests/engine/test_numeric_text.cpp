#include "engine/NumericText.h"

#include <QTest>

using namespace urok;

class NumericTextTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void leadingNumberReadsThePrefix_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "96" << 96.0;
        QTest::newRow("signed-number text") << " 96" << 96.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("fraction") << "32.5" << 32.5;
        QTest::newRow("fraction without digits before the point") << " .96" << 0.96;
        QTest::newRow("date") << "2009/10/28" << 2009.0;
        QTest::newRow("option with a note") << "1 - няма" << 1.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blank") << " " << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("Cyrillic marker") << "В" << 0.0;
        QTest::newRow("heading with a number later") << "0 564" << 0.0;
        QTest::newRow("task number with a trailing blank") << "01 " << 1.0;
        QTest::newRow("comma is not a decimal point") << "32,5" << 32.0;
    }
    void leadingNumberReadsThePrefix()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(leadingNumber(text), value);
    }

    void integersAreClampedAndRounded()
    {
        QCOMPARE(leadingInteger(u"7.9"), 7);
        QCOMPARE(leadingInteger(u"-7.9"), -7);
        QCOMPARE(leadingInteger(u"99999999999999"), std::numeric_limits<int>::max());
        QCOMPARE(roundedNumber(u"32.5", -32768, 32767), 32); // halves to even
        QCOMPARE(roundedNumber(u"33.5", -32768, 32767), 34);
        QCOMPARE(roundedNumber(u"40000", -32768, 32767), 32767);
        QCOMPARE(roundedNumber(u"-40000", -32768, 32767), -32768);
    }

    void signedNumberTextHasNoLeadingZero_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("version") << 0.96 << " .96";
        QTest::newRow("whole") << 96.0 << " 96";
        QTest::newRow("zero") << 0.0 << " 0";
        QTest::newRow("negative fraction") << -0.5 << "-.5";
        QTest::newRow("negative whole") << -3.0 << "-3";
        QTest::newRow("mixed") << 32.5 << " 32.5";
        QTest::newRow("date as a number") << 20091028.0 << " 20091028";
        QTest::newRow("above one keeps its digit") << 1.25 << " 1.25";
    }
    void signedNumberTextHasNoLeadingZero()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(signedNumberText(value), text);
        // The form reads back as the number it shows.
        QCOMPARE(leadingNumber(text), value);
    }

    void decimalTextIsShortest()
    {
        QCOMPARE(decimalText(32.5), QStringLiteral("32.5"));
        QCOMPARE(decimalText(14), QStringLiteral("14"));
        QCOMPARE(decimalText(-0.0), QStringLiteral("0"));
        QCOMPARE(decimalText(-7), QStringLiteral("-7"));
        QCOMPARE(decimalText(0.1 + 0.2), QStringLiteral("0.3"));
    }

    void remainingTimeIsSaidInWords_data()
    {
        QTest::addColumn<int>("seconds"); // below 0: nothing counts
        QTest::addColumn<QString>("text");
        QTest::newRow("minutes and seconds") << 371 << "Остават 6 минути и 11 секунди";
        QTest::newRow("one minute and one second") << 61 << "Остава 1 минута и 1 секунда";
        QTest::newRow("whole minutes") << 120 << "Остават 2 минути";
        QTest::newRow("one minute") << 60 << "Остава 1 минута";
        QTest::newRow("seconds") << 59 << "Остават 59 секунди";
        QTest::newRow("one second") << 1 << "Остава 1 секунда";
        QTest::newRow("less than a second") << 0 << "Остават 0 секунди";
        QTest::newRow("nothing counts") << -1 << "Не се отброява време";
    }
    void remainingTimeIsSaidInWords()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(remainingTimeText(seconds < 0 ? std::nullopt : std::optional<qint64>(seconds)), text);
    }
};

QTEST_GUILESS_MAIN(NumericTextTest)
#include "test_numeric_text.moc"
