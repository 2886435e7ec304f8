// falqshots: pictures of the register's windows for the guide. Starts the register on the
// installation VELMORA_ROOT names, opens each menu entry given, optionally types readings into
// its boxes (each followed by Enter, as a scanner does), and saves the window as a PNG file.
//
//   falqshots FOLDER [MENU] [ENTRY[@Box=text;text...]] ...
//
// MENU saves the main window; ENTRY is a menu entry's name (TAB001, CLICHE001, MOVIM005, ...).
#include "ErrForm.h"
#include "UnitFacMenu.h"
#include "UnitFalquinasAPMenu.h"
#include "localtime.h"
#include "messages.h"
#include "session.h"
#include "windows.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace {

void waitFor(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool save(QWidget* w, const QString& path) {
    const bool ok = w->grab().save(path);
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "saved" : "could not save",
                 qPrintable(path));
    return ok;
}

// "Edit_Leitura=CL:1;L:A-01-01": each text typed into the box and Enter.
void typeReadings(QWidget* window, const QString& actions) {
    for (const QString& action : actions.split('@', Qt::SkipEmptyParts)) {
        const QString box = action.section('=', 0, 0);
        auto* edit = window->findChild<QLineEdit*>(box);
        if (!edit) {
            auto* button = window->findChild<QPushButton*>(box);
            if (button)
                button->click();
            waitFor(300);
            continue;
        }
        for (const QString& text : action.section('=', 1).split(';', Qt::SkipEmptyParts)) {
            edit->setFocus();
            edit->setText(text);
            QMetaObject::invokeMethod(edit, "returnPressed");
            waitFor(150);
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    falq::readLocalTimeZoneOnce();
    QApplication app(argc, argv);
    falq::prepareApplication();
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: falqshots FOLDER [MENU] [ENTRY[@Box=text;text...]] ...\n");
        return 2;
    }
    const QDir folder(args.first());
    QDir().mkpath(folder.path());

    falq::BoxMessages messages(falq::applicationTitle());
    falq::Session session(messages);
    falq::TFACFMENU menu(session);
    falq::registerWindows(menu, session);
    falq::TUpdateErrorForm errorForm(&menu);
    session.setUpdateErrorHandler(&errorForm);
    menu.resize(1100, 720);
    menu.show();
    menu.activateWindow();
    QElapsedTimer started;
    started.start();
    while (menu.activationCount() < 1 && !menu.programEnded() && started.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (menu.programEnded() || menu.activationCount() < 1) {
        std::fprintf(stderr, "falqshots: the register did not start\n");
        return 1;
    }
    waitFor(500);
    int failed = 0;
    for (const QString& arg : args.mid(1)) {
        const QString entry = arg.section('@', 0, 0);
        const QString actions = arg.section('@', 1);
        const QString path = folder.filePath(entry + QStringLiteral(".png"));
        if (entry == QLatin1String("MENU")) {
            failed += save(&menu, path) ? 0 : 1;
            continue;
        }
        auto* action = menu.findChild<QAction*>(entry);
        if (!action || !action->isEnabled()) {
            std::fprintf(stderr, "falqshots: no menu entry %s\n", qPrintable(entry));
            ++failed;
            continue;
        }
        // The window is modal: it is pictured from inside its own event loop, then closed.
        QTimer::singleShot(0, &menu, [&] {
            QElapsedTimer t;
            t.start();
            while (!QApplication::activeModalWidget() && t.elapsed() < 20000)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
            QWidget* window = QApplication::activeModalWidget();
            if (!window) {
                ++failed;
                return;
            }
            waitFor(1500); // first rows, pictures and documents
            typeReadings(window, actions);
            waitFor(300);
            failed += save(window, path) ? 0 : 1;
            window->close();
        });
        action->trigger();
        waitFor(200);
    }
    return failed == 0 ? 0 : 1;
}
