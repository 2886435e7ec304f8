#include "reportpictures.h"

#include <QImageReader>

namespace falq::movements {

namespace {

constexpr int kPictureHeight = 240; // pixels: about 300 dpi over the picture's height

QImage emptyArea() {
    QImage blank(4, 3, QImage::Format_RGB32);
    blank.fill(Qt::white);
    return blank;
}

} // namespace

QImage itemPicture(const ImageParameters& images, bool drawing, const QString& number) {
    if (number.isEmpty())
        return emptyArea();
    const QString path =
        drawing ? drawingImagePath(images, number) : clicheImagePath(images, number);
    if (path.isEmpty())
        return emptyArea();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && size.height() > kPictureHeight)
        reader.setScaledSize(
            size.scaled(QSize(kPictureHeight * 4, kPictureHeight), Qt::KeepAspectRatio));
    const QImage image = reader.read();
    return image.isNull() ? emptyArea() : image;
}

} // namespace falq::movements
