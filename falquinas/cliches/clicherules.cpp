#include "clicherules.h"

#include "schema.h"

#include <QHash>

namespace falq {

int columnTextSize(const QString& table, const QString& column) {
    const TableDef* t = schema::findTable(table);
    const ColumnDef* c = t ? t->column(column) : nullptr;
    return c && c->type == ColumnType::Text ? c->size : 0;
}

bool columnNumberRange(const QString& table, const QString& column, qint64* minimum,
                       qint64* maximum) {
    const TableDef* t = schema::findTable(table);
    const ColumnDef* c = t ? t->column(column) : nullptr;
    if (!c)
        return false;
    *minimum = 0;
    switch (c->type) {
    case ColumnType::SmallInt:
        *maximum = 32767;
        return true;
    case ColumnType::Integer:
        *maximum = 2147483647;
        return true;
    default:
        return false;
    }
}

QString sortedListStatement(const QString& table, const QStringList& fields,
                            const QString& sortField) {
    const QString field =
        fields.contains(sortField.toUpper()) ? sortField.toUpper() : fields.first();
    return QStringLiteral("SELECT * FROM ") + table + QStringLiteral("\n      Order By ") + field;
}

QList<SearchColumn> gridSearches(const QStringList& sortFields) {
    static const QHash<QString, QString> items = {
        {"CLICHENRO", "Procurar por Cliché"},      {"DESENHONRO", "Procurar por Desenho"},
        {"CORTANTENRO", "Procurar por Cortante"},  {"SIGLACLI", "Procurar por Cliente"},
        {"PRODNRO", "Procurar por Produto"},       {"REFERENCIA", "Procurar por Referência"},
        {"FORNSIGLA", "Procurar por Fornecedor"},  {"LARG_PLACA", "Procurar por Larg.Placa"},
        {"COMP_PLACA", "Procurar por Compr.Placa"}};
    QList<SearchColumn> searches;
    for (const QString& field : sortFields)
        searches << SearchColumn{field, items.value(field.toUpper())};
    return searches;
}

} // namespace falq

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

QString typedNumber(const QString& text) {
    return text.left(12);
}

int textSize(const QString& column) {
    return columnTextSize(kTable, column);
}

bool numberRange(const QString& column, qint64* minimum, qint64* maximum) {
    return columnNumberRange(kTable, column, minimum, maximum);
}

bool parseDate(const QString& text, QVariant* value) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *value = QVariant(QMetaType::fromType<QDateTime>());
        return true;
    }
    static const QStringList formats = {"dd/MM/yyyy",    "d/M/yyyy",         "dd-MM-yyyy",
                                        "d-M-yyyy",      "dd/MM/yyyy hh:mm", "dd/MM/yyyy hh:mm:ss",
                                        "d/M/yyyy h:mm", "d/M/yyyy h:mm:ss"};
    for (const QString& f : formats) {
        const QDateTime d = QDateTime::fromString(t, f);
        if (d.isValid() && d.date().year() >= 1753) {
            *value = d;
            return true;
        }
    }
    return false;
}

QString dateText(const QVariant& value) {
    if (value.isNull())
        return {};
    const QDateTime d = value.toDateTime();
    if (!d.isValid())
        return {};
    return d.time() == QTime(0, 0) ? d.toString(QStringLiteral("dd/MM/yyyy"))
                                   : d.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}

} // namespace falq::cliches
