// falquinas: the register of clichés and drawings.
#include "ErrForm.h"
#include "UnitFacMenu.h"
#include "UnitFalquinasAPMenu.h"
#include "localtime.h"
#include "messages.h"
#include "programoptions.h"
#include "session.h"
#include "windows.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    falq::handleProgramOptions(
        argc, argv, QStringLiteral("falquinas"),
        QStringLiteral("The register of clichés (printing plates) and drawings of cutting dies."));
    falq::readLocalTimeZoneOnce();
    QApplication app(argc, argv);
    falq::prepareApplication();

    auto* splash = new falq::TFALQUINASAPMENU;
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    falq::BoxMessages messages(falq::applicationTitle());
    falq::Session session(messages);
    falq::TFACFMENU menu(session);
    falq::registerWindows(menu, session);
    falq::TUpdateErrorForm errorForm(&menu);
    session.setUpdateErrorHandler(&errorForm);

    splash->hide();
    delete splash;

    menu.show();
    menu.activateWindow();
    return app.exec();
}
