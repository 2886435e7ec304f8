#include "FALQADMIN.h"

#include "FALQADMINACESSOS.h"
#include "FALQADMINEMPRESA.h"
#include "FALQADMINUTIL.h"
#include "connections.h"

#include "ui_FALQADMIN.h"

#include <QCloseEvent>
#include <QScopeGuard>
#include <QStyle>
#include <QTimer>

namespace falq {

TFALQADMIN::TFALQADMIN(AdminSession& session, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TFALQADMIN>()), m_session(session) {
    ui->setupUi(this);
    ui->BotUtilizadores->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    ui->BotAcessos->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    ui->BotTerminar->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    connect(ui->AMudardeEmpresa1, &QAction::triggered, this, &TFALQADMIN::MudarEmpresa);
    connect(ui->BSair1, &QAction::triggered, this, &QWidget::close);
    connect(ui->BotTerminar, &QAction::triggered, this, &QWidget::close);
    connect(ui->BUtilizadores1, &QAction::triggered, this, &TFALQADMIN::UtilizadoresClick);
    connect(ui->BotUtilizadores, &QAction::triggered, this, &TFALQADMIN::UtilizadoresClick);
    connect(ui->CAcessos1, &QAction::triggered, this, &TFALQADMIN::AcessosClick);
    connect(ui->BotAcessos, &QAction::triggered, this, &TFALQADMIN::AcessosClick);
}

TFALQADMIN::~TFALQADMIN() {
    closeConnection(kAdminMain);
}

void TFALQADMIN::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    // Once the window is on the screen, and only while no company has been chosen.
    QTimer::singleShot(0, this, [this] {
        if (!m_session.company().isSet() && !m_ended)
            MudarEmpresa();
    });
}

void TFALQADMIN::MudarEmpresa() {
    if (m_choosing || m_ended)
        return;
    m_choosing = true;
    const auto done = qScopeGuard([this] { m_choosing = false; });
    ui->Label_EmpNom->clear();
    closeConnection(kAdminMain);
    while (true) {
        TFALQADMINEMPRESA window(m_session, this);
        QString error;
        if (window.openCompanies(&error))
            window.exec();
        else
            m_session.messages().show(error, true); // as if closed: the company stays
        AdminCompany company;
        switch (window.outcome()) {
        case TFALQADMINEMPRESA::Outcome::Ended:
            endProgram();
            return;
        case TFALQADMINEMPRESA::Outcome::Closed:
            if (!m_session.company().isSet()) {
                endProgram();
                return;
            }
            company = m_session.company();
            break;
        case TFALQADMINEMPRESA::Outcome::Chosen:
            company = window.chosen();
            break;
        }
        if (connectMain(company.mainAlias, &error)) {
            m_session.setCompany(company);
            ui->Label_EmpNom->setText(company.name);
            return;
        }
        // The alias and the reason; then the company window again.
        m_session.messages().show(error, true);
    }
}

void TFALQADMIN::openWindow(QDialog* window) {
    std::unique_ptr<QDialog> owned(window);
    owned->exec();
}

void TFALQADMIN::UtilizadoresClick() {
    if (m_session.company().isSet())
        openWindow(new TFALQADMINUTIL(m_session, this));
}

void TFALQADMIN::AcessosClick() {
    if (m_session.company().isSet())
        openWindow(new TFALQADMINACESSOS(m_session, this));
}

void TFALQADMIN::endProgram() {
    m_ended = true;
    emit programEnding();
    QTimer::singleShot(0, this, &QWidget::close);
}

void TFALQADMIN::closeEvent(QCloseEvent* e) {
    closeConnection(kAdminMain);
    e->accept();
}

} // namespace falq
