#pragma once
// falqbench scenarios of the cliché and drawing reports on generated rows (no installation
// needed): lists of 10,000 and 100,000 clichés to PDF and text, 1,000 cliché and drawing sheets,
// and lists and sheets of 100 and 500 records with a 3000x2000 JPEG photo each.
#include "reportbench.h"

namespace falq::bench {

QList<ReportScenario> listingScenarios(const QString& folder);

} // namespace falq::bench
