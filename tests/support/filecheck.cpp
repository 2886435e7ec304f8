#include "filecheck.h"

#include "zipfile.h"

#include <QFile>
#include <QList>
#include <QXmlStreamReader>

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

QMap<QString, QByteArray> readZip(const QString& path, QString* error) {
    QMap<QString, QByteArray> members;
    const bool read = readZipMembers(
        path,
        [&](const QString& member, const QByteArray& piece, bool, bool) {
            members[member] += piece;
            return true;
        },
        error);
    return read ? members : QMap<QString, QByteArray>();
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
