#pragma once
// Company selection of the administration utility: the companies of the general database;
// "&Selec." chooses the one under the cursor, "&Terminar" ends the program, the window's
// close box leaves the choice to the main window (keep the company it had).
#include "admindata.h"

#include <QDialog>
#include <memory>

namespace Ui {
class TFALQADMINEMPRESA;
}

namespace falq {

class TFALQADMINEMPRESA : public QDialog {
    Q_OBJECT
public:
    enum class Outcome { Closed, Chosen, Ended };

    explicit TFALQADMINEMPRESA(AdminSession& session, QWidget* parent = nullptr);
    ~TFALQADMINEMPRESA() override;

    // Connects the general database and reads the companies; false with the reason.
    bool openCompanies(QString* error);

    Outcome outcome() const { return m_outcome; }
    const AdminCompany& chosen() const { return m_chosen; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void BotSelecClick();
    void BotTerminarClick();
    void FormClose();

    std::unique_ptr<Ui::TFALQADMINEMPRESA> ui;
    AdminSession& m_session;
    std::unique_ptr<Dataset> m_empresas;
    Outcome m_outcome = Outcome::Closed;
    AdminCompany m_chosen;
};

} // namespace falq
