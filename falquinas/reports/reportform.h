#pragma once
// What a printed report is made of: its title and criteria, its columns, optional groups,
// sub-lines and picture under each detail line, and a summary. The engine (reportengine.h)
// lays a form out over the rows of a Source, in bands: page header (title and criteria),
// column header, detail lines, group header and footer, summary, and the page footer
// ("Empresa : ", "Data :", "Página :").
//
// Positions and widths are in characters of a fixed page grid, so the same layout prints on
// paper, goes to PDF and writes a plain text file line for line.
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <optional>

namespace falq::reports {

enum class ValueFormat {
    Text,
    Integer,
    Decimal2, // two decimals, decimal comma
    Currency, // the grids' currency format (currencyText)
    Date,     // dd/MM/yyyy
    DateTime  // dd/MM/yyyy hh:mm
};

// The text a value prints as.
QString formatValue(const QVariant& value, ValueFormat format);
// A criteria line of a page header: the label, then the lower and the upper bound (parts
// apart by tabs, which the engine sets at fixed stops).
QString boundsLine(const QString& label, const QString& low, const QString& high);

// The rows a report runs over, read forward from the first.
class Source {
public:
    virtual ~Source() = default;
    virtual int fieldIndex(const QString& name) const = 0; // -1 when unknown
    // Back before the first row; false when the rows cannot be read again.
    virtual bool rewind() = 0;
    // Moves to the next row; false after the last.
    virtual bool next() = 0;
    virtual QVariant value(int field) const = 0;
    // Rows expected, for the progress indicator; -1 when not known in advance.
    virtual int sizeHint() const { return -1; }
};

// Rows held in memory.
class TableSource : public Source {
public:
    TableSource(const QStringList& fields, QVector<QVariantList> rows)
        : m_fields(fields), m_rows(std::move(rows)) {}
    int fieldIndex(const QString& name) const override;
    bool rewind() override {
        m_row = -1;
        return true;
    }
    bool next() override { return ++m_row < m_rows.size(); }
    QVariant value(int field) const override { return m_rows.at(m_row).value(field); }
    int sizeHint() const override { return int(m_rows.size()); }

private:
    QStringList m_fields;
    QVector<QVariantList> m_rows;
    int m_row = -1;
};

// The current row of a source, by field name (for the functions of a form).
class Record {
public:
    explicit Record(const Source& source) : m_source(source) {}
    QVariant value(const QString& field) const;

private:
    const Source& m_source;
    mutable QHash<QString, int> m_index;
};

struct Column {
    QString title;
    QString field;  // the source field printed; see `value`
    int width = 10; // characters
    Qt::Alignment align = Qt::AlignLeft;
    ValueFormat format = ValueFormat::Text;
    bool sum = false; // totalled in the group footers and the summary
    // A computed value instead of the field.
    std::function<QVariant(const Record&)> value;
    // The format of its sums (group footers, summary); when not set, whole numbers for an
    // Integer column and Decimal2 for the others.
    std::optional<ValueFormat> sumFormat;
};

// A labelled value of a sheet, boxed on the page: `width` characters for the label and value.
struct SheetField {
    QString label;
    QString value;
    int width = 20;
};
using SheetRow = QVector<SheetField>;

struct Group {
    QString field; // a new group starts when this field's value changes
    // The group header's text; none when not set.
    std::function<QString(const Record&)> header;
    // The group footer: this label and the group's sums; none when both are empty.
    QString footerLabel;
};

struct Form {
    QString name;  // the report form's name, as TCORTFPR002
    QString title; // page header
    QStringList criteria;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QList<Column> columns;
    QList<Group> groups; // outermost first
    // Lines printed under a detail line, indented, kept on its page.
    std::function<QStringList(const Record&)> subLines;
    // Rows of boxed labelled values under a detail line (sheets; with no columns, instead of
    // it), each `sheetRowLines` lines high, kept on its page.
    std::function<QVector<SheetRow>(const Record&)> sheet;
    int sheetRowLines = 2;
    // A picture under a detail line, `pictureLines` lines high (none when null, unless the
    // area is kept: then it stays blank, so every row's block is as high).
    std::function<QImage(const Record&)> picture;
    int pictureLines = 0;
    bool keepPictureArea = false;
    bool pictureCentred = false;
    // Every row starts a page of its own.
    bool pagePerRow = false;
    // The summary band at the end: this label and the sums of the summed columns.
    bool summary = false;
    QString summaryLabel;
    // When set, the summary prints these totals of the summed columns (by column index), taken
    // from the data itself, instead of the sums of the lines laid out.
    std::function<double(int column)> summaryTotal;
};

// What every page footer says: the company (PARAMTMP.EMPNOM) and the printing time.
struct Context {
    QString company;
    QDateTime printedAt;
};

} // namespace falq::reports
