#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

namespace urok {

// A picture of the lesson: an image file built into the program, or no
// image at all. Its size is known without decoding it; the image is decoded
// the first time it is shown and then kept.
class Picture
{
public:
    // The thin margin a picture holder keeps around its image, per side.
    static constexpr int Margin = 2;

    Picture() = default; // the empty picture holder: no image
    Picture(QString source, QSize imageSize, QString description = {});

    bool isEmpty() const { return source_.isEmpty(); }
    QString source() const { return source_; }

    // The image's own size, and the size of the holder fitted to it (the
    // image plus the margin on every side). An empty holder has size 0 x 0.
    QSize imageSize() const { return imageSize_; }
    QSize holderSize() const;

    // What the picture shows, in a few words, for a pupil who cannot see it
    // (empty when the lesson gives none).
    QString description() const { return description_; }

    // The decoded image; a null image for an empty holder or an unreadable file.
    QImage image() const;

    // Two holders show the same picture when they hold the same image file
    // (or are both empty).
    bool sameAs(const Picture &other) const { return source_ == other.source_; }

private:
    QString source_;
    QSize imageSize_;
    QString description_;
    std::shared_ptr<QImage> decoded_ = std::make_shared<QImage>();
};

} // namespace urok
