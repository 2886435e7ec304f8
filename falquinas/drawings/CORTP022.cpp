#include "CORTP022.h"

#include "connections.h"
#include "dataset.h"
#include "drawingranges.h"
#include "drawingreports.h"
#include "viewerwindow.h"

#include "ui_CORTP022.h"

namespace falq {

namespace {
ListingKind drawingListing() {
    ListingKind k;
    k.table = QStringLiteral("DESENHOS");
    k.numberField = QStringLiteral("DESENHONRO");
    k.chapter = QStringLiteral("Desenhos");
    k.columns = {
        {"DESENHONRO", "Desenho nº"}, {"CORTANTENRO", "Cortante"}, {"SIGLACLI", "Cliente"},
        {"REFERENCIA", "Referência"}, {"CARTAO_DES", "Cartão"},    {"SIGLAFORN", "Fornecedor"},
        {"COMPRIM", "Compr."},        {"LARGURA", "Larg."},        {"ALTURA", "Altura"},
        {"LARG_PLACA", "Lg.Placa"},   {"COMP_PLACA", "Cp.Placa"}};
    k.exportColumns = {"DESENHONRO", "LARGURA",    "COMPRIM",      "ALTURA",      "COMP_PLACA",
                       "LARG_PLACA", "DATA",       "QUANTID",      "CARTAO",      "CLIENTE",
                       "SIGLACLI",   "REFERENCIA", "MAQUINA",      "CORTANTENRO", "DESENHADOR",
                       "VNDNRO",     "DIR_CANAL",  "GOLPES_CAIXA", "VISTA",       "FORNECEDOR",
                       "SIGLAFORN",  "DATAPEDIDA", "MAQUINA_DES",  "CARTAO_DES",  "DESENHADOR_DES",
                       "VNDNOME"};
    k.exportTitle = QStringLiteral("Tabela de Desenhos");
    return k;
}
} // namespace

TCORTF022::TCORTF022(Session& session, QWidget* parent)
    : ListingWindow(session, drawingListing(), parent), ui(std::make_unique<Ui::TCORTF022>()) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF022"));
    setUpParts({ui->criteriaLayout, ui->DBGrid1, ui->DBGrid3, ui->RadSimples, ui->RadCompleta,
                ui->ChkImpFoto, ui->BitPrint, ui->BotExcel, ui->BitTerminar, ui->NB1,
                ui->previewLayout, ui->documentsLayout});
}

TCORTF022::~TCORTF022() = default;

void TCORTF022::setCriteria(const drawings::SearchCriteria& criteria) {
    m_criteria = criteria;
    if (list()->isOpen())
        OpenList();
}

QString TCORTF022::refusedRange() const {
    return drawings::refusedRange(m_criteria, QSqlDatabase::database(kDbFalquinas));
}

SearchStatement TCORTF022::selection() const {
    return drawings::searchStatement(m_criteria,
                                     SqlDialect::forDatabase(QSqlDatabase::database(kDbFalquinas)));
}

reports::Form TCORTF022::reportForm(bool sheet, bool photos) const {
    drawings::DrawingReportOptions o;
    o.criteria = m_criteria;
    o.photos = photos;
    o.images = images();
    return sheet ? drawings::drawingSheetForm(o) : drawings::drawingListForm(o);
}

void TCORTF022::showViewer(const QString& imagePath) {
    TDesenhoViewer viewer(imagePath, fieldsOf(list()), this);
    viewer.setObjectName(QStringLiteral("TCORTF022DESENHO"));
    viewer.exec();
}

} // namespace falq
