#pragma once
// Names beside codes: the labels next to a code box (the client's name beside the client
// code, a colour's designation and number beside its code) filled from the code's table.
// The record displays show them without a word when a code is not found; the field checks
// use the same look-up and say so.
#include <QLabel>
#include <QPointer>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

namespace falq {

// A code table: `codeColumn` in `table` on the named connection.
struct CodeTable {
    QString connection;
    QString table;
    QString codeColumn = QStringLiteral("CODIGO");
};

// The row of `code` (its `columns`), or an empty record when the table has no such code or
// it cannot be read (then `error`, when given, says why).
QSqlRecord findCode(const CodeTable& table, const QVariant& code, const QStringList& columns,
                    QString* error = nullptr);

// The text of a code box as a code: empty (or blanks) is 0; otherwise a whole number within
// [minimum, maximum]. False for anything else.
bool parseCode(const QString& text, qint64 minimum, qint64 maximum, qint64* code);
// A number as the plant writes it: a decimal comma, and points or blanks only between groups
// of three digits ("1.500" is fifteen hundred, "1.500,25" and "1500,25" the same with cents).
// False for anything else ("1.5", "1,5,0", "abc", an empty text).
bool parseDecimal(const QString& text, double* value);
// A stored value as a box or a report shows it: NULL is the empty text.
QString fieldText(const QVariant& value);
// A stored number written back the way parseDecimal reads it ("12,5"; empty for NULL).
QString decimalText(const QVariant& value);

class CodeNames {
public:
    CodeNames() = default;
    // `labels` pairs a column of the table with the label that shows it.
    CodeNames(const CodeTable& table, const QList<QPair<QString, QLabel*>>& labels);

    // Looks the code up and shows its names; blanks the labels when it is not found.
    bool show(const QVariant& code);
    void clear();
    // A column of the row last found (empty when the last code was not found).
    QVariant value(const QString& column) const { return m_row.value(column); }
    QString error() const { return m_error; }

private:
    CodeTable m_table;
    QList<QPair<QString, QPointer<QLabel>>> m_labels;
    QStringList m_columns;
    QSqlRecord m_row;
    QString m_error;
};

} // namespace falq
