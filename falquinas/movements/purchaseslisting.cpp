#include "purchaseslisting.h"

namespace falq {

void openPurchasesListing(Session&, QWidget*) {
    // Not available yet: nothing opens.
}

} // namespace falq
