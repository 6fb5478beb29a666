#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace pictures {
struct Picture;
}

// Turns a drawn picture into the bytes of its file.
namespace encoding {

// Every picture file of the lesson stays within these sizes.
constexpr qsizetype MinFileSize = qsizetype(2) * 1024;
constexpr qsizetype MaxFileSize = qsizetype(50) * 1024;

struct Encoded
{
    QByteArray bytes;
    QString problem; // empty when the bytes are good
};

// A JPEG that starts at the preferred quality and moves it in steps of 4
// while the file is larger or smaller than the limits allow.
QByteArray jpeg(const QImage &image, int preferredQuality);

// The picture as a JPEG of that quality shows it, stored as a PNG: the
// pixels the lesson has always shown, in a format Qt reads without a plugin
// (the picture the lesson shows at start-up).
QByteArray pngAsJpegShowsIt(const QImage &image, int quality);

// Whether Qt's GIF reader turns the bytes into exactly the image.
bool gifDecodesTo(const QByteArray &gifBytes, const QImage &image, QString *why);

// The file of a picture in the format its name asks for (".gif", ".png" or JPEG).
// A GIF is read back and compared with the image; any file outside the size
// limits is a problem.
Encoded encode(const pictures::Picture &picture);

} // namespace encoding
