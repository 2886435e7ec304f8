#include "windows.h"

#include "CORTP000.h"
#include "CORTP010.h"
#include "CORTP011.h"
#include "CORTP012.h"
#include "CORTP013.h"
#include "CORTP020.h"
#include "CORTP021.h"
#include "CORTP022.h"
#include "CORTP023.h"
#include "CORTP030.h"
#include "CORTP031.h"
#include "CORTP032.h"
#include "CORTP033.h"
#include "CORTP034.h"
#include "CORTP035.h"
#include "UnitFacMenu.h"
#include "clichepicker.h"
#include "codetables.h"
#include "dashboard.h"
#include "drawingpicker.h"
#include "recordpickers.h"
#include "session.h"
#include "unitDtFalquinas.h"

#include <QPointer>
#include <memory>

namespace falq {

void registerWindows(TFACFMENU& menu, Session& session) {
    // The pickers the registers and the dashboard open for a cliché or a drawing.
    setNumberPicker(ds::CLICHES, pickCliche);
    setNumberPicker(ds::DESENHOS, pickDrawing);
    menu.registerWindow(QStringLiteral("TAB000"),
                        {[&session](QWidget* p) { return new TCORTF000(session, p); }, {}});
    // The code tables: their printed list first, handed to the window.
    for (int number = 1; number <= kCodeTables; ++number) {
        auto list = std::make_shared<QPointer<CodeTableList>>();
        menu.registerWindow(QStringLiteral("TAB00%1").arg(number),
                            {[&session, number, list](QWidget* p) {
                                 return createCodeTableWindow(number, session, p, *list);
                             },
                             [number, list] {
                                 *list = new CodeTableList(codeTableMember(number));
                                 return QList<QObject*>{list->data()};
                             }});
    }
    menu.registerWindow(QStringLiteral("CLICHE001"),
                        {[&session](QWidget* p) { return new TCORTF010(session, p); }, {}});
    menu.registerWindow(QStringLiteral("CLICHE003"),
                        {[&session](QWidget* p) { return new TCORTF012(session, p); }, {}});
    menu.registerWindow(QStringLiteral("CLICHE004"),
                        {[&session](QWidget* p) { return new TCORTF013(session, p); }, {}});
    menu.registerWindow(QStringLiteral("CLICHE002"),
                        {[&session](QWidget* p) { return new TCORTF011(session, p); }, {}});
    menu.registerWindow(QStringLiteral("DESENHO001"),
                        {[&session](QWidget* p) { return new TCORTF020(session, p); }, {}});
    menu.registerWindow(QStringLiteral("DESENHO002"),
                        {[&session](QWidget* p) { return new TCORTF021(session, p); }, {}});
    menu.registerWindow(QStringLiteral("MOVIM003"),
                        {[&session](QWidget* p) { return new TCORTF032(session, p); }, {}});
    menu.registerWindow(QStringLiteral("MOVIM001"),
                        {[&session](QWidget* p) { return new TCORTF030(session, p); }, {}});
    menu.registerWindow(QStringLiteral("MOVIM002"),
                        {[&session](QWidget* p) { return new TCORTF031(session, p); }, {}});
    menu.registerWindow(QStringLiteral("DESENHO003"),
                        {[&session](QWidget* p) { return new TCORTF022(session, p); }, {}});
    menu.registerWindow(QStringLiteral("DESENHO004"),
                        {[&session](QWidget* p) { return new TCORTF023(session, p); }, {}});
    // The statistics dashboard, switched on by BotActive.
    new dashboard::Dashboard(session, menu);
    menu.registerWindow(QStringLiteral("MOVIM004"),
                        {[&session](QWidget* p) { return new TCORTF033(session, p); }, {}});
    menu.registerWindow(QStringLiteral("MOVIM005"),
                        {[&session](QWidget* p) { return new TCORTF034(session, p); }, {}});
    menu.registerWindow(QStringLiteral("MOVIM006"),
                        {[&session](QWidget* p) { return new TCORTF035(session, p); }, {}});
}

} // namespace falq
