#include "purchaseslisting.h"

#include "CORTP031C.h"

namespace falq {

void openPurchasesListing(Session& session, QWidget* parent) {
    TCORTF031C window(session, parent);
    window.exec();
}

} // namespace falq
