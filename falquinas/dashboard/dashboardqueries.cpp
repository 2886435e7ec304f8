#include "dashboardqueries.h"

namespace falq::dashboard {

namespace {

const QString kFrom = QStringLiteral(":DataDe");
const QString kTo = QStringLiteral(":DataAte");
const QString kKey = QStringLiteral(":Chave");
const QString kNumber = QStringLiteral(":Numero");

QString typeLine(TypeFilter type) {
    switch (type) {
    case TypeFilter::Purchases:
        return QStringLiteral(" AND TIPO = 'C'");
    case TypeFilter::Repairs:
        return QStringLiteral(" AND TIPO = 'R'");
    case TypeFilter::Both:
        break;
    }
    return {};
}

QString kindLine(KindFilter kind) {
    switch (kind) {
    case KindFilter::Cliches:
        return QStringLiteral(" AND TIPOREG = 'CL'");
    case KindFilter::Drawings:
        return QStringLiteral(" AND TIPOREG = 'DS'");
    case KindFilter::Both:
        break;
    }
    return {};
}

// The type line, then the kind line.
QString filterLines(const Filters& f) {
    return typeLine(f.type) + kindLine(f.kind);
}

QString measures() {
    return QStringLiteral("SUM(VALOR) AS VALOR, COUNT(*) AS UNIDADES, "
                          "SUM(VALOR) / COUNT(*) AS MEDIA");
}

// The days as a range on `column`, bound in `s`.
QString days(const SqlDialect& d, Statement& s, const QString& column, const DayRange& range) {
    s.bind(kFrom, d.dayStart(range.from));
    s.bind(kTo, d.dayAfter(range.to));
    return d.dayRange(column, kFrom, kTo);
}

DayRange periodDays(const Period& p) {
    if (p.month == 0)
        return {QDate(p.year, 1, 1), QDate(p.year, 12, 31)};
    const QDate first(p.year, p.month, 1);
    return {first, first.addMonths(1).addDays(-1)};
}

// column = key, or column IS NULL for a NULL key (each index serves either).
QString keyIs(Statement& s, const QString& column, const QVariant& key) {
    if (key.isNull())
        return column + QStringLiteral(" IS NULL");
    s.bind(kKey, key);
    return column + QStringLiteral(" = ") + kKey;
}

// A year's or month's statement: by year or by month, measures given.
Statement totals(const SqlDialect& d, const Filters& f, bool monthly, const QString& what) {
    const QString year = d.year(QStringLiteral("DATENC"));
    const QString month = d.month(QStringLiteral("DATENC"));
    Statement s;
    s.sql = QStringLiteral("SELECT %1 AS ANO, ").arg(year) +
            (monthly ? QStringLiteral("%1 AS MES, ").arg(month) : QString()) + what +
            QStringLiteral(" FROM REPARACOES WHERE ENCNRO <> 0") + filterLines(f) +
            QStringLiteral(" GROUP BY ") + year +
            (monthly ? QStringLiteral(", ") + month : QString()) +
            (monthly ? QStringLiteral(" ORDER BY ANO DESC, MES DESC")
                     : QStringLiteral(" ORDER BY ANO DESC"));
    return s;
}

// Costs grouped by `column` under `where`, largest first (ties by the column).
Statement grouped(const QString& column, Statement s, const QString& where) {
    s.sql = QStringLiteral("SELECT %1, %2 FROM REPARACOES REP WHERE ").arg(column, measures()) +
            where + QStringLiteral(" GROUP BY %1 ORDER BY VALOR DESC, %1").arg(column);
    return s;
}

Statement requisitions(Statement s, const QString& where) {
    s.sql = QStringLiteral("SELECT * FROM REPARACOES WHERE ") + where +
            QStringLiteral(" ORDER BY DATENC DESC, NRO DESC");
    return s;
}

// One key's costs by year or by month, newest first; `where` selects the rows.
Statement evolution(const SqlDialect& d, const QString& column, Statement s, const QString& where,
                    bool monthly) {
    const QString year = d.year(QStringLiteral("DATENC"));
    const QString month = d.month(QStringLiteral("DATENC"));
    s.sql = QStringLiteral("SELECT %1, %2 AS ANO, ").arg(column, year) +
            (monthly ? QStringLiteral("%1 AS MES, ").arg(month) : QString()) + measures() +
            QStringLiteral(" FROM REPARACOES REP WHERE ") + where +
            QStringLiteral(" GROUP BY %1, %2").arg(column, year) +
            (monthly ? QStringLiteral(", ") + month : QString()) +
            (monthly ? QStringLiteral(" ORDER BY ANO DESC, MES DESC")
                     : QStringLiteral(" ORDER BY ANO DESC"));
    return s;
}

QString itemRows(Item item) {
    return QStringLiteral("REP.%1 = ''").arg(otherNumberColumn(item));
}

} // namespace

QString partyColumn(Party party) {
    return party == Party::Client ? QStringLiteral("SIGLACLI") : QStringLiteral("FORNSIGLA");
}

QString itemNumberColumn(Item item) {
    return movements::numberColumn(item);
}

QString otherNumberColumn(Item item) {
    return itemNumberColumn(item == Item::Cliche ? Item::Drawing : Item::Cliche);
}

Statement yearlyTotals(const SqlDialect& d, const Filters& f) {
    return totals(d, f, false, QStringLiteral("SUM(VALOR) AS VALOR"));
}

Statement monthlyTotals(const SqlDialect& d, const Filters& f) {
    return totals(d, f, true, QStringLiteral("SUM(VALOR) AS VALOR"));
}

Statement yearlyAverages(const SqlDialect& d, const Filters& f) {
    return totals(d, f, false, measures());
}

Statement monthlyAverages(const SqlDialect& d, const Filters& f) {
    return totals(d, f, true, measures());
}

Statement periodByParty(const SqlDialect& d, Party party, const Period& period, const Filters& f) {
    Statement s;
    const QString where = days(d, s, QStringLiteral("DATENC"), periodDays(period));
    return grouped(partyColumn(party), s, where + filterLines(f));
}

Statement periodRequisitions(const SqlDialect& d, const Period& period, const Filters& f) {
    Statement s;
    const QString where = days(d, s, QStringLiteral("DATENC"), periodDays(period));
    return requisitions(s, where + filterLines(f));
}

Statement partyCosts(const SqlDialect& d, Party party, const DayRange& range, const Filters& f) {
    Statement s;
    const QString where = days(d, s, QStringLiteral("DATENC"), range);
    return grouped(partyColumn(party), s, where + filterLines(f));
}

Statement partyCostsTotal(const SqlDialect& d, Party, const DayRange& range, const Filters& f) {
    Statement s;
    const QString where = days(d, s, QStringLiteral("DATENC"), range);
    s.sql = QStringLiteral("SELECT SUM(REP.VALOR) AS TOTAL FROM REPARACOES REP WHERE ") + where +
            filterLines(f);
    return s;
}

Statement partyYears(const SqlDialect& d, Party party, const QVariant& key, const Filters& f) {
    Statement s;
    const QString column = partyColumn(party);
    const QString where = keyIs(s, column, key);
    return evolution(d, column, s, where + filterLines(f), false);
}

Statement partyMonths(const SqlDialect& d, Party party, const QVariant& key, const Filters& f) {
    Statement s;
    const QString column = partyColumn(party);
    const QString where = keyIs(s, column, key);
    return evolution(d, column, s, where + filterLines(f), true);
}

Statement partyRequisitions(const SqlDialect& d, Party party, const QVariant& key,
                            const DayRange& range, const Filters& f) {
    Statement s;
    const QString where = days(d, s, QStringLiteral("DATENC"), range) + QStringLiteral(" AND ") +
                          keyIs(s, partyColumn(party), key);
    return requisitions(s, where + filterLines(f));
}

Statement partyCounterparts(const SqlDialect& d, Party party, const QVariant& key,
                            const DayRange& range, const Filters& f) {
    Statement s;
    const QString where = keyIs(s, partyColumn(party), key) + QStringLiteral(" AND ") +
                          days(d, s, QStringLiteral("DATENC"), range);
    const Party other = party == Party::Client ? Party::Supplier : Party::Client;
    return grouped(partyColumn(other), s, where + filterLines(f));
}

Statement itemCosts(const SqlDialect& d, Item item, const DayRange& range, TypeFilter type) {
    Statement s;
    const QString column = itemNumberColumn(item);
    const QString where = itemRows(item) + QStringLiteral(" AND ") +
                          days(d, s, QStringLiteral("DATENC"), range) + typeLine(type);
    s.sql = QStringLiteral("SELECT %1, %2 FROM REPARACOES REP WHERE ").arg(column, measures()) +
            where + QStringLiteral(" GROUP BY %1 ORDER BY %1").arg(column);
    return s;
}

Statement itemCostsTotal(const SqlDialect& d, Item item, const DayRange& range, TypeFilter type) {
    Statement s;
    const QString where = itemRows(item) + QStringLiteral(" AND ") +
                          days(d, s, QStringLiteral("DATENC"), range) + typeLine(type);
    s.sql = QStringLiteral("SELECT SUM(REP.VALOR) AS TOTAL FROM REPARACOES REP WHERE ") + where;
    return s;
}

Statement itemUsage(const SqlDialect& d, Item item, const DayRange& range,
                    movements::SumsFrom source) {
    Statement s;
    const QString column = itemNumberColumn(item);
    const QString table =
        item == Item::Cliche ? QStringLiteral("CLICHES") : QStringLiteral("DESENHOS");
    const QString sums = movements::summedPerNumber(
        d, item, range.from, range.to, {{movements::Sum::Rotations, QStringLiteral("ROTACOES")}}, s,
        source);
    s.sql = QStringLiteral("SELECT REG.%1, MOV.ROTACOES, REG.SIGLACLI FROM (%2) MOV "
                           "JOIN %3 REG ON REG.%1 = MOV.%1 ORDER BY REG.%1")
                .arg(column, sums, table);
    return s;
}

Statement itemYears(const SqlDialect& d, Item item, const QString& number, TypeFilter type) {
    Statement s;
    const QString column = itemNumberColumn(item);
    const QString where = keyIs(s, column, number) + typeLine(type);
    return evolution(d, column, s, where, false);
}

Statement itemMonths(const SqlDialect& d, Item item, const QString& number, const DayRange& range,
                     TypeFilter type) {
    Statement s;
    const QString column = itemNumberColumn(item);
    const QString where = keyIs(s, column, number) + QStringLiteral(" AND ") +
                          days(d, s, QStringLiteral("DATENC"), range) + typeLine(type);
    return evolution(d, column, s, where, true);
}

Statement itemRequisitions(const SqlDialect& d, Item item, const QString& number,
                           const DayRange& range, TypeFilter type) {
    Statement s;
    const QString where = keyIs(s, itemNumberColumn(item), number) + QStringLiteral(" AND ") +
                          days(d, s, QStringLiteral("DATENC"), range) + typeLine(type);
    return requisitions(s, where);
}

Statement itemRotations(const SqlDialect& d, Item item, const QString& number,
                        const DayRange& range) {
    Statement s;
    s.bind(kNumber, number);
    const QString period = days(d, s, QStringLiteral("MOV.DATA"), range);
    if (item == Item::Cliche) {
        s.sql = QStringLiteral("SELECT MOV.NRO, MOV.CLICHENRO, MOV.ROTACOES, MOV.ENCOMENDA, "
                               "MOV.DATA, CLI.PRODNRO FROM MOVIMENTOS MOV JOIN CLICHES CLI ON "
                               "CLI.CLICHENRO = MOV.CLICHENRO WHERE MOV.CLICHENRO = ") +
                kNumber + QStringLiteral(" AND ") + period +
                QStringLiteral(" ORDER BY MOV.DATA DESC, MOV.NRO DESC");
    } else {
        s.sql = QStringLiteral("SELECT MOV.NRO, MOV.DESENHONRO, MOV.ROTACOES, MOV.ENCOMENDA, "
                               "MOV.DATA FROM MOVIMENTOS MOV WHERE MOV.DESENHONRO = ") +
                kNumber + QStringLiteral(" AND ") + period +
                QStringLiteral(" ORDER BY MOV.DATA DESC, MOV.NRO DESC");
    }
    return s;
}

} // namespace falq::dashboard
