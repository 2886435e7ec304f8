#pragma once
// A spreadsheet file (.xlsx) written with libxlsxwriter: one sheet, cells written row by
// row (rows are streamed to disk as they are finished, so a large sheet costs little
// memory), cell styles asked for by what they look like.
#include <QDateTime>
#include <QMap>
#include <QString>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace falq {

struct CellStyle {
    enum class Align { General, Left, Centre, Right };
    Align align = Align::General;
    bool bold = false;
    bool grey = false;    // grey background
    QString numberFormat; // as "0.00" (the spreadsheet shows the system's decimal separator)
    double fontSize = 0;  // 0: the default

    QString key() const;
};

class XlsxBook {
public:
    // Creates the workbook for `path`; its temporary files go to `tempFolder`.
    XlsxBook(const QString& path, const QString& tempFolder);
    ~XlsxBook();
    XlsxBook(const XlsxBook&) = delete;
    XlsxBook& operator=(const XlsxBook&) = delete;

    bool isValid() const { return m_book && m_sheet; }

    // A cell style, made once and then given to every cell that has it.
    using Format = lxw_format*;
    Format format(const CellStyle& style);

    // Column widths, in the spreadsheet's character units.
    void setColumnWidth(int column, double width);
    void text(int row, int column, const QString& value, Format format = nullptr);
    void number(int row, int column, double value, Format format = nullptr);
    void dateTime(int row, int column, const QDateTime& value, Format format);
    void blank(int row, int column, Format format);

    // Writes the file; an empty text on success, else the reason.
    QString close();

private:
    void note(int error);

    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    QByteArray m_tempFolder;
    QMap<QString, lxw_format*> m_formats;
    QString m_error;
};

} // namespace falq
