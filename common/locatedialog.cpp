#include "locatedialog.h"

#include "dataset.h"
#include "datasetviews.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace falq {

namespace {

// The rows of a dataset with a chosen set of its fields as columns, under their own titles.
class SearchColumnsModel : public QAbstractTableModel {
public:
    SearchColumnsModel(Dataset* set, const QList<SearchColumn>& columns, QObject* parent)
        : QAbstractTableModel(parent), m_set(set), m_columns(columns) {
        connect(set, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
        connect(set, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); });
        connect(
            set, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex&, int first, int last) { beginInsertRows({}, first, last); });
        connect(set, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); });
        connect(
            set, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { beginRemoveRows({}, first, last); });
        connect(set, &QAbstractItemModel::rowsRemoved, this, [this] { endRemoveRows(); });
        connect(set, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& from, const QModelIndex& to) {
                    emit dataChanged(index(from.row(), 0), index(to.row(), columnCount() - 1));
                });
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_set->rowCount();
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        const int column = m_set->columnOfField(m_columns.value(index.column()).field);
        return column < 0 ? QVariant() : m_set->data(m_set->index(index.row(), column), role);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return m_columns.value(section).title;
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
    }
    bool canFetchMore(const QModelIndex& parent) const override {
        return m_set->canFetchMore(parent);
    }
    void fetchMore(const QModelIndex& parent) override { m_set->fetchMore(parent); }

private:
    Dataset* m_set;
    QList<SearchColumn> m_columns;
};

} // namespace

LocateDialog::LocateDialog(Dataset* set, const QList<SearchColumn>& columns, Messages& messages,
                           QWidget* parent)
    : QDialog(parent), m_set(set), m_columns(columns), m_messages(messages),
      m_search(new QLineEdit(this)), m_grid(new QTableView(this)), m_label(new QLabel(this)) {
    setObjectName(QStringLiteral("Localizar"));
    setWindowTitle(caption());
    m_search->setObjectName(QStringLiteral("Edit_Localizar"));
    m_grid->setObjectName(QStringLiteral("GridLocalizar"));
    m_label->setText(columns.isEmpty() ? QString() : columns.first().title + QStringLiteral(" :"));
    m_label->setBuddy(m_search);

    bindGridRows(m_grid, set, new SearchColumnsModel(set, columns, this));
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    for (int c = 0; c < columns.size(); ++c)
        m_grid->setColumnWidth(c, fontMetrics().horizontalAdvance(QLatin1Char('X')) *
                                      qBound(8, int(columns[c].title.size()) + 6, 30));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("BotOK"));
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("BotCancelar"));
    for (QPushButton* b : {ok, cancel}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(m_label);
    top->addWidget(m_search, 1);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addWidget(buttons);
    resize(620, 460);

    connect(m_search, &QLineEdit::textEdited, this, &LocateDialog::searchTextEdited);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &QDialog::accept);
    m_search->installEventFilter(this);
    m_grid->installEventFilter(this);
}

LocateDialog::~LocateDialog() = default;

bool LocateDialog::choose() {
    m_startRow = m_set->currentRow();
    m_search->setFocus();
    const bool taken = exec() == QDialog::Accepted && m_set->currentRow() >= 0;
    if (!taken && m_set->currentRow() != m_startRow && m_startRow < m_set->rowCount())
        m_set->setCurrentRow(m_startRow);
    return taken;
}

void LocateDialog::searchTextEdited(const QString& text) {
    if (m_columns.isEmpty() || text.isEmpty())
        return;
    if (!m_set->locatePrefix(m_columns.first().field, text))
        m_messages.beep();
}

bool LocateDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (watched == m_search) {
            // The search box moves the grid's row.
            QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
            QCoreApplication::sendEvent(m_grid, &copy);
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace falq
