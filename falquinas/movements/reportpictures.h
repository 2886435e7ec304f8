#pragma once
// The pictures printed under the lines of the movement reports and purchases lists: an item's
// image file (the image-path rule), read at a size fit for the page, or an empty white area
// when the file is missing or unreadable.
#include "imagefiles.h"

#include <QImage>

namespace falq::movements {

// How many lines of the page grid a picture takes.
constexpr int kPictureLines = 8;

// `drawing` chooses the drawing folder, otherwise the cliché folder.
QImage itemPicture(const ImageParameters& images, bool drawing, const QString& number);

} // namespace falq::movements
