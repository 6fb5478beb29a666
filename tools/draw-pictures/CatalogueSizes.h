#pragma once

#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>

// Keeps the sizes recorded in the lesson's manifest in step with the pictures.
// A picture line looks like
//     picture Grafika_G(1) < pictures/grafika-g-01.jpg 420x300
// and only its final "WIDTHxHEIGHT" field is ever rewritten; every other
// character of the manifest stays as it was.
namespace catalogue {

struct SizeUpdate
{
    QString text;          // the manifest with the new sizes
    QStringList changed;   // "path: OLD -> NEW" for every line that changed
    QStringList unlisted;  // paths of the map that no picture line names
};

// `sizes` maps a path as the manifest writes it ("pictures/grafika-g-01.jpg")
// to the real size of the image.
SizeUpdate updatePictureSizes(const QString &manifest, const QMap<QString, QSize> &sizes);

} // namespace catalogue
