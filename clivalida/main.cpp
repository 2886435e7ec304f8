// clivalida: the shop-floor station that checks cliché and drawing numbers.
#include "CORTP999.h"
#include "credentials.h"
#include "messages.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("clivalida"));
    // The application's title captions its message boxes; the window keeps its own caption.
    falq::BoxMessages messages(QStringLiteral("clivalida - Visualização de Cliches e Cortantes"));
    const falq::Credentials credentials = falq::readCredentials();
    if (!credentials.ok) {
        messages.show(credentials.error, true);
        return 1;
    }
    falq::TCORTF999 window;
    window.show();
    return app.exec();
}
