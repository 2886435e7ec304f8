#include "recordeditor.h"

#include "codenames.h"

#include "dataset.h"
#include "datasetviews.h"
#include "documentspage.h"
#include "grids.h"
#include "locatedialog.h"
#include "recordrules.h"
#include "scanner.h"
#include "session.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

namespace falq {

RecordEditor::RecordEditor(Session& session, Dataset* records, const QString& numberField,
                           QWidget* parent)
    : QDialog(parent), m_session(session), m_records(records), m_numberField(numberField) {
    connect(qApp, &QApplication::focusChanged, this, &RecordEditor::focusChanged);
}

RecordEditor::~RecordEditor() = default;

void RecordEditor::setUpGrid(QTableView* grid, const QStringList& sortFields,
                             const QList<SearchColumn>& columns) {
    m_grid = grid;
    m_header = new TitleSortHeader(grid, sortFields);
    if (columns.isEmpty())
        bindGrid(grid, m_records);
    else
        bindGridRows(grid, m_records, new FieldColumnsModel(m_records, columns, grid));
    connect(m_header, &TitleSortHeader::sortRequested, this,
            &RecordEditor::DBGrid1TitleButtonClick);
    new GridSearchKeys(grid, gridSearches(sortFields),
                       [this](const QString& field) { gridSearch(field); });
    QPalette rows = grid->palette();
    rows.setColor(QPalette::AlternateBase, QColor(0xEE, 0xF4, 0xFB));
    grid->setPalette(rows);
    grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
}

void RecordEditor::setEditorParts(QLineEdit* numberBox, QLineEdit* dieBox,
                                  QPushButton* cancelButton, QPushButton* deleteButton,
                                  QList<QWidget*> browseControls, QLabel* status) {
    m_numberBox = numberBox;
    m_dieBox = dieBox;
    m_deleteButton = deleteButton;
    m_browseControls = std::move(browseControls);
    m_status0 = status;
    connect(cancelButton, &QPushButton::clicked, this, &RecordEditor::BotCancelarClick);
    connect(deleteButton, &QPushButton::clicked, this, &RecordEditor::BotDeleteClick);
    connect(m_records, &Dataset::currentRowChanged, this, [this] {
        if (!m_eventsOn || m_quiet > 0)
            return;
        showBoundFields();
        recordDisplay();
    });
}

void RecordEditor::setUpPhotos(const RecordPhotoPlaces& places, RecordPhotoTexts texts,
                               QPushButton* locateButton, QPushButton* deleteImageButton) {
    m_photos = new RecordPhotos(
        m_session.messages(), places, std::move(texts),
        [this] { return fieldText(m_records->fieldValue(m_numberField)); }, this);
    connect(locateButton, &QPushButton::clicked, m_photos, &RecordPhotos::locate);
    connect(deleteImageButton, &QPushButton::clicked, m_photos, &RecordPhotos::deletePhoto);
}

void RecordEditor::setUpNavigator(QBoxLayout* where) {
    m_navigator = new Navigator(this);
    m_navigator->setDataset(m_records);
    where->addWidget(m_navigator);
}

void RecordEditor::setConsultation(const QList<QWidget*>& editingControls) {
    m_consultation = true;
    for (QWidget* w : editingControls)
        w->hide();
    m_browseControls.removeIf([&](QWidget* w) { return editingControls.contains(w); });
    for (QLineEdit* b : recordBoxes())
        b->setReadOnly(true);
    m_numberBox->setReadOnly(true);
    m_photos->documents()->setReadOnly(true);
    m_photos->setScannerVisible(false);
}

void RecordEditor::setFileChooser(
    std::function<QString(QWidget*, const QString&, const QString&)> chooser) {
    m_photos->setFileChooser(std::move(chooser));
}

void RecordEditor::setScanner(std::unique_ptr<Scanner> scanner) {
    m_photos->setScanner(std::move(scanner));
}

DocumentsPage* RecordEditor::documentsPage() const {
    return m_photos->documents();
}

QString RecordEditor::statusText() const {
    return m_status0->text();
}

void RecordEditor::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!m_opened)
        FormActivate();
}

bool RecordEditor::event(QEvent* e) {
    // Every activation reads the rights again; nothing else (a modal child closing re-activates
    // the window and must not save, drop or re-open anything).
    if (e->type() == QEvent::WindowActivate && m_opened) {
        ReadAcessosUtil();
        DisableAcessosBotoes();
    }
    return QDialog::event(e);
}

void RecordEditor::reject() {
    close();
}

void RecordEditor::closeEvent(QCloseEvent* e) {
    if (m_opened && (m_mode != Mode::Browse || m_records->hasPendingUpdates())) {
        // Closing saves what is being edited, through the same checks; or stays open.
        m_gridEnterQueued = false;
        if (!DbGrid1Enter(focusWidget())) {
            e->ignore();
            return;
        }
    }
    if (m_opened)
        FormClose();
    e->accept();
    QDialog::reject();
}

void RecordEditor::focusChanged(QWidget* old, QWidget* now) {
    // Only moves inside this window count: a modal child opening or closing, or another
    // window, is no field exit and no return to the grid.
    if (!m_eventsOn || m_consultation || !old || !now || !isAncestorOf(old) || !isAncestorOf(now))
        return;
    if (now == m_grid) {
        if (m_mode != Mode::Browse || m_records->hasPendingUpdates() || m_cancelFlag)
            scheduleGridEnter(old);
        return;
    }
    if (m_mode == Mode::Browse && isRecordBox(now)) {
        DbGrid1Exit();
        return;
    }
    // The focus put back in a refused box checks nothing on its way: two refused boxes must
    // not send it to each other.
    const bool refocus = m_refused && now == m_refused;
    if (refocus)
        m_refused = nullptr;
    if (auto* box = qobject_cast<QLineEdit*>(old); box && isRecordBox(box) && !refocus)
        leaveBox(box, now);
    if (QApplication::focusWidget() != now)
        return; // the box left moved the focus on; that move has shown its own hint
    if (const QString hint = boxHint(now); !hint.isEmpty())
        m_status0->setText(hint);
}

void RecordEditor::DbGrid1Exit() {
    setBrowsingControls(false);
    if (m_insertFlag)
        return;
    if (m_records->currentRow() < 0) {
        // Nothing to edit: new records come through "&Inserir".
        setBrowsingControls(true);
        QTimer::singleShot(0, m_grid, [this] { m_grid->setFocus(); });
        return;
    }
    m_records->edit();
    m_mode = Mode::Edit;
    m_remembered = typedNumber(fieldText(m_records->fieldValue(m_numberField)));
    m_numberBox->setEnabled(false);
    m_dieBox->setFocus(Qt::OtherFocusReason);
}

void RecordEditor::setBrowsingControls(bool browsing) {
    for (QWidget* w : std::as_const(m_browseControls))
        w->setEnabled(browsing);
    m_numberBox->setEnabled(browsing ? m_rights.inserir : m_mode == Mode::Insert);
}

void RecordEditor::scheduleGridEnter(QWidget* left) {
    if (m_gridEnterQueued)
        return;
    m_gridEnterQueued = true;
    m_lastLeft = left;
    QTimer::singleShot(0, this, [this] {
        if (!m_gridEnterQueued)
            return; // done meanwhile (closing)
        m_gridEnterQueued = false;
        DbGrid1Enter(m_lastLeft);
    });
}

void RecordEditor::focusGrid() {
    m_grid->setFocus(Qt::OtherFocusReason);
    scheduleGridEnter(nullptr);
}

bool RecordEditor::DbGrid1Enter(QWidget* left) {
    if (!m_cancelFlag && !runPendingChecks(left))
        return false;
    setBrowsingControls(true);
    m_cancelFlag = false;
    m_insertFlag = false;
    m_status0->clear();
    return applyAndReopen();
}

bool RecordEditor::applyAndReopen() {
    const ApplyResult r = m_records->applyUpdates();
    if (!r.ok) {
        // Nothing is re-opened: the row stays cached, current and visible, to be saved again.
        m_mode = Mode::Browse;
        if (!r.aborted)
            m_session.messages().show(r.error, true);
        showBoundFields();
        return false;
    }
    afterSave();
    ++m_quiet;
    m_records->setStatement(listStatement(m_sortField));
    QString error;
    const bool opened = m_records->open(&error);
    if (opened && !m_remembered.isEmpty())
        m_records->locate({m_numberField}, {m_remembered});
    --m_quiet;
    m_mode = Mode::Browse;
    m_dirty.clear();
    if (!opened)
        m_session.messages().show(error, true);
    showBoundFields();
    recordDisplay();
    return true;
}

void RecordEditor::reopenSorted(const QString& field) {
    ++m_quiet;
    m_sortField = field;
    m_records->setStatement(listStatement(field));
    QString error;
    if (!m_records->reopen(&error))
        m_session.messages().show(error, true);
    --m_quiet;
    m_header->setSortField(field);
}

void RecordEditor::DBGrid1TitleButtonClick(const QString& field) {
    if (m_mode != Mode::Browse || m_records->hasPendingUpdates()) {
        m_session.messages().beep(); // the row being edited is saved first, at the grid
        return;
    }
    reopenSorted(field);
    showBoundFields();
    recordDisplay();
}

void RecordEditor::gridSearch(const QString& field) {
    if (m_mode != Mode::Browse || m_records->hasPendingUpdates())
        return;
    reopenSorted(field);
    ++m_quiet;
    LocateDialog dialog(m_records, columnsStartingWith(gridColumns(), field), m_session.messages(),
                        this);
    if (dialog.choose())
        m_remembered = typedNumber(fieldText(m_records->fieldValue(m_numberField)));
    --m_quiet;
    showBoundFields();
    recordDisplay();
}

bool RecordEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild(); // Enter leaves the grid as Tab does
            return true;
        }
    }
    if (watched == m_grid->viewport() &&
        (event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::MouseButtonDblClick) &&
        (m_mode != Mode::Browse || m_gridEnterQueued)) {
        // While a row is edited a click on the grid only takes the focus there (the save
        // point); it does not move to another row before the row is saved.
        m_grid->setFocus(Qt::MouseFocusReason);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void RecordEditor::refuse(QLineEdit* box, const QString& message) {
    m_refused = box; // the focus comes back: no exit from the box it passed through
    if (message.isEmpty()) {
        m_session.messages().beep();
        QTimer::singleShot(0, box, [box] { box->setFocus(Qt::OtherFocusReason); });
    } else {
        m_session.messages().showForField(box, message, true);
    }
}

void RecordEditor::dropInsert() {
    m_records->cancel();
    m_insertFlag = false;
    m_dirty.clear();
}

void RecordEditor::leaveBox(QLineEdit* box, QWidget* now) {
    if (m_cancelFlag)
        return;
    m_status0->clear();
    QString message;
    switch (checkBox(box, &message)) {
    case Verdict::Refused:
        refuse(box, message);
        return;
    case Verdict::Duplicate:
        // Told after the focus change; the new row goes and the grid re-opens the list.
        QTimer::singleShot(0, this, [this, message] {
            m_session.messages().show(message, true);
            dropInsert();
            focusGrid();
        });
        return;
    case Verdict::Accepted:
        m_dirty.remove(box);
        break;
    }
    afterLeave(box, now);
}

bool RecordEditor::runPendingChecks(QWidget* left) {
    // The boxes to check are looked at again after every check: a number accepted here makes
    // its value boxes part of the row (they are marked then), and they are read as they show.
    auto* leftBox = qobject_cast<QLineEdit*>(left);
    if (leftBox && !isRecordBox(leftBox))
        leftBox = nullptr;
    QSet<QLineEdit*> checked;
    const auto nextBox = [&]() -> QLineEdit* {
        if (m_insertFlag && !checked.contains(m_numberBox))
            return m_numberBox;
        if (leftBox && !checked.contains(leftBox))
            return leftBox;
        for (QLineEdit* b : recordBoxes())
            if (m_dirty.contains(b) && !checked.contains(b))
                return b;
        return nullptr;
    };
    while (QLineEdit* box = nextBox()) {
        checked.insert(box);
        QString message;
        switch (checkBox(box, &message)) {
        case Verdict::Refused:
            refuse(box, message);
            return false;
        case Verdict::Duplicate:
            m_session.messages().show(message, true);
            dropInsert();
            return true; // nothing to write; the list is re-opened
        case Verdict::Accepted:
            m_dirty.remove(box);
            break;
        }
    }
    return true;
}

void RecordEditor::BotCancelarClick() {
    CleanLabels();
    m_cancelFlag = true;
    m_insertFlag = false;
    m_records->cancel();
    if (m_records->hasPendingUpdates())
        m_records->cancelUpdates(); // a save that failed: "&Cancelar" drops it too
    m_dirty.clear();
    m_mode = Mode::Browse;
    showBoundFields();
    afterCancel();
    focusGrid();
}

void RecordEditor::BotDeleteClick() {
    if (m_mode != Mode::Browse || m_records->currentRow() < 0)
        return;
    aboutToDelete();
    if (!m_session.messages().ask(kDeleteQuestion))
        return;
    // Only the row goes: its files and the rows that name it stay.
    m_records->deleteCurrent();
    const ApplyResult r = m_records->applyUpdates();
    if (!r.ok) {
        if (!r.aborted)
            m_session.messages().show(r.error, true);
        return;
    }
    ++m_quiet;
    QString error;
    if (!m_records->reopen(&error))
        m_session.messages().show(error, true);
    --m_quiet;
    showBoundFields();
    recordDisplay();
    m_grid->setFocus(Qt::OtherFocusReason);
}

} // namespace falq
