#pragma once
// The rules of the cliché editor that need no window: the list's statement for each sort
// column, the number typed on insert, what each box may hold, and the columns of the grids.
#include "grids.h"

#include <QDateTime>
#include <QStringList>
#include <QVariant>

namespace falq {

// How many characters a text column of `table` holds (0 when it is not a text column).
int columnTextSize(const QString& table, const QString& column);
// The whole numbers a numeric column of `table` holds (codes and counts: from 0).
bool columnNumberRange(const QString& table, const QString& column, qint64* minimum,
                       qint64* maximum);
// A list's statement: "SELECT * FROM <table>" and the sort line of the field (the first of
// `fields` for a field not among them).
QString sortedListStatement(const QString& table, const QStringList& fields,
                            const QString& sortField);
// The searches of a list's grid by its sort fields, in their order, as F1 ... F6 run them and
// its context menu offers them: each field with its item ("Procurar por Cliché", ...).
QList<SearchColumn> gridSearches(const QStringList& sortFields);

} // namespace falq

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
QString typedNumber(const QString& text);

// How many characters a text column of CLICHES holds (0 when it is not a text column).
int textSize(const QString& column);
// The whole numbers a numeric column of CLICHES holds (codes and counts: from 0).
bool numberRange(const QString& column, qint64* minimum, qint64* maximum);

// A date box: empty is no date (a null value); otherwise a day that exists, written
// dd/mm/yyyy (d/m/yyyy, dd-mm-yyyy, with or without a time) . False for anything else.
bool parseDate(const QString& text, QVariant* value);
// The text a date box shows for a value.
QString dateText(const QVariant& value);

} // namespace falq::cliches
