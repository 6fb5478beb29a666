#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The lesson's pictures. Each is drawn from code alone: no randomness, no
// dates, nothing read from outside but the DejaVu fonts.
namespace pictures {

struct Picture
{
    QString fileName;    // e.g. "grafika-g-01.jpg"; the suffix decides the format
    QImage image;
    int jpegQuality = 90; // where to start; the writer may adjust it to keep the file size
};

// Every picture, in the order of their file names.
QList<Picture> drawAll();

} // namespace pictures
