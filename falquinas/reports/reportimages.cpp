#include "reportimages.h"

#include "reportengine.h"

#include <QFileInfo>
#include <QImageReader>

namespace falq::reports {

QSizeF pictureArea(const Form& form, int lines) {
    const PageGrid grid = pageGrid(form.orientation);
    const QRectF page = pageLayout(form.orientation).paintRect(QPageLayout::Millimeter);
    constexpr int kIndent = 2; // as the engine indents the lines under a detail line
    return {page.width() * (grid.chars - kIndent) / grid.chars, page.height() * lines / grid.lines};
}

void setPhotos(Form& form, int lines, std::function<QString(const Record&)> pathOf, bool centred) {
    form.pictureLines = lines;
    form.keepPictureArea = true;
    form.pictureCentred = centred;
    const QSizeF area = pictureArea(form, lines);
    form.picture = [pathOf = std::move(pathOf), area](const Record& r) {
        return readPrintImage(pathOf(r), area);
    };
}

QImage readPrintImage(const QString& path, const QSizeF& areaMm, int dpi) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(1024);
    QSize size = reader.size();
    const QSize target(qMax(1, qRound(areaMm.width() / 25.4 * dpi)),
                       qMax(1, qRound(areaMm.height() / 25.4 * dpi)));
    if (size.isValid() && (size.width() > target.width() || size.height() > target.height())) {
        // JPEG readers decode straight at a smaller size: the full picture is never held.
        size.scale(target, Qt::KeepAspectRatio);
        reader.setScaledSize(size.expandedTo(QSize(1, 1)));
    }
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.width() > target.width() || image.height() > target.height())
        image = image.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (image.hasAlphaChannel())
        image = image.convertToFormat(QImage::Format_RGB32); // no transparency on paper
    return image;
}

} // namespace falq::reports
