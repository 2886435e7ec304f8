#include "toollifemodel.h"

#include "reportpictures.h"

#include <QLocale>
#include <algorithm>
#include <numeric>

namespace falq::movements {

namespace {

const QString kTitle = QStringLiteral("Vida Útil de Clichés e Cortantes");

QString wholeNumber(qint64 value) {
    return QLocale(QLocale::Portuguese, QLocale::Portugal).toString(value);
}

} // namespace

void ToolLifeModel::setRows(ItemKind kind, QVector<ToolLife> rows, const QDate& workingDate,
                            int warningPercent) {
    beginResetModel();
    m_kind = kind;
    m_rows = std::move(rows);
    m_working = workingDate;
    m_warning = warningPercent;
    m_next = nullptr;
    m_rest = nullptr;
    m_more = false;
    m_sortColumn = -1;
    endResetModel();
}

void ToolLifeModel::setPageReader(PageReader next, bool more, PageReader rest) {
    m_next = std::move(next);
    m_rest = std::move(rest);
    m_more = more && m_next;
}

bool ToolLifeModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_more && !m_fetchingAll;
}

void ToolLifeModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || !m_more || m_fetchingAll)
        return;
    QVector<ToolLife> page;
    m_more = m_next(page);
    if (page.isEmpty())
        return;
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + page.size() - 1));
    m_rows += page;
    endInsertRows();
}

bool ToolLifeModel::fetchAll() {
    if (m_fetchingAll)
        return false;
    if (m_more && m_rest) {
        QVector<ToolLife> rest;
        m_fetchingAll = true;
        const bool read = m_rest(rest);
        m_fetchingAll = false;
        if (!read)
            return false;
        m_more = false;
        if (!rest.isEmpty()) {
            beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + rest.size() - 1));
            m_rows += rest;
            endInsertRows();
        }
    }
    while (m_more)
        fetchMore();
    return true;
}

bool ToolLifeModel::updateRow(const ToolLife& tool) {
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows[row].number == tool.number) {
            m_rows[row] = tool;
            emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
            return true;
        }
    }
    return false;
}

int ToolLifeModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ToolLifeModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ToolLifeModel::sortKey(int row, int column) const {
    const ToolLife& t = m_rows.at(row);
    // Finer than the cell's value where the cell rounds; none below all.
    switch (column) {
    case WearPercent:
        return t.wearPercent() ? QVariant(*t.wearPercent()) : QVariant(-1.0);
    case LastUse:
        return t.lastUse.isValid() ? double(t.lastUse.toMSecsSinceEpoch()) : -1e18;
    case WearOut: {
        // Unknown below all, then the worn tools, then the dates.
        if (t.worn())
            return 0.0;
        const std::optional<QDate> end = t.wearOutDate(m_working);
        return end ? double(end->toJulianDay()) : -1.0;
    }
    default:
        return value(row, column);
    }
}

QString ToolLifeModel::text(int row, int column) const {
    const QVariant v = value(row, column);
    if (v.isNull())
        return {};
    switch (column) {
    case Number:
    case Client:
    case Reference:
    case Machine:
        return v.toString();
    case Life:
    case Wear:
    case Uses:
        return wholeNumber(v.toLongLong());
    case WearPercent:
        return v.toString() + QLatin1Char('%');
    case LastUse:
    case WearOut:
        return v.typeId() == QMetaType::QDate ? dateText(v.toDate()) : v.toString();
    case Cost:
        return QLocale(QLocale::Portuguese, QLocale::Portugal).toString(v.toDouble(), 'f', 2);
    default:
        return {};
    }
}

QVariant ToolLifeModel::value(int row, int column) const {
    const ToolLife& t = m_rows.at(row);
    switch (column) {
    case Number:
        return t.number;
    case Client:
        return t.client;
    case Reference:
        return t.reference;
    case Machine:
        return t.machine ? QVariant(t.machine) : QVariant();
    case Life:
        return t.lifeKnown() ? QVariant(t.life) : QVariant();
    case Wear:
        return t.wear;
    case WearPercent: {
        const std::optional<qint64> percent = t.wholePercent();
        return percent ? QVariant(*percent) : QVariant();
    }
    case Uses:
        return t.uses;
    case LastUse:
        return t.lastUse.isValid() ? QVariant(t.lastUse.date()) : QVariant();
    case WearOut: {
        if (t.worn())
            return kWornOut;
        const std::optional<QDate> end = t.wearOutDate(m_working);
        return end ? QVariant(*end) : QVariant();
    }
    case Cost:
        return t.cost;
    default:
        return {};
    }
}

QVariant ToolLifeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), column);
    case Qt::EditRole:
        return value(index.row(), column);
    case Qt::TextAlignmentRole:
        return column >= Machine ? int(Qt::AlignRight | Qt::AlignVCenter)
                                 : int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (column == WearPercent) {
            const ToolLife& t = m_rows.at(index.row());
            if (t.worn())
                return wornColour();
            if (t.inWarning(m_warning))
                return warningColour();
        }
        return {};
    default:
        return {};
    }
}

QVariant ToolLifeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Number:
        return m_kind == ItemKind::Cliche ? QStringLiteral("Cliché Nº")
                                          : QStringLiteral("Desenho Nº");
    case Client:
        return QStringLiteral("Cliente");
    case Reference:
        return QStringLiteral("Referência");
    case Machine:
        return QStringLiteral("Máquina");
    case Life:
        return QStringLiteral("Vida Prevista");
    case Wear:
        return m_kind == ItemKind::Cliche ? QStringLiteral("Rotações")
                                          : QStringLiteral("Batimentos");
    case WearPercent:
        return QStringLiteral("% Desgaste");
    case Uses:
        return QStringLiteral("Utilizações");
    case LastUse:
        return QStringLiteral("Última Utiliz.");
    case WearOut:
        return QStringLiteral("Previsão de Fim");
    case Cost:
        return QStringLiteral("Custo");
    default:
        return {};
    }
}

void ToolLifeModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount)
        return;
    if (!fetchAll()) {
        emit sortStopped();
        return;
    }
    m_sortColumn = column;
    m_sortOrder = order;
    emit layoutAboutToBeChanged();
    QVector<int> rows(m_rows.size());
    std::iota(rows.begin(), rows.end(), 0);
    QVector<QVariant> keys(m_rows.size());
    for (int row = 0; row < m_rows.size(); ++row)
        keys[row] = sortKey(row, column);
    const bool text = column == Number || column == Client || column == Reference;
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        int c = 0;
        if (text) {
            c = keys[a].toString().compare(keys[b].toString(), Qt::CaseInsensitive);
        } else {
            const double x = keys[a].toDouble();
            const double y = keys[b].toDouble();
            c = x < y ? -1 : (x > y ? 1 : 0);
        }
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    QVector<ToolLife> sorted;
    sorted.reserve(m_rows.size());
    QVector<int> moved(m_rows.size()); // old row -> new row
    for (int i = 0; i < rows.size(); ++i) {
        sorted << m_rows.at(rows[i]);
        moved[rows[i]] = i;
    }
    m_rows = std::move(sorted);
    // The current row (and any index kept) stays on its tool, so the life box, the picture
    // and "Gravar Vida" go on naming the tool shown as current.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& i : before)
        after << index(moved.value(i.row(), i.row()), i.column());
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

PreparedReport prepareToolLifeList(const ToolLifeModel& model, const QStringList& criteria,
                                   const ImageParameters& images, bool photos) {
    PreparedReport out;
    out.caption = kTitle;
    reports::Form& f = out.form;
    f.name = QStringLiteral("VIDAUTIL");
    f.title = kTitle;
    f.criteria = criteria;
    f.orientation = QPageLayout::Landscape;
    // The landscape page's 142 characters, a blank between columns; every title in full.
    static const int widths[ToolLifeModel::ColumnCount] = {12, 12, 18, 7,  13, 11,
                                                           10, 11, 14, 15, 9};
    QStringList fields;
    for (int c = 0; c < ToolLifeModel::ColumnCount; ++c) {
        const QString field = QStringLiteral("C%1").arg(c);
        fields << field;
        f.columns << reports::Column{model.headerData(c, Qt::Horizontal).toString(), field,
                                     widths[c],
                                     c >= ToolLifeModel::Machine ? Qt::AlignRight : Qt::AlignLeft};
    }
    QVector<QVariantList> rows;
    rows.reserve(model.rowCount());
    for (int r = 0; r < model.rowCount(); ++r) {
        QVariantList row;
        for (int c = 0; c < ToolLifeModel::ColumnCount; ++c)
            row << model.text(r, c);
        rows << row;
    }
    if (photos) {
        const bool drawing = model.kind() == ItemKind::Drawing;
        f.picture = [images, drawing](const reports::Record& r) {
            return itemPicture(images, drawing, r.value(QStringLiteral("C0")).toString());
        };
        f.pictureLines = kPictureLines;
    }
    out.source = std::make_unique<reports::TableSource>(fields, std::move(rows));
    return out;
}

} // namespace falq::movements
