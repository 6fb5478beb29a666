#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// A GIF writer for flat-colour drawings. Qt reads GIF but cannot write it,
// so the one GIF picture of the lesson is encoded here: a single frame, a
// global colour table made of exactly the colours of the image (at most 256)
// and LZW-compressed pixel data.
namespace gif {

// The colours of an opaque image in the order they first appear (row by row).
// Stops counting after 257 colours: that is already too many for a GIF.
QList<QRgb> distinctColours(const QImage &image);

// Moves every pixel to the nearest colour of the palette (squared RGB
// distance; on a tie the earlier palette entry wins). Anti-aliased drawing
// becomes a picture whose colours all come from the palette.
QImage snapToPalette(const QImage &image, const QList<QRgb> &palette);

// The GIF file of the image, or an empty array with a message in *error when
// the image is empty or has more than 256 colours. Alpha is ignored.
QByteArray encode(const QImage &image, QString *error = nullptr);

// The LZW code stream of a sequence of colour indices, as it stands in the
// file between the "minimum code size" byte and the sub-blocks: the packed
// codes only. Every index must be below 2^minCodeSize; minCodeSize is 2..8.
QByteArray lzwCompress(const QByteArray &indices, int minCodeSize);

} // namespace gif
