#include "listingbench.h"

#include "clichereports.h"
#include "drawingreports.h"
#include "reportengine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace falq::bench {

namespace {

// Clichés and drawings made up as they are read (the rows cost no memory).
class GeneratedRecords : public reports::Source {
public:
    GeneratedRecords(int rows, bool drawings) : m_rows(rows), m_drawings(drawings) {}
    int fieldIndex(const QString& name) const override { return int(fields().indexOf(name)); }
    bool rewind() override {
        m_row = -1;
        return true;
    }
    bool next() override { return ++m_row < m_rows; }
    QVariant value(int field) const override {
        const QString f = fields().value(field);
        if (f == QLatin1String("CLICHENRO") || f == QLatin1String("DESENHONRO"))
            return QStringLiteral("%1%2")
                .arg(m_drawings ? "D" : "C")
                .arg(m_row, 6, 10, QLatin1Char('0'));
        if (f.startsWith(QLatin1String("COR_")))
            return (m_row + f.right(1).toInt()) % 13;
        if (f == QLatin1String("DATA") || f == QLatin1String("DATAPEDIDA"))
            return QDateTime(QDate(2020, 1, 1).addDays(m_row % 2000), QTime(0, 0));
        if (f == QLatin1String("DIR_CANAL"))
            return m_row % 3 == 0 ? QStringLiteral("V") : QStringLiteral("H");
        if (f == QLatin1String("VISTA"))
            return m_row % 2 == 0 ? QStringLiteral("E") : QStringLiteral("I");
        if (f == QLatin1String("FICHASETUP") || f == QLatin1String("GOLPES_CAIXA") ||
            f == QLatin1String("LARGURA") || f == QLatin1String("COMPRIM") ||
            f == QLatin1String("ALTURA") || f == QLatin1String("QUANTID") ||
            f == QLatin1String("LARG_PLACA") || f == QLatin1String("COMP_PLACA"))
            return (m_row * 7 + field) % 900 + 1;
        return QStringLiteral("%1 %2").arg(f.left(6)).arg(m_row % 997);
    }
    int sizeHint() const override { return m_rows; }

private:
    const QStringList& fields() const {
        static const QStringList cliche = {
            "CLICHENRO",  "CORTANTENRO", "FICHASETUP",  "SIGLACLI",  "PRODNRO",    "FORNSIGLA",
            "REFER_FORN", "MODELO_DES",  "MAQUINA_DES", "CODBARRAS", "REFERENCIA", "COR_01",
            "COR_02",     "COR_03",      "COR_04",      "COR_05",    "COR_06"};
        static const QStringList drawing = {
            "DESENHONRO", "CORTANTENRO", "REFERENCIA",   "SIGLACLI",   "SIGLAFORN",
            "DIR_CANAL",  "VISTA",       "GOLPES_CAIXA", "CARTAO_DES", "VNDNOME",
            "DATAPEDIDA", "MAQUINA_DES", "LARGURA",      "COMPRIM",    "ALTURA",
            "LARG_PLACA", "COMP_PLACA",  "DATA",         "QUANTID",    "DESENHADOR_DES"};
        return m_drawings ? drawing : cliche;
    }
    int m_rows;
    bool m_drawings;
    int m_row = -1;
};

enum class Kind { ClicheList, ClicheSheet, DrawingList, DrawingSheet };

// A 3000x2000 JPEG and a link to it for each generated number, in `folder`.
bool makePhotos(const QString& folder, int rows, bool drawings, QString* error) {
    QDir().mkpath(folder);
    const QString original = QDir(folder).filePath(QStringLiteral("original.jpg"));
    if (!QFileInfo::exists(original)) {
        QImage photo(3000, 2000, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x)
                line[x] = qRgb(x * 255 / 3000, y * 255 / 2000, (x ^ y) & 0xff);
        }
        if (!photo.save(original, "JPEG", 85)) {
            *error = QStringLiteral("cannot write %1").arg(original);
            return false;
        }
    }
    for (int r = 0; r < rows; ++r) {
        const QString link = QDir(folder).filePath(
            QStringLiteral("%1%2.JPG").arg(drawings ? "D" : "C").arg(r, 6, 10, QLatin1Char('0')));
        if (!QFileInfo::exists(link) && !QFile::link(original, link)) {
            *error = QStringLiteral("cannot link %1").arg(link);
            return false;
        }
    }
    return true;
}

ReportScenario scenario(const QString& folder, const QString& name, Kind kind, int rows,
                        bool photos, reports::FileFormat format) {
    const bool drawings = kind == Kind::DrawingList || kind == Kind::DrawingSheet;
    const QString path = QDir(folder).filePath(name + fileSuffix(format));
    const QString photoFolder = QDir(folder).filePath(QStringLiteral("photos"));
    ReportScenario s;
    s.name = name;
    s.run = [=](QString* error, QString* detail) {
        if (photos && !makePhotos(photoFolder, rows, drawings, error))
            return false;
        ImageParameters images{photoFolder, photoFolder, QStringLiteral(".JPG")};
        reports::Form form;
        switch (kind) {
        case Kind::ClicheList:
        case Kind::ClicheSheet: {
            cliches::ClicheReportOptions o;
            o.photos = photos;
            o.images = images;
            for (int c = 1; c < 13; ++c)
                o.colours.insert(c, QStringLiteral("Côr %1 %2").arg(c).arg(c * 11));
            form =
                kind == Kind::ClicheList ? cliches::clicheListForm(o) : cliches::clicheSheetForm(o);
            break;
        }
        case Kind::DrawingList:
        case Kind::DrawingSheet: {
            drawings::DrawingReportOptions o;
            o.photos = photos;
            o.images = images;
            form = kind == Kind::DrawingList ? drawings::drawingListForm(o)
                                             : drawings::drawingSheetForm(o);
            break;
        }
        }
        GeneratedRecords source(rows, drawings);
        const reports::Result r = reports::renderToFile(
            form, source, {QStringLiteral("Cartonagem do Vale, Lda"), QDateTime::currentDateTime()},
            format, path);
        *error = r.error;
        const double kb = QFileInfo(path).size() / 1024.0;
        *detail = QStringLiteral("%1 pages, %2 KB a page")
                      .arg(r.pages)
                      .arg(r.pages ? kb / r.pages : 0.0, 0, 'f', 1);
        return r.ok;
    };
    s.cleanup = [path] { QFile::remove(path); };
    s.output = path;
    return s;
}

} // namespace

QList<ReportScenario> listingScenarios(const QString& folder) {
    using reports::FileFormat;
    QList<ReportScenario> list;
    for (int rows : {10000, 100000}) {
        const QString k = QString::number(rows / 1000) + QLatin1Char('k');
        list << scenario(folder, "cliche-list-pdf-" + k, Kind::ClicheList, rows, false,
                         FileFormat::Pdf)
             << scenario(folder, "cliche-list-text-" + k, Kind::ClicheList, rows, false,
                         FileFormat::Text);
    }
    list << scenario(folder, QStringLiteral("cliche-sheets-1k"), Kind::ClicheSheet, 1000, false,
                     FileFormat::Pdf)
         << scenario(folder, QStringLiteral("drawing-sheets-1k"), Kind::DrawingSheet, 1000, false,
                     FileFormat::Pdf)
         << scenario(folder, QStringLiteral("drawing-list-pdf-10k"), Kind::DrawingList, 10000,
                     false, FileFormat::Pdf);
    for (int rows : {100, 500}) {
        const QString n = QString::number(rows);
        list << scenario(folder, "photo-list-" + n, Kind::ClicheList, rows, true, FileFormat::Pdf)
             << scenario(folder, "photo-sheets-" + n, Kind::DrawingSheet, rows, true,
                         FileFormat::Pdf);
    }
    list << scenario(folder, QStringLiteral("photo-cliche-sheets-100"), Kind::ClicheSheet, 100,
                     true, FileFormat::Pdf)
         << scenario(folder, QStringLiteral("photo-drawing-list-100"), Kind::DrawingList, 100, true,
                     FileFormat::Pdf);
    return list;
}

} // namespace falq::bench
