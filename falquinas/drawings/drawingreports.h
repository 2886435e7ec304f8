#pragma once
// The printed reports of the drawing printing window: TCORTFPR022A "Listagem de Desenhos",
// one line per drawing (with its photo under it when asked), and TCORTFPR022B "Ficha
// Tecnica", a block of four rows of boxed values per drawing, its photo under them when
// asked; the block is as high with or without the photo and never split over two pages.
// Both run over the rows of the printing window's search and take its criteria and the
// photo choice as plain values, so they render without a window.
#include "drawingsearch.h"
#include "imagefiles.h"
#include "reportform.h"

namespace falq::drawings {

struct DrawingReportOptions {
    SearchCriteria criteria; // the list's header prints its bounds as the boxes show them
    bool photos = false;     // "Impr.Fotografia?"
    ImageParameters images;  // where the photos are
};

reports::Form drawingListForm(const DrawingReportOptions& options);  // TCORTFPR022A
reports::Form drawingSheetForm(const DrawingReportOptions& options); // TCORTFPR022B

inline constexpr int kListPhotoLines = 15;
inline constexpr int kSheetPhotoLines = 13;

} // namespace falq::drawings
