#pragma once
// The rules both kinds of record (clichés, drawings) and the registers share, with no window:
// what a column holds, a list's sorted statement, the grid's searches and the date boxes.
#include "grids.h"
#include "imagefiles.h"

#include <QDateTime>
#include <QStringList>
#include <QVariant>

namespace falq {

// What every window of a kind of record (clichés, drawings) knows of it.
struct RecordKind {
    QString table;               // CLICHES, DESENHOS
    QString numberField;         // CLICHENRO, DESENHONRO
    int numberSize = 0;          // a number's characters: 12, 20
    QString folderField;         // PARGER's image folder: PATHCLICHE, PATHDESENHO
    QString chapter;             // the rights rows' chapter: Cliches, Desenhos
    QStringList sortFields;      // the lists' sort columns, in the order of F1 ... F6
    QList<SearchColumn> columns; // with their grid titles
    QList<SearchColumn> results; // the search's result grid (pickers and listings)
    QString tableTitle;          // the spreadsheet export's: "Tabela de Clichés"
    QString (*imagePath)(const ImageParameters&, const QString& number) = nullptr;
};

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

// A date box: empty is no date (a null value); otherwise a day that exists, written
// dd/mm/yyyy (d/m/yyyy, dd-mm-yyyy, with or without a time) . False for anything else.
bool parseDateBox(const QString& text, QVariant* value);
// The text a date box shows for a value.
QString dateBoxText(const QVariant& value);

} // namespace falq
