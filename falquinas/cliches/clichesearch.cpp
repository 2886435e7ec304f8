#include "clichesearch.h"

#include "clicherules.h"

namespace falq::cliches {

namespace {
const QString kNumber = QStringLiteral("CLICHENRO");

const QString kSelect = QStringLiteral(
    "SELECT CLI.CLICHENRO, CLI.CORTANTENRO, CLI.SIGLACLI, CLI.PRODNRO, CLI.REFERENCIA,\n"
    "       CLI.FORNSIGLA, CLI.CLINRO, CLI.FORNECEDOR, CLI.REFER_FORN, CLI.CODBARRAS,\n"
    "       CLI.MODELO, CLI.MAQUINA, CLI.COR_01, CLI.COR_02, CLI.COR_03, CLI.COR_04, CLI.COR_05,\n"
    "       CLI.COR_06, CLI.DATA, CLI.OBSERV1, CLI.OBSERV2, CLI.FICHASETUP, CLI.UTILIZA,\n"
    "       MOD.DESIGNACAO AS MODELO_DES, MAQ.DESIGNACAO AS MAQUINA_DES\n"
    "FROM CLICHES CLI\n"
    "JOIN MODELOS MOD ON MOD.CODIGO = CLI.MODELO\n"
    "JOIN MAQUINAS MAQ ON MAQ.CODIGO = CLI.MAQUINA");
} // namespace

QString sortColumn(SearchSort sort) {
    switch (sort) {
    case SearchSort::Cliche:
        break;
    case SearchSort::Die:
        return QStringLiteral("CORTANTENRO");
    case SearchSort::Setup:
        return QStringLiteral("FICHASETUP");
    case SearchSort::Product:
        return QStringLiteral("PRODNRO");
    case SearchSort::Client:
        return QStringLiteral("SIGLACLI");
    case SearchSort::Supplier:
        return QStringLiteral("FORNSIGLA");
    }
    return kNumber;
}

SearchStatement searchStatement(const SearchCriteria& c, const SqlDialect& dialect) {
    SearchBuilder b(dialect);
    b.addFixed(QStringLiteral("CLI.UTILIZA = 'S'"));
    const SearchCriteria d; // the defaults
    b.addTextRange(QStringLiteral("CLI.CLICHENRO"), QStringLiteral(":WClicheNro1"), c.clicheFrom,
                   d.clicheFrom, QStringLiteral(":WClicheNro2"), c.clicheTo, d.clicheTo);
    b.addTextRange(QStringLiteral("CLI.CORTANTENRO"), QStringLiteral(":WCortanteNro1"), c.dieFrom,
                   d.dieFrom, QStringLiteral(":WCortanteNro2"), c.dieTo, d.dieTo);
    b.addNumberRanges({
        {"CLI.FICHASETUP", ":WSetup1", c.setupFrom, d.setupFrom, ":WSetup2", c.setupTo, d.setupTo},
        {"CLI.CLINRO", ":WCliNro1", c.clientFrom, d.clientFrom, ":WCliNro2", c.clientTo,
         d.clientTo},
        {"CLI.FORNECEDOR", ":WFrnNro1", c.supplierFrom, d.supplierFrom, ":WFrnNro2", c.supplierTo,
         d.supplierTo},
        {"CLI.MODELO", ":WModelo1", c.modelFrom, d.modelFrom, ":WModelo2", c.modelTo, d.modelTo},
        {"CLI.MAQUINA", ":WMaquina1", c.machineFrom, d.machineFrom, ":WMaquina2", c.machineTo,
         d.machineTo},
    });
    b.addPattern(QStringLiteral("CLI.SIGLACLI"), QStringLiteral(":WCliNome"), c.clientPattern);
    b.addPattern(QStringLiteral("CLI.FORNSIGLA"), QStringLiteral(":WFrnNome"), c.supplierPattern);
    b.addPattern(QStringLiteral("CLI.REFER_FORN"), QStringLiteral(":WReferForn"),
                 c.supplierRefPattern);
    b.addPattern(QStringLiteral("MOD.DESIGNACAO"), QStringLiteral(":WModeloDes"), c.modelPattern);
    b.addPattern(QStringLiteral("MAQ.DESIGNACAO"), QStringLiteral(":WMaquinaDes"),
                 c.machinePattern);
    return b.statement(kSelect, searchOrder(sortColumn(c.sort), kNumber));
}

QString consultationStatement(const QString& sortField) {
    const QString field =
        sortFields().contains(sortField.toUpper()) ? sortField.toUpper() : kNumber;
    return QStringLiteral("SELECT * FROM CLICHES WHERE UTILIZA = 'S'\n      Order By ") +
           searchOrder(field, kNumber).join(QStringLiteral(", "));
}

} // namespace falq::cliches
