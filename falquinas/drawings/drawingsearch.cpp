#include "drawingsearch.h"

#include "drawingrules.h"

namespace falq::drawings {

namespace {
const QString kNumber = QStringLiteral("DESENHONRO");

const QString kSelect = QStringLiteral(
    "SELECT DES.DESENHONRO, DES.COMPRIM, DES.LARGURA, DES.ALTURA, DES.LARG_PLACA,\n"
    "       DES.COMP_PLACA, DES.DATA, DES.QUANTID, DES.CARTAO, DES.CLIENTE, DES.SIGLACLI,\n"
    "       DES.REFERENCIA, DES.MAQUINA, DES.CORTANTENRO, DES.DESENHADOR, DES.VNDNRO,\n"
    "       DES.VNDNOME, DES.DIR_CANAL, DES.GOLPES_CAIXA, DES.VISTA, DES.FORNECEDOR,\n"
    "       DES.SIGLAFORN, DES.DATAPEDIDA, DES.UTILIZA, MAQ.DESIGNACAO AS MAQUINA_DES,\n"
    "       CART.DESIGNACAO AS CARTAO_DES, DESEN.NOME AS DESENHADOR_DES\n"
    "FROM DESENHOS DES\n"
    "JOIN MAQUINAS MAQ ON MAQ.CODIGO = DES.MAQUINA\n"
    "JOIN CARTOES CART ON CART.CODIGO = DES.CARTAO\n"
    "JOIN DESENHADORES DESEN ON DES.DESENHADOR = DESEN.CODIGO");
} // namespace

const QList<SearchColumn>& detailColumns() {
    static const QList<SearchColumn> columns = {
        {"DESENHADOR_DES", "Desenhador"}, {"CARTAO_DES", "Cartão"}, {"MAQUINA_DES", "Máquina"}};
    return columns;
}

QString sortColumn(SearchSort sort) {
    switch (sort) {
    case SearchSort::Drawing:
        break;
    case SearchSort::Die:
        return QStringLiteral("CORTANTENRO");
    case SearchSort::Reference:
        return QStringLiteral("REFERENCIA");
    case SearchSort::Client:
        return QStringLiteral("SIGLACLI");
    case SearchSort::Supplier:
        return QStringLiteral("SIGLAFORN");
    }
    return kNumber;
}

SearchStatement searchStatement(const SearchCriteria& c, const SqlDialect& dialect) {
    SearchBuilder b(dialect);
    b.addFixed(QStringLiteral("DES.UTILIZA = 'S'"));
    const SearchCriteria d; // the defaults
    b.addTextRange(QStringLiteral("DES.DESENHONRO"), QStringLiteral(":WDesenho1"), c.drawingFrom,
                   d.drawingFrom, QStringLiteral(":WDesenho2"), c.drawingTo, d.drawingTo);
    b.addTextRange(QStringLiteral("DES.CORTANTENRO"), QStringLiteral(":WCortante1"), c.dieFrom,
                   d.dieFrom, QStringLiteral(":WCortante2"), c.dieTo, d.dieTo);
    b.addNumberRanges({
        {"DES.DESENHADOR", ":WDesenhador1", c.designerFrom, d.designerFrom, ":WDesenhador2",
         c.designerTo, d.designerTo},
        {"DES.CARTAO", ":WCartao1", c.boardFrom, d.boardFrom, ":WCartao2", c.boardTo, d.boardTo},
        {"DES.CLIENTE", ":WCliNro1", c.clientFrom, d.clientFrom, ":WCliNro2", c.clientTo,
         d.clientTo},
        {"DES.FORNECEDOR", ":WFrnNro1", c.supplierFrom, d.supplierFrom, ":WFrnNro2", c.supplierTo,
         d.supplierTo},
        {"DES.VNDNRO", ":WVndNro1", c.salesmanFrom, d.salesmanFrom, ":WVndNro2", c.salesmanTo,
         d.salesmanTo},
        {"DES.MAQUINA", ":WMaquina1", c.machineFrom, d.machineFrom, ":WMaquina2", c.machineTo,
         d.machineTo},
        {"DES.LARG_PLACA", ":WLarg_Placa1", c.boardWidthFrom, d.boardWidthFrom, ":WLarg_Placa2",
         c.boardWidthTo, d.boardWidthTo},
        {"DES.COMP_PLACA", ":WCompr_Placa1", c.boardLengthFrom, d.boardLengthFrom, ":WCompr_Placa2",
         c.boardLengthTo, d.boardLengthTo},
        {"DES.LARGURA", ":WLargura1", c.widthFrom, d.widthFrom, ":WLargura2", c.widthTo, d.widthTo},
        {"DES.COMPRIM", ":WCompr1", c.lengthFrom, d.lengthFrom, ":WCompr2", c.lengthTo, d.lengthTo},
        {"DES.ALTURA", ":WAltura1", c.heightFrom, d.heightFrom, ":WAltura2", c.heightTo,
         d.heightTo},
    });
    const struct {
        const char* column;
        const char* param;
        const QString& pattern;
    } patterns[] = {
        {"DES.REFERENCIA", ":WReferencia", c.referencePattern},
        {"DES.SIGLACLI", ":WCliNome", c.clientPattern},
        {"DES.SIGLAFORN", ":WFrnNome", c.supplierPattern},
        {"DES.VNDNOME", ":WVndNome", c.salesmanPattern},
        {"CART.DESIGNACAO", ":WCartaoDes", c.boardPattern},
        {"MAQ.DESIGNACAO", ":WMaquinaDes", c.machinePattern},
        {"DESEN.NOME", ":WDesenhadorNome", c.designerPattern},
    };
    for (const auto& p : patterns)
        b.addPattern(QLatin1String(p.column), QLatin1String(p.param), p.pattern);
    if (c.direction != Direction::Both)
        b.addEquals(QStringLiteral("DES.DIR_CANAL"), QStringLiteral(":WDirCanal"),
                    c.direction == Direction::Vertical ? QStringLiteral("V") : QStringLiteral("H"));
    if (c.view != View::Both)
        b.addEquals(QStringLiteral("DES.VISTA"), QStringLiteral(":WVista"),
                    c.view == View::Exterior ? QStringLiteral("E") : QStringLiteral("I"));
    return b.statement(kSelect, searchOrder(sortColumn(c.sort), kNumber));
}

QString consultationStatement(const QString& sortField) {
    const QString field =
        sortFields().contains(sortField.toUpper()) ? sortField.toUpper() : kNumber;
    return QStringLiteral("SELECT * FROM DESENHOS WHERE UTILIZA = 'S'\n      Order By ") +
           searchOrder(field, kNumber).join(QStringLiteral(", "));
}

} // namespace falq::drawings
