#include "GifWriter.h"

#include <QHash>

#include <algorithm>
#include <cstdint>

namespace gif {

namespace {

constexpr int MaxCodes = 4096; // LZW codes are at most 12 bits wide

// Packs codes of varying width into bytes, least significant bit first.
class BitPacker
{
public:
    explicit BitPacker(QByteArray &out) : out_(out) {}

    void put(int code, int width)
    {
        buffer_ |= std::uint32_t(code) << bits_;
        bits_ += width;
        while (bits_ >= 8) {
            out_.append(char(buffer_ & 0xFF));
            buffer_ >>= 8;
            bits_ -= 8;
        }
    }

    void flush()
    {
        if (bits_ > 0)
            out_.append(char(buffer_ & 0xFF));
        buffer_ = 0;
        bits_ = 0;
    }

private:
    QByteArray &out_;
    std::uint32_t buffer_ = 0;
    int bits_ = 0;
};

void putWord(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

} // namespace

QList<QRgb> distinctColours(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> colours;
    QHash<QRgb, int> seen;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            if (seen.contains(c))
                continue;
            seen.insert(c, int(colours.size()));
            colours.append(c);
            if (colours.size() > 256)
                return colours;
        }
    }
    return colours;
}

QImage snapToPalette(const QImage &image, const QList<QRgb> &palette)
{
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    if (palette.isEmpty())
        return out;
    QHash<QRgb, QRgb> nearest;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            auto it = nearest.constFind(c);
            if (it == nearest.constEnd()) {
                QRgb best = palette.first();
                long bestDistance = -1;
                for (QRgb p : palette) {
                    const long dr = qRed(c) - qRed(p);
                    const long dg = qGreen(c) - qGreen(p);
                    const long db = qBlue(c) - qBlue(p);
                    const long d = dr * dr + dg * dg + db * db;
                    if (bestDistance < 0 || d < bestDistance) {
                        bestDistance = d;
                        best = p | 0xFF000000u;
                    }
                }
                it = nearest.insert(c, best);
            }
            line[x] = *it;
        }
    }
    return out;
}

QByteArray lzwCompress(const QByteArray &indices, int minCodeSize)
{
    QByteArray out;
    if (indices.isEmpty())
        return out;
    BitPacker packer(out);

    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    int codeSize = minCodeSize + 1;
    int nextCode = endCode + 1;
    // (prefix code << 8 | next index) -> code of the longer string
    QHash<std::uint32_t, int> table;
    table.reserve(MaxCodes);

    packer.put(clearCode, codeSize);
    int current = std::uint8_t(indices[0]);
    for (qsizetype i = 1; i < indices.size(); ++i) {
        const int k = std::uint8_t(indices[i]);
        const std::uint32_t key = (std::uint32_t(current) << 8) | std::uint32_t(k);
        const auto found = table.constFind(key);
        if (found != table.constEnd()) {
            current = *found;
            continue;
        }
        packer.put(current, codeSize);
        table.insert(key, nextCode++);
        // The decoder adds its entry one code later than we do, so it widens
        // its codes when its own next code reaches 2^codeSize, which is when
        // ours has passed it.
        if (nextCode > (1 << codeSize) && codeSize < 12)
            ++codeSize;
        if (nextCode == MaxCodes) {
            // Full table: start again rather than let the decoder reach code 4096.
            packer.put(clearCode, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            nextCode = endCode + 1;
        }
        current = k;
    }
    packer.put(current, codeSize);
    // Reading that last code, the decoder adds one more entry (unless it was
    // the first code after a clear, when nextCode is still small) and may widen.
    if (nextCode >= (1 << codeSize) && codeSize < 12)
        ++codeSize;
    packer.put(endCode, codeSize);
    packer.flush();
    return out;
}

QByteArray encode(const QImage &image, QString *error)
{
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return QByteArray();
    };
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        return fail(QStringLiteral("the image is empty"));
    if (image.width() > 0xFFFF || image.height() > 0xFFFF)
        return fail(QStringLiteral("the image is larger than 65535 pixels"));

    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QList<QRgb> colours = distinctColours(rgb);
    if (colours.size() > 256)
        return fail(QStringLiteral("the image has more than 256 colours"));

    // The colour table holds 2^(n+1) entries; the codes start at least 2 bits wide.
    int tableBits = 1;
    while ((1 << tableBits) < colours.size())
        ++tableBits;
    const int minCodeSize = std::max(2, tableBits);

    QHash<QRgb, int> indexOf;
    for (int i = 0; i < colours.size(); ++i)
        indexOf.insert(colours[i], i);
    QByteArray indices;
    indices.reserve(qsizetype(rgb.width()) * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            indices.append(char(indexOf.value(line[x] | 0xFF000000u)));
    }

    QByteArray out;
    out.append("GIF89a", 6);
    // Logical screen: size, global table present, 8-bit colour resolution.
    putWord(out, rgb.width());
    putWord(out, rgb.height());
    out.append(char(0x80 | 0x70 | (tableBits - 1)));
    out.append(char(0)); // background colour index
    out.append(char(0)); // pixel proportions not given: square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb c = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    // The one image: whole screen, no local table, not interlaced.
    out.append(char(0x2C));
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, rgb.width());
    putWord(out, rgb.height());
    out.append(char(0));
    out.append(char(minCodeSize));
    const QByteArray data = lzwCompress(indices, minCodeSize);
    for (qsizetype pos = 0; pos < data.size(); pos += 255) {
        const qsizetype n = std::min<qsizetype>(255, data.size() - pos);
        out.append(char(n));
        out.append(data.constData() + pos, n);
    }
    out.append(char(0));    // end of the image data
    out.append(char(0x3B)); // trailer
    return out;
}

} // namespace gif
