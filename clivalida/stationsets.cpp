#include "stationsets.h"

#include "connections.h"
#include "dataset.h"

namespace falq::station {

QString clicheStatement(bool oneNumber) {
    return QStringLiteral(
               "SELECT CLI.CLICHENRO, CLI.CORTANTENRO, CLI.SIGLACLI, CLI.PRODNRO, CLI.REFERENCIA,"
               " CLI.FORNSIGLA, CLI.CLINRO, CLI.FORNECEDOR, CLI.REFER_FORN, CLI.CODBARRAS,"
               " CLI.MODELO, CLI.MAQUINA, CLI.COR_01, CLI.COR_02, CLI.COR_03, CLI.COR_04,"
               " CLI.COR_05, CLI.COR_06, CLI.DATA, CLI.OBSERV1, CLI.OBSERV2, CLI.FICHASETUP,"
               " COALESCE(MDL.DESIGNACAO, '') AS MODELO_DES,"
               " COALESCE(MAQ.DESIGNACAO, '') AS MAQUINA_DES"
               " FROM CLICHES CLI"
               " LEFT JOIN MODELOS MDL ON MDL.CODIGO = CLI.MODELO"
               " LEFT JOIN MAQUINAS MAQ ON MAQ.CODIGO = CLI.MAQUINA"
               " WHERE CLI.UTILIZA = 'S'") +
           (oneNumber ? QStringLiteral(" AND CLI.CLICHENRO = ") + kClicheParam : QString()) +
           QStringLiteral(" ORDER BY CLICHENRO");
}

QString drawingStatement(bool oneNumber) {
    return QStringLiteral(
               "SELECT DES.DESENHONRO, DES.COMPRIM, DES.LARGURA, DES.ALTURA, DES.LARG_PLACA,"
               " DES.COMP_PLACA, DES.DATA, DES.QUANTID, DES.CARTAO, DES.CLIENTE, DES.SIGLACLI,"
               " DES.REFERENCIA, DES.MAQUINA, DES.CORTANTENRO, DES.DESENHADOR, DES.VNDNRO,"
               " DES.VNDNOME, DES.DIR_CANAL, DES.GOLPES_CAIXA, DES.VISTA, DES.FORNECEDOR,"
               " DES.SIGLAFORN, DES.DATAPEDIDA,"
               " COALESCE(DSN.NOME, '') AS DESENHADOR_DES,"
               " COALESCE(MAQ.DESIGNACAO, '') AS MAQUINA_DES,"
               " COALESCE(CRT.DESIGNACAO, '') AS CARTAO_DES"
               " FROM DESENHOS DES"
               " LEFT JOIN DESENHADORES DSN ON DSN.CODIGO = DES.DESENHADOR"
               " LEFT JOIN MAQUINAS MAQ ON MAQ.CODIGO = DES.MAQUINA"
               " LEFT JOIN CARTOES CRT ON CRT.CODIGO = DES.CARTAO"
               " WHERE DES.UTILIZA = 'S'") +
           (oneNumber ? QStringLiteral(" AND DES.DESENHONRO = ") + kDrawingParam : QString()) +
           QStringLiteral(" ORDER BY DESENHONRO");
}

Dataset* createClicheSet(bool oneNumber, QObject* parent) {
    // The key names the rows for reading in pages; the station never applies anything.
    auto* set = new Dataset(QStringLiteral("CLICHES"), kDbFalquinas, clicheStatement(oneNumber),
                            UpdateObject{QStringLiteral("CLICHES"), {kClicheNumber}, {}}, parent);
    set->setPresentation({{QStringLiteral("SIGLACLI"), QStringLiteral("Cliente")},
                          {QStringLiteral("FORNSIGLA"), QStringLiteral("Fornecedor")},
                          {QStringLiteral("PRODNRO"), QStringLiteral("Produto Nº")},
                          {QStringLiteral("REFERENCIA"), QStringLiteral("Referência")}});
    return set;
}

Dataset* createDrawingSet(bool oneNumber, QObject* parent) {
    auto* set = new Dataset(QStringLiteral("DESENHOS"), kDbFalquinas, drawingStatement(oneNumber),
                            UpdateObject{QStringLiteral("DESENHOS"), {kDrawingNumber}, {}}, parent);
    set->setPresentation({{QStringLiteral("SIGLACLI"), QStringLiteral("Cliente")},
                          {QStringLiteral("SIGLAFORN"), QStringLiteral("Fornecedor")},
                          {QStringLiteral("DIR_CANAL"), QStringLiteral("Canal")},
                          {QStringLiteral("GOLPES_CAIXA"), QStringLiteral("Golpes")},
                          {QStringLiteral("VISTA"), QStringLiteral("Vista")},
                          {QStringLiteral("REFERENCIA"), QStringLiteral("Referência")}});
    return set;
}

QList<SearchColumn> clicheSearchColumns() {
    return {{kClicheNumber, QStringLiteral("Cliché Nº")},
            {QStringLiteral("PRODNRO"), QStringLiteral("Produto")},
            {QStringLiteral("SIGLACLI"), QStringLiteral("Cliente")}};
}

QList<int> clicheSearchWidths() {
    return {13, 8, 15};
}

QList<SearchColumn> drawingSearchColumns() {
    return {{kDrawingNumber, QStringLiteral("Desenho Nº")},
            {QStringLiteral("SIGLACLI"), QStringLiteral("Cliente")},
            {QStringLiteral("LARGURA"), QStringLiteral("Largura")},
            {QStringLiteral("COMPRIM"), QStringLiteral("Comprim")},
            {QStringLiteral("ALTURA"), QStringLiteral("Altura")},
            {QStringLiteral("LARG_PLACA"), QStringLiteral("Larg. Placa")},
            {QStringLiteral("COMP_PLACA"), QStringLiteral("Comp. Placa")}};
}

QList<int> drawingSearchWidths() {
    return {20, 15, 10, 10, 10, 10, 10};
}

QString typedClicheNumber(const QString& typed) {
    return typed.left(kClicheNumberSize);
}

} // namespace falq::station
