#pragma once
// The range checks of the searches, all at once (as printing runs them again before it
// prints): the message of the first range, in the order of the boxes, whose upper bound lies
// below its lower one; empty when every range holds. Text bounds are compared in the
// database's text order.
#include "clichesearch.h"

namespace falq {

struct TextRange {
    QString low, high, message;
};
struct NumberRange {
    qint64 low, high;
    QString message;
};

// The first refused range's message (text ranges first), the database's error when it cannot
// compare, or empty.
QString firstRefusedRange(const QSqlDatabase& db, const QList<TextRange>& texts,
                          const QList<NumberRange>& numbers);

namespace cliches {
// The cliché number range is not checked (an inverted range finds nothing).
QString refusedRange(const SearchCriteria& criteria, const QSqlDatabase& db);
} // namespace cliches

} // namespace falq
