#pragma once
// The rules of the cliché editor that need no window: the list's statement for each sort
// column, the number typed on insert, what each box may hold, and the columns of the grids.
#include "recordrules.h"

#include <QStringList>
#include <QVariant>

namespace falq::cliches {

// The sort columns of the list, in the order of the grid's columns and of F1 ... F6.
const QStringList& sortFields();
// The grid's six columns with their titles.
const QList<SearchColumn>& gridColumns();
// The list's statement: "SELECT * FROM CLICHES" and the sort line of the field (the number's
// for any other field).
QString listStatement(const QString& sortField);
// The columns of the hidden grid that the spreadsheet export writes, in its order.
const QStringList& exportColumns();

// A new cliché's number: the first 12 characters of the text as typed (no trimming, no
// change of case).
constexpr int kNumberLength = 12;

} // namespace falq::cliches
