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
    b.addTextRange(QStringLiteral("DES.DESENHONRO"), QStringLiteral(":WDesenho1"), c.drawingFrom,
                   QStringLiteral(":WDesenho2"), c.drawingTo);
    b.addTextRange(QStringLiteral("DES.CORTANTENRO"), QStringLiteral(":WCortante1"), c.dieFrom,
                   QStringLiteral(":WCortante2"), c.dieTo);
    const struct {
        const char* column;
        const char* low;
        qint64 from;
        const char* high;
        qint64 to;
    } ranges[] = {
        {"DES.DESENHADOR", ":WDesenhador1", c.designerFrom, ":WDesenhador2", c.designerTo},
        {"DES.CARTAO", ":WCartao1", c.boardFrom, ":WCartao2", c.boardTo},
        {"DES.CLIENTE", ":WCliNro1", c.clientFrom, ":WCliNro2", c.clientTo},
        {"DES.FORNECEDOR", ":WFrnNro1", c.supplierFrom, ":WFrnNro2", c.supplierTo},
        {"DES.VNDNRO", ":WVndNro1", c.salesmanFrom, ":WVndNro2", c.salesmanTo},
        {"DES.MAQUINA", ":WMaquina1", c.machineFrom, ":WMaquina2", c.machineTo},
        {"DES.LARG_PLACA", ":WLarg_Placa1", c.boardWidthFrom, ":WLarg_Placa2", c.boardWidthTo},
        {"DES.COMP_PLACA", ":WCompr_Placa1", c.boardLengthFrom, ":WCompr_Placa2", c.boardLengthTo},
        {"DES.LARGURA", ":WLargura1", c.widthFrom, ":WLargura2", c.widthTo},
        {"DES.COMPRIM", ":WCompr1", c.lengthFrom, ":WCompr2", c.lengthTo},
        {"DES.ALTURA", ":WAltura1", c.heightFrom, ":WAltura2", c.heightTo},
    };
    for (const auto& r : ranges)
        b.addNumberRange(QLatin1String(r.column), QLatin1String(r.low), r.from,
                         QLatin1String(r.high), r.to);
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
