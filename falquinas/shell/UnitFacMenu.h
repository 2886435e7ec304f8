#pragma once
// Main window of the register. Identifies the workstation, opens the session for its user
// and company on the first activation, keeps the working date, and ends the session (and
// the program) when it closes.
#include "session.h"

#include <QDialog>
#include <QMainWindow>
#include <QMap>
#include <QSqlRecord>
#include <QUrl>
#include <functional>
#include <memory>

class QAbstractButton;
class QTabWidget;

namespace Ui {
class TFACFMENU;
}

namespace falq {

class Upgrader;

// How a menu entry opens its window: the window, and the report forms it prints with
// (created before the window, freed after it).
struct WindowOpener {
    std::function<QDialog*(QWidget* parent)> window;
    std::function<QList<QObject*>()> reports;
};

class TFACFMENU : public QMainWindow {
    Q_OBJECT
public:
    explicit TFACFMENU(Session& session, QWidget* parent = nullptr);
    ~TFACFMENU() override;

    // Where the credential library is loaded from (default: beside the program).
    void setCredentialLibraryPath(const QString& path) { m_credentialLibrary = path; }

    // Runs on every activation; the first one opens the session.
    void FormActivate();
    // Opens the session for the workstation's company and user.
    bool MudEmpr();
    // Writes the session row, unless one exists already. False (the start-up stops) when it
    // cannot be written.
    bool CreateParamTmp();
    // The calendar's handler: sets the working date and year and colours the date panel.
    void Edit_DataChange();

    // Plugs a window into a menu entry (and its page button). Entries without one do nothing.
    void registerWindow(const QString& component, const WindowOpener& opener);
    // The one way every window is opened: report forms, window shown modally, window freed,
    // report forms freed; then the main window is activated again.
    void openWindow(const WindowOpener& opener);
    // Runs a menu entry by its component name (AEmpresaeData1, TAB001, ...).
    void openEntry(const QString& component);
    // Opens documents and web pages (the desktop's programs; tests put a recorder here).
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { m_openUrl = std::move(opener); }
    Upgrader* upgrader() const { return m_upgrader; }
    // Where the statistics dashboard lives: its notebook (NB0), the menu notebook (whose last
    // page, "Fotos", holds the dashboard's viewer) and its switch (BotActive).
    QTabWidget* dashboardNotebook() const;
    QTabWidget* menuNotebook() const;
    QAbstractButton* dashboardSwitch() const;

    int activationCount() const { return m_activations; }
    bool programEnded() const { return m_ended; }
    bool sessionOpen() const { return m_session.modulesExist(); }
    // True when the date panel shows the warning colour.
    bool datePanelWarns() const;

signals:
    void programEnding();
    // The main window closes: the session's connections are about to end.
    void sessionClosing();

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void FormClose();
    // Records why the start-up stops; endProgram() then shows it and ends the program.
    bool fail(const QString& message, bool beep);
    void endProgram();
    bool openSession();
    bool readWorkstationFiles();
    bool connectGeneral();
    bool openParamUtil();
    bool cleanNullNumbers();
    void buildMenu();
    void applyMenuRights();
    bool checkDatabaseVersion();
    void showAdministratorControls();
    bool runUpdateCheck();
    void BotPassordClick();
    void BotBuscaClick();
    void openNotesDocument();

    std::unique_ptr<Ui::TFACFMENU> ui;
    Session& m_session;
    QString m_credentialLibrary;
    QSqlRecord m_paramUtil; // the workstation's PARAMUTIL row (empty when none)
    bool m_hasParamUtil = false;
    int m_activations = 0;
    bool m_inActivate = false;
    bool m_ended = false;
    QString m_failure;
    bool m_failureBeeps = false;
    bool m_closed = false;
    // The session reached its row (written, or found from another workstation of the same
    // user): closing deletes it. A start-up that stops before leaves every row alone.
    bool m_sessionRowReached = false;
    QMap<QString, WindowOpener> m_openers;
    std::function<bool(const QUrl&)> m_openUrl;
    Upgrader* m_upgrader = nullptr;
};

} // namespace falq
