#pragma once
// The range checks of the drawing search, all at once: the message of the first range, in
// the order of the boxes, whose upper bound lies below its lower one ("Limite Inválido ..."
// for the five measures); empty when every range holds.
#include "drawingsearch.h"

namespace falq::drawings {

QString refusedRange(const SearchCriteria& criteria, const QSqlDatabase& db);

} // namespace falq::drawings
