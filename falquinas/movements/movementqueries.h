#pragma once
// The statements of the movement analyses: rankings of drawings or clichés by uses or by
// rotations over a period, the movements of the ranked items (read alongside a ranking), the
// chronological movement lists and the movements of one item. Every value is bound; patterns
// and the period go through the dialect, so the statements read the same rows on every engine.
//
// Rankings sum the movements per number first and join the sums to DESENHOS or CLICHES by key
// afterwards (far cheaper than grouping the joined rows). The joins are inner joins: a number
// missing from its table is not ranked. Equal totals are ordered by number.
#include "dialect.h"
#include "statement.h"

#include <QDate>
#include <QString>

#include <functional>

class QSqlDatabase;
class QSqlQuery;

namespace falq::movements {

enum class ItemKind { Drawing, Cliche };
enum class Measure { Uses, Rotations };
// Where the sums of movements are read: the monthly sums (MOVIMENTOS_MES) with the days outside
// whole months, or every movement grouped (the reference the monthly sums answer as).
enum class SumsFrom { MonthlySums, Movements };

// The period (both days included, whatever the time of a movement) and the LIKE patterns on
// the item's client and supplier short names ("%" for every item, NULL short names too).
struct MovementFilter {
    QDate from;
    QDate to;
    QString clientPattern = QStringLiteral("%");
    QString supplierPattern = QStringLiteral("%");
};

// Column names of the rows the statements return.
QString numberColumn(ItemKind kind);    // DESENHONRO or CLICHENRO
QString supplierColumn(ItemKind kind);  // SIGLAFORN (drawings) or FORNSIGLA (clichés)
QString measureColumn(Measure measure); // UTIL_NRO or ROTACOES

// Ranking: number, total (measureColumn), REFERENCIA, SIGLACLI, supplier; largest total first.
// The whole months of the period are summed from MOVIMENTOS_MES, the days before the first and
// after the last whole month from MOVIMENTOS.
Statement rankingStatement(const SqlDialect& dialect, ItemKind kind, Measure measure,
                           const MovementFilter& filter, SumsFrom source = SumsFrom::MonthlySums);

// The sums of the movements of a kind per number over a period: a statement for a FROM
// clause whose rows are the number (numberColumn) and each sum asked for, named as asked.
// Without a period (invalid dates) every movement is summed, those without a date too.
// `numbers`, when given, adds conditions on the number column it is passed (" AND ..."),
// binding into `s`. From the monthly sums (MOVIMENTOS_MES), whole months are read there and
// the other days from MOVIMENTOS; from the movements, every movement is grouped (the
// reference the monthly sums answer as).
enum class Sum { Uses, Rotations, Count, First, Last };
struct NamedSum {
    Sum sum;
    QString name;
};
QString summedPerNumber(const SqlDialect& dialect, ItemKind kind, const QDate& from,
                        const QDate& to, const QList<NamedSum>& sums, Statement& s,
                        SumsFrom source = SumsFrom::MonthlySums,
                        const std::function<QString(const QString&)>& numbers = {});

// A period split for the monthly sums: its whole months (first and last as year * 100 +
// month; none when first > last) and the days outside them, each [from, to) ("to" excluded).
struct PeriodMonths {
    int firstMonth = 0;
    int lastMonth = -1;
    QList<QPair<QDate, QDate>> days;
};
PeriodMonths periodMonths(const QDate& from, const QDate& to);

// Every movement in the period of the items a ranking with the same filter lists: number,
// NROUTIL, ROTACOES, ENCOMENDA, DATA; by number, then newest first.
Statement rankedMovementsStatement(const SqlDialect& dialect, ItemKind kind,
                                   const MovementFilter& filter);

// Each movement of the kind in the period whose item matches the patterns: number, NROUTIL,
// REFERENCIA, SIGLACLI, supplier, ROTACOES, ENCOMENDA, DATA; newest first.
Statement movementListStatement(const SqlDialect& dialect, ItemKind kind,
                                const MovementFilter& filter);

// The movements of one item in the period (every column of MOVIMENTOS), newest first. An empty
// number has none: check before running.
Statement itemMovementsStatement(const SqlDialect& dialect, ItemKind kind, const QString& number,
                                 const QDate& from, const QDate& to);

// Prepares and runs a statement forward-only on `db`; false with the engine's message.
bool runForward(QSqlQuery& query, const Statement& statement, QString* error = nullptr);

} // namespace falq::movements
