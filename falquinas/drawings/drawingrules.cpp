#include "drawingrules.h"

#include "imagefiles.h"

#include "codenames.h"
#include "recordrules.h"

namespace falq::drawings {

namespace {
const QString kTable = QStringLiteral("DESENHOS");
}

const QStringList& sortFields() {
    static const QStringList fields = {"DESENHONRO", "CORTANTENRO", "SIGLACLI",
                                       "REFERENCIA", "LARG_PLACA",  "COMP_PLACA"};
    return fields;
}

const QList<SearchColumn>& gridColumns() {
    static const QList<SearchColumn> columns = {
        {"DESENHONRO", "Nº Desenho (F1)"}, {"CORTANTENRO", "Cortante  (F2)"},
        {"SIGLACLI", "Cliente  (F3)"},     {"REFERENCIA", "Referência  (F4)"},
        {"LARG_PLACA", "Larg.Pl (F5)"},    {"COMP_PLACA", "Comp.Pl (F6)"}};
    return columns;
}

const RecordKind& kind() {
    static const RecordKind k{kTable,
                              QStringLiteral("DESENHONRO"),
                              20,
                              QStringLiteral("PATHDESENHO"),
                              QStringLiteral("Desenhos"),
                              sortFields(),
                              gridColumns(),
                              {{"DESENHONRO", "Desenho nº"},
                               {"CORTANTENRO", "Cortante"},
                               {"SIGLACLI", "Cliente"},
                               {"REFERENCIA", "Referência"},
                               {"CARTAO_DES", "Cartão"},
                               {"SIGLAFORN", "Fornecedor"},
                               {"COMPRIM", "Compr."},
                               {"LARGURA", "Larg."},
                               {"ALTURA", "Altura"},
                               {"LARG_PLACA", "Lg.Placa"},
                               {"COMP_PLACA", "Cp.Placa"}},
                              QStringLiteral("Tabela de Desenhos"),
                              drawingImagePath};
    return k;
}

QString listStatement(const QString& sortField) {
    return sortedListStatement(kTable, sortFields(), sortField);
}

const QStringList& exportColumns() {
    static const QStringList columns = {
        "DESENHONRO",    "CORTANTENRO", "SIGLACLI",    "REFERENCIA", "LARG_PLACA", "COMP_PLACA",
        "LARGURA",       "COMPRIM",     "ALTURA",      "DATA",       "QUANTID",    "CARTAO",
        "CLIENTE",       "MAQUINA",     "DESENHADOR",  "VNDNRO",     "VNDNOME",    "DIR_CANAL",
        "GOLPES_CAIXA",  "VISTA",       "FORNECEDOR",  "SIGLAFORN",  "DATAPEDIDA", "UTILIZA",
        "ROTACOES_PREV", "PRODNRO",     "COMERCIALNRO"};
    return columns;
}

bool parseQuantity(const QString& text, double* value) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *value = 0;
        return true;
    }
    double v = 0;
    if (!parseDecimal(t, &v) || v < 0 || v > 1e9)
        return false;
    *value = v;
    return true;
}

QString directionWord(const QString& value) {
    return value == QLatin1String("V") ? QStringLiteral("Vertical") : QStringLiteral("Horizontal");
}

QString viewWord(const QString& value) {
    return value == QLatin1String("E") ? QStringLiteral("Exterior") : QStringLiteral("Interior");
}

QString direction(const QString& typed) {
    const QString t = typed.toUpper();
    return t == QLatin1String("V") || t == QLatin1String("H") ? t : QString();
}

QString view(const QString& typed) {
    const QString t = typed.toUpper();
    return t == QLatin1String("E") || t == QLatin1String("I") ? t : QString();
}

} // namespace falq::drawings
