#pragma once
// falqbench scenarios of where the tools are, on an installation's register: one tool read and
// moved (the list refreshed), "Onde está ?", 500 gathered tools moved at once, and 1,000 tool
// labels written to PDF. The moves write to the register (between two places and back).
#include "movementbench.h"

namespace falq::bench {

QList<MovementScenario> locationScenarios(const QSqlDatabase& main, const QSqlDatabase& invoicing,
                                          const QString& folder);
QStringList locationScenarioNames();

} // namespace falq::bench
