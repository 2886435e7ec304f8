// The file outputs of the report engine: PDF, plain text, spreadsheet and OpenDocument text.
#include "reportengine.h"
#include "wholefile.h"
#include "xlsxbook.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextDocumentWriter>

namespace falq::reports {

namespace {

// Which of the form's columns a free text starting at `start` falls in.
int columnAt(const QVector<int>& starts, int start) {
    int column = 0;
    for (int i = 0; i < starts.size(); ++i)
        if (starts[i] <= start)
            column = i;
    return column;
}

QVector<int> columnStarts(const Form& form) {
    QVector<int> starts;
    int start = 0;
    for (const Column& c : form.columns) {
        starts << start;
        start += c.width + 1;
    }
    return starts;
}

// The report as one sheet: title and criteria on top, the column titles on grey, one row
// per line with numbers and dates as such, the footer's texts at the end.
class XlsxSink : public Sink {
public:
    // Writes `target.path`; `shown` names the file in messages.
    XlsxSink(const Form& form, const FillTarget& target, const QString& shown)
        : m_form(form), m_starts(columnStarts(form)), m_book(target.path, target.scratch),
          m_shown(shown) {}

    bool paginated() const override { return false; }

    bool beginPage(int) override {
        if (!m_book.isValid()) {
            m_error = writeFailure(m_shown, m_book.close());
            return false;
        }
        for (int i = 0; i < m_form.columns.size(); ++i)
            m_book.setColumnWidth(i, m_form.columns[i].width + 2);
        return true;
    }

    void write(const Line& line, int) override {
        switch (line.kind) {
        case LineKind::Rule:
        case LineKind::Picture:
            return;
        case LineKind::Blank:
            break;
        case LineKind::Title: {
            CellStyle title;
            title.bold = true;
            title.fontSize = 14;
            m_book.text(m_row, 0, line.cells.value(0).text, m_book.format(title));
            break;
        }
        case LineKind::Footer:
            for (const Cell& c : line.cells)
                m_book.text(m_row++, 0, c.text);
            return;
        case LineKind::ColumnHeader: {
            CellStyle header;
            header.align = CellStyle::Align::Centre;
            header.bold = true;
            header.grey = true;
            const XlsxBook::Format format = m_book.format(header);
            for (const Cell& c : line.cells)
                m_book.text(m_row, c.column, c.text, format);
            break;
        }
        default: {
            const bool bold = line.kind == LineKind::GroupHeader ||
                              line.kind == LineKind::GroupFooter || line.kind == LineKind::Summary;
            for (const Cell& c : line.cells)
                cell(c.column >= 0 ? c.column : columnAt(m_starts, c.start), c, bold);
            break;
        }
        }
        ++m_row;
    }

    bool endPage() override { return true; }

    bool finish() override {
        const QString reason = m_book.close();
        if (!reason.isEmpty())
            m_error = writeFailure(m_shown, reason);
        return reason.isEmpty();
    }

    QString error() const override { return m_error; }

private:
    // The style of a cell of this format, made once.
    XlsxBook::Format style(ValueFormat format, bool bold) {
        XlsxBook::Format& f = m_styles[int(format)][bold ? 1 : 0];
        if (!f) {
            CellStyle style;
            style.bold = bold;
            switch (format) {
            case ValueFormat::Integer:
            case ValueFormat::Decimal2:
                style.align = CellStyle::Align::Right;
                style.numberFormat =
                    format == ValueFormat::Integer ? QStringLiteral("0") : QStringLiteral("0.00");
                break;
            case ValueFormat::Currency:
                style.align = CellStyle::Align::Right;
                style.numberFormat = QStringLiteral("#,##0.00 \"€\"");
                break;
            case ValueFormat::Date:
                style.numberFormat = QStringLiteral("dd/mm/yyyy");
                break;
            case ValueFormat::DateTime:
                style.numberFormat = QStringLiteral("dd/mm/yyyy hh:mm");
                break;
            case ValueFormat::Text:
                break;
            }
            f = m_book.format(style);
        }
        return f;
    }

    void cell(int column, const Cell& c, bool bold) {
        if (c.value.isNull() || c.column < 0) {
            m_book.text(m_row, column, c.text, style(ValueFormat::Text, bold));
            return;
        }
        switch (c.format) {
        case ValueFormat::Integer:
        case ValueFormat::Decimal2:
        case ValueFormat::Currency:
            m_book.number(m_row, column, c.value.toDouble(), style(c.format, bold));
            return;
        case ValueFormat::Date:
        case ValueFormat::DateTime:
            m_book.dateTime(m_row, column, c.value.toDateTime(), style(c.format, bold));
            return;
        case ValueFormat::Text:
            break;
        }
        m_book.text(m_row, column, c.text, style(ValueFormat::Text, bold));
    }

    const Form& m_form;
    QVector<int> m_starts;
    XlsxBook m_book;
    QString m_shown;
    XlsxBook::Format m_styles[int(ValueFormat::DateTime) + 1][2] = {};
    int m_row = 0;
    QString m_error;
};

// The report as an OpenDocument text: title and criteria, one table, the footer's texts. The
// document is made in memory (it is held whole to be laid out anyway), then written to `out`.
class OdtSink : public Sink {
public:
    OdtSink(const Form& form, QIODevice& out)
        : m_form(form), m_starts(columnStarts(form)), m_out(out) {}

    bool paginated() const override { return false; }
    bool beginPage(int) override {
        m_html = QStringLiteral("<html><body>");
        return true;
    }

    void write(const Line& line, int) override {
        switch (line.kind) {
        case LineKind::Rule:
        case LineKind::Picture:
        case LineKind::Blank:
            return;
        case LineKind::Title:
            m_html += QStringLiteral("<p align=\"center\" style=\"font-size:14pt; "
                                     "font-weight:bold\">%1</p>")
                          .arg(line.cells.value(0).text.toHtmlEscaped());
            return;
        case LineKind::Criteria: {
            QStringList parts;
            for (const Cell& c : line.cells)
                parts << c.text;
            m_html += QStringLiteral("<p>%1</p>").arg(parts.join(QLatin1Char(' ')).toHtmlEscaped());
            return;
        }
        case LineKind::ColumnHeader:
            m_html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
                                     "width=\"100%\"><tr bgcolor=\"#c0c0c0\">");
            for (const Cell& c : line.cells)
                m_html +=
                    QStringLiteral("<th align=\"center\">%1</th>").arg(c.text.toHtmlEscaped());
            m_html += QStringLiteral("</tr>");
            return;
        case LineKind::Footer:
            m_html += QStringLiteral("</table>");
            for (const Cell& c : line.cells)
                m_html += QStringLiteral("<p>%1</p>").arg(c.text.toHtmlEscaped());
            return;
        default:
            break;
        }
        const bool bold = line.kind == LineKind::GroupHeader ||
                          line.kind == LineKind::GroupFooter || line.kind == LineKind::Summary;
        m_html += QStringLiteral("<tr>");
        int next = 0;
        const int columns = int(m_form.columns.size());
        for (int i = 0; i < line.cells.size(); ++i) {
            const Cell& c = line.cells[i];
            const int column = c.column >= 0 ? c.column : columnAt(m_starts, c.start);
            if (column < next)
                continue;
            for (; next < column; ++next)
                m_html += QStringLiteral("<td></td>");
            // A free text spans up to the next cell of the line.
            int span = 1;
            if (c.column < 0) {
                const int until = i + 1 < line.cells.size()
                                      ? (line.cells[i + 1].column >= 0
                                             ? line.cells[i + 1].column
                                             : columnAt(m_starts, line.cells[i + 1].start))
                                      : columns;
                span = qMax(1, until - column);
            }
            const QString align = (c.align & Qt::AlignRight)     ? QStringLiteral("right")
                                  : (c.align & Qt::AlignHCenter) ? QStringLiteral("center")
                                                                 : QStringLiteral("left");
            QString text = c.text.toHtmlEscaped();
            if (bold)
                text = QStringLiteral("<b>%1</b>").arg(text);
            m_html += QStringLiteral("<td align=\"%1\" colspan=\"%2\">%3</td>")
                          .arg(align)
                          .arg(span)
                          .arg(text);
            next = column + span;
        }
        for (; next < columns; ++next)
            m_html += QStringLiteral("<td></td>");
        m_html += QStringLiteral("</tr>");
    }

    bool endPage() override { return true; }

    bool finish() override {
        m_html += QStringLiteral("</body></html>");
        QTextDocument doc;
        doc.setHtml(m_html);
        QBuffer archive;
        archive.open(QIODevice::WriteOnly);
        QTextDocumentWriter writer(&archive, QByteArrayLiteral("odf"));
        if (!writer.write(&doc)) {
            m_error = QStringLiteral("O documento não pode ser composto.");
            return false;
        }
        if (m_out.write(archive.data()) != archive.data().size()) {
            m_error = m_out.errorString();
            return false;
        }
        return true;
    }

    QString error() const override { return m_error; }

private:
    const Form& m_form;
    QVector<int> m_starts;
    QIODevice& m_out;
    QString m_html;
    QString m_error;
};

} // namespace

QString fileSuffix(FileFormat format) {
    switch (format) {
    case FileFormat::Pdf:
        return QStringLiteral(".pdf");
    case FileFormat::Text:
        return QStringLiteral(".txt");
    case FileFormat::Xlsx:
        return QStringLiteral(".xlsx");
    case FileFormat::Odt:
        return QStringLiteral(".odt");
    }
    return {};
}

Result renderToFile(const Form& form, Source& source, const Context& context, FileFormat format,
                    const QString& path, const Progress& progress) {
    Result result;
    if (format == FileFormat::Xlsx) {
        // The library writes the file by name, with temporary files of its own.
        const WholeFileResult written =
            writeWholeFile(path, [&](const FillTarget& target, QString* error) {
                XlsxSink sink(form, target, path);
                result = render(form, source, context, sink, progress);
                if (!result.ok)
                    *error = result.cancelled ? QString() : result.error;
                return result.ok;
            });
        result.ok = written.ok;
        result.cancelled = written.cancelled;
        if (!written.ok && !written.error.isEmpty())
            result.error = written.error;
        result.path = written.path;
        return result;
    }
    WholeFileWriter file(path, ExistingFile::Replace);
    if (!file.create()) {
        result.error = file.error();
        return result;
    }
    switch (format) {
    case FileFormat::Pdf: {
        QPdfWriter pdf(&file);
        pdf.setTitle(form.title);
        pdf.setCreator(QStringLiteral("Falquinas"));
        pdf.setResolution(600);
        result = renderToDevice(form, source, context, &pdf, progress);
        break;
    }
    case FileFormat::Text:
        result = renderToText(form, source, context, file, progress);
        break;
    case FileFormat::Odt: {
        OdtSink sink(form, file);
        result = render(form, source, context, sink, progress);
        break;
    }
    case FileFormat::Xlsx:
        break;
    }
    // A refusal of the disk is the reason, whatever the writer made of it ("cannot go to page
    // 14").
    if (result.ok && file.commit()) {
        result.path = QFileInfo(path).absoluteFilePath();
        return result;
    }
    if (file.failed()) {
        result.ok = false;
        result.cancelled = false;
        result.error = file.error();
    }
    file.cancel();
    return result;
}

} // namespace falq::reports
