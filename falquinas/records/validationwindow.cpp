#include "validationwindow.h"

#include "codenames.h"

#include "connections.h"
#include "dataset.h"
#include "datasetviews.h"
#include "documentspage.h"
#include "entertab.h"
#include "imagecontrol.h"
#include "imagefiles.h"
#include "locatedialog.h"
#include "plantroot.h"
#include "recordrules.h"
#include "session.h"
#include "unitDtFalquinas.h"
#include "viewerwindow.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

namespace falq {

namespace {
const QString kValid = QStringLiteral("UTILIZA");
const QString kValidTitle = QStringLiteral("Valida?");

} // namespace

QString validationStatement(const QString& table, const QStringList& fields,
                            const QString& sortField, Validity filter) {
    const QString field =
        fields.contains(sortField.toUpper()) ? sortField.toUpper() : fields.first();
    QString sql = QStringLiteral("SELECT * FROM ") + table;
    if (filter == Validity::NotValid)
        sql += QStringLiteral("\n   Where UTILIZA='N'");
    else if (filter == Validity::Valid)
        sql += QStringLiteral("\n   Where UTILIZA='S'");
    return sql + QStringLiteral("\n      Order By ") + field;
}

ValidationWindow::ValidationWindow(Session& session, ValidationKind kind, QWidget* parent)
    : QDialog(parent), m_session(session), m_kind(std::move(kind)),
      m_shared(session.dataset(m_kind.table)), m_parger(session.dataset(ds::PARGER)),
      m_sortField(m_kind.numberField) {
    // The window's own list: UTILIZA alone is written, by number, checked against the value
    // read; a failure hands back the server's message.
    m_list = new Dataset(
        m_kind.table, kDbFalquinas,
        validationStatement(m_kind.table, m_kind.sortFields, m_sortField, Validity::NotValid),
        UpdateObject{m_kind.table, {m_kind.numberField}, {}}, this);
    m_list->setErrorMode(Dataset::ErrorMode::ServerMessage);
    QList<FieldPresentation> shown;
    for (const SearchColumn& c : std::as_const(m_kind.columns))
        shown << FieldPresentation{c.field, c.title, false, {}};
    shown << FieldPresentation{kValid, kValidTitle, true, {}};
    m_list->setPresentation(shown);
    connect(m_list, &Dataset::currentRowChanged, this, [this] {
        if (m_quiet == 0)
            recordDisplay();
    });
    connect(qApp, &QApplication::focusChanged, this, &ValidationWindow::focusChanged);
}

ValidationWindow::~ValidationWindow() {
    if (m_opened)
        FormClose();
}

void ValidationWindow::setUpParts(const ValidationParts& parts) {
    m_parts = parts;
    QTableView* grid = parts.grid;
    m_header = new TitleSortHeader(grid, m_kind.sortFields);
    bindGrid(grid, m_list);
    connect(m_header, &TitleSortHeader::sortRequested, this,
            &ValidationWindow::DBGrid1TitleButtonClick);
    new GridSearchKeys(grid, gridSearches(m_kind.sortFields),
                       [this](const QString& field) { gridSearch(field); });
    grid->viewport()->installEventFilter(this);
    grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    parts.filter->clear();
    parts.filter->addItems({QStringLiteral("Só os Validados"),
                            QStringLiteral("Só os não Validados"), QStringLiteral("Ambos")});
    parts.filter->setCurrentIndex(int(Validity::NotValid));
    m_shownFilter = int(Validity::NotValid);
    connect(parts.filter, &QComboBox::currentIndexChanged, this,
            &ValidationWindow::Edit_ValidaChange);

    for (QPushButton* b : {parts.save, parts.close}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(parts.save, &QPushButton::clicked, this, &ValidationWindow::BotGravarClick);
    connect(parts.close, &QPushButton::clicked, this, &QDialog::close);

    m_preview = new ImageControl(this);
    m_preview->setObjectName(QStringLiteral("ML1"));
    m_preview->setFocusPolicy(Qt::NoFocus);
    m_preview->setToolTip(m_kind.photoHint);
    parts.preview->addWidget(m_preview);
    connect(m_preview, &ImageControl::clicked, this, &ValidationWindow::previewClicked);

    m_documents = new DocumentsPage(m_session.messages(), this);
    m_documents->setReadOnly(true);
    parts.documents->addWidget(m_documents);
    parts.book->tabBar()->setFocusPolicy(Qt::NoFocus);

    m_navigator = new Navigator(this);
    m_navigator->setDataset(m_list);
    parts.navigator->addWidget(m_navigator);
    EnterAsTab::install(this);
}

Validity ValidationWindow::filter() const {
    return Validity(m_parts.filter->currentIndex());
}

// ---- opening and closing --------------------------------------------------------------------

void ValidationWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!m_opened)
        FormActivate();
}

bool ValidationWindow::event(QEvent* e) {
    // A dialog or viewer closing over the window activates it again: only the rights are
    // read again (no button depends on them).
    if (e->type() == QEvent::WindowActivate && m_opened)
        ReadAcessosUtil();
    return QDialog::event(e);
}

void ValidationWindow::ReadAcessosUtil() {
    m_rights = m_session.rights(m_kind.chapter, m_kind.program);
}

void ValidationWindow::FormActivate() {
    m_opened = true;
    ReadAcessosUtil();
    m_parger->close();
    m_parger->open();
    m_folder = resolveFolder(fieldText(m_parger->fieldValue(m_kind.folderField)));
    m_imageType = fieldText(m_parger->fieldValue(QStringLiteral("TIPOIMAGEM")));
    m_sortField = m_kind.numberField;
    {
        const QSignalBlocker block(m_parts.filter);
        m_parts.filter->setCurrentIndex(int(Validity::NotValid));
    }
    m_shownFilter = int(Validity::NotValid);
    OpenList();
    m_shared->close();
    m_shared->setStatement(
        validationStatement(m_kind.table, m_kind.sortFields, m_sortField, Validity::Both));
    m_shared->open();
    // The columns at their widths, kept through every re-open of the list.
    QList<GridColumn> shown;
    for (int c = 0; c < m_kind.columns.size(); ++c)
        shown << GridColumn{m_kind.columns[c].field, int(m_kind.widths.value(c))};
    shown << GridColumn{kValid, 6};
    presentColumns(m_parts.grid, m_list, shown);
    recordDisplay();
    m_parts.grid->setFocus(Qt::OtherFocusReason);
}

void ValidationWindow::FormClose() {
    m_opened = false;
    m_documents->closeDocument();
    m_parger->close();
    m_sortField = m_kind.numberField;
    m_list->close();
    m_shared->close();
    m_shared->setStatement(defaultStatement(m_kind.table));
}

void ValidationWindow::reject() {
    close();
}

void ValidationWindow::closeEvent(QCloseEvent* e) {
    // Pending toggles are saved on closing; a failed write keeps the window open with them.
    if (m_opened && !applyToggles()) {
        e->ignore();
        return;
    }
    if (m_opened)
        FormClose();
    e->accept();
    QDialog::reject();
}

// ---- the list -------------------------------------------------------------------------------

bool ValidationWindow::OpenList() {
    ++m_quiet;
    m_list->close();
    m_list->setStatement(
        validationStatement(m_kind.table, m_kind.sortFields, m_sortField, Validity(m_shownFilter)));
    QString error;
    const bool opened = m_list->open(&error);
    --m_quiet;
    if (!opened)
        m_session.messages().show(error, true);
    m_header->setSortField(m_sortField);
    recordDisplay();
    return opened;
}

bool ValidationWindow::applyToggles() {
    if (m_list->state() == Dataset::State::Edit)
        m_list->post();
    if (!m_list->hasPendingUpdates())
        return true;
    const ApplyResult r = m_list->applyUpdates();
    if (r.ok)
        return true;
    if (!r.aborted)
        m_session.messages().show(r.error, true);
    return false;
}

QString ValidationWindow::currentNumber() const {
    return m_list->currentRow() < 0 ? QString() : fieldText(m_list->fieldValue(m_kind.numberField));
}

void ValidationWindow::BotGravarClick() {
    if (currentNumber().isEmpty())
        return;
    if (!applyToggles())
        return; // the toggles and the list stay as they are
    // Read again: a record that no longer matches the filter leaves the list.
    ++m_quiet;
    QString error;
    if (!m_list->reopen(&error))
        m_session.messages().show(error, true);
    --m_quiet;
    recordDisplay();
}

void ValidationWindow::Edit_ValidaChange(int index) {
    if (!m_opened || index == m_shownFilter)
        return;
    if (m_kind.writeOnLeavingGrid && !applyToggles()) {
        const QSignalBlocker block(m_parts.filter);
        m_parts.filter->setCurrentIndex(m_shownFilter);
        return;
    }
    m_shownFilter = index; // clichés: unsaved toggles go with the list
    OpenList();
}

bool ValidationWindow::sortBy(const QString& field) {
    if (field == m_sortField)
        return true;
    if (m_kind.writeOnLeavingGrid && !applyToggles())
        return false;
    m_sortField = field;
    OpenList();
    return true;
}

void ValidationWindow::DBGrid1TitleButtonClick(const QString& field) {
    if (!m_opened)
        return;
    sortBy(field);
}

void ValidationWindow::gridSearch(const QString& field) {
    if (!m_opened || !sortBy(field))
        return;
    // Every record of any validity, in the chosen field's order.
    m_shared->setStatement(
        validationStatement(m_kind.table, m_kind.sortFields, field, Validity::Both));
    QString error;
    if (!m_shared->reopen(&error)) {
        m_session.messages().show(error, true);
        return;
    }
    LocateDialog dialog(m_shared, columnsStartingWith(m_kind.columns, field), m_session.messages(),
                        this);
    if (!dialog.choose())
        return;
    const QString number = fieldText(m_shared->fieldValue(m_kind.numberField));
    if (!number.isEmpty())
        m_list->locate({m_kind.numberField}, {number}); // not listed: the current row stays
}

void ValidationWindow::toggle(int row) {
    m_list->setCurrentRow(row);
    const bool valid = fieldText(m_list->value(row, kValid)) == QLatin1String("S");
    m_list->setValue(row, kValid, valid ? QStringLiteral("N") : QStringLiteral("S"));
}

bool ValidationWindow::eventFilter(QObject* watched, QEvent* event) {
    // One click on "Valida?" toggles it (the press; the release and a double click do
    // nothing more).
    if (m_opened && watched == m_parts.grid->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
         event->type() == QEvent::MouseButtonDblClick)) {
        const auto* me = static_cast<QMouseEvent*>(event);
        const QModelIndex index = m_parts.grid->indexAt(me->position().toPoint());
        if (index.isValid() && index.column() == m_list->columnOfField(kValid) &&
            me->button() == Qt::LeftButton) {
            if (event->type() == QEvent::MouseButtonPress) {
                m_parts.grid->setFocus(Qt::MouseFocusReason);
                toggle(index.row());
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ValidationWindow::focusChanged(QWidget* old, QWidget* now) {
    // Drawings: the toggles are written when the grid loses the focus to another control of
    // the window (after the focus change, so that a message does not steal it).
    if (!m_opened || !m_kind.writeOnLeavingGrid || old != m_parts.grid || !now ||
        !isAncestorOf(now))
        return;
    QTimer::singleShot(0, this, [this] {
        if (m_opened)
            applyToggles();
    });
}

// ---- the record's photo and documents -------------------------------------------------------

void ValidationWindow::recordDisplay() {
    if (!m_preview)
        return;
    const QString number = currentNumber();
    m_documents->closeDocument();
    m_documents->showRecord(m_folder, number);
    const QString path = number.isEmpty() ? QString() : imagePath(m_folder, number, m_imageType);
    if (!path.isEmpty() && QFileInfo::exists(path))
        m_preview->load(path);
    else
        m_preview->clear();
}

void ValidationWindow::previewClicked() {
    const QString number = currentNumber();
    const QString path = number.isEmpty() ? QString() : imagePath(m_folder, number, m_imageType);
    if (m_preview->isEmpty() || path.isEmpty())
        return;
    TFotoViewer viewer(path, this);
    viewer.setObjectName(m_kind.viewerName);
    viewer.exec();
}

} // namespace falq
