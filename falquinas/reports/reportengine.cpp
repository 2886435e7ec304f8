#include "reportengine.h"

#include "dataset.h"

#include <QFontDatabase>
#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

namespace falq::reports {

// ---------------------------------------------------------------------------------------
// Values and sources

QString formatValue(const QVariant& value, ValueFormat format) {
    if (value.isNull() || !value.isValid())
        return {};
    switch (format) {
    case ValueFormat::Text:
        return value.toString();
    case ValueFormat::Integer:
        return QString::number(value.toLongLong());
    case ValueFormat::Decimal2: {
        QLocale pt(QLocale::Portuguese, QLocale::Portugal);
        pt.setNumberOptions(QLocale::OmitGroupSeparator);
        return pt.toString(value.toDouble(), 'f', 2);
    }
    case ValueFormat::Currency:
        return currencyText(value.toDouble());
    case ValueFormat::Date:
        return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy"));
    case ValueFormat::DateTime:
        return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm"));
    }
    return value.toString();
}

QString boundsLine(const QString& label, const QString& low, const QString& high) {
    return label + QLatin1Char('\t') + low + QLatin1Char('\t') + high;
}

int TableSource::fieldIndex(const QString& name) const {
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Record::value(const QString& field) const {
    auto it = m_index.constFind(field);
    if (it == m_index.constEnd())
        it = m_index.insert(field, m_source.fieldIndex(field));
    return *it < 0 ? QVariant() : m_source.value(*it);
}

// ---------------------------------------------------------------------------------------
// Page grid

PageGrid pageGrid(QPageLayout::Orientation orientation) {
    // About 1.9 mm a character and 4 mm a line on both orientations.
    if (orientation == QPageLayout::Landscape)
        return {142, 47};
    return {100, 69};
}

QPageLayout pageLayout(QPageLayout::Orientation orientation) {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

// ---------------------------------------------------------------------------------------
// Layout

namespace {

constexpr int kProgressEvery = 256;
constexpr int kSubLineIndent = 2;
constexpr int kLabelStop = 30;
constexpr int kValueStop = 21;

class Layout {
public:
    Layout(const Form& form, Source& source, const Context& context, Sink& sink)
        : m_form(form), m_source(source), m_context(context), m_sink(sink),
          m_grid(pageGrid(form.orientation)), m_paginated(sink.paginated()) {
        int start = 0;
        for (const Column& c : m_form.columns) {
            m_starts << start;
            m_fields << m_source.fieldIndex(c.field);
            start += c.width + 1;
        }
        m_groupSums.resize(m_form.groups.size());
        for (auto& sums : m_groupSums)
            sums.resize(m_form.columns.size());
        m_totals.resize(m_form.columns.size());
        m_groupKeys.resize(m_form.groups.size());
        buildHeader();
        buildFooter();
        m_capacity = m_grid.lines - height(m_header) - height(m_footer);
    }

    Result run(const Progress& progress) {
        Result r;
        const int expected = m_source.sizeHint();
        Record record(m_source);
        if (!m_source.rewind()) {
            r.error = QStringLiteral("As linhas do relatório não podem ser lidas de novo.");
            return r;
        }
        int done = 0;
        bool first = true;
        while (m_source.next()) {
            if (progress && done % kProgressEvery == 0 && !progress(done, expected)) {
                r.cancelled = true;
                return r;
            }
            if (!groupBreaks(record, first) || !detail(record))
                return failed(r);
            first = false;
            ++done;
        }
        if (progress && !progress(done, expected)) {
            r.cancelled = true;
            return r;
        }
        if (!first)
            closeGroups(0);
        if (m_form.summary && m_form.summaryTotal)
            for (int i = 0; i < m_form.columns.size(); ++i)
                m_totals[i] = m_form.columns[i].sum ? m_form.summaryTotal(i) : 0.0;
        if (m_form.summary &&
            !place({totalsLine(LineKind::Summary, m_form.summaryLabel, m_totals)}))
            return failed(r);
        if (!m_pageOpen && !openPage())
            return failed(r);
        if (!closePage() || !m_sink.finish())
            return failed(r);
        r.ok = true;
        r.pages = m_page;
        r.rows = done;
        return r;
    }

private:
    Result failed(Result& r) {
        r.error = m_sink.error();
        if (r.error.isEmpty())
            r.error = QStringLiteral("O relatório não pode ser escrito.");
        return r;
    }

    static int height(const QVector<Line>& lines) {
        int h = 0;
        for (const Line& l : lines)
            h += l.height;
        return h;
    }

    Line textLine(LineKind kind, const QString& text, int start, int width,
                  Qt::Alignment align = Qt::AlignLeft, int lineHeight = 1) const {
        Line l;
        l.kind = kind;
        l.height = lineHeight;
        Cell c;
        c.start = start;
        c.width = width;
        c.align = align;
        c.text = text;
        l.cells << c;
        return l;
    }

    // A criteria line; parts apart by tabs stand at fixed stops (a label of 30 characters,
    // then values of 21), so that the bounds of several lines stand one under the other.
    Line criteriaLine(const QString& text) const {
        const QStringList parts = text.split(QLatin1Char('\t'));
        Line l = textLine(LineKind::Criteria, parts.first(), 0, m_grid.chars);
        if (parts.size() == 1)
            return l;
        l.cells[0].width = kLabelStop;
        int start = kLabelStop;
        for (int i = 1; i < parts.size() && start < m_grid.chars; ++i) {
            Cell c;
            c.start = start;
            c.width = i + 1 < parts.size() ? kValueStop : m_grid.chars - start;
            c.text = parts[i];
            l.cells << c;
            start += kValueStop;
        }
        return l;
    }

    // An empty cell in the place of column `i`.
    Cell columnCell(int i) const {
        Cell c;
        c.start = m_starts[i];
        c.width = m_form.columns[i].width;
        c.align = m_form.columns[i].align;
        c.column = i;
        return c;
    }

    void buildHeader() {
        m_header << textLine(LineKind::Title, m_form.title, 0, m_grid.chars, Qt::AlignHCenter, 2);
        for (const QString& c : m_form.criteria)
            m_header << criteriaLine(c);
        Line blank;
        m_header << blank;
        if (m_form.columns.isEmpty())
            return; // sheets: no column titles
        Line titles;
        titles.kind = LineKind::ColumnHeader;
        for (int i = 0; i < m_form.columns.size(); ++i) {
            Cell c = columnCell(i);
            c.text = m_form.columns[i].title;
            titles.cells << c;
        }
        m_header << titles;
        Line rule;
        rule.kind = LineKind::Rule;
        m_header << rule;
    }

    void buildFooter() {
        Line rule;
        rule.kind = LineKind::Rule;
        m_footer << rule;
        const int chars = m_grid.chars;
        Line footer = textLine(LineKind::Footer, QStringLiteral("Empresa : ") + m_context.company,
                               0, chars - 46);
        Cell date;
        date.start = chars - 45;
        date.width = 25;
        date.text = QStringLiteral("Data : ") +
                    m_context.printedAt.toString(QStringLiteral("dd/MM/yyyy hh:mm"));
        footer.cells << date;
        if (m_paginated) {
            Cell page;
            page.start = chars - 20;
            page.width = 20;
            page.align = Qt::AlignRight;
            footer.cells << page; // the number is set on each page
        }
        m_footer << footer;
    }

    bool openPage() {
        ++m_page;
        if (!m_sink.beginPage(m_page))
            return false;
        m_pageOpen = true;
        int top = 0;
        for (const Line& l : m_header) {
            m_sink.write(l, top);
            top += l.height;
        }
        m_bodyTop = top;
        m_used = 0;
        return true;
    }

    bool closePage() {
        int top = m_paginated ? m_grid.lines - height(m_footer) : m_bodyTop + m_used;
        for (Line l : m_footer) {
            if (l.kind == LineKind::Footer && m_paginated)
                l.cells.last().text = QStringLiteral("Página : %1").arg(m_page);
            m_sink.write(l, top);
            top += l.height;
        }
        m_pageOpen = false;
        return m_sink.endPage();
    }

    // Puts lines that belong together on one page (a page of their own when they need more).
    bool place(const QVector<Line>& block) {
        if (!m_pageOpen && !openPage())
            return false;
        if (m_paginated && m_used > 0 && m_used + height(block) > m_capacity) {
            if (!closePage() || !openPage())
                return false;
        }
        for (const Line& l : block) {
            if (m_paginated && m_used > 0 && m_used + l.height > m_capacity) {
                if (!closePage() || !openPage())
                    return false;
            }
            m_sink.write(l, m_bodyTop + m_used);
            m_used += l.height;
        }
        return true;
    }

    QVariant columnValue(int i, const Record& record) const {
        const Column& col = m_form.columns[i];
        if (col.value)
            return col.value(record);
        return m_fields[i] < 0 ? QVariant() : m_source.value(m_fields[i]);
    }

    bool detail(const Record& record) {
        QVector<Line> block = m_pendingHeaders;
        m_pendingHeaders.clear();
        if (!m_form.columns.isEmpty())
            block << detailLine(record);
        if (m_form.sheet)
            for (const SheetRow& row : m_form.sheet(record))
                block << sheetLine(row);
        if (m_form.subLines)
            for (const QString& s : m_form.subLines(record))
                block << textLine(LineKind::SubLine, s, kSubLineIndent,
                                  m_grid.chars - kSubLineIndent);
        if (m_form.picture && m_form.pictureLines > 0) {
            const QImage image = m_form.picture(record);
            if (!image.isNull() || m_form.keepPictureArea) {
                Line pic = textLine(LineKind::Picture, QString(), kSubLineIndent,
                                    m_grid.chars - kSubLineIndent,
                                    m_form.pictureCentred ? Qt::AlignHCenter : Qt::AlignLeft);
                pic.height = m_form.pictureLines;
                pic.picture = image;
                block << pic;
            }
        }
        if (m_form.pagePerRow && m_paginated && m_pageOpen && m_used > 0 &&
            (!closePage() || !openPage()))
            return false;
        return place(block);
    }

    Line detailLine(const Record& record) {
        Line line;
        line.kind = LineKind::Detail;
        line.cells.reserve(m_form.columns.size());
        for (int i = 0; i < m_form.columns.size(); ++i) {
            const Column& col = m_form.columns[i];
            Cell c = columnCell(i);
            c.value = columnValue(i, record);
            c.format = col.format;
            c.text = formatValue(c.value, col.format);
            if (col.sum) {
                const double v = c.value.toDouble();
                m_totals[i] += v;
                for (auto& sums : m_groupSums)
                    sums[i] += v;
            }
            line.cells << c;
        }
        return line;
    }

    // Boxes side by side, each with its label and value, a character apart.
    Line sheetLine(const SheetRow& row) const {
        Line line;
        line.kind = LineKind::Boxes;
        line.height = m_form.sheetRowLines;
        int start = 0;
        for (const SheetField& f : row) {
            Cell c;
            c.start = start;
            c.width = qMin(f.width, m_grid.chars - start);
            c.text = f.label.isEmpty() || f.value.isEmpty() ? f.label + f.value
                                                            : f.label + QLatin1Char(' ') + f.value;
            c.value = f.value;
            line.cells << c;
            start += f.width + 1;
            if (start >= m_grid.chars)
                break;
        }
        return line;
    }

    Line totalsLine(LineKind kind, const QString& label, const QVector<double>& sums) const {
        int firstSum = -1;
        for (int i = 0; i < m_form.columns.size() && firstSum < 0; ++i)
            if (m_form.columns[i].sum)
                firstSum = i;
        const int labelWidth = firstSum < 0 ? m_grid.chars : qMax(1, m_starts[firstSum] - 1);
        Line l = textLine(kind, label, 0, labelWidth);
        for (int i = 0; i < m_form.columns.size(); ++i) {
            const Column& col = m_form.columns[i];
            if (!col.sum)
                continue;
            Cell c = columnCell(i);
            c.format = col.sumFormat                        ? *col.sumFormat
                       : col.format == ValueFormat::Integer ? ValueFormat::Integer
                                                            : ValueFormat::Decimal2;
            c.value =
                c.format == ValueFormat::Integer ? QVariant(qint64(sums[i])) : QVariant(sums[i]);
            c.text = formatValue(c.value, c.format);
            l.cells << c;
        }
        return l;
    }

    bool hasSums() const {
        for (const Column& c : m_form.columns)
            if (c.sum)
                return true;
        return false;
    }

    // Closes the groups from `level` inwards (innermost first).
    bool closeGroups(int level) {
        for (int g = m_form.groups.size() - 1; g >= level; --g) {
            const Group& group = m_form.groups[g];
            if (!group.footerLabel.isEmpty() || hasSums()) {
                if (!place({totalsLine(LineKind::GroupFooter, group.footerLabel, m_groupSums[g])}))
                    return false;
            }
            std::fill(m_groupSums[g].begin(), m_groupSums[g].end(), 0.0);
        }
        return true;
    }

    bool groupBreaks(const Record& record, bool first) {
        int changed = -1;
        for (int g = 0; g < m_form.groups.size(); ++g) {
            const QVariant key = record.value(m_form.groups[g].field);
            if (changed < 0 && (first || key != m_groupKeys[g]))
                changed = g;
            m_groupKeys[g] = key;
        }
        if (changed < 0)
            return true;
        if (!first && !closeGroups(changed))
            return false;
        for (int g = changed; g < m_form.groups.size(); ++g)
            if (m_form.groups[g].header)
                m_pendingHeaders << textLine(LineKind::GroupHeader, m_form.groups[g].header(record),
                                             0, m_grid.chars);
        return true;
    }

    const Form& m_form;
    Source& m_source;
    const Context& m_context;
    Sink& m_sink;
    PageGrid m_grid;
    bool m_paginated;
    QVector<int> m_starts;
    QVector<int> m_fields;
    QVector<Line> m_header;
    QVector<Line> m_footer;
    QVector<Line> m_pendingHeaders;
    QVector<QVector<double>> m_groupSums;
    QVector<double> m_totals;
    QVector<QVariant> m_groupKeys;
    int m_capacity = 0;
    int m_page = 0;
    bool m_pageOpen = false;
    int m_bodyTop = 0;
    int m_used = 0;
};

// ---------------------------------------------------------------------------------------
// Paint devices (printer, PDF)

class DeviceSink : public Sink {
public:
    DeviceSink(QPagedPaintDevice* device, PageGrid grid) : m_device(device), m_grid(grid) {}

    bool beginPage(int number) override {
        if (number == 1) {
            if (!m_painter.begin(m_device)) {
                m_error = QStringLiteral("A impressão não pode começar.");
                return false;
            }
            m_charWidth = qreal(m_device->width()) / m_grid.chars;
            m_lineHeight = qreal(m_device->height()) / m_grid.lines;
            const QString family = QStringLiteral("DejaVu Sans");
            m_normal = QFont(family);
            m_normal.setPixelSize(qMax(1, qRound(m_lineHeight * 0.62)));
            m_bold = m_normal;
            m_bold.setBold(true);
            m_title = m_bold;
            m_title.setPixelSize(qMax(1, qRound(m_lineHeight * 1.05)));
            m_painter.setPen(QPen(Qt::black, qMax<qreal>(1, m_lineHeight / 25)));
            m_current = nullptr;
            return true;
        }
        if (!m_device->newPage()) {
            m_error = QStringLiteral("Não é possível passar à página %1.").arg(number);
            return false;
        }
        return true;
    }

    void write(const Line& line, int top) override {
        const qreal y = top * m_lineHeight;
        const qreal h = line.height * m_lineHeight;
        if (line.kind == LineKind::Rule) {
            m_painter.drawLine(QPointF(0, y + h / 2), QPointF(m_device->width(), y + h / 2));
            return;
        }
        if (line.kind == LineKind::Picture) {
            if (line.picture.isNull())
                return; // a blank area
            const Cell& c = line.cells.value(0);
            const QRectF box(c.start * m_charWidth, y, c.width * m_charWidth, h);
            const QSizeF size = QSizeF(line.picture.size()).scaled(box.size(), Qt::KeepAspectRatio);
            QPointF at = box.topLeft();
            if (c.align & Qt::AlignHCenter)
                at.rx() += (box.width() - size.width()) / 2;
            m_painter.drawImage(QRectF(at, size), line.picture);
            return;
        }
        if (line.kind == LineKind::Boxes) {
            const qreal inset = m_lineHeight * 0.15;
            for (const Cell& c : line.cells)
                m_painter.drawRect(QRectF(c.start * m_charWidth - inset, y + inset,
                                          c.width * m_charWidth + inset, h - 2 * inset));
        }
        switch (line.kind) {
        case LineKind::Title:
            use(&m_title);
            break;
        case LineKind::ColumnHeader:
        case LineKind::GroupHeader:
        case LineKind::GroupFooter:
        case LineKind::Summary:
            use(&m_bold);
            break;
        default:
            use(&m_normal);
            break;
        }
        const QFontMetricsF fm = m_painter.fontMetrics();
        const qreal baseline = y + (h - fm.height()) / 2 + fm.ascent();
        for (const Cell& c : line.cells) {
            if (c.text.isEmpty())
                continue;
            const qreal x = c.start * m_charWidth;
            const qreal w = c.width * m_charWidth;
            QString text = c.text;
            qreal advance = fm.horizontalAdvance(text);
            if (advance > w) {
                text = fm.elidedText(text, Qt::ElideRight, w);
                advance = fm.horizontalAdvance(text);
            }
            qreal left = x;
            if (c.align & Qt::AlignRight)
                left = x + w - advance;
            else if (c.align & Qt::AlignHCenter)
                left = x + (w - advance) / 2;
            m_painter.drawText(QPointF(left, baseline), text);
        }
    }

    bool endPage() override { return true; }

    bool finish() override {
        if (m_painter.isActive() && !m_painter.end()) {
            m_error = QStringLiteral("A impressão não pode terminar.");
            return false;
        }
        return true;
    }

    QString error() const override { return m_error; }

private:
    void use(const QFont* font) {
        if (m_current != font) {
            m_painter.setFont(*font);
            m_current = font;
        }
    }

    QPagedPaintDevice* m_device;
    PageGrid m_grid;
    QPainter m_painter;
    qreal m_charWidth = 1;
    qreal m_lineHeight = 1;
    QFont m_normal;
    QFont m_bold;
    QFont m_title;
    const QFont* m_current = nullptr;
    QString m_error;
};

// ---------------------------------------------------------------------------------------
// Plain text

class TextSink : public Sink {
public:
    TextSink(QIODevice& out, PageGrid grid) : m_out(out), m_grid(grid) {}

    bool beginPage(int number) override {
        if (number > 1)
            put(QByteArrayLiteral("\f"));
        return m_ok;
    }

    void write(const Line& line, int) override {
        QString text;
        if (line.kind == LineKind::Rule) {
            text = QString(m_grid.chars, QLatin1Char('-'));
        } else if (line.kind != LineKind::Picture) {
            for (const Cell& c : line.cells)
                place(text, c);
            while (text.endsWith(QLatin1Char(' ')))
                text.chop(1);
        }
        QByteArray bytes = text.toUtf8();
        bytes.append(QByteArray(line.height, '\n'));
        put(bytes);
    }

    bool endPage() override { return m_ok; }
    bool finish() override { return m_ok; }
    QString error() const override { return m_error; }

private:
    static void place(QString& text, const Cell& c) {
        if (c.width <= 0)
            return;
        const QString value = c.text.left(c.width);
        int pad = c.width - int(value.size());
        int left = 0;
        if (c.align & Qt::AlignRight)
            left = pad;
        else if (c.align & Qt::AlignHCenter)
            left = pad / 2;
        const int end = c.start + c.width;
        if (text.size() < end)
            text.append(QString(end - text.size(), QLatin1Char(' ')));
        text.replace(c.start, c.width,
                     QString(left, QLatin1Char(' ')) + value +
                         QString(pad - left, QLatin1Char(' ')));
    }

    void put(const QByteArray& bytes) {
        if (m_ok && m_out.write(bytes) != bytes.size()) {
            m_ok = false;
            m_error = m_out.errorString();
        }
    }

    QIODevice& m_out;
    PageGrid m_grid;
    bool m_ok = true;
    QString m_error;
};

} // namespace

Result render(const Form& form, Source& source, const Context& context, Sink& sink,
              const Progress& progress) {
    Layout layout(form, source, context, sink);
    return layout.run(progress);
}

Result renderToDevice(const Form& form, Source& source, const Context& context,
                      QPagedPaintDevice* device, const Progress& progress, bool setLayout) {
    if (setLayout)
        device->setPageLayout(pageLayout(form.orientation));
    DeviceSink sink(device, pageGrid(form.orientation));
    Result r = render(form, source, context, sink, progress);
    if (!r.ok)
        sink.finish();
    return r;
}

Result renderToText(const Form& form, Source& source, const Context& context, QIODevice& out,
                    const Progress& progress) {
    TextSink sink(out, pageGrid(form.orientation));
    return render(form, source, context, sink, progress);
}

} // namespace falq::reports
