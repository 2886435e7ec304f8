// falqshots: pictures of the register's windows for the guide. Starts the register on the
// installation VELMORA_ROOT names, opens each menu entry given, optionally types readings into
// its boxes (each followed by Enter, as a scanner does), and saves the window as a PNG file.
//
//   falqshots FOLDER [MENU] [DASHBOARD] [LABELS] [ENTRY[@Box=text;text...][@Button]] ...
//   falqshots FOLDER STATION [reading ...]
//   falqshots FOLDER ADMIN
//
// MENU saves the main window, DASHBOARD the main window with the statistics dashboard on; ENTRY is
// a menu entry's name (TAB001, CLICHE001, MOVIM005, ...); LABELS writes a sheet and a roll of
// labels of the register's first tools and places as PDF and pictures their first page. STATION
// pictures the validation station after each reading typed in its cliché number box (station-1.png,
// ...).
#include "CORTP999.h"
#include "ErrForm.h"
#include "FALQADMIN.h"
#include "FALQADMINEMPRESA.h"
#include "UnitFacMenu.h"
#include "UnitFalquinasAPMenu.h"
#include "admindata.h"
#include "connections.h"
#include "credentials.h"
#include "localtime.h"
#include "locationqueries.h"
#include "messages.h"
#include "session.h"
#include "windows.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPainter>
#include <QPdfDocument>
#include <QPushButton>
#include <QSqlDatabase>
#include <QTabWidget>
#include <QTableView>
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

// Messages printed instead of shown: nothing waits for an answer.
class PrintedMessages : public falq::Messages {
public:
    void show(const QString& text, bool) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool ask(const QString& text) override {
        std::fprintf(stderr, "question (answered no): %s\n", qPrintable(text));
        return false;
    }
    void beep() override {}
};

// The first page of a PDF file as a PNG file, at `dpi`.
bool pictureOfPdf(const QString& pdf, const QString& png, int dpi) {
    QPdfDocument doc;
    if (doc.load(pdf) != QPdfDocument::Error::None || doc.pageCount() < 1)
        return false;
    const QSizeF points = doc.pagePointSize(0);
    QImage page = doc.render(0, (points * dpi / 72.0).toSize());
    QImage out(page.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter(&out).drawImage(0, 0, page);
    return out.save(png);
}

bool labels(const QDir& folder) {
    using namespace falq::locations;
    QSqlDatabase db = QSqlDatabase::database(falq::kDbFalquinas, false);
    QList<Label> all;
    QString error;
    falq::Statement cliches;
    cliches.sql = QStringLiteral("SELECT CLICHENRO, SIGLACLI, REFERENCIA, CORTANTENRO FROM CLICHES "
                                 "ORDER BY CLICHENRO LIMIT 8");
    falq::Statement drawings;
    drawings.sql = QStringLiteral("SELECT DESENHONRO, SIGLACLI, REFERENCIA, CORTANTENRO FROM "
                                  "DESENHOS ORDER BY DESENHONRO LIMIT 6");
    if (!searchLabels(db, cliches, ToolKind::Cliche, &all, &error) ||
        !searchLabels(db, drawings, ToolKind::Drawing, &all, &error) ||
        !placeLabels(db, QStringLiteral("A-01-01"), QStringLiteral("A-02-02"), &all, &error)) {
        std::fprintf(stderr, "falqshots: %s\n", qPrintable(error));
        return false;
    }
    bool ok = true;
    for (const LabelFormat& f : labelFormats()) {
        const bool sheet = f.columns * f.rows > 1;
        const QString name = sheet ? QStringLiteral("labels-a4") : QStringLiteral("labels-roll");
        const QString pdf = folder.filePath(name + QStringLiteral(".pdf"));
        // A part-used sheet: the first three positions were used before.
        if (!writeLabelsPdf(pdf, f, sheet ? all : all.mid(0, 1), sheet ? 3 : 0, &error)) {
            std::fprintf(stderr, "falqshots: %s\n", qPrintable(error));
            ok = false;
            continue;
        }
        const QString png = folder.filePath(name + QStringLiteral(".png"));
        ok = pictureOfPdf(pdf, png, sheet ? 100 : 300) && ok;
        std::fprintf(stdout, "saved %s and %s\n", qPrintable(pdf), qPrintable(png));
    }
    return ok;
}

// The station after each reading typed in its cliché box and Tab.
int station(const QDir& folder, const QStringList& readings) {
    PrintedMessages messages;
    falq::TCORTF999 window(messages);
    window.resize(1100, 720);
    window.show();
    window.activateWindow();
    QElapsedTimer started;
    started.start();
    while (!window.startUpDone() && !window.programEnded() && started.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!window.startUpDone()) {
        std::fprintf(stderr, "falqshots: the station did not start%s\n",
                     window.programEnded() ? " (it ended)" : "");
        return 1;
    }
    waitFor(500);
    int failed = 0;
    int n = 0;
    for (const QString& reading : readings) {
        auto* box = window.findChild<QLineEdit*>(QStringLiteral("Edit_Cliche"));
        auto* pages = window.findChild<QTabWidget*>(QStringLiteral("NB"));
        if (pages)
            pages->setCurrentIndex(0);
        box->setFocus(Qt::TabFocusReason);
        waitFor(100);
        box->setText(reading);
        window.findChild<QLineEdit*>(QStringLiteral("Edit_Next"))->setFocus(Qt::TabFocusReason);
        waitFor(1500);
        failed += save(&window, folder.filePath(QStringLiteral("station-%1.png").arg(++n))) ? 0 : 1;
    }
    return failed == 0 ? 0 : 1;
}

// The administration utility on the first company of its company window.
int admin(const QDir& folder) {
    PrintedMessages messages;
    falq::AdminSession session(messages, falq::readCredentials());
    falq::TFALQADMIN window(session);
    window.resize(1100, 720);
    // The company window opens modal as the utility starts: its first company is chosen.
    QTimer chooser;
    QObject::connect(&chooser, &QTimer::timeout, [&chooser] {
        auto* companies = qobject_cast<falq::TFALQADMINEMPRESA*>(QApplication::activeModalWidget());
        if (!companies)
            return;
        chooser.stop();
        auto* grid = companies->findChild<QTableView*>(QStringLiteral("DBGridEmpresas"));
        if (grid && grid->model() && grid->model()->rowCount() > 0)
            grid->setCurrentIndex(grid->model()->index(0, 0));
        if (auto* select = companies->findChild<QPushButton*>(QStringLiteral("BotSelec")))
            select->click();
    });
    chooser.start(100);
    window.show();
    QElapsedTimer started;
    started.start();
    while (!session.company().isSet() && !window.programEnded() && started.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!session.company().isSet()) {
        std::fprintf(stderr, "falqshots: the utility did not open a company\n");
        return 1;
    }
    waitFor(1500);
    return save(&window, folder.filePath(QStringLiteral("falqadmin.png"))) ? 0 : 1;
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
    if (args.value(1) == QLatin1String("STATION"))
        return station(folder, args.mid(2));
    if (args.value(1) == QLatin1String("ADMIN"))
        return admin(folder);

    PrintedMessages messages; // a message box would wait for an answer nobody gives
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
        if (entry == QLatin1String("LABELS")) {
            failed += labels(folder) ? 0 : 1;
            continue;
        }
        if (entry == QLatin1String("DASHBOARD")) {
            // The statistics dashboard, switched on in the main window, its charts drawn.
            auto* on = menu.findChild<QAbstractButton*>(QStringLiteral("BotActive"));
            if (!on || !on->isVisible()) {
                std::fprintf(stderr, "falqshots: no dashboard switch for this user\n");
                ++failed;
                continue;
            }
            on->click();
            waitFor(4000);
            failed += save(&menu, path) ? 0 : 1;
            on->click();
            waitFor(300);
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
