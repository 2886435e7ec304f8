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

    bindGridRows(m_grid, set, new FieldColumnsModel(set, columns, this));
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
