#pragma once
// The statements of the statistics dashboard: costs of purchases and repairs (REPARACOES) by
// year, month, client, supplier, cliché and drawing, and the uses of clichés and drawings
// (MOVIMENTOS). Each function builds one statement as text for the engine at hand, with its
// values bound by name; the dashboard only reads.
//
// Measures: VALOR = SUM(VALOR), UNIDADES = COUNT(*) (rows), MEDIA = SUM(VALOR) / COUNT(*),
// ROTACOES = SUM(ROTACOES). A value order breaks its ties by the group's key. Years and months
// are integers; a year or month asked for is the same period as an inclusive day range, so
// the index on the date serves. A key that is NULL (a group without a client's short name)
// selects the rows whose column is NULL.
#include "dialect.h"
#include "movementqueries.h"
#include "statement.h"

#include <QDate>
#include <QMap>
#include <QString>
#include <QVariant>

namespace falq::dashboard {

// "Compras" / "Reparações" / "Ambos".
enum class TypeFilter { Both, Purchases, Repairs };
// "Clichés" / "Desenhos" / "Ambos".
enum class KindFilter { Both, Cliches, Drawings };

struct Filters {
    TypeFilter type = TypeFilter::Both;
    KindFilter kind = KindFilter::Both;
};

// Whose costs a page groups: by client short name (SIGLACLI) or by supplier (FORNSIGLA).
enum class Party { Client, Supplier };
// What a page analyses: clichés (rows without a drawing number) or drawings (rows without a
// cliché number); the movements' own kinds.
using Item = movements::ItemKind;

// A year, or a month of it (month 0: the whole year).
struct Period {
    int year = 0;
    int month = 0;
};

// Inclusive days.
struct DayRange {
    QDate from;
    QDate to;
};

QString partyColumn(Party party);     // SIGLACLI / FORNSIGLA
QString itemNumberColumn(Item item);  // CLICHENRO / DESENHONRO (the movements' numberColumn)
QString otherNumberColumn(Item item); // DESENHONRO / CLICHENRO (empty on the item's rows)

// "Totais Gerais": every purchase or repair with a requisition number (ENCNRO <> 0), by year
// (ANO, VALOR), by month (ANO, MES, VALOR), and the averages by year and by month (ANO, [MES,]
// VALOR, MEDIA, UNIDADES); newest first.
Statement yearlyTotals(const SqlDialect& d, const Filters& f);
Statement monthlyTotals(const SqlDialect& d, const Filters& f);
Statement yearlyAverages(const SqlDialect& d, const Filters& f);
Statement monthlyAverages(const SqlDialect& d, const Filters& f);

// The detail of a year or month of "Totais Gerais": its costs by client or supplier (the
// party's column, VALOR, UNIDADES, MEDIA; largest first) and its requisitions (newest first).
Statement periodByParty(const SqlDialect& d, Party party, const Period& period, const Filters& f);
Statement periodRequisitions(const SqlDialect& d, const Period& period, const Filters& f);

// "Custos por Cliente" / "Custos por Fornecedor": costs of the days by party, largest first,
// and their total (TOTAL).
Statement partyCosts(const SqlDialect& d, Party party, const DayRange& days, const Filters& f);
Statement partyCostsTotal(const SqlDialect& d, Party party, const DayRange& days, const Filters& f);
// One party's costs by year and by month, whatever the days (ANO, [MES,] VALOR, UNIDADES,
// MEDIA; newest first).
Statement partyYears(const SqlDialect& d, Party party, const QVariant& key, const Filters& f);
Statement partyMonths(const SqlDialect& d, Party party, const QVariant& key, const Filters& f);
// One party's requisitions of the days (newest first), and its costs of the days by the other
// party (a client's suppliers, a supplier's clients; largest first).
Statement partyRequisitions(const SqlDialect& d, Party party, const QVariant& key,
                            const DayRange& days, const Filters& f);
Statement partyCounterparts(const SqlDialect& d, Party party, const QVariant& key,
                            const DayRange& days, const Filters& f);

// "Analise de Clichés" / "Analise de Desenhos": costs of the days by number (number order)
// and their total, over the same rows.
Statement itemCosts(const SqlDialect& d, Item item, const DayRange& days, TypeFilter type);
Statement itemCostsTotal(const SqlDialect& d, Item item, const DayRange& days, TypeFilter type);
// Rotations of the days by number with the record's client (number order): the movements
// summed by number first, then joined to CLICHES / DESENHOS.
Statement itemUsage(const SqlDialect& d, Item item, const DayRange& days,
                    movements::SumsFrom source = movements::SumsFrom::MonthlySums);
// One number's costs by year (whatever the days) and by month (of the days), its requisitions
// of the days, and its movements of the days (newest first).
Statement itemYears(const SqlDialect& d, Item item, const QString& number, TypeFilter type);
Statement itemMonths(const SqlDialect& d, Item item, const QString& number, const DayRange& days,
                     TypeFilter type);
Statement itemRequisitions(const SqlDialect& d, Item item, const QString& number,
                           const DayRange& days, TypeFilter type);
Statement itemRotations(const SqlDialect& d, Item item, const QString& number,
                        const DayRange& days);

} // namespace falq::dashboard
