#pragma once
// The printed reports of the cliché listing: TCORTFPR012A "Listagem de Clichés", one line
// per cliché (with its photo under it when asked), and TCORTFPR012B "Ficha de Especificações
// Gráficas", one page per cliché with its fields boxed, its six colours and, when asked, its
// photo. Both run over the rows of the listing's search and take its criteria and the photo
// choice as plain values, so they render without a window (to the preview, to PDF, to plain
// text).
#include "clichesearch.h"
#include "imagefiles.h"
#include "reportform.h"

#include <QHash>
#include <QSqlDatabase>

namespace falq::cliches {

struct ClicheReportOptions {
    SearchCriteria criteria;        // the bounds print as the boxes show them
    bool photos = false;            // "Impr.Fotografia?"
    ImageParameters images;         // where the photos are
    QHash<qint64, QString> colours; // colour code -> "DESIGNACAO NUMERO" (sheets)
};

// The colour boxes' texts of every colour in CORES; false with the reason when unread.
bool readColourTexts(const QSqlDatabase& db, QHash<qint64, QString>* texts, QString* error);

reports::Form clicheListForm(const ClicheReportOptions& options);  // TCORTFPR012A
reports::Form clicheSheetForm(const ClicheReportOptions& options); // TCORTFPR012B

// Photo lines of each report (the list's detail band grows by these when photos are asked).
inline constexpr int kListPhotoLines = 15;
inline constexpr int kSheetPhotoLines = 26;

} // namespace falq::cliches
