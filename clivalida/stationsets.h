#pragma once
// What the validation station reads: the valid clichés and drawings (UTILIZA "S") with the
// names of their codes. The names come by outer joins, so a valid record whose model, machine,
// board or designer is missing from its code table is still found (the name blank). Every
// check and every "Localizar" runs its statement when it is asked for, so a record validated
// or added by another workstation meanwhile is found.
#include "grids.h"

#include <QString>

class QObject;

namespace falq {

class Dataset;

namespace station {

inline const QString kClicheNumber = QStringLiteral("CLICHENRO");
inline const QString kDrawingNumber = QStringLiteral("DESENHONRO");
inline const QString kClicheParam = QStringLiteral(":WClicheNro");
inline const QString kDrawingParam = QStringLiteral(":WDesenhoNro");
inline constexpr int kClicheNumberSize = 12;

// The valid clichés in number order; with `oneNumber`, only the one whose number equals the
// text bound to :WClicheNro (without regard to case, as the key compares).
QString clicheStatement(bool oneNumber);
// The same for drawings and :WDesenhoNro.
QString drawingStatement(bool oneNumber);

// A dataset of the statement on the main connection, read only.
Dataset* createClicheSet(bool oneNumber, QObject* parent);
Dataset* createDrawingSet(bool oneNumber, QObject* parent);

// The columns of the "Localizar" dialogs, and their widths in characters.
QList<SearchColumn> clicheSearchColumns();
QList<int> clicheSearchWidths();
QList<SearchColumn> drawingSearchColumns();
QList<int> drawingSearchWidths();

// The number a typed cliché entry stands for: its first 12 characters.
QString typedClicheNumber(const QString& typed);

} // namespace station
} // namespace falq
