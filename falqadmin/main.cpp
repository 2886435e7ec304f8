// falqadmin: users of the register and their access rights per company.
#include "FALQADMIN.h"
#include "credentials.h"
#include "messages.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("falqadmin"));
    falq::BoxMessages messages;
    const falq::Credentials credentials = falq::readCredentials();
    if (!credentials.ok) {
        messages.show(credentials.error, true);
        return 1;
    }
    falq::TFALQADMIN window;
    window.show();
    return app.exec();
}
