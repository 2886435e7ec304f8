#include "clicherules.h"

#include "imagefiles.h"

namespace falq::cliches {

namespace {
const QString kTable = QStringLiteral("CLICHES");
}

const QStringList& sortFields() {
    static const QStringList fields = {"CLICHENRO", "CORTANTENRO", "SIGLACLI",
                                       "PRODNRO",   "REFERENCIA",  "FORNSIGLA"};
    return fields;
}

const QList<SearchColumn>& gridColumns() {
    static const QList<SearchColumn> columns = {
        {"CLICHENRO", "Cliché (F1)"},       {"CORTANTENRO", "Cortante  (F2)"},
        {"SIGLACLI", "Cliente  (F3)"},      {"PRODNRO", "Prod.Nº  (F4)"},
        {"REFERENCIA", "Referência  (F5)"}, {"FORNSIGLA", "Fornecedor  (F6)"}};
    return columns;
}

const RecordKind& kind() {
    static const RecordKind k{kTable,
                              QStringLiteral("CLICHENRO"),
                              12,
                              QStringLiteral("PATHCLICHE"),
                              QStringLiteral("Cliches"),
                              sortFields(),
                              gridColumns(),
                              {{"CLICHENRO", "Cliché"},
                               {"CORTANTENRO", "Cortante"},
                               {"SIGLACLI", "Cliente"},
                               {"PRODNRO", "Prod.Nº"},
                               {"REFERENCIA", "Referência"},
                               {"FORNSIGLA", "Fornecedor"},
                               {"REFER_FORN", "Refer.Forn."}},
                              QStringLiteral("Tabela de Clichés"),
                              clicheImagePath};
    return k;
}

QString listStatement(const QString& sortField) {
    return sortedListStatement(kTable, sortFields(), sortField);
}

const QStringList& exportColumns() {
    static const QStringList columns = {
        "CLICHENRO", "CORTANTENRO", "SIGLACLI",   "PRODNRO",       "REFERENCIA",
        "FORNSIGLA", "UTILIZA",     "CLINRO",     "FORNECEDOR",    "REFER_FORN",
        "CODBARRAS", "MODELO",      "MAQUINA",    "COR_01",        "COR_02",
        "COR_03",    "COR_04",      "COR_05",     "COR_06",        "DATA",
        "OBSERV1",   "OBSERV2",     "FICHASETUP", "ROTACOES_PREV", "COMERCIALNRO"};
    return columns;
}

} // namespace falq::cliches
