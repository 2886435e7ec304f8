#include "CORTP022.h"

#include "dataset.h"
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

bool TCORTF022::checkCriteria() {
    return true; // the default criteria
}

ListingSelection TCORTF022::selection() const {
    // Every valid drawing whose machine, board and designer exist, by number (the default
    // criteria).
    return {QStringLiteral(
                "SELECT DES.DESENHONRO,DES.COMPRIM,DES.LARGURA,DES.ALTURA,DES.LARG_PLACA,"
                "DES.COMP_PLACA,\n"
                "       DES.DATA,DES.QUANTID,DES.CARTAO,DES.CLIENTE,DES.SIGLACLI,DES.REFERENCIA,\n"
                "       DES.MAQUINA,DES.CORTANTENRO,DES.DESENHADOR,DES.VNDNRO,DES.VNDNOME,\n"
                "       DES.DIR_CANAL,DES.GOLPES_CAIXA,DES.VISTA,DES.FORNECEDOR,DES.SIGLAFORN,\n"
                "       DES.DATAPEDIDA,DES.UTILIZA,MAQ.DESIGNACAO AS MAQUINA_DES,\n"
                "       CART.DESIGNACAO AS CARTAO_DES,DESEN.NOME AS DESENHADOR_DES\n"
                "From DESENHOS DES\n"
                "JOIN MAQUINAS MAQ ON MAQ.CODIGO=DES.MAQUINA\n"
                "JOIN CARTOES CART ON CART.CODIGO=DES.CARTAO\n"
                "JOIN DESENHADORES DESEN ON DES.DESENHADOR=DESEN.CODIGO\n"
                "WHERE DES.UTILIZA='S'\n"
                "Order BY DESENHONRO"),
            {}};
}

reports::Form TCORTF022::reportForm(bool sheet, bool photos) const {
    drawings::DrawingReportOptions o;
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
