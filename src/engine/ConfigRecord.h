#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace urok {

// The lesson's configuration file: six records of 100 bytes, 600 bytes in
// all, little-endian (the layout is described in docs/configuration-file.md).
constexpr int ConfigRecordSize = 100;
constexpr int ConfigRecordCount = 6;
constexpr int ConfigFileSize = ConfigRecordSize * ConfigRecordCount;
constexpr int ConfigTextCapacity = 15;
constexpr int ConfigValueCount = 40;   // the 16-bit numbers at the start of a record

// The record text is scrambled: character i (from 1) is stored as its
// Windows-1251 byte XOR key(i), key(i) = (i + TextKeyOffset) mod TextKeyModulus.
constexpr int TextKeyOffset = 77;
constexpr int TextKeyModulus = 251;

constexpr quint8 textKey(int position)
{
    return static_cast<quint8>((position + TextKeyOffset) % TextKeyModulus);
}

struct ConfigRecord
{
    std::array<qint16, ConfigValueCount> values{};
    qint32 number = 0;
    quint8 textLength = 0;                          // as stored; only up to 15 are used
    std::array<quint8, ConfigTextCapacity> text{};  // scrambled bytes

    // Reads a record from 100 bytes.
    static ConfigRecord fromBytes(const char *bytes);
    QByteArray toBytes() const;

    // Stores a text scrambled; false when it is longer than 15 characters
    // or has a character Windows-1251 lacks (the record is then unchanged).
    bool setText(const QString &plain);
};

// The unscrambled text of a record: its first L characters, where L is the
// stored length but never more than the 15 bytes the field has.
QString Razkodiraj_tekst(const ConfigRecord &record);

// Record k (1..6) of a 600-byte file; an empty record for anything else.
ConfigRecord readRecord(const QByteArray &file, int k);

} // namespace urok
