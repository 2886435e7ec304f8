// falqadmin: users of the register and their access rights per company.
#include "ErrForm.h"
#include "FALQADMIN.h"
#include "admindata.h"
#include "credentials.h"
#include "localtime.h"
#include "messages.h"
#include "programoptions.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    falq::handleProgramOptions(
        argc, argv, QStringLiteral("falqadmin"),
        QStringLiteral("Users of the register and their access rights per company."));
    falq::readLocalTimeZoneOnce();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("falqadmin"));
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Portugal));
    falq::BoxMessages messages;
    // The login of the general database, from the credential library.
    const falq::Credentials credentials = falq::readCredentials();
    if (!credentials.ok) {
        messages.show(credentials.error, true);
        return 1;
    }
    falq::AdminSession session(messages, credentials);
    falq::TFALQADMIN window(session);
    falq::TUpdateErrorForm errorForm(&window);
    session.setUpdateErrorHandler(&errorForm);
    window.show();
    return app.exec();
}
