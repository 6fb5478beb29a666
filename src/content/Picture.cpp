#include "content/Picture.h"

#include <QImageReader>

namespace urok {

Picture::Picture(QString source, QSize imageSize)
    : source_(std::move(source))
    , imageSize_(imageSize)
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
        QImageReader reader(source_);
        *decoded_ = reader.read();
    }
    return *decoded_;
}

} // namespace urok
