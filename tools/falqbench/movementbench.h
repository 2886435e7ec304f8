#pragma once
// falqbench scenarios of the movement analyses and the purchases and repairs listings, on an
// installation's register (they only read): each ranking and movement list over the newest
// year and over all years, the listing window's rows, the detailed list and both totals, and
// a ranking with the movements of its items rendered to PDF.
#include "statement.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

namespace falq::bench {

struct MovementScenario {
    QString name;
    QString description;
    std::function<void()> run;        // timed
    std::function<QStringList()> sql; // the same statements for the engine's client
    QString note;
    std::function<QStringList()> before = {}; // the statements before the monthly sums
};

QList<MovementScenario> movementScenarios(const QSqlDatabase& db, const QString& folder);
// Their names.
QStringList movementScenarioNames();

// The statement with its bound values written in (for the engine's client): "?" in order, or
// the names given.
QString withValues(const QString& sql, const Bindings& binds);

} // namespace falq::bench
