#include "xlsxbook.h"

#include "wholefile.h"
#include "zipfile.h"

#include <QFile>
#include <QXmlStreamReader>
#include <cerrno>
#include <xlsxwriter.h>

namespace falq {

namespace {
// The longest text a spreadsheet cell holds.
constexpr int kMaxCellText = 32767;

const QString kSheet = QStringLiteral("xl/worksheets/sheet1.xml");

// The system's errors that cut a file short.
bool cutShort(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EIO:
        return true;
    default:
        return false;
    }
}
} // namespace

QString CellStyle::key() const {
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(int(align))
        .arg(bold)
        .arg(grey)
        .arg(numberFormat)
        .arg(fontSize);
}

XlsxBook::XlsxBook(const QString& path, const QString& tempFolder)
    : m_tempFolder(QFile::encodeName(tempFolder)), m_path(path) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = m_tempFolder.isEmpty() ? nullptr : m_tempFolder.data();
    options.use_zip64 = LXW_TRUE;
    errno = 0;
    m_book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (m_book)
        m_sheet = workbook_add_worksheet(m_book, nullptr); // opens the file of streamed rows
    if (!m_sheet) {
        const int system = errno;
        m_error = system != 0 ? systemReason(system)
                              : QStringLiteral("a folha de cálculo não pode ser começada");
    }
}

XlsxBook::~XlsxBook() {
    if (m_book)
        workbook_close(m_book);
}

XlsxBook::Format XlsxBook::format(const CellStyle& style) {
    if (!m_book)
        return nullptr;
    const QString key = style.key();
    auto it = m_formats.constFind(key);
    if (it != m_formats.constEnd())
        return *it;
    lxw_format* f = workbook_add_format(m_book);
    switch (style.align) {
    case CellStyle::Align::Left:
        format_set_align(f, LXW_ALIGN_LEFT);
        break;
    case CellStyle::Align::Centre:
        format_set_align(f, LXW_ALIGN_CENTER);
        break;
    case CellStyle::Align::Right:
        format_set_align(f, LXW_ALIGN_RIGHT);
        break;
    case CellStyle::Align::General:
        break;
    }
    if (style.bold)
        format_set_bold(f);
    if (style.grey) {
        format_set_pattern(f, LXW_PATTERN_SOLID);
        format_set_bg_color(f, 0xC0C0C0);
    }
    if (!style.numberFormat.isEmpty())
        format_set_num_format(f, style.numberFormat.toUtf8().constData());
    if (style.fontSize > 0)
        format_set_font_size(f, style.fontSize);
    m_formats.insert(key, f);
    return f;
}

void XlsxBook::note(int error) {
    // Finished rows go to the library's temporary file, its writes unchecked: a refusal shows
    // on the file, and the reason is the system's last error, right after it.
    if (m_systemError == 0 && m_sheet && m_sheet->optimize_tmpfile &&
        ferror(m_sheet->optimize_tmpfile))
        m_systemError = errno != 0 ? errno : EIO;
    if (error != LXW_NO_ERROR && m_error.isEmpty())
        m_error = QString::fromUtf8(lxw_strerror(lxw_error(error)));
}

void XlsxBook::wrote(int row) {
    if (m_rows == 0 || row > m_lastRow) {
        ++m_rows;
        m_lastRow = row;
    }
}

bool XlsxBook::whole() const {
    // The small parts are read as XML; the sheet, which may be large, by the shape of its
    // rows: each opened and closed in turn, as many as were written, the last one last, and
    // the closing of the sheet at its end.
    QXmlStreamReader xml;
    bool ended = false;
    SheetRows rows;
    bool sheetSeen = false;
    const bool read = readZipMembers(
        m_path,
        [&](const QString& member, const QByteArray& piece, bool first, bool last) {
            if (member == kSheet) {
                sheetSeen = true;
                return rows.feed(piece, last);
            }
            if (!member.endsWith(QLatin1String(".xml")) && !member.endsWith(QLatin1String(".rels")))
                return true;
            if (first) {
                xml.clear();
                ended = false;
            }
            xml.addData(piece);
            while (!xml.atEnd())
                if (xml.readNext() == QXmlStreamReader::EndDocument)
                    ended = true;
            if (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
                return false;
            return !last || ended;
        },
        nullptr);
    return read && sheetSeen && rows.closedWell() && rows.opened == m_rows &&
           (m_rows == 0 || rows.lastRow == m_lastRow + 1);
}

bool XlsxBook::SheetRows::feed(const QByteArray& piece, bool last) {
    static const QByteArray open("<row ");
    static const QByteArray close("</row>");
    static const QByteArray number("r=\"");
    constexpr qsizetype kKeep = 48; // enough for a row's opening and its number
    m_pending += piece;
    m_tail = piece.size() >= kKeep ? piece.right(kKeep) : (m_tail + piece).right(kKeep);
    const qsizetype limit = last ? m_pending.size() : m_pending.size() - kKeep;
    qsizetype at = 0;
    while (ordered) {
        const qsizetype o = m_pending.indexOf(open, at);
        const qsizetype c = m_pending.indexOf(close, at);
        const bool isOpen = o >= 0 && (c < 0 || o < c);
        const qsizetype p = isOpen ? o : c;
        if (p < 0 || p >= limit)
            break;
        if (isOpen) {
            ordered = opened == closed;
            ++opened;
            const qsizetype r = m_pending.indexOf(number, p);
            const qsizetype stop = m_pending.indexOf('"', r + number.size());
            lastRow = r >= 0 && stop > r && stop - p < kKeep
                          ? m_pending.mid(r + number.size(), stop - r - number.size()).toInt()
                          : -1;
            at = p + open.size();
        } else {
            ++closed;
            ordered = opened == closed;
            at = p + close.size();
        }
    }
    m_pending.remove(0, qMin(qMax(at, limit), m_pending.size()));
    return ordered;
}

bool XlsxBook::SheetRows::closedWell() const {
    return ordered && opened == closed && m_tail.trimmed().endsWith("</worksheet>");
}

void XlsxBook::setColumnWidth(int column, double width) {
    if (isValid())
        note(worksheet_set_column(m_sheet, lxw_col_t(column), lxw_col_t(column), width, nullptr));
}

void XlsxBook::text(int row, int column, const QString& value, Format format) {
    if (!isValid())
        return;
    if (value.isEmpty()) {
        blank(row, column, format);
        return;
    }
    const QByteArray utf8 = value.left(kMaxCellText).toUtf8();
    const int e = worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column),
                                         utf8.constData(), format);
    note(e);
    if (e == LXW_NO_ERROR)
        wrote(row);
}

void XlsxBook::number(int row, int column, double value, Format format) {
    if (!isValid())
        return;
    const int e = worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), value, format);
    note(e);
    if (e == LXW_NO_ERROR)
        wrote(row);
}

void XlsxBook::dateTime(int row, int column, const QDateTime& value, Format format) {
    if (!isValid())
        return;
    const QDate d = value.date();
    const QTime t = value.time();
    lxw_datetime dt{d.year(), d.month(), d.day(), t.hour(), t.minute(), double(t.second())};
    const int e = worksheet_write_datetime(m_sheet, lxw_row_t(row), lxw_col_t(column), &dt, format);
    note(e);
    if (e == LXW_NO_ERROR)
        wrote(row);
}

void XlsxBook::blank(int row, int column, Format format) {
    if (!isValid())
        return;
    const int e = worksheet_write_blank(m_sheet, lxw_row_t(row), lxw_col_t(column), format);
    note(e);
    if (e == LXW_NO_ERROR && format) // a blank cell without a style is not written
        wrote(row);
}

QString XlsxBook::close() {
    if (!m_book)
        return m_error;
    errno = 0;
    const lxw_error e = workbook_close(m_book);
    // The library keeps no reason of its own: the system's last error is the refusal that
    // stopped it or cut one of its temporary files short (the file of rows, when that was
    // cut while rows were written).
    const int system = m_systemError != 0 ? m_systemError : errno;
    m_book = nullptr;
    m_sheet = nullptr;
    if (!m_error.isEmpty())
        return m_error;
    if (e != LXW_NO_ERROR)
        m_error = system != 0 ? systemReason(system) : QString::fromUtf8(lxw_strerror(e));
    else if (!whole())
        m_error = cutShort(system) ? systemReason(system)
                                   : QStringLiteral("a folha de cálculo ficou incompleta");
    return m_error;
}

} // namespace falq
