#include "engine/Decrypt.h"

#include "engine/Cp1251.h"

#include <algorithm>

namespace urok {

namespace {

// XORs each byte with the key stream and returns the bytes in the same order.
QByteArray applyKeyStream(QByteArray bytes)
{
    int c = 0;
    for (char &b : bytes) {
        c = (c + 1) % ContentKeyPeriod;
        b = static_cast<char>(static_cast<quint8>(b) ^ static_cast<quint8>(c + ContentKeyOffset));
    }
    return bytes;
}

} // namespace

QString Fn_Decrypt(const QString &stored, bool scrambled)
{
    if (!scrambled)
        return stored;
    if (stored.isEmpty())
        return {};
    QString reversed = stored;
    std::reverse(reversed.begin(), reversed.end());
    reversed.chop(1); // the stored line's first character carries nothing
    return fromCp1251(applyKeyStream(toCp1251(reversed)));
}

QString scrambleContentLine(const QString &text)
{
    // An empty line hides nothing and stays empty, so that a blank line
    // around a section of a task file is still read as blank.
    if (text.isEmpty())
        return {};
    QString scrambled = fromCp1251(applyKeyStream(toCp1251(text)));
    std::reverse(scrambled.begin(), scrambled.end());
    return QStringLiteral("~") + scrambled;
}

} // namespace urok
