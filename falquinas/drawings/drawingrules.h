#pragma once
// The rules of the drawing editor that need no window: the list's statement for each sort
// column, the number typed on insert, what each box may hold, the words shown for the
// channel direction and the view, and the columns of the grids.
#include "recordrules.h"

#include <QStringList>
#include <QVariant>

namespace falq::drawings {

// The kind: its table, number, image folder, rights chapter, sort columns and export title.
// A new number is the first 20 characters as typed (no trimming, no change of case).
const RecordKind& kind();

// The sort columns of the list, in the order of the grid's columns and of F1 ... F6.
const QStringList& sortFields();
// The grid's six columns with their titles.
const QList<SearchColumn>& gridColumns();
// The list's statement: "SELECT * FROM DESENHOS" and the sort line of the field (the
// number's for any other field).
QString listStatement(const QString& sortField);
// The columns of the hidden grid that the spreadsheet export writes, in its order.
const QStringList& exportColumns();

// A quantity box: empty is 0; otherwise a number from 0, written as every amount is
// (parseDecimal: a decimal comma, points between thousands).
bool parseQuantity(const QString& text, double* value);

// The editor's words for a stored value: "Vertical" only for "V", "Horizontal" for anything
// else; "Exterior" only for "E", "Interior" for anything else.
QString directionWord(const QString& value);
QString viewWord(const QString& value);
// The typed direction or view in upper case, when it is one of the two letters; empty
// otherwise.
QString direction(const QString& typed);
QString view(const QString& typed);

} // namespace falq::drawings
