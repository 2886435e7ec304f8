#include "windows.h"

#include "CORTP000.h"
#include "CORTP010.h"
#include "UnitFacMenu.h"
#include "session.h"

namespace falq {

void registerWindows(TFACFMENU& menu, Session& session) {
    menu.registerWindow(QStringLiteral("TAB000"),
                        {[&session](QWidget* p) { return new TCORTF000(session, p); }, {}});
    menu.registerWindow(QStringLiteral("CLICHE001"),
                        {[&session](QWidget* p) { return new TCORTF010(session, p); }, {}});
}

} // namespace falq
