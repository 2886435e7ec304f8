#include "gridexport.h"

#include "messages.h"
#include "session.h"
#include "wholefile.h"
#include "workprogress.h"
#include "xlsxbook.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableView>
#include <QUrl>
#include <cmath>

namespace falq {

namespace {

constexpr int kProgressEvery = 512;
constexpr int kMaxSheetWidth = 100;

// A file name from the title: letters and digits, the rest as "_".
QString fileStem(const QString& title) {
    QString stem;
    for (const QChar c : title) {
        if (c.isLetterOrNumber())
            stem += c;
        else if (!stem.endsWith(QLatin1Char('_')))
            stem += QLatin1Char('_');
    }
    while (stem.endsWith(QLatin1Char('_')))
        stem.chop(1);
    while (stem.startsWith(QLatin1Char('_')))
        stem.remove(0, 1);
    return stem.isEmpty() ? QStringLiteral("Exportacao") : stem.left(60);
}

bool isWholeNumber(const QVariant& v) {
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

bool isDecimal(const QVariant& v) {
    const int id = v.metaType().id();
    return id == QMetaType::Double || id == QMetaType::Float;
}

} // namespace

int sheetColumnWidth(int pixels, int wWidth) {
    if (wWidth <= 0)
        return 0;
    return qMin(kMaxSheetWidth, int(std::lround(double(pixels) / wWidth * 2)));
}

reports::Result writeGridSpreadsheet(QTableView& grid, const SpreadsheetHeading& heading,
                                     const QString& folder, const reports::Progress& progress) {
    QAbstractItemModel* model = grid.model();
    reports::Result result;
    if (!model) {
        result.error = QStringLiteral("A grelha não tem dados.");
        return result;
    }
    // The grid's columns as the user sees them.
    QList<int> columns;
    const QHeaderView* header = grid.horizontalHeader();
    for (int v = 0; v < header->count(); ++v) {
        const int logical = header->logicalIndex(v);
        if (!grid.isColumnHidden(logical))
            columns << logical;
    }
    const int wWidth = grid.fontMetrics().horizontalAdvance(QLatin1Char('W'));
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_hhmmss"));
    const QString stem = fileStem(heading.title);

    const auto name = [&](int attempt) {
        return attempt == 0 ? QStringLiteral("%1_%2.xlsx").arg(stem, stamp)
                            : QStringLiteral("%1_%2_%3.xlsx").arg(stem, stamp).arg(attempt);
    };
    const QString shown = QDir(folder).filePath(name(0));
    const WholeFileResult written =
        writeNewFile(folder, name, [&](const FillTarget& target, QString* error) {
            XlsxBook book(target.path, target.scratch);
            if (!book.isValid()) {
                *error = writeFailure(shown, book.close());
                return false;
            }
            for (int c = 0; c < columns.size(); ++c)
                book.setColumnWidth(c, sheetColumnWidth(grid.columnWidth(columns[c]), wWidth));
            book.text(0, 0, heading.company);
            book.text(1, 0, QStringLiteral("BDE Alias: ") + heading.invoicingAlias);
            book.text(2, 0, heading.title);
            CellStyle style;
            style.align = CellStyle::Align::Centre;
            style.grey = true;
            const XlsxBook::Format titles = book.format(style);
            for (int c = 0; c < columns.size(); ++c)
                book.text(3, c,
                          model->headerData(columns[c], Qt::Horizontal, Qt::DisplayRole).toString(),
                          titles);
            style = CellStyle();
            style.align = CellStyle::Align::Right;
            const XlsxBook::Format whole = book.format(style);
            style.numberFormat = QStringLiteral("0.00");
            const XlsxBook::Format decimal = book.format(style);
            style = CellStyle();
            style.numberFormat = QStringLiteral("dd/mm/yyyy");
            const XlsxBook::Format date = book.format(style);
            int row = 0;
            for (;; ++row) {
                while (row >= model->rowCount() && model->canFetchMore({}))
                    model->fetchMore({});
                if (row >= model->rowCount())
                    break;
                if (progress && row % kProgressEvery == 0 &&
                    !progress(row, model->canFetchMore({}) ? -1 : model->rowCount())) {
                    book.close();
                    return false;
                }
                const int sheetRow = 4 + row;
                for (int c = 0; c < columns.size(); ++c) {
                    const QVariant v = model->index(row, columns[c]).data(Qt::EditRole);
                    if (v.isNull() || !v.isValid())
                        continue;
                    if (isWholeNumber(v))
                        book.number(sheetRow, c, v.toDouble(), whole);
                    else if (isDecimal(v))
                        book.number(sheetRow, c, v.toDouble(), decimal);
                    else if (v.metaType().id() == QMetaType::QDateTime ||
                             v.metaType().id() == QMetaType::QDate)
                        book.dateTime(sheetRow, c, v.toDateTime(), date);
                    else
                        book.text(sheetRow, c, v.toString());
                }
            }
            style = CellStyle();
            style.grey = true;
            const XlsxBook::Format grey = book.format(style);
            for (int c = 0; c < columns.size(); ++c)
                book.blank(4 + row, c, grey);
            result.rows = row;
            const QString reason = book.close();
            if (!reason.isEmpty())
                *error = writeFailure(shown, reason);
            return reason.isEmpty();
        });
    result.ok = written.ok;
    result.cancelled = written.cancelled;
    result.error = written.error;
    result.path = written.path;
    if (result.ok)
        removeOldExports(folder, QDateTime::currentDateTime());
    return result;
}

int removeOldExports(const QString& folder, const QDateTime& now, int days) {
    // Only what this export names: "<title>_yyyyMMdd_hhmmss[_n].xlsx".
    static const QRegularExpression ours(QStringLiteral("_\\d{8}_\\d{6}(_\\d+)?\\.xlsx$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QDateTime limit = now.addDays(-days);
    int removed = 0;
    const QFileInfoList files = QDir(folder).entryInfoList(
        {QStringLiteral("*.xlsx"), QStringLiteral("*.XLSX")}, QDir::Files);
    for (const QFileInfo& f : files)
        if (ours.match(f.fileName()).hasMatch() && f.lastModified() < limit &&
            QFile::remove(f.absoluteFilePath()))
            ++removed;
    return removed;
}

QString privateExportFolder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty())
        base = QDir(QDir::tempPath()).filePath(QStringLiteral("falquinas"));
    const QString folder = QDir(base).filePath(QStringLiteral("exportacoes"));
    if (QDir().mkpath(folder))
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    return folder;
}

GridExporter::GridExporter(Session& session) : m_session(session) {
    m_open = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
}

QString GridExporter::folder() const {
    return m_folder.isEmpty() ? privateExportFolder() : m_folder;
}

QString GridExporter::exportGrid(QWidget* window, QTableView* grid, const QString& title) {
    const SessionContext& ctx = m_session.context();
    const SpreadsheetHeading heading{ctx.companyName, ctx.invoicingAlias, title};
    WorkProgress progress(window, QStringLiteral("A exportar para Excel ..."));
    const reports::Result r = writeGridSpreadsheet(*grid, heading, folder(), progress.callback());
    if (r.cancelled)
        return {};
    if (!r.ok) {
        m_session.messages().show(
            QStringLiteral("Não foi possível exportar para Excel.\n%1").arg(r.error), true);
        return {};
    }
    if (!m_open(r.path))
        m_session.messages().show(
            QStringLiteral("O ficheiro \"%1\" foi gravado mas não pode ser aberto.").arg(r.path),
            true);
    return r.path;
}

} // namespace falq
