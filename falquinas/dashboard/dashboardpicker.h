#pragma once
// The cliché and drawing pickers as the dashboard opens them.
#include "dashboardqueries.h"

class QWidget;

namespace falq {
class Session;
namespace dashboard {

// Runs the picker of `item` modally; the number current when it closes ("" without rows).
QString pickNumber(Session& session, Item item, QWidget* parent);

} // namespace dashboard
} // namespace falq
