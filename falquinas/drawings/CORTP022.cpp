#include "CORTP022.h"

#include "connections.h"
#include "dataset.h"
#include "drawingcriteria.h"
#include "drawingreports.h"
#include "drawingrules.h"
#include "viewerwindow.h"

#include "ui_CORTP022.h"

namespace falq {

namespace {
ListingKind drawingListing() {
    ListingKind k{drawings::kind()};
    k.exportColumns = {"DESENHONRO", "LARGURA",    "COMPRIM",      "ALTURA",      "COMP_PLACA",
                       "LARG_PLACA", "DATA",       "QUANTID",      "CARTAO",      "CLIENTE",
                       "SIGLACLI",   "REFERENCIA", "MAQUINA",      "CORTANTENRO", "DESENHADOR",
                       "VNDNRO",     "DIR_CANAL",  "GOLPES_CAIXA", "VISTA",       "FORNECEDOR",
                       "SIGLAFORN",  "DATAPEDIDA", "MAQUINA_DES",  "CARTAO_DES",  "DESENHADOR_DES",
                       "VNDNOME"};
    k.detail = drawings::detailColumns();
    return k;
}
} // namespace

TCORTF022::TCORTF022(Session& session, QWidget* parent)
    : ListingWindow(session, drawingListing(), parent), ui(std::make_unique<Ui::TCORTF022>()),
      m_page(new DrawingCriteriaPage(session, this)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF022"));
    setUpParts({m_page, ui->criteriaLayout, ui->DBGrid1, ui->DBGrid3, ui->RadSimples,
                ui->RadCompleta, ui->ChkImpFoto, ui->BitPrint, ui->BotExcel, ui->BitTerminar,
                ui->NB1, ui->previewLayout, ui->documentsLayout, ui->DBGrid2});
}

TCORTF022::~TCORTF022() = default;

drawings::SearchCriteria TCORTF022::criteria() const {
    return m_page->criteria();
}

SearchStatement TCORTF022::selection() const {
    return drawings::searchStatement(criteria(),
                                     SqlDialect::forDatabase(QSqlDatabase::database(kDbFalquinas)));
}

reports::Form TCORTF022::reportForm(bool sheet, bool photos) const {
    drawings::DrawingReportOptions o;
    o.criteria = criteria();
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
