#include "CORTP032.h"

#include "session.h"

#include "ui_CORTP032.h"

namespace falq {

using namespace movements;

TCORTF032::TCORTF032(Session& session, QWidget* parent)
    : PurchasesWindow(session, parent), ui(std::make_unique<Ui::TCORTF032>()) {
    ui->setupUi(this);
    setUpListing({{QStringLiteral("DESENHONRO"), QStringLiteral("Desenho Nº")},
                  {QStringLiteral("CLICHENRO"), QStringLiteral("Cliché Nº")},
                  {QStringLiteral("TIPO"), QStringLiteral("Tipo")},
                  {QStringLiteral("ENCNRO"), QStringLiteral("Requisão Nº")},
                  {QStringLiteral("DATENC"), QStringLiteral("Data Requis."), false,
                   QStringLiteral("dd/MM/yyyy")},
                  {QStringLiteral("FORNSIGLA"), QStringLiteral("Fornecedor")},
                  {QStringLiteral("TIPOREG"), QStringLiteral("TP")},
                  {QStringLiteral("SIGLACLI"), QStringLiteral("Cliente")}},
                 PictureViewer::Record);
    connect(ui->BotPrint, &QPushButton::clicked, this, &TCORTF032::BotPrintClick);
}

TCORTF032::~TCORTF032() = default;

void TCORTF032::everyActivation() {
    QString error;
    const AccessRights rights =
        m_session.rights(QStringLiteral("Movimentos"), QStringLiteral("Mapa de Custos"), &error);
    m_rightsFailure.report(m_session.messages(), QString(), error);
    ui->BotPrint->setVisible(rights.imprimir);
}

void TCORTF032::applyDefaults() {
    const QDate today = m_session.context().workingDate;
    setDates(QDate(today.year(), 1, 1), today);
    setPatterns(QStringLiteral("%"));
    ui->RadAmbosTipo->setChecked(true);
    ui->RadAmbosObjecto->setChecked(true);
    ui->RadDetalhar->setChecked(true);
    ui->RadAlfabetica->setChecked(true);
    ui->GrpOrdenacao->setVisible(false);
    ui->ChkImpFoto->setVisible(true);
}

void TCORTF032::showOptions() {
    const bool detailed = ui->RadDetalhar->isChecked();
    ui->GrpOrdenacao->setVisible(!detailed);
    ui->ChkImpFoto->setVisible(detailed);
}

void TCORTF032::BotPrintClick() {
    const TotalsOrder order =
        ui->RadValor->isChecked() ? TotalsOrder::Value : TotalsOrder::Alphabetic;
    if (ui->RadTotCliente->isChecked())
        previewList(PurchasesList::ClientTotals, order, false);
    else if (ui->RadTotFornec->isChecked())
        previewList(PurchasesList::SupplierTotals, order, false);
    else
        previewList(PurchasesList::Detailed, order, ui->ChkImpFoto->isChecked());
}

} // namespace falq
