#pragma once
// Photos on printed reports: read by their content (a ".BMP" name may hold a JPEG) and scaled
// down to the size they print at before they reach the page, so a report of large photos
// costs little memory and a small PDF. A file that is missing or cannot be read gives no
// image (the area stays blank).
#include "reportform.h"

#include <QImage>
#include <QSizeF>

namespace falq::reports {

// Print resolution of report photos, in dots per inch.
inline constexpr int kPhotoDpi = 150;

// The size in millimetres of a picture `lines` high on the form's page, as wide as the page
// less the indent of the lines under a detail line.
QSizeF pictureArea(const Form& form, int lines);

// Puts each row's photo under its lines, `lines` high and centred when asked: the file that
// `pathOf` names, read at the size it prints. A missing file leaves the area blank.
void setPhotos(Form& form, int lines, std::function<QString(const Record&)> pathOf,
               bool centred = false);

// The photo at `path` fitted (proportions kept) to `areaMm` at `dpi`; never scaled up.
QImage readPrintImage(const QString& path, const QSizeF& areaMm, int dpi = kPhotoDpi);

} // namespace falq::reports
