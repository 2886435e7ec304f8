#pragma once
// Main window of the administration utility: users and their access rights per company. It
// asks for the company when it is first shown and whenever the company changes, and opens
// the users and rights windows on that company's main database.
#include "admindata.h"

#include <QMainWindow>
#include <memory>

class QDialog;

namespace Ui {
class TFALQADMIN;
}

namespace falq {

class TFALQADMIN : public QMainWindow {
    Q_OBJECT
public:
    explicit TFALQADMIN(AdminSession& session, QWidget* parent = nullptr);
    ~TFALQADMIN() override;

    // "&A - Mudar de Empresa", also run when the window is first shown: the company window,
    // then the chosen (or the kept) company's main database. Ends the program when the user
    // ends it there, or closes that window before any company was chosen.
    void MudarEmpresa();
    void UtilizadoresClick();
    void AcessosClick();

    bool programEnded() const { return m_ended; }
    // True while the company window is being asked (tests wait for it).
    bool choosingCompany() const { return m_choosing; }

signals:
    void programEnding();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void openWindow(QDialog* window);
    void endProgram();

    std::unique_ptr<Ui::TFALQADMIN> ui;
    AdminSession& m_session;
    bool m_shown = false;
    bool m_ended = false;
    bool m_choosing = false;
};

} // namespace falq
