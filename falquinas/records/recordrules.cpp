#include "recordrules.h"

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

bool parseDateBox(const QString& text, QVariant* value) {
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

QString dateBoxText(const QVariant& value) {
    if (value.isNull())
        return {};
    const QDateTime d = value.toDateTime();
    if (!d.isValid())
        return {};
    return d.time() == QTime(0, 0) ? d.toString(QStringLiteral("dd/MM/yyyy"))
                                   : d.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}

} // namespace falq
