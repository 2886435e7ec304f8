#pragma once
// Tool life: how far a cliché (printing plate) or a drawing's cutting die has worn against the
// rotations forecast for it, when it will wear out at its recent pace, and which tools are no
// longer used.
//
// For a tool, from the movements of its kind (cliché rows have DESENHONRO = '', drawing rows
// CLICHENRO = ''):
//   wear      the sum of ROTACOES;            uses  the sum of NROUTIL;
//   life      ROTACOES_PREV (NULL or 0: unknown);  wear %  wear / life;
//   last use  the latest movement DATA;
//   rate      rotations per day over the 365 days that end on the working date (the working
//             date and the 364 days before it; a movement 365 days back is outside), or over
//             the days since the first movement when the tool is younger than that;
//   wear-out  the working date + (life - wear) / rate days, rounded up; none when the life is
//             unknown, the rate is 0 or the tool is already worn;
//   cost      the sum of REPARACOES.VALOR for it (purchases and repairs).
//
// The statements sum the movements and the repairs per number first and join the sums to
// CLICHES or DESENHOS by key afterwards; every value is bound. The working date is a value
// of the caller (the session's), never the computer's clock.
#include "movementqueries.h"

#include <QDate>
#include <QDateTime>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

class QSqlDatabase;

namespace falq::movements {

// The limits of the [VidaUtil] section of falquinas.ini.
struct ToolLifeLimits {
    int warningPercent = 90; // Aviso: wear % from which a tool is shown in warning
    int dormantMonths = 24;  // Inactivo: months without use after which a tool is dormant
};
// Reads [VidaUtil] from falquinas.ini under the plant root (defaults when missing or not a
// whole number above 0).
ToolLifeLimits readToolLifeLimits();

// What the list shows; the patterns and the machine as the registers' criteria.
struct ToolLifeFilter {
    QString clientPattern = QStringLiteral("%");
    QString supplierPattern = QStringLiteral("%");
    int machine = 0; // 0: every machine
    bool validOnly = false;
    // Wear % bounds on the whole percent shown (99.5 % is "99%", within "90 a 99"); a bound
    // that is set keeps only tools whose life is known.
    std::optional<double> wearFrom;
    std::optional<double> wearTo;
    // Dormant (used, but not in the last `dormantMonths` months: last use before the working
    // date less that many months) and never used; both set: either.
    bool dormant = false;
    int dormantMonths = 24;
    bool neverUsed = false;
    QString number; // not empty: this tool only
    // Not empty: only the numbers after `numberAfter` / up to `numberUpTo` (a page of tools).
    QString numberAfter;
    QString numberUpTo;
};

// Column names of the rows toolLifeStatement() returns, in this order.
namespace toollife {
inline const QString kNumber = QStringLiteral("NUMERO");
inline const QString kClient = QStringLiteral("SIGLACLI");
inline const QString kReference = QStringLiteral("REFERENCIA");
inline const QString kMachine = QStringLiteral("MAQUINA");
inline const QString kLife = QStringLiteral("ROTACOES_PREV");
inline const QString kWear = QStringLiteral("GASTO");
inline const QString kUses = QStringLiteral("USOS");
inline const QString kLastUse = QStringLiteral("ULTIMO");
inline const QString kFirstUse = QStringLiteral("PRIMEIRO");
inline const QString kRecent = QStringLiteral("RECENTE");
inline const QString kCost = QStringLiteral("CUSTO");
} // namespace toollife

// One statement per kind: every tool of CLICHES or DESENHOS that the filter keeps, with its
// sums, by number (the movements' sums from the monthly sums, or grouped from every movement:
// the reference).
Statement toolLifeStatement(const SqlDialect& dialect, ItemKind kind, const ToolLifeFilter& filter,
                            const QDate& workingDate, SumsFrom source = SumsFrom::MonthlySums);

// Pages: with no filter on the figures themselves (wear %, dormant, never used) the tools can
// be read a page of numbers at a time, each page's sums through the number's index, so the
// first rows come at once on a large register.
bool pageable(const ToolLifeFilter& filter);
// The numbers of the next page: the tools after `after` ("" from the first) that the filter's
// tool conditions keep, by number, at most `pageSize`.
Statement toolPageStatement(const SqlDialect& dialect, ItemKind kind, const ToolLifeFilter& filter,
                            const QString& after, int pageSize);

// A tool's sums as read, and the figures worked out from them.
struct ToolLife {
    ItemKind kind = ItemKind::Cliche; // set by whoever reads the rows of one kind's statement
    QString number;
    QString client;
    QString reference;
    int machine = 0;
    qint64 life = 0; // 0: unknown
    qint64 wear = 0;
    qint64 uses = 0;
    QDateTime lastUse;  // invalid: never used
    QDateTime firstUse; // invalid: never used
    qint64 recentRotations = 0;
    double cost = 0;

    bool lifeKnown() const { return life > 0; }
    std::optional<double> wearPercent() const;
    // Wear % rounded down, as shown: 90 only once 90 % is really reached.
    std::optional<qint64> wholePercent() const {
        return lifeKnown() ? std::optional<qint64>(wear * 100 / life) : std::nullopt;
    }
    // Rotations per day up to `workingDate` (0 for a tool with none in that time).
    double rate(const QDate& workingDate) const;
    std::optional<QDate> wearOutDate(const QDate& workingDate) const;
    // Used, but not within the `months` months up to `workingDate`: the filter's `dormant`
    // for a list already read (the same rule, for dates as the register writes them).
    bool dormant(const QDate& workingDate, int months) const {
        return lastUse.isValid() && lastUse.date() < workingDate.addMonths(-months);
    }
    // True from `percent` % of a known life on (integer arithmetic: exactly the limit counts).
    bool reaches(int percent) const { return lifeKnown() && wear * 100 >= life * qint64(percent); }
    // Its forecast life used up: 100 % of a known life reached.
    bool worn() const { return reaches(100); }
    // Shown in warning: from the warning limit on, and always once worn (a limit above 100 %
    // never hides a worn tool).
    bool inWarning(int warningPercent) const { return reaches(warningPercent) || worn(); }
};

// The row the query is on, as a ToolLife (columns by the names above).
ToolLife toolLifeFromRecord(const QSqlQuery& query);

// Appends the tools of one kind that `filter` keeps to `tools`, each marked with its kind;
// false with the engine's message.
bool readToolLives(QSqlDatabase db, ItemKind kind, const ToolLifeFilter& filter,
                   const QDate& workingDate, QVector<ToolLife>& tools, QString* error = nullptr);

// One tool's figures (its sums by index); nothing when there is no such tool or on error.
std::optional<ToolLife> readToolLife(QSqlDatabase& db, ItemKind kind, const QString& number,
                                     const QDate& workingDate, QString* error = nullptr);

// The message shown after a movement brings a tool to or past the warning limit; empty when
// its wear is below the limit or its life is unknown. Shown again for every later movement.
QString wearWarning(const ToolLife& tool, ItemKind kind, const QDate& workingDate,
                    const ToolLifeLimits& limits);

// For the statistics: the `count` tools nearest their end: first those already worn (the most
// worn first), then those with the earliest wear-out date (ties by number); and the number of
// tools per client (most first, then by client) of a list read with a filter (the dormant
// tools, for one).
QVector<ToolLife> nearestEnd(const QVector<ToolLife>& tools, const QDate& workingDate, int count);
QList<QPair<QString, int>> countByClient(const QVector<ToolLife>& tools);

// The texts the windows and lists show: wear % as "93%", dates as dd/MM/yyyy, "" for none.
QString wearPercentText(const ToolLife& tool);
QString dateText(const std::optional<QDate>& date);
// What "Previsão de Fim" shows: the wear-out date, "esgotada" for a worn tool, "" when unknown.
inline const QString kWornOut = QStringLiteral("esgotada");
QString wearOutText(const ToolLife& tool, const QDate& workingDate);

} // namespace falq::movements
