#include "FALQADMINEMPRESA.h"

#include "connections.h"
#include "entertab.h"

#include "ui_FALQADMINEMPRESA.h"

#include <QCloseEvent>
#include <QHeaderView>

namespace falq {

namespace {
const QString kChooseCompany = QStringLiteral("Seleccione a Empresa !!!");
const QString kNoMainDatabase = QStringLiteral("Base Dados Falquinas Inexistente !!!");
constexpr int kLowestCompany = 1;
constexpr int kHighestCompany = 9999;
} // namespace

TFALQADMINEMPRESA::TFALQADMINEMPRESA(AdminSession& session, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TFALQADMINEMPRESA>()), m_session(session) {
    ui->setupUi(this);
    connect(ui->BotSelec, &QPushButton::clicked, this, &TFALQADMINEMPRESA::BotSelecClick);
    connect(ui->BotTerminar, &QPushButton::clicked, this, &TFALQADMINEMPRESA::BotTerminarClick);
    ui->DBGridEmpresas->verticalHeader()->hide();
    ui->DBGridEmpresas->horizontalHeader()->setStretchLastSection(true);
    EnterAsTab::install(this);
}

TFALQADMINEMPRESA::~TFALQADMINEMPRESA() {
    FormClose();
}

bool TFALQADMINEMPRESA::openCompanies(QString* error) {
    if (!connectGeneral(m_session, error))
        return false;
    m_empresas = std::make_unique<Dataset>(
        QStringLiteral("EMPRESAS"), kAdminGeral, QStringLiteral("SELECT * FROM EMPRESAS"),
        UpdateObject{QStringLiteral("EMPRESAS"), {"EMPNRO"}, {}});
    m_empresas->setPresentation({{QStringLiteral("EMPNRO"), QStringLiteral("Emp. Nº")},
                                 {QStringLiteral("NOME"), QStringLiteral("Nome da Empresa")}});
    if (!m_empresas->open(error)) {
        FormClose();
        return false;
    }
    m_empresas->fetchAll();
    ui->DBGridEmpresas->setModel(m_empresas.get());
    m_empresas->presentIn(ui->DBGridEmpresas);
    connect(ui->DBGridEmpresas->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { m_empresas->setCurrentRow(current.row()); });
    if (!m_empresas->isEmpty())
        ui->DBGridEmpresas->selectRow(0);
    ui->DBGridEmpresas->setFocus();
    return true;
}

void TFALQADMINEMPRESA::BotSelecClick() {
    const bool onRow = m_empresas && m_empresas->currentRow() >= 0;
    const int number = onRow ? m_empresas->fieldValue(QStringLiteral("EMPNRO")).toInt() : 0;
    if (number < kLowestCompany || number > kHighestCompany) {
        m_session.messages().show(kChooseCompany);
        return;
    }
    AdminCompany company;
    company.number = number;
    company.name = m_empresas->fieldValue(QStringLiteral("NOME")).toString();
    company.mainAlias = m_empresas->fieldValue(QStringLiteral("BDESPECIF02")).toString().trimmed();
    if (company.mainAlias.isEmpty()) {
        m_session.messages().show(kNoMainDatabase, true);
        return;
    }
    m_chosen = company;
    m_outcome = Outcome::Chosen;
    close();
}

void TFALQADMINEMPRESA::BotTerminarClick() {
    m_outcome = Outcome::Ended;
    close();
}

void TFALQADMINEMPRESA::closeEvent(QCloseEvent* e) {
    FormClose();
    e->accept();
    QDialog::closeEvent(e);
}

void TFALQADMINEMPRESA::FormClose() {
    // The companies are read and the general connection is not kept.
    m_empresas.reset();
    closeConnection(kAdminGeral);
}

} // namespace falq
