#pragma once
// A spreadsheet file (.xlsx) written with libxlsxwriter: one sheet, cells written row by
// row (rows are streamed to disk as they are finished, so a large sheet costs little
// memory), cell styles asked for by what they look like.
//
// The library never checks the writes of its own temporary files (the streamed rows, each
// part of the workbook before it is zipped): a full disk or a size limit leaves a sheet cut
// off mid-row in a file it reports written. So the written file is read back when the book
// closes: every part must be whole, and the sheet must hold every row written.
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
    // Creates the workbook for `path`; the library's temporary files go to `tempFolder` (a
    // folder of the whole-file rule's own: FillTarget::scratch).
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

    // Writes the file and reads it back; an empty text when it is whole, else the reason
    // (the system's, in Portuguese, where it is known).
    QString close();

private:
    void note(int error);
    // After a successful write at `row`: the rows the sheet must hold.
    void wrote(int row);
    // Whether the written file is whole.
    bool whole() const;

    // The rows of the sheet's XML, read piece by piece.
    struct SheetRows {
        bool feed(const QByteArray& piece, bool last); // false once they are out of order
        bool closedWell() const;
        int opened = 0;
        int closed = 0;
        int lastRow = 0;
        bool ordered = true;

    private:
        QByteArray m_pending;
        QByteArray m_tail;
    };

    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    QByteArray m_tempFolder;
    QString m_path;
    int m_rows = 0;        // rows with a cell
    int m_lastRow = -1;    // the last of them
    int m_systemError = 0; // why the file of streamed rows was cut short
    QMap<QString, lxw_format*> m_formats;
    QString m_error;
};

} // namespace falq
