#include "content/Picture.h"

#include <QFileInfo>
#include <QImageReader>

namespace urok {

Picture::Picture(QString source, QSize imageSize, QString description)
    : source_(std::move(source))
    , imageSize_(imageSize)
    , description_(std::move(description))
{
}

QSize Picture::holderSize() const
{
    if (isEmpty())
        return {0, 0};
    return imageSize_ + QSize(2 * Margin, 2 * Margin);
}

QImage Picture::image() const
{
    if (!isEmpty() && decoded_->isNull()) {
        // The format its name gives: guessing it from the contents would
        // load every image plugin to ask each one.
        QImageReader reader(source_, QFileInfo(source_).suffix().toLatin1());
        reader.setAutoDetectImageFormat(false);
        *decoded_ = reader.read();
    }
    return *decoded_;
}

} // namespace urok
