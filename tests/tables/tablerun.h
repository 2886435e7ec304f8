#pragma once
// The tables' windows on a test installation: a fresh installation (changed by the test's SQL
// first), a run of the main program on it and, for a code table, its window open.
#include "../shell/shellrun.h"
#include "codetables.h"

#include <QApplication>
#include <QPushButton>
#include <memory>

namespace falq::test {

// Lets the queued steps (field messages, the save point) run.
inline void settleQueued() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// The window of the code table `member`, shown and active (none when it never is).
inline std::unique_ptr<CodeTableWindow> openCodeTable(Run& run, int member) {
    std::unique_ptr<CodeTableWindow> w(
        createCodeTableWindow(member, run.session, &run.menu, nullptr));
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get()))
        return nullptr;
    settleQueued();
    return w;
}

struct TablesOn {
    // Runs `sql` on the fresh installation and starts the program; with `member`, that code
    // table's window is opened.
    explicit TablesOn(int member = 0, const QStringList& sql = {}) {
        ok = inst.ok();
        if (!ok)
            qWarning("%s", qPrintable(inst.error()));
        for (const QString& statement : sql)
            ok = ok && inst.exec("main", statement);
        ok = ok && run.start();
        if (ok && member > 0) {
            window = openCodeTable(run, member);
            ok = window != nullptr;
        }
    }
    // "&Inserir" on the open window.
    void insert() {
        window->findChild<QPushButton*>("BotInserir")->click();
        settleQueued();
    }
    int rows(const QString& table) {
        return inst.scalar("main", QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt();
    }
    // The text of the first column `sql` selects.
    QString text(const QString& sql) { return inst.scalar("main", sql).toString(); }

    Installation inst;
    Run run;
    std::unique_ptr<CodeTableWindow> window;
    bool ok = false;
};

} // namespace falq::test
