#pragma once
// The rules of the usage register and of the purchases and repairs register that need no
// window: what each entry box may hold, the grids' columns, and the statements of the usage
// summaries and of a drawing's or cliché's movements over a period.
#include "grids.h"
#include "movementqueries.h"

#include <QDate>
#include <QString>
#include <QVariant>

namespace falq {
class SqlDialect;
}

namespace falq::registers {

// The kind of a movement or purchase row (TIPOREG) and the column of its number.
using ObjectKind = movements::ItemKind;
QString kindCode(ObjectKind kind); // "DS", "CL"
// The number column of the other kind (a row of one kind holds '' there).
QString otherNumberColumn(ObjectKind kind);

// A drawing or cliché as the registers need it.
struct ObjectRow {
    QString number;        // as the key holds it
    QString clientShort;   // SIGLACLI
    qint64 supplier = 0;   // FORNECEDOR
    QString supplierShort; // SIGLAFORN (drawings), FORNSIGLA (clichés)
};
// Looks the number up by key in DESENHOS or CLICHES (main database). False when it is not
// there; then `error` is set only when the table could not be read.
bool findObject(ObjectKind kind, const QString& number, ObjectRow* row, QString* error);
// A cliché number as typed: its first 12 characters.
QString clicheNumber(const QString& typed);

// A count box (uses, rotations, requisition and invoice numbers): a whole number from 1 to
// what the column of `table` holds. Empty, 0, a fraction or anything else is refused.
bool parseCount(const QString& table, const QString& column, const QString& text, qint64* value);
// What a count box refused by parseCount says: nothing for an empty box or a 0 (a beep
// alone), "Valor Inválido ..." for anything else.
QString countRefusal(const QString& text);
// "Valor": a number as the plant writes it (parseDecimal: a decimal comma, points between
// thousands, so "1.500" is fifteen hundred). Only the exact text "0" and the empty text are
// refused as values; "0,00" is a value. Anything not such a number is refused.
bool parseAmount(const QString& text, double* value);
// A date box (masked "dd/mm/yyyy"): a day that exists. An empty box (only the mask's
// separators and blanks) is no date: `value` becomes null and `empty` says so.
bool parseDay(const QString& text, QVariant* value, bool* empty);
QString dayText(const QVariant& value);
QString dayText(const QDate& day);
// The mask of the date boxes.
inline const QString kDayMask = QStringLiteral("00/00/0000;_");

// The default period of the usage summaries: 1 January of the working date's year .. the
// working date, every client and supplier.
movements::MovementFilter defaultPeriod(const QDate& workingDate);
// An emptied pattern means every row.
QString patternOrAll(const QString& typed);

// The grids' columns.
const QList<SearchColumn>& movementColumns(); // the movements of page 1
const QList<SearchColumn>& repairColumns();   // the purchases and repairs
const QList<SearchColumn>& detailColumns();   // a summary row's movements
// A summary's columns: number, sum, reference, client, supplier.
QList<SearchColumn> summaryColumns(ObjectKind kind, bool rotations);

} // namespace falq::registers
