#include "xlsxbook.h"

#include <QFile>
#include <xlsxwriter.h>

namespace falq {

namespace {
// The longest text a spreadsheet cell holds.
constexpr int kMaxCellText = 32767;
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
    : m_tempFolder(QFile::encodeName(tempFolder)) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = m_tempFolder.isEmpty() ? nullptr : m_tempFolder.data();
    options.use_zip64 = LXW_TRUE;
    m_book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!m_book) {
        m_error = QStringLiteral("O livro não pode ser criado.");
        return;
    }
    m_sheet = workbook_add_worksheet(m_book, nullptr);
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
    if (error != LXW_NO_ERROR && m_error.isEmpty())
        m_error = QString::fromUtf8(lxw_strerror(lxw_error(error)));
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
    note(worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column), utf8.constData(),
                                format));
}

void XlsxBook::number(int row, int column, double value, Format format) {
    if (isValid())
        note(worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), value, format));
}

void XlsxBook::dateTime(int row, int column, const QDateTime& value, Format format) {
    if (!isValid())
        return;
    const QDate d = value.date();
    const QTime t = value.time();
    lxw_datetime dt{d.year(), d.month(), d.day(), t.hour(), t.minute(), double(t.second())};
    note(worksheet_write_datetime(m_sheet, lxw_row_t(row), lxw_col_t(column), &dt, format));
}

void XlsxBook::blank(int row, int column, Format format) {
    if (isValid())
        note(worksheet_write_blank(m_sheet, lxw_row_t(row), lxw_col_t(column), format));
}

QString XlsxBook::close() {
    if (!m_book)
        return m_error;
    const lxw_error e = workbook_close(m_book);
    m_book = nullptr;
    m_sheet = nullptr;
    note(e);
    return m_error;
}

} // namespace falq
