#include "codenames.h"

#include "sqlrun.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace falq {

QSqlRecord findCode(const CodeTable& table, const QVariant& code, const QStringList& columns,
                    QString* error) {
    if (code.isNull())
        return {};
    // Table and column names come from the program, never from a user.
    QSqlQuery q(QSqlDatabase::database(table.connection, false));
    q.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                            .arg(columns.join(QStringLiteral(", ")), table.table, table.codeColumn);
    if (!runStatement(q, sql, {code}, error) || !q.next())
        return {};
    return q.record();
}

bool parseCode(const QString& text, qint64 minimum, qint64 maximum, qint64* code) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *code = 0;
        return minimum <= 0 && 0 <= maximum;
    }
    bool ok = false;
    const qint64 value = t.toLongLong(&ok);
    if (!ok || value < minimum || value > maximum)
        return false;
    *code = value;
    return true;
}

bool parseDecimal(const QString& text, double* value) {
    static const QRegularExpression number(
        QStringLiteral("^([+-]?)(\\d{1,3}(?:[. \\x{00A0}]\\d{3})+|\\d+)(?:,(\\d*))?$"));
    const QRegularExpressionMatch m = number.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    QString plain = m.captured(2);
    plain.remove(QRegularExpression(QStringLiteral("[. \\x{00A0}]")));
    const QString decimals = m.captured(3);
    if (!decimals.isEmpty())
        plain += QLatin1Char('.') + decimals;
    bool ok = false;
    const double v = QLocale::c().toDouble(m.captured(1) + plain, &ok);
    if (!ok || !qIsFinite(v))
        return false;
    *value = v;
    return true;
}

QString fieldText(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

QString decimalText(const QVariant& value) {
    if (value.isNull())
        return {};
    return QString::number(value.toDouble(), 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}

CodeNames::CodeNames(const CodeTable& table, const QList<QPair<QString, QLabel*>>& labels)
    : m_table(table) {
    for (const auto& [column, label] : labels) {
        m_labels << qMakePair(column, QPointer<QLabel>(label));
        m_columns << column;
    }
}

bool CodeNames::show(const QVariant& code) {
    m_error.clear();
    m_row = findCode(m_table, code, m_columns, &m_error);
    for (const auto& [column, label] : std::as_const(m_labels))
        if (label)
            label->setText(m_row.value(column).toString().trimmed());
    return !m_row.isEmpty();
}

void CodeNames::clear() {
    m_row = QSqlRecord();
    for (const auto& [column, label] : std::as_const(m_labels))
        if (label)
            label->clear();
}

} // namespace falq
