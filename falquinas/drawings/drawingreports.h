#pragma once
// The printed reports of the drawing printing window: TCORTFPR022A "Listagem de Desenhos",
// one line per drawing (with its photo under it when asked), and TCORTFPR022B "Ficha
// Tecnica", a block of four rows of boxed values per drawing, its photo under them when
// asked; the block is as high with or without the photo and never split over two pages.
// Both run over the rows of the printing window's selection and take the bounds as the
// window's boxes show them and the photo choice as plain values, so they render without a
// window.
#include "imagefiles.h"
#include "reportform.h"

namespace falq::drawings {

// The bounds of the selection printed in the list's header, as their boxes show them.
struct PrintingBounds {
    QString drawingFrom;
    QString drawingTo = QString(20, QLatin1Char('Z'));
    QString dieFrom;
    QString dieTo = QString(15, QLatin1Char('Z'));
    qint64 clientFrom = 0, clientTo = 999999999;
    qint64 supplierFrom = 0, supplierTo = 999999999;
    qint64 salesmanFrom = 0, salesmanTo = 99999;
    qint64 machineFrom = 0, machineTo = 99999;
    qint64 boardFrom = 0, boardTo = 99999;
};

struct DrawingReportOptions {
    PrintingBounds bounds;
    bool photos = false;    // "Impr.Fotografia?"
    ImageParameters images; // where the photos are
};

reports::Form drawingListForm(const DrawingReportOptions& options);  // TCORTFPR022A
reports::Form drawingSheetForm(const DrawingReportOptions& options); // TCORTFPR022B

inline constexpr int kListPhotoLines = 15;
inline constexpr int kSheetPhotoLines = 13;

} // namespace falq::drawings
