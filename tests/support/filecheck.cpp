#include "filecheck.h"

#include <QFile>
#include <QList>
#include <QXmlStreamReader>
#include <QtEndian>
#include <zlib.h>

namespace falq::test {

bool matchesGolden(const QByteArray& actual, const QString& referencePath, QString* why) {
    if (qEnvironmentVariable("FALQ_UPDATE_GOLDEN") == QLatin1String("1")) {
        QFile out(referencePath);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            *why = QStringLiteral("cannot write %1").arg(referencePath);
            return false;
        }
        out.write(actual);
        return true;
    }
    QFile in(referencePath);
    if (!in.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("no reference file %1 (run with FALQ_UPDATE_GOLDEN=1 to create it)")
                   .arg(referencePath);
        return false;
    }
    const QByteArray expected = in.readAll();
    if (expected == actual)
        return true;
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    int line = 0;
    while (line < a.size() && line < e.size() && a[line] == e[line])
        ++line;
    *why = QStringLiteral("%1, line %2:\n  expected: %3\n  actual:   %4")
               .arg(referencePath)
               .arg(line + 1)
               .arg(QString::fromUtf8(e.value(line)), QString::fromUtf8(a.value(line)));
    QFile kept(referencePath + QStringLiteral(".actual"));
    if (kept.open(QIODevice::WriteOnly | QIODevice::Truncate))
        kept.write(actual);
    return false;
}

namespace {

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint64 u64(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint64>(b.constData() + at);
}

bool inflateRaw(const QByteArray& in, qsizetype size, QByteArray* out) {
    out->resize(size);
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return false;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
    z.avail_in = uInt(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out->data());
    z.avail_out = uInt(size);
    const int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    return rc == Z_STREAM_END && qsizetype(z.total_out) == size;
}

} // namespace

QMap<QString, QByteArray> readZip(const QString& path, QString* error) {
    QMap<QString, QByteArray> members;
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return QMap<QString, QByteArray>();
    };
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return fail(f.errorString());
    const QByteArray zip = f.readAll();
    // End of the central directory, near the end of the file.
    qsizetype eocd = -1;
    for (qsizetype i = zip.size() - 22; i >= 0 && i >= zip.size() - 22 - 65535; --i)
        if (u32(zip, i) == 0x06054b50) {
            eocd = i;
            break;
        }
    if (eocd < 0)
        return fail(QStringLiteral("not a zip file"));
    const int entries = u16(zip, eocd + 10);
    qsizetype at = u32(zip, eocd + 16);
    for (int n = 0; n < entries; ++n) {
        if (at + 46 > zip.size() || u32(zip, at) != 0x02014b50)
            return fail(QStringLiteral("damaged central directory"));
        const int method = u16(zip, at + 10);
        quint64 packed = u32(zip, at + 20);
        quint64 size = u32(zip, at + 24);
        const int nameLength = u16(zip, at + 28);
        const int extraLength = u16(zip, at + 30);
        const int commentLength = u16(zip, at + 32);
        quint64 local = u32(zip, at + 42);
        const QString name = QString::fromUtf8(zip.mid(at + 46, nameLength));
        // Zip64 sizes and offset, where the plain fields are full.
        qsizetype x = at + 46 + nameLength;
        const qsizetype xEnd = x + extraLength;
        while (x + 4 <= xEnd) {
            const int id = u16(zip, x);
            const int len = u16(zip, x + 2);
            qsizetype p = x + 4;
            if (id == 0x0001) {
                if (size == 0xffffffffu) {
                    size = u64(zip, p);
                    p += 8;
                }
                if (packed == 0xffffffffu) {
                    packed = u64(zip, p);
                    p += 8;
                }
                if (local == 0xffffffffu)
                    local = u64(zip, p);
            }
            x += 4 + len;
        }
        const qsizetype data = qsizetype(local) + 30 + u16(zip, local + 26) + u16(zip, local + 28);
        const QByteArray raw = zip.mid(data, qsizetype(packed));
        QByteArray content;
        if (method == 0)
            content = raw;
        else if (method != 8 || !inflateRaw(raw, qsizetype(size), &content))
            return fail(QStringLiteral("cannot read member %1").arg(name));
        members.insert(name, content);
        at += 46 + nameLength + extraLength + commentLength;
    }
    return members;
}

namespace {

QString columnName(int column) {
    QString name;
    for (int c = column; c > 0; c = (c - 1) / 26)
        name.prepend(QChar(u'A' + (c - 1) % 26));
    return name;
}

int columnNumber(const QString& reference) {
    int n = 0;
    for (const QChar ch : reference) {
        if (!ch.isLetter())
            break;
        n = n * 26 + (ch.unicode() - u'A' + 1);
    }
    return n;
}

QString builtinFormat(int id) {
    static const QMap<int, QString> builtins = {
        {0, "General"},  {1, "0"},         {2, "0.00"},        {3, "#,##0"},
        {4, "#,##0.00"}, {14, "mm-dd-yy"}, {22, "m/d/yy h:mm"}};
    return builtins.value(id);
}

} // namespace

SheetCell Sheet::at(int row, int column) const {
    return cells.value(columnName(column) + QString::number(row));
}

Sheet readSheet(const QString& xlsxPath) {
    Sheet sheet;
    const QMap<QString, QByteArray> zip = readZip(xlsxPath, &sheet.error);
    if (zip.isEmpty()) {
        if (sheet.error.isEmpty())
            sheet.error = QStringLiteral("empty file");
        return sheet;
    }
    // Styles: number formats, fonts, fills and the cell formats that combine them.
    QMap<int, QString> formats;
    QList<bool> boldFonts;
    QList<bool> greyFills;
    struct Xf {
        QString format;
        QString align;
        bool grey = false;
        bool bold = false;
    };
    QList<Xf> xfs;
    {
        QXmlStreamReader x(zip.value(QStringLiteral("xl/styles.xml")));
        QString section;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isEndElement() &&
                (x.name() == u"fonts" || x.name() == u"fills" || x.name() == u"cellXfs"))
                section.clear();
            if (!x.isStartElement())
                continue;
            const auto n = x.name();
            const auto a = x.attributes();
            if (n == u"fonts" || n == u"fills" || n == u"cellXfs")
                section = n.toString();
            else if (n == u"numFmt")
                formats.insert(a.value(QLatin1String("numFmtId")).toInt(),
                               a.value(QLatin1String("formatCode")).toString());
            else if (section == u"fonts" && n == u"font")
                boldFonts << false;
            else if (section == u"fonts" && n == u"b" && !boldFonts.isEmpty())
                boldFonts.last() = true;
            else if (section == u"fills" && n == u"fill")
                greyFills << false;
            else if (section == u"fills" && n == u"fgColor" && !greyFills.isEmpty())
                greyFills.last() = a.value(QLatin1String("rgb")).toString().endsWith(u"C0C0C0");
            else if (section == u"cellXfs" && n == u"xf") {
                const int id = a.value(QLatin1String("numFmtId")).toInt();
                Xf xf;
                xf.format = formats.contains(id) ? formats.value(id) : builtinFormat(id);
                xf.grey = greyFills.value(a.value(QLatin1String("fillId")).toInt());
                xf.bold = boldFonts.value(a.value(QLatin1String("fontId")).toInt());
                xfs << xf;
            } else if (section == u"cellXfs" && n == u"alignment" && !xfs.isEmpty())
                xfs.last().align = a.value(QLatin1String("horizontal")).toString();
        }
    }
    QStringList shared;
    {
        QXmlStreamReader x(zip.value(QStringLiteral("xl/sharedStrings.xml")));
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"si")
                shared << QString();
            else if (x.isStartElement() && x.name() == u"t" && !shared.isEmpty())
                shared.last() += x.readElementText();
        }
    }
    QXmlStreamReader x(zip.value(QStringLiteral("xl/worksheets/sheet1.xml")));
    QString reference;
    QString type;
    SheetCell cell;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            const auto a = x.attributes();
            if (x.name() == u"col") {
                for (int c = a.value(QLatin1String("min")).toInt();
                     c <= a.value(QLatin1String("max")).toInt(); ++c)
                    sheet.widths.insert(c, a.value(QLatin1String("width")).toDouble());
            } else if (x.name() == u"c") {
                reference = a.value(QLatin1String("r")).toString();
                type = a.value(QLatin1String("t")).toString();
                const Xf xf = xfs.value(a.value(QLatin1String("s")).toInt());
                cell = SheetCell();
                cell.numberFormat = xf.format;
                cell.align = xf.align;
                cell.grey = xf.grey;
                cell.bold = xf.bold;
            } else if (x.name() == u"v") {
                const QString v = x.readElementText();
                if (type == u"s")
                    cell.text = shared.value(v.toInt());
                else {
                    cell.text = v;
                    cell.number = type.isEmpty() || type == u"n";
                }
            } else if (x.name() == u"t" && type == u"inlineStr") {
                cell.text += x.readElementText();
            }
        } else if (x.isEndElement() && x.name() == u"c") {
            sheet.cells.insert(reference, cell);
            QString digits = reference;
            digits.remove(0, columnName(columnNumber(reference)).size());
            sheet.lastRow = qMax(sheet.lastRow, digits.toInt());
        }
    }
    if (x.hasError())
        sheet.error = x.errorString();
    return sheet;
}

} // namespace falq::test
