#include "windows.h"

#include "CORTP000.h"
#include "CORTP010.h"
#include "CORTP020.h"
#include "CORTP032.h"
#include "CORTP033.h"
#include "UnitFacMenu.h"
#include "codetables.h"
#include "session.h"

#include <QPointer>
#include <memory>

namespace falq {

void registerWindows(TFACFMENU& menu, Session& session) {
    menu.registerWindow(QStringLiteral("TAB000"),
                        {[&session](QWidget* p) { return new TCORTF000(session, p); }, {}});
    // The code tables: their printed list first, handed to the window.
    for (int number = 1; number <= 5; ++number) {
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
    menu.registerWindow(QStringLiteral("DESENHO001"),
                        {[&session](QWidget* p) { return new TCORTF020(session, p); }, {}});
    menu.registerWindow(QStringLiteral("MOVIM003"),
                        {[&session](QWidget* p) { return new TCORTF032(session, p); }, {}});
    menu.registerWindow(QStringLiteral("MOVIM004"),
                        {[&session](QWidget* p) { return new TCORTF033(session, p); }, {}});
}

} // namespace falq
