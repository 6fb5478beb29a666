#include "Encoding.h"

#include "GifWriter.h"
#include "Pictures.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>

namespace encoding {

namespace {

QByteArray jpegAt(const QImage &image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(quality);
    writer.setOptimizedWrite(true);
    writer.setProgressiveScanWrite(false);
    if (!writer.write(image))
        return {};
    return bytes;
}

} // namespace

QByteArray jpeg(const QImage &image, int quality)
{
    QByteArray bytes = jpegAt(image, quality);
    while (bytes.size() > MaxFileSize && quality > 40) {
        quality -= 4;
        bytes = jpegAt(image, quality);
    }
    while (!bytes.isEmpty() && bytes.size() < MinFileSize && quality < 100) {
        quality = std::min(100, quality + 4);
        bytes = jpegAt(image, quality);
    }
    return bytes;
}

bool gifDecodesTo(const QByteArray &gifBytes, const QImage &image, QString *why)
{
    QByteArray copy = gifBytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    const QImage decoded = reader.read();
    if (decoded.isNull()) {
        *why = QStringLiteral("Qt cannot read it: ") + reader.errorString();
        return false;
    }
    const QImage a = image.convertToFormat(QImage::Format_RGB32);
    const QImage b = decoded.convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size()) {
        *why = QStringLiteral("Qt reads it with a different size");
        return false;
    }
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) | 0xFF000000u) != (b.pixel(x, y) | 0xFF000000u)) {
                *why = QStringLiteral("Qt reads a different colour at %1,%2").arg(x).arg(y);
                return false;
            }
    return true;
}

QByteArray pngAsJpegShowsIt(const QImage &image, int quality)
{
    const QImage shown = QImage::fromData(jpeg(image, quality), "jpg");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (shown.isNull() || !QImageWriter(&buffer, "png").write(shown))
        return {};
    return bytes;
}

Encoded encode(const pictures::Picture &picture)
{
    Encoded result;
    if (picture.fileName.endsWith(QLatin1String(".gif"))) {
        result.bytes = gif::encode(picture.image, &result.problem);
        QString why;
        if (!result.bytes.isEmpty() && !gifDecodesTo(result.bytes, picture.image, &why))
            result.problem = why;
    } else if (picture.fileName.endsWith(QLatin1String(".png"))) {
        result.bytes = pngAsJpegShowsIt(picture.image, picture.jpegQuality);
        if (result.bytes.isEmpty())
            result.problem = QStringLiteral("the PNG writer failed");
    } else {
        result.bytes = jpeg(picture.image, picture.jpegQuality);
        if (result.bytes.isEmpty())
            result.problem = QStringLiteral("the JPEG writer failed");
    }
    if (result.problem.isEmpty()
        && (result.bytes.size() < MinFileSize || result.bytes.size() > MaxFileSize))
        result.problem = QStringLiteral("%1 bytes, outside 2..50 KB").arg(result.bytes.size());
    return result;
}

} // namespace encoding
