#pragma once

#include <QByteArray>

namespace urok::test {

// A configuration file built byte by byte, independently of the program's
// own record writer: six records of 100 bytes, each 40 little-endian 16-bit
// values, a 32-bit number at 80, a length byte at 84 and 15 text bytes
// scrambled with key(i) = (i + 77) mod 251.
struct ConfigBytes
{
    QByteArray bytes = QByteArray(600, '\0');

    static int valueAt(int record, int i) { return 100 * (record - 1) + 2 * i; }
    static int numberAt(int record) { return 100 * (record - 1) + 80; }
    static int lengthAt(int record) { return 100 * (record - 1) + 84; }

    void value(int record, int i, qint16 v) { put(valueAt(record, i), static_cast<quint16>(v), 2); }
    void number(int record, qint32 n) { put(numberAt(record), static_cast<quint32>(n), 4); }

    // Record 4's text; the length byte may claim more or less than is there.
    void setCode(const QByteArray &code, int length = -1)
    {
        bytes[lengthAt(4)] = static_cast<char>(length < 0 ? code.size() : length);
        for (int i = 0; i < 15; ++i) {
            const auto c = static_cast<quint8>(i < code.size() ? code[i] : 0);
            bytes[lengthAt(4) + 1 + i] = static_cast<char>(i < code.size() ? c ^ ((i + 1 + 77) % 251) : 0);
        }
    }

    void put(int at, quint32 v, int size)
    {
        for (int b = 0; b < size; ++b)
            bytes[at + b] = static_cast<char>((v >> (8 * b)) & 0xFF);
    }

    // A lesson of the code OPTIM that offers its 24 tasks and lists 15,
    // version 1 of 20261206, every task of level 2, rate 2 for the plan.
    static ConfigBytes usual()
    {
        ConfigBytes f;
        f.setCode("OPTIM");
        f.number(1, 24);
        f.number(2, 15);
        f.number(3, 100);
        f.number(4, 20261206);
        for (int i = 0; i < 24; ++i) {
            f.value(2, i, 2);
            f.value(3, i, static_cast<qint16>(10 + i));
            f.value(4, i, static_cast<qint16>(300 + i));
        }
        for (int i = 0; i < 4; ++i)
            f.value(5, i, 2);
        return f;
    }
};

} // namespace urok::test
