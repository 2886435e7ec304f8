#include "toollife.h"

#include "dialect.h"
#include "plantconfig.h"

#include <QMap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtMath>

#include <algorithm>

namespace falq::movements {

namespace {

// Days of the rate's window: the working date and the 364 days before it.
constexpr int kRateDays = 365;

struct KindTable {
    QString table;
    QString otherNumber;
};

KindTable kindTable(ItemKind kind) {
    if (kind == ItemKind::Drawing)
        return {QStringLiteral("DESENHOS"), QStringLiteral("CLICHENRO")};
    return {QStringLiteral("CLICHES"), QStringLiteral("DESENHONRO")};
}

// The conditions on the tool table T itself: patterns, machine, valid only.
void toolConditions(const SqlDialect& dialect, ItemKind kind, const ToolLifeFilter& filter,
                    QStringList& where, Statement& s) {
    if (!SqlDialect::matchesEverything(filter.clientPattern))
        where << dialect.like(QStringLiteral("T.SIGLACLI"), s.bind(filter.clientPattern));
    if (!SqlDialect::matchesEverything(filter.supplierPattern))
        where << dialect.like(QStringLiteral("T.") + supplierColumn(kind),
                              s.bind(filter.supplierPattern));
    if (filter.machine != 0)
        where << QStringLiteral("T.MAQUINA = ") + s.bind(filter.machine);
    if (filter.validOnly)
        where << QStringLiteral("T.UTILIZA = 'S'");
}

} // namespace

ToolLifeLimits readToolLifeLimits() {
    const PlantConfig config = PlantConfig::read();
    ToolLifeLimits limits;
    limits.warningPercent = config.toolWarningPercent;
    limits.dormantMonths = config.toolDormantMonths;
    return limits;
}

Statement toolLifeStatement(const SqlDialect& dialect, ItemKind kind, const ToolLifeFilter& filter,
                            const QDate& workingDate, SumsFrom source) {
    using namespace toollife;
    const KindTable k = kindTable(kind);
    const QString number = numberColumn(kind);
    const bool one = !filter.number.isEmpty();
    const bool ranged = !filter.numberAfter.isEmpty() || !filter.numberUpTo.isEmpty();
    // For one tool or a range of numbers the number's index must find the rows: the other
    // number's condition is written so that no index serves it (SQLite, without statistics,
    // would otherwise walk the index of the other number, whose '' holds most of the table).
    const QString otherEmpty = one || ranged ? dialect.withoutIndex(k.otherNumber) : k.otherNumber;
    Statement s;
    // The number conditions, on the movements, the repairs and the tools alike.
    auto numbers = [&](const QString& column) {
        QString sql;
        if (one)
            sql += QStringLiteral(" AND %1 = %2").arg(column, s.bind(filter.number));
        // A range starts after the empty number too: the other kind's rows hold ''.
        if (ranged)
            sql += QStringLiteral(" AND %1 > %2")
                       .arg(column, s.bind(filter.numberAfter.isEmpty() ? QStringLiteral("")
                                                                        : filter.numberAfter));
        if (!filter.numberUpTo.isEmpty())
            sql += QStringLiteral(" AND %1 <= %2").arg(column, s.bind(filter.numberUpTo));
        return sql;
    };
    std::function<QString(const QString&)> narrowed;
    if (one || ranged)
        narrowed = numbers;
    s.sql = QStringLiteral("SELECT T.%1 AS %2, T.SIGLACLI AS %3, T.REFERENCIA AS %4, "
                           "T.MAQUINA AS %5, T.ROTACOES_PREV AS %6, ")
                .arg(number, kNumber, kClient, kReference, kMachine, kLife);
    s.sql += QStringLiteral("COALESCE(M.%1, 0) AS %1, COALESCE(M.%2, 0) AS %2, M.%3 AS %3, "
                            "M.%4 AS %4, COALESCE(RC.%5, 0) AS %5, COALESCE(R.%6, 0) AS %6 ")
                 .arg(kWear, kUses, kLastUse, kFirstUse, kRecent, kCost);
    // Every movement of the kind summed per number, and the recent ones (the rate's window).
    const QString life = summedPerNumber(dialect, kind, {}, {},
                                         {{Sum::Rotations, kWear},
                                          {Sum::Uses, kUses},
                                          {Sum::Last, kLastUse},
                                          {Sum::First, kFirstUse}},
                                         s, source, narrowed);
    const QString recent =
        summedPerNumber(dialect, kind, workingDate.addDays(1 - kRateDays), workingDate,
                        {{Sum::Rotations, kRecent}}, s, source, narrowed);
    s.sql += QStringLiteral("FROM %1 T LEFT JOIN (%2) M ON M.%3 = T.%3 LEFT JOIN (%4) RC ON "
                            "RC.%3 = T.%3")
                 .arg(k.table, life, number, recent);
    // Purchases and repairs summed per number.
    s.sql += QStringLiteral(" LEFT JOIN (SELECT %1 AS NR, SUM(VALOR) AS %2 FROM REPARACOES "
                            "WHERE %3 = ''")
                 .arg(number, kCost, otherEmpty);
    s.sql += numbers(number);
    s.sql += QStringLiteral(" GROUP BY %1) R ON R.NR = T.%1").arg(number);

    QStringList where;
    const QString tools = numbers(QStringLiteral("T.") + number);
    if (!tools.isEmpty())
        where << tools.mid(5); // without the leading " AND "
    toolConditions(dialect, kind, filter, where, s);
    if (filter.wearFrom || filter.wearTo)
        where << QStringLiteral("T.ROTACOES_PREV > 0");
    // The whole percent shown (ToolLife::wholePercent): integer division, rounded down.
    const QString shown =
        QStringLiteral("CAST(COALESCE(M.%1, 0) AS BIGINT) * 100 / CAST(T.ROTACOES_PREV AS BIGINT)")
            .arg(kWear);
    if (filter.wearFrom)
        where << shown + QStringLiteral(" >= CAST(%1 AS FLOAT)").arg(s.bind(*filter.wearFrom));
    if (filter.wearTo)
        where << shown + QStringLiteral(" <= CAST(%1 AS FLOAT)").arg(s.bind(*filter.wearTo));
    QStringList unused;
    if (filter.dormant)
        unused << QStringLiteral("M.%1 < %2")
                      .arg(kLastUse,
                           s.bind(dialect.dayStart(workingDate.addMonths(-filter.dormantMonths))));
    if (filter.neverUsed)
        unused << QStringLiteral("M.%1 IS NULL").arg(kLastUse);
    if (!unused.isEmpty())
        where << QLatin1Char('(') + unused.join(QStringLiteral(" OR ")) + QLatin1Char(')');
    if (!where.isEmpty())
        s.sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    s.sql += QStringLiteral(" ORDER BY T.%1").arg(number);
    return s;
}

bool pageable(const ToolLifeFilter& filter) {
    return !filter.wearFrom && !filter.wearTo && !filter.dormant && !filter.neverUsed &&
           filter.number.isEmpty();
}

Statement toolPageStatement(const SqlDialect& dialect, ItemKind kind, const ToolLifeFilter& filter,
                            const QString& after, int pageSize) {
    const QString number = numberColumn(kind);
    Statement s;
    s.sql = QStringLiteral("SELECT T.%1 FROM %2 T").arg(number, kindTable(kind).table);
    QStringList where;
    if (!after.isEmpty())
        where << QStringLiteral("T.%1 > %2").arg(number, s.bind(after));
    toolConditions(dialect, kind, filter, where, s);
    if (!where.isEmpty())
        s.sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    s.sql += QStringLiteral(" ORDER BY T.%1 ").arg(number) + dialect.limitClause(pageSize);
    return s;
}

ToolLife toolLifeFromRecord(const QSqlQuery& query) {
    ToolLife t;
    t.number = query.value(0).toString();
    t.client = query.value(1).toString();
    t.reference = query.value(2).toString();
    t.machine = query.value(3).toInt();
    t.life = qMax<qint64>(0, query.value(4).toLongLong());
    t.wear = query.value(5).toLongLong();
    t.uses = query.value(6).toLongLong();
    if (!query.value(7).isNull())
        t.lastUse = parseDateTime(query.value(7));
    if (!query.value(8).isNull())
        t.firstUse = parseDateTime(query.value(8));
    t.recentRotations = query.value(9).toLongLong();
    t.cost = query.value(10).toDouble();
    return t;
}

std::optional<double> ToolLife::wearPercent() const {
    if (!lifeKnown())
        return std::nullopt;
    return double(wear) * 100.0 / double(life);
}

double ToolLife::rate(const QDate& workingDate) const {
    if (!firstUse.isValid() || recentRotations <= 0)
        return 0;
    const qint64 sinceFirst = firstUse.date().daysTo(workingDate) + 1;
    const qint64 days = qMin<qint64>(kRateDays, sinceFirst);
    return days > 0 ? double(recentRotations) / double(days) : 0;
}

std::optional<QDate> ToolLife::wearOutDate(const QDate& workingDate) const {
    const double perDay = rate(workingDate);
    if (!lifeKnown() || perDay <= 0 || wear >= life)
        return std::nullopt;
    // A small tolerance keeps an exact quotient (500000 / 1000) from rounding up a day.
    const double days = std::ceil(double(life - wear) / perDay - 1e-9);
    return workingDate.addDays(qint64(days));
}

bool readToolLives(QSqlDatabase db, ItemKind kind, const ToolLifeFilter& filter,
                   const QDate& workingDate, QVector<ToolLife>& tools, QString* error) {
    QSqlQuery query(db);
    if (!runForward(query,
                    toolLifeStatement(SqlDialect::forDatabase(db), kind, filter, workingDate),
                    error))
        return false;
    while (query.next()) {
        tools << toolLifeFromRecord(query);
        tools.last().kind = kind;
    }
    return true;
}

std::optional<ToolLife> readToolLife(QSqlDatabase& db, ItemKind kind, const QString& number,
                                     const QDate& workingDate, QString* error) {
    if (number.isEmpty())
        return std::nullopt;
    ToolLifeFilter filter;
    filter.number = number;
    QVector<ToolLife> tools;
    if (!readToolLives(db, kind, filter, workingDate, tools, error) || tools.isEmpty())
        return std::nullopt;
    return tools.first();
}

QVector<ToolLife> nearestEnd(const QVector<ToolLife>& tools, const QDate& workingDate, int count) {
    QVector<int> worn;                // positions
    QVector<QPair<qint64, int>> ends; // wear-out day, position
    for (int i = 0; i < tools.size(); ++i) {
        if (tools[i].worn())
            worn << i;
        else if (const std::optional<QDate> end = tools[i].wearOutDate(workingDate))
            ends << qMakePair(end->toJulianDay(), i);
    }
    // The most worn first: wear / life compared without rounding (a * d > c * b).
    std::sort(worn.begin(), worn.end(), [&](int a, int b) {
        const double x = double(tools[a].wear) * double(tools[b].life);
        const double y = double(tools[b].wear) * double(tools[a].life);
        return x != y ? x > y : tools[a].number < tools[b].number;
    });
    std::sort(ends.begin(), ends.end(), [&](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first
                                  : tools[a.second].number < tools[b.second].number;
    });
    QVector<ToolLife> out;
    for (int i = 0; i < worn.size() && out.size() < count; ++i)
        out << tools[worn[i]];
    for (int i = 0; i < ends.size() && out.size() < count; ++i)
        out << tools[ends[i].second];
    return out;
}

QList<QPair<QString, int>> countByClient(const QVector<ToolLife>& tools) {
    QMap<QString, int> counts;
    for (const ToolLife& t : tools)
        ++counts[t.client];
    QList<QPair<QString, int>> out;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        out << qMakePair(it.key(), it.value());
    std::stable_sort(out.begin(), out.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return out;
}

QString wearPercentText(const ToolLife& tool) {
    const std::optional<qint64> percent = tool.wholePercent();
    return percent ? QString::number(*percent) + QLatin1Char('%') : QString();
}

QString dateText(const std::optional<QDate>& date) {
    return date ? date->toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString wearOutText(const ToolLife& tool, const QDate& workingDate) {
    return tool.worn() ? kWornOut : dateText(tool.wearOutDate(workingDate));
}

QString wearWarning(const ToolLife& tool, ItemKind kind, const QDate& workingDate,
                    const ToolLifeLimits& limits) {
    if (!tool.inWarning(limits.warningPercent))
        return {};
    const std::optional<QDate> end = tool.wearOutDate(workingDate);
    QString ending;
    if (end)
        ending = QStringLiteral("previsão de fim: ") + dateText(end);
    else if (tool.worn())
        ending = QStringLiteral("vida prevista esgotada");
    else
        ending = QStringLiteral("sem previsão de fim");
    return QStringLiteral("Atenção: o %1 %2 atingiu %3 da vida prevista (%4)")
        .arg(kind == ItemKind::Cliche ? QStringLiteral("cliché") : QStringLiteral("desenho"),
             tool.number, wearPercentText(tool), ending);
}

} // namespace falq::movements
