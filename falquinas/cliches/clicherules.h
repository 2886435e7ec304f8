#pragma once
// The rules of the cliché editor that need no window: the list's statement for each sort
// column, the number typed on insert, what each box may hold, and the columns of the grids.
#include "recordrules.h"

#include <QStringList>
#include <QVariant>

namespace falq::cliches {

// The kind: its table, number, image folder, rights chapter, sort columns and export title.
// A new number is the first 12 characters as typed (no trimming, no change of case).
const RecordKind& kind();

// The sort columns of the list, in the order of the grid's columns and of F1 ... F6.
const QStringList& sortFields();
// The grid's six columns with their titles.
const QList<SearchColumn>& gridColumns();
// The list's statement: "SELECT * FROM CLICHES" and the sort line of the field (the number's
// for any other field).
QString listStatement(const QString& sortField);
// The columns of the hidden grid that the spreadsheet export writes, in its order.
const QStringList& exportColumns();

} // namespace falq::cliches
