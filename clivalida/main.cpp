// clivalida: the shop-floor station that checks cliché and drawing numbers.
#include "CORTP999.h"
#include "localtime.h"
#include "messages.h"
#include "programoptions.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    falq::handleProgramOptions(
        argc, argv, QStringLiteral("clivalida"),
        QStringLiteral(
            "The shop-floor station that checks a cliché or drawing number (read-only)."));
    falq::readLocalTimeZoneOnce();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("clivalida"));
    // The application's title captions its message boxes; the window keeps its own caption.
    falq::BoxMessages messages(falq::TCORTF999::applicationTitle());
    falq::TCORTF999 window(messages);
    window.show();
    window.activateWindow();
    // A start-up that fails shows its message and closes the window, which ends the program.
    const int code = app.exec();
    return window.programEnded() ? 1 : code;
}
