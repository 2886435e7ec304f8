// falquinas: the register of clichés and drawings.
#include "ErrForm.h"
#include "UnitFacMenu.h"
#include "UnitFalquinasAPMenu.h"
#include "messages.h"
#include "session.h"
#include "windows.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("falquinas"));
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Portugal));

    auto* splash = new falq::TFALQUINASAPMENU;
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    QApplication::setApplicationDisplayName(QStringLiteral("Falquinas e Clichés"));
    falq::BoxMessages messages;
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
