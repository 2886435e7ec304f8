#pragma once
// The administration utility on a test installation: a session with a message recorder and a
// scripted write-error window, its main window, and helpers that answer its modal windows.
#include "FALQADMIN.h"
#include "FALQADMINEMPRESA.h"
#include "admindata.h"
#include "connections.h"
#include "testsupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTimer>
#include <functional>
#include <memory>

namespace falq::test {

// The main database is opened with no login of the utility's own: on PostgreSQL the engine
// takes the login of whoever runs the program, here the test server's.
inline void loginAsTheEngineUser(const Installation& inst) {
    if (inst.settings().engine.driver != QLatin1String("QPSQL"))
        return;
    qputenv("PGUSER", inst.settings().engine.user.toLocal8Bit());
    qputenv("PGPASSWORD", inst.settings().engine.password.toLocal8Bit());
}

// Runs `act` on the first shown dialog of type T whose parent is `parent`, from inside its
// modal loop; a dialog still open afterwards is ended, so a failed check never hangs the test.
template <class T> void whenShown(QWidget* parent, std::function<void(T*)> act) {
    auto* timer = new QTimer(parent);
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, parent, [timer, parent, act, waited] {
        for (T* dialog : parent->findChildren<T*>()) {
            if (!dialog->isVisible())
                continue;
            timer->stop();
            timer->deleteLater();
            act(dialog);
            if (dialog->isVisible())
                dialog->done(QDialog::Rejected);
            return;
        }
        if (++*waited > 1000) { // ten seconds
            timer->stop();
            timer->deleteLater();
            QTest::qFail("the dialog never showed", __FILE__, __LINE__);
        }
    });
    timer->start(10);
}

// Puts the cursor of a grid on the first row whose column `column` shows `text`.
inline bool selectRowWith(QTableView* view, int column, const QString& text) {
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        if (view->model()->index(row, column).data().toString() == text) {
            view->setCurrentIndex(view->model()->index(row, column));
            return true;
        }
    }
    return false;
}

// The centre of a row's cell, to click on.
inline QPoint cellCentre(QTableView* view, int row, int column) {
    return view->visualRect(view->model()->index(row, column)).center();
}

// Where a click ticks or unticks the check box of a cell.
inline QPoint checkBoxAt(QTableView* view, int row, int column) {
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(view->model()->index(row, column));
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    option.state |= QStyle::State_Enabled;
    return view->style()
        ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view)
        .center();
}

// Chooses a company in the company window (its row by EMPNRO) and presses "&Selec.".
inline void chooseCompany(TFALQADMINEMPRESA* window, int number) {
    auto* grid = window->findChild<QTableView*>("DBGridEmpresas");
    if (!selectRowWith(grid, 0, QString::number(number)))
        QTest::qFail("company not listed", __FILE__, __LINE__);
    window->findChild<QPushButton*>("BotSelec")->click();
}

struct AdminRun {
    explicit AdminRun(const Installation& inst)
        : session(messages, readCredentials(inst.credentialLibrary())), window(session) {
        loginAsTheEngineUser(inst);
        session.setUpdateErrorHandler(&handler);
    }
    ~AdminRun() { closeConnection(kAdminMain); }

    // Shows the main window, answers the company window with `company` (see chooseCompany)
    // or with `answer`, and waits until a company is connected or the program ends.
    bool start(int company) {
        return start([company](TFALQADMINEMPRESA* w) { chooseCompany(w, company); });
    }
    bool start(std::function<void(TFALQADMINEMPRESA*)> answer) {
        whenShown<TFALQADMINEMPRESA>(&window, std::move(answer));
        window.show();
        return QTest::qWaitFor(
            [this] {
                return !window.choosingCompany() &&
                       (session.company().isSet() || window.programEnded());
            },
            10000);
    }

    RecordingMessages messages;
    ScriptedHandler handler;
    AdminSession session;
    TFALQADMIN window;
};

// A fresh installation (which a test may change first) and the utility started on it.
struct AdminOn {
    AdminOn() : run(inst) {}
    // Starts the utility on the company `company`, as AdminRun::start does.
    bool start(int company = 1) {
        if (!inst.ok()) {
            qWarning("%s", qPrintable(inst.error()));
            return false;
        }
        return run.start(company);
    }
    Installation inst;
    AdminRun run;
};

// Shows a window and waits until it is the active one (focus and Tab work from then on).
inline bool showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

} // namespace falq::test
