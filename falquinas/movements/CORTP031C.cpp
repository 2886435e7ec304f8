#include "CORTP031C.h"

#include "session.h"

#include "ui_CORTP031C.h"

namespace falq {

TCORTF031C::TCORTF031C(Session& session, QWidget* parent)
    : PurchasesWindow(session, parent), ui(std::make_unique<Ui::TCORTF031C>()) {
    ui->setupUi(this);
    setUpListing(
        {{QStringLiteral("DESENHONRO"), QStringLiteral("Desenho Nº")},
         {QStringLiteral("CLICHENRO"), QStringLiteral("Cliché Nº")},
         {QStringLiteral("TIPO"), QStringLiteral("Tipo")},
         {QStringLiteral("ENCNRO"), QStringLiteral("Requisão Nº")},
         {QStringLiteral("DATENC"), QStringLiteral("Dat.Requis."), false,
          QStringLiteral("dd/MM/yyyy")},
         {QStringLiteral("FACNRO"), QStringLiteral("Factura Nº")},
         {QStringLiteral("FACDATA"), QStringLiteral("Data Fact."), false,
          QStringLiteral("dd/MM/yyyy")},
         {QStringLiteral("FORNSIGLA"), QStringLiteral("Fornecedor")},
         {QStringLiteral("TIPOREG"), QStringLiteral("TP")},
         {QStringLiteral("VALOR"), QStringLiteral("Valor"), false, QStringLiteral("currency")},
         {QStringLiteral("ADEBITAR_CLIENTE"), QStringLiteral("D.Cli."), true}},
        PictureViewer::Photo);
    connect(ui->BotPrint, &QPushButton::clicked, this, &TCORTF031C::BotPrintClick);
}

TCORTF031C::~TCORTF031C() = default;

void TCORTF031C::applyDefaults() {
    const QDate today = m_session.context().workingDate;
    setDates(today, today);
    setPatterns(QStringLiteral("%"));
    ui->RadAmbosTipo->setChecked(true);
    ui->RadAmbosObjecto->setChecked(true);
}

void TCORTF031C::BotPrintClick() {
    // Asked for: a list that cannot be read says why again.
    tellNextFailure();
    if (rebuild())
        previewList(movements::PurchasesList::Register, movements::TotalsOrder::Alphabetic,
                    ui->ChkImpFoto->isChecked());
}

} // namespace falq
