#include "engine/ConfigRecord.h"

#include "engine/Cp1251.h"

#include <QtEndian>

#include <algorithm>

namespace urok {

ConfigRecord ConfigRecord::fromBytes(const char *bytes)
{
    ConfigRecord r;
    const auto *b = reinterpret_cast<const uchar *>(bytes);
    for (std::size_t i = 0; i < r.values.size(); ++i)
        r.values[i] = qFromLittleEndian<qint16>(b + 2 * i);
    r.number = qFromLittleEndian<qint32>(b + 80);
    r.textLength = b[84];
    std::copy(b + 85, b + 100, r.text.begin());
    return r;
}

QByteArray ConfigRecord::toBytes() const
{
    QByteArray out(ConfigRecordSize, '\0');
    auto *b = reinterpret_cast<uchar *>(out.data());
    for (std::size_t i = 0; i < values.size(); ++i)
        qToLittleEndian<qint16>(values[i], b + 2 * i);
    qToLittleEndian<qint32>(number, b + 80);
    b[84] = textLength;
    std::copy(text.begin(), text.end(), b + 85);
    return out;
}

bool ConfigRecord::setText(const QString &plain)
{
    bool lossless = false;
    const QByteArray bytes = toCp1251(plain, &lossless);
    if (!lossless || bytes.size() > ConfigTextCapacity)
        return false;
    text.fill(0);
    for (int i = 0; i < bytes.size(); ++i)
        text[i] = static_cast<quint8>(static_cast<quint8>(bytes[i]) ^ textKey(i + 1));
    textLength = static_cast<quint8>(bytes.size());
    return true;
}

QString Razkodiraj_tekst(const ConfigRecord &record)
{
    const int length = std::min<int>(record.textLength, ConfigTextCapacity);
    QByteArray bytes(length, '\0');
    for (int i = 0; i < length; ++i)
        bytes[i] = static_cast<char>(record.text[i] ^ textKey(i + 1));
    return fromCp1251(bytes);
}

ConfigRecord readRecord(const QByteArray &file, int k)
{
    if (k < 1 || k > ConfigRecordCount || file.size() != ConfigFileSize)
        return {};
    return ConfigRecord::fromBytes(file.constData() + qsizetype(ConfigRecordSize) * (k - 1));
}

} // namespace urok
