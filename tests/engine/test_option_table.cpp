#include "content/Catalogue.h"
#include "engine/OptionTable.h"
#include "support/Golden.h"

#include <QTest>

using namespace urok;

namespace {

const QString Docs = QStringLiteral(UROK_SOURCE_DIR "/docs/configuration-file.md");
const QString ListStart = QStringLiteral("<!-- the option table -->\n");
const QString ListEnd = QStringLiteral("<!-- end of the option table -->\n");

// The option list of the configuration file's description, as the table says it.
QString optionList()
{
    QString list = QStringLiteral("| Option | Profile key | In the file | Before a file is read | "
                                  "What `urok-setup show` says |\n|---|---|---|---|---|\n");
    for (const OptionInfo &option : OptionTable) {
        const OptionPlace at = option.place();
        list += QStringLiteral("| %1 | `%2` | record %3, `values[%4]` | %5 | %6 |\n")
                    .arg(option.number())
                    .arg(option.profileKey())
                    .arg(at.record)
                    .arg(at.place)
                    .arg(option.builtInOn ? QStringLiteral("on") : QStringLiteral("off"),
                         option.text().isEmpty() ? QStringLiteral("–") : option.text());
    }
    return list;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class OptionTableTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // An option's value goes to its place in the file and comes back from
    // it, past 40 too, and touches no other byte.
    void optionRoundTripsThroughTheFile_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("offset");
        QTest::newRow("the first") << 1 << 1 << 0;
        QTest::newRow("the last of record 1") << 40 << -1 << 78;
        QTest::newRow("the first past 40") << 41 << 1 << 500;
        QTest::newRow("the second past 40") << 42 << 0x1234 << 502;
        QTest::newRow("the last there is room for") << 80 << -32768 << 578;
    }
    void optionRoundTripsThroughTheFile()
    {
        QFETCH(int, number);
        QFETCH(int, value);
        QFETCH(int, offset);
        ConfigRecord records[ConfigRecordCount];
        storeOption(records, number, static_cast<qint16>(value));
        QByteArray file;
        for (const ConfigRecord &r : records)
            file += r.toBytes();
        QCOMPARE(storedOption(file, number), value);

        QByteArray expected(ConfigFileSize, '\0');
        expected[offset] = static_cast<char>(value & 0xff);
        expected[offset + 1] = static_cast<char>((value >> 8) & 0xff);
        QCOMPARE(file.toHex(' '), expected.toHex(' '));
        QCOMPARE(storedOption(file.left(599), number), 0);
    }

    // Nothing is stored past the room records 1 and 6 have.
    void optionBeyondTheRoomIsNotStored()
    {
        ConfigRecord records[ConfigRecordCount];
        storeOption(records, OptionPlaceCount + 1, 1);
        storeOption(records, 0, 1);
        QByteArray file;
        for (const ConfigRecord &r : records)
            file += r.toBytes();
        QCOMPARE(file, QByteArray(ConfigFileSize, '\0'));
    }

    // The lesson's own option list starts as the table says.
    void builtInValuesAreTheLessons()
    {
        const QStringList options = Catalogue::builtIn().list(Holder::Opcii_L, 0);
        for (const OptionInfo &option : OptionTable)
            QCOMPARE(options.value(option.number()) == u"1", option.builtInOn);
    }

    // The description of the file lists every option as the table has it.
    void docsListTheTable()
    {
        const QString docs = QString::fromUtf8(readAll(Docs));
        const qsizetype start = docs.indexOf(ListStart);
        const qsizetype end = docs.indexOf(ListEnd);
        QVERIFY2(start >= 0 && end > start, "the option list's marks are missing");
        const QString expected = docs.left(start + ListStart.size()) + optionList() + docs.mid(end);
        UROK_COMPARE_GOLDEN(Docs, expected.toUtf8());
    }
};

QTEST_GUILESS_MAIN(OptionTableTest)
#include "test_option_table.moc"
