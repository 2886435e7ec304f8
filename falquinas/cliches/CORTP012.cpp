#include "CORTP012.h"

#include "clichereports.h"
#include "connections.h"
#include "dataset.h"
#include "session.h"
#include "viewerwindow.h"

#include "ui_CORTP012.h"

namespace falq {

namespace {
ListingKind clicheListing() {
    ListingKind k;
    k.table = QStringLiteral("CLICHES");
    k.numberField = QStringLiteral("CLICHENRO");
    k.chapter = QStringLiteral("Cliches");
    k.columns = {{"CLICHENRO", "Cliché"},      {"CORTANTENRO", "Cortante"},
                 {"SIGLACLI", "Cliente"},      {"PRODNRO", "Prod.Nº"},
                 {"REFERENCIA", "Referência"}, {"FORNSIGLA", "Fornecedor"},
                 {"REFER_FORN", "Refer.Forn."}};
    k.exportColumns = {"CLICHENRO", "CORTANTENRO", "SIGLACLI",   "PRODNRO",    "REFERENCIA",
                       "FORNSIGLA", "CLINRO",      "FORNECEDOR", "REFER_FORN", "CODBARRAS",
                       "MODELO",    "MAQUINA",     "COR_01",     "COR_02",     "COR_03",
                       "COR_04",    "COR_05",      "COR_06",     "DATA",       "OBSERV1",
                       "OBSERV2",   "FICHASETUP",  "MODELO_DES", "MAQUINA_DES"};
    k.exportTitle = QStringLiteral("Tabela de Clichés");
    return k;
}
} // namespace

TCORTF012::TCORTF012(Session& session, QWidget* parent)
    : ListingWindow(session, clicheListing(), parent), ui(std::make_unique<Ui::TCORTF012>()) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF012"));
    setUpParts({ui->criteriaLayout, ui->DBGrid1, ui->DBGrid3, ui->RadSimples, ui->RadCompleta,
                ui->ChkImpFoto, ui->BitPrint, ui->BotExcel, ui->BitTerminar, ui->NB1,
                ui->previewLayout, ui->documentsLayout});
}

TCORTF012::~TCORTF012() = default;

void TCORTF012::FormActivate() {
    QString error;
    if (!cliches::readColourTexts(QSqlDatabase::database(kDbFalquinas), &m_colours, &error))
        m_session.messages().show(error, true);
}

bool TCORTF012::checkCriteria() {
    return true; // the default criteria
}

ListingSelection TCORTF012::selection() const {
    // Every valid cliché whose model and machine exist, by number (the default criteria).
    return {QStringLiteral(
                "SELECT CLI.CLICHENRO,CLI.CORTANTENRO,CLI.SIGLACLI,CLI.PRODNRO,CLI.REFERENCIA,\n"
                "       CLI.FORNSIGLA,CLI.CLINRO,CLI.FORNECEDOR,CLI.REFER_FORN,CLI.CODBARRAS,\n"
                "       CLI.MODELO,CLI.MAQUINA,CLI.COR_01,CLI.COR_02,CLI.COR_03,CLI.COR_04,"
                "CLI.COR_05,\n"
                "       CLI.COR_06,CLI.DATA,CLI.OBSERV1,CLI.OBSERV2,CLI.FICHASETUP,CLI.UTILIZA,\n"
                "       MOD.DESIGNACAO AS MODELO_DES, MAQ.DESIGNACAO AS MAQUINA_DES\n"
                "FROM CLICHES CLI\n"
                "JOIN MODELOS MOD ON MOD.CODIGO=CLI.MODELO\n"
                "JOIN MAQUINAS MAQ ON MAQ.CODIGO=CLI.MAQUINA\n"
                "WHERE CLI.UTILIZA='S'\n"
                "Order BY CLICHENRO"),
            {}};
}

reports::Form TCORTF012::reportForm(bool sheet, bool photos) const {
    cliches::ClicheReportOptions o;
    o.photos = photos;
    o.images = images();
    o.colours = m_colours;
    return sheet ? cliches::clicheSheetForm(o) : cliches::clicheListForm(o);
}

void TCORTF012::showViewer(const QString& imagePath) {
    TClicheViewer viewer(imagePath, fieldsOf(list()), QSqlDatabase::database(kDbFalquinas), this);
    viewer.setObjectName(QStringLiteral("TCORTF012CLICHE"));
    viewer.exec();
}

} // namespace falq
