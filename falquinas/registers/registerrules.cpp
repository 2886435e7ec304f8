#include "registerrules.h"

#include "codenames.h"
#include "connections.h"
#include "dialect.h"
#include "messages.h"
#include "recordrules.h"
#include "sqlrun.h"

#include <QSqlQuery>

#include <QLocale>

namespace falq::registers {

QString kindCode(ObjectKind kind) {
    return kind == ObjectKind::Drawing ? QStringLiteral("DS") : QStringLiteral("CL");
}

QString otherNumberColumn(ObjectKind kind) {
    return movements::numberColumn(kind == ObjectKind::Drawing ? ObjectKind::Cliche
                                                               : ObjectKind::Drawing);
}

bool findObject(ObjectKind kind, const QString& number, ObjectRow* row, QString* error) {
    const bool drawing = kind == ObjectKind::Drawing;
    QSqlQuery q(QSqlDatabase::database(kDbFalquinas));
    const QString sql =
        drawing ? QStringLiteral("SELECT DESENHONRO, SIGLACLI, FORNECEDOR, SIGLAFORN FROM DESENHOS "
                                 "WHERE DESENHONRO = ?")
                : QStringLiteral("SELECT CLICHENRO, SIGLACLI, FORNECEDOR, FORNSIGLA FROM CLICHES "
                                 "WHERE CLICHENRO = ?");
    if (!runStatement(q, sql, {number}, error))
        return false;
    if (!q.next())
        return false;
    row->number = q.value(0).toString();
    row->clientShort = q.value(1).toString();
    row->supplier = q.value(2).toLongLong();
    row->supplierShort = q.value(3).toString();
    return true;
}

QString clicheNumber(const QString& typed) {
    return typed.left(12);
}

bool parseCount(const QString& table, const QString& column, const QString& text, qint64* value) {
    qint64 minimum = 0, maximum = 0;
    if (!columnNumberRange(table, column, &minimum, &maximum))
        return false;
    if (text.trimmed().isEmpty() || !parseCode(text, minimum, maximum, value))
        return false;
    return *value != 0;
}

QString countRefusal(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const bool noCount = t.isEmpty() || (t.toLongLong(&ok) == 0 && ok);
    return noCount ? QString() : kBadValue;
}

bool parseAmount(const QString& text, double* value) {
    if (text.isEmpty() || text == QLatin1String("0"))
        return false;
    return parseDecimal(text, value);
}

bool parseDay(const QString& text, QVariant* value, bool* empty) {
    QString bare = text;
    bare.remove(QLatin1Char('/')).remove(QLatin1Char(' ')).remove(QLatin1Char('_'));
    *empty = bare.isEmpty();
    if (*empty) {
        *value = QVariant(QMetaType::fromType<QDateTime>());
        return true;
    }
    QString t = text;
    t.remove(QLatin1Char(' ')).remove(QLatin1Char('_'));
    return parseDateBox(t, value);
}

QString dayText(const QVariant& value) {
    if (value.isNull())
        return {};
    return dayText(value.toDateTime().date());
}

QString dayText(const QDate& day) {
    return day.isValid() ? day.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

movements::MovementFilter defaultPeriod(const QDate& workingDate) {
    movements::MovementFilter p;
    p.from = QDate(workingDate.year(), 1, 1);
    p.to = workingDate;
    return p;
}

QString patternOrAll(const QString& typed) {
    return typed.isEmpty() ? QStringLiteral("%") : typed;
}

const QList<SearchColumn>& movementColumns() {
    static const QList<SearchColumn> columns = {{"DESENHONRO", "Desenho Nº"},
                                                {"CLICHENRO", "Cliché Nº"},
                                                {"NROUTIL", "Utilizações"},
                                                {"ROTACOES", "Rotações"},
                                                {"ENCOMENDA", "Encomenda ?"},
                                                {"DATA", "Data"},
                                                {"TIPOREG", "TP"}};
    return columns;
}

const QList<SearchColumn>& repairColumns() {
    static const QList<SearchColumn> columns = {
        {"DESENHONRO", "Desenho Nº"}, {"CLICHENRO", "Cliché Nº"},    {"TIPO", "Tipo"},
        {"ENCNRO", "Requisão Nº"},    {"DATENC", "Dat.Requis."},     {"FACNRO", "Factura Nº"},
        {"FACDATA", "Data Fact."},    {"FORNSIGLA", "Fornecedor"},   {"TIPOREG", "TP"},
        {"VALOR", "Valor"},           {"ADEBITAR_CLIENTE", "D.Cli."}};
    return columns;
}

const QList<SearchColumn>& detailColumns() {
    static const QList<SearchColumn> columns = {
        {"ENCOMENDA", "Encom. Nº"}, {"DATA", "Data"}, {"ROTACOES", "Rotac./Batim."}};
    return columns;
}

QList<SearchColumn> summaryColumns(ObjectKind kind, bool rotations) {
    const bool drawing = kind == ObjectKind::Drawing;
    return {{movements::numberColumn(kind),
             drawing ? QStringLiteral("Desenho Nº") : QStringLiteral("Cliché Nº")},
            {rotations ? QStringLiteral("ROTACOES") : QStringLiteral("UTIL_NRO"),
             rotations ? QStringLiteral("Rotac./Batim.") : QStringLiteral("Utiliz?")},
            {QStringLiteral("REFERENCIA"), QStringLiteral("Referência")},
            {QStringLiteral("SIGLACLI"), QStringLiteral("Cliente")},
            {drawing ? QStringLiteral("SIGLAFORN") : QStringLiteral("FORNSIGLA"),
             QStringLiteral("Fornecedor")}};
}

} // namespace falq::registers
