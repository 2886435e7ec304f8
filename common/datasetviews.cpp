#include "datasetviews.h"

#include "dataset.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <memory>

namespace falq {

namespace {

void showCurrentRow(QTableView* grid, Dataset* dataset) {
    const int row = dataset->currentRow();
    if (row < 0) {
        grid->selectionModel()->clearCurrentIndex();
        return;
    }
    if (grid->currentIndex().row() == row)
        return;
    QAbstractItemModel* model = grid->model();
    int column = 0;
    while (column < model->columnCount() && grid->isColumnHidden(column))
        ++column;
    const QModelIndex index = model->index(row, column);
    grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
    grid->scrollTo(index);
}

} // namespace

FieldColumnsModel::FieldColumnsModel(Dataset* set, const QList<SearchColumn>& columns,
                                     QObject* parent)
    : QAbstractTableModel(parent), m_set(set), m_columns(columns) {
    connect(set, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(set, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); });
    connect(set, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex&, int first, int last) { beginInsertRows({}, first, last); });
    connect(set, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); });
    connect(set, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { beginRemoveRows({}, first, last); });
    connect(set, &QAbstractItemModel::rowsRemoved, this, [this] { endRemoveRows(); });
    connect(set, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                emit dataChanged(index(from.row(), 0), index(to.row(), columnCount() - 1));
            });
}

int FieldColumnsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_set->rowCount();
}

int FieldColumnsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant FieldColumnsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int column = m_set->columnOfField(m_columns.value(index.column()).field);
    return column < 0 ? QVariant() : m_set->data(m_set->index(index.row(), column), role);
}

QVariant FieldColumnsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_columns.value(section).title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags FieldColumnsModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

bool FieldColumnsModel::canFetchMore(const QModelIndex& parent) const {
    return m_set->canFetchMore(parent);
}

void FieldColumnsModel::fetchMore(const QModelIndex& parent) {
    m_set->fetchMore(parent);
}

void bindGrid(QTableView* grid, Dataset* dataset) {
    bindGridRows(grid, dataset, dataset);
    dataset->presentIn(grid);
}

void bindGridRows(QTableView* grid, Dataset* dataset, QAbstractItemModel* model) {
    // While rows come and go the view moves its own current row; only the user's moves are
    // the dataset's (a row being removed must not become current half-way). The counter goes
    // up before the view hears of a change and down after it has dealt with it.
    auto changing = std::make_shared<int>(0);
    auto begin = [changing] { ++*changing; };
    QObject::connect(dataset, &QAbstractItemModel::rowsAboutToBeRemoved, grid, begin);
    QObject::connect(dataset, &QAbstractItemModel::rowsAboutToBeInserted, grid, begin);
    QObject::connect(dataset, &QAbstractItemModel::modelAboutToBeReset, grid, begin);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    auto end = [changing] { --*changing; };
    QObject::connect(dataset, &QAbstractItemModel::rowsRemoved, grid, end);
    QObject::connect(dataset, &QAbstractItemModel::rowsInserted, grid, end);
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid,
                     [dataset, changing](const QModelIndex& current) {
                         if (*changing == 0 && current.isValid() &&
                             current.row() != dataset->currentRow())
                             dataset->setCurrentRow(current.row());
                     });
    QObject::connect(dataset, &Dataset::currentRowChanged, grid,
                     [grid, dataset] { showCurrentRow(grid, dataset); });
    QObject::connect(dataset, &QAbstractItemModel::modelReset, grid, [grid, dataset, changing] {
        --*changing;
        if (grid->model() == dataset)
            dataset->presentIn(grid);
        showCurrentRow(grid, dataset);
    });
}

void presentColumns(QTableView* grid, Dataset* dataset, const QList<GridColumn>& columns) {
    static const char* kKeeper = "falqColumnPresentation";
    delete grid->findChild<QObject*>(QLatin1String(kKeeper), Qt::FindDirectChildrenOnly);
    auto* keeper = new QObject(grid);
    keeper->setObjectName(QLatin1String(kKeeper));
    auto apply = [grid, dataset, columns] {
        if (grid->model() != dataset)
            return;
        QHeaderView* header = grid->horizontalHeader();
        QStringList shown;
        for (const GridColumn& c : columns)
            shown << c.field.toUpper();
        for (int c = 0; c < dataset->columnCount(); ++c)
            grid->setColumnHidden(c, !shown.contains(dataset->fieldOfColumn(c).toUpper()));
        const QFontMetrics metrics = grid->fontMetrics();
        for (int i = 0; i < columns.size(); ++i) {
            const int logical = dataset->columnOfField(columns[i].field);
            if (logical < 0)
                continue;
            header->moveSection(header->visualIndex(logical), i);
            if (columns[i].chars > 0) {
                const QString title =
                    dataset->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
                grid->setColumnWidth(logical, qMax(columns[i].chars * metrics.averageCharWidth(),
                                                   metrics.horizontalAdvance(title)) +
                                                  16);
            }
        }
    };
    apply();
    // After bindGrid's own step on a reset (the dataset's presented columns), so this wins.
    QObject::connect(dataset, &QAbstractItemModel::modelReset, keeper, apply);
}

void bindCurrentRowGrid(QTableView* grid, Dataset* dataset, const QList<SearchColumn>& columns) {
    auto* model = new QStandardItemModel(0, int(columns.size()), grid);
    for (int c = 0; c < columns.size(); ++c)
        model->setHorizontalHeaderItem(c, new QStandardItem(columns[c].title));
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    auto show = [model, dataset, columns] {
        model->removeRows(0, model->rowCount());
        if (!dataset->isOpen() || dataset->currentRow() < 0)
            return;
        QList<QStandardItem*> items;
        for (const SearchColumn& c : columns) {
            const QVariant value = dataset->fieldValue(c.field);
            items << new QStandardItem(value.isNull() ? QString() : value.toString());
        }
        model->appendRow(items);
    };
    QObject::connect(dataset, &Dataset::currentRowChanged, model, show);
    QObject::connect(dataset, &QAbstractItemModel::dataChanged, model, show);
    QObject::connect(dataset, &QAbstractItemModel::modelReset, model, show);
    show();
}

void bindField(QLineEdit* edit, Dataset* dataset, const QString& field) {
    auto show = [edit, dataset, field] {
        const QString text = dataset->fieldValue(field).toString();
        if (edit->text() != text)
            edit->setText(text);
    };
    QObject::connect(dataset, &Dataset::currentRowChanged, edit, show);
    QObject::connect(dataset, &QAbstractItemModel::dataChanged, edit, show);
    QObject::connect(dataset, &QAbstractItemModel::modelReset, edit, show);
    QObject::connect(dataset, &Dataset::stateChanged, edit, show);
    QObject::connect(edit, &QLineEdit::textEdited, dataset, [dataset, field](const QString& text) {
        dataset->setFieldValue(field, text);
    });
    show();
}

Navigator::Navigator(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("BotNavig"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    connect(
        addButton("BotPrimeiro", QStringLiteral("Primeiro Registo"), QStyle::SP_MediaSkipBackward),
        &QToolButton::clicked, this, &Navigator::first);
    connect(
        addButton("BotAnterior", QStringLiteral("Registo Anterior"), QStyle::SP_MediaSeekBackward),
        &QToolButton::clicked, this, &Navigator::prior);
    connect(addButton("BotProximo", QStringLiteral("Próximo Registo"), QStyle::SP_MediaSeekForward),
            &QToolButton::clicked, this, &Navigator::next);
    connect(addButton("BotUltimo", QStringLiteral("Último Registo"), QStyle::SP_MediaSkipForward),
            &QToolButton::clicked, this, &Navigator::last);
}

QToolButton* Navigator::addButton(const char* name, const QString& hint, int icon) {
    auto* b = new QToolButton(this);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setIcon(style()->standardIcon(QStyle::StandardPixmap(icon)));
    b->setFocusPolicy(Qt::NoFocus);
    layout()->addWidget(b);
    return b;
}

void Navigator::first() {
    if (m_dataset && m_dataset->rowCount() > 0)
        m_dataset->setCurrentRow(0);
}

void Navigator::prior() {
    if (m_dataset && m_dataset->currentRow() > 0)
        m_dataset->setCurrentRow(m_dataset->currentRow() - 1);
}

void Navigator::next() {
    if (!m_dataset)
        return;
    const int row = m_dataset->currentRow() + 1;
    while (row >= m_dataset->rowCount() && m_dataset->canFetchMore())
        m_dataset->fetchMore();
    if (row < m_dataset->rowCount())
        m_dataset->setCurrentRow(row);
}

void Navigator::last() {
    if (!m_dataset)
        return;
    while (m_dataset->canFetchMore())
        m_dataset->fetchMore();
    if (m_dataset->rowCount() > 0)
        m_dataset->setCurrentRow(m_dataset->rowCount() - 1);
}

} // namespace falq
