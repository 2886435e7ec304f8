#include "FALQADMINUTIL.h"

#include "boxes.h"
#include "entertab.h"

#include "ui_FALQADMINUTIL.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QScopeGuard>
#include <QTimer>

namespace falq {

namespace {
const QString kUserExists = QStringLiteral("UTILIZADOR JÁ FOI ABERTO ... <ENTER>");
const QString kSorN = QStringLiteral("Digite [S ... N] ...");
const QString kConfirmDelete = QStringLiteral("ELIMINAÇÃO !!! Confirma ?");

const QString kNro = QStringLiteral("NRO");
const QString kNom = QStringLiteral("NOM");
const QString kPasswor = QStringLiteral("PASSWOR");
const QString kTitulo = QStringLiteral("TITULO");
const QString kUpgrade = QStringLiteral("UPGRADE_LICENSE");
constexpr int kNameColumn = 2; // "Nome do Utilizador" takes the room left
} // namespace

TFALQADMINUTIL::TFALQADMINUTIL(AdminSession& session, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TFALQADMINUTIL>()), m_session(session) {
    ui->setupUi(this);
    forceUpperCase(ui->Edit_Passwor);
    forceUpperCase(ui->Edit_Upgrade_License);
    bindBox(ui->Edit_Nom, kNom);
    bindBox(ui->Edit_Passwor, kPasswor);
    bindBox(ui->Edit_Titulo, kTitulo);
    bindBox(ui->Edit_Upgrade_License, kUpgrade);
    connect(ui->BotInserir, &QPushButton::clicked, this, &TFALQADMINUTIL::BotInserirClick);
    connect(ui->BotCancelar, &QPushButton::clicked, this, &TFALQADMINUTIL::BotCancelarClick);
    connect(ui->BotEliminar, &QPushButton::clicked, this, &TFALQADMINUTIL::BotEliminarClick);
    connect(ui->BotTerminar, &QPushButton::clicked, this, &QWidget::close);

    // Opening: the users, the current one's name in the box, the focus in the grid.
    m_users = std::make_unique<Dataset>(QStringLiteral("UTILIZADORES"), kAdminMain,
                                        QStringLiteral("Select * From UTILIZADORES Order By NRO"),
                                        UpdateObject{QStringLiteral("UTILIZADORES"), {"NRO"}, {}});
    m_users->setPresentation({{kNro, QStringLiteral("Utilizador")},
                              {kTitulo, QStringLiteral("Título")},
                              {kNom, QStringLiteral("Nome do Utilizador")},
                              {kUpgrade, QStringLiteral("Exec.Actual.?")}});
    m_users->setErrorHandler(session.updateErrorHandler());
    QString error;
    if (!m_users->open(&error))
        session.messages().show(error, true);
    ui->DBGridUtil->setModel(m_users.get());
    m_users->presentIn(ui->DBGridUtil);
    ui->DBGridUtil->verticalHeader()->hide();
    ui->DBGridUtil->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    ui->DBGridUtil->resizeColumnsToContents();
    ui->DBGridUtil->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    connect(ui->DBGridUtil->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    m_users->setCurrentRow(current.row());
            });
    connect(m_users.get(), &Dataset::currentRowChanged, this, [this](int row) {
        if (row >= 0 && ui->DBGridUtil->currentIndex().row() != row)
            ui->DBGridUtil->selectRow(row);
        showRow();
    });
    if (m_users->currentRow() >= 0)
        ui->DBGridUtil->selectRow(m_users->currentRow());
    showRow();
    ui->DBGridUtil->viewport()->installEventFilter(this);
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(this); // how the focus leaves it
    connect(qApp, &QApplication::focusChanged, this, &TFALQADMINUTIL::focusChanged);
    EnterAsTab::install(this, EnterAsTab::Grids::MoveOn);
    ui->DBGridUtil->setFocus();
}

TFALQADMINUTIL::~TFALQADMINUTIL() {
    disconnect(qApp, &QApplication::focusChanged, this, &TFALQADMINUTIL::focusChanged);
}

void TFALQADMINUTIL::bindBox(QLineEdit* box, const QString& field) {
    // The box's text as it stands (upper-cased boxes change it as it is typed).
    connect(box, &QLineEdit::textEdited, this, [this, box, field] {
        if (m_users->currentRow() >= 0)
            m_users->setFieldValue(field, box->text());
    });
}

void TFALQADMINUTIL::showRow() {
    const bool onRow = m_users->currentRow() >= 0;
    auto text = [&](const QString& field) {
        return onRow ? m_users->fieldValue(field).toString() : QString();
    };
    if (!m_inserting)
        ui->Edit_UtilNro->setText(text(kNro));
    ui->Edit_Nom->setText(text(kNom));
    ui->Edit_Passwor->setText(text(kPasswor));
    ui->Edit_Titulo->setText(text(kTitulo));
    ui->Edit_Upgrade_License->setText(text(kUpgrade));
}

QLineEdit* TFALQADMINUTIL::firstBox() const {
    return m_inserting ? ui->Edit_UtilNro : ui->Edit_Nom;
}

void TFALQADMINUTIL::setEditing(bool editing) {
    m_editing = editing;
    ui->BotEliminar->setEnabled(!editing);
    ui->BotInserir->setEnabled(!editing && !m_inserting);
    ui->BotTerminar->setEnabled(!editing);
    ui->Edit_UtilNro->setEnabled(!editing || m_inserting);
}

void TFALQADMINUTIL::BotInserirClick() {
    m_inserting = true;
    setEditing(true);
    m_users->append();
    ui->Edit_UtilNro->clear();
    ui->Edit_UtilNro->setEnabled(true);
    ui->Edit_UtilNro->setFocus();
}

void TFALQADMINUTIL::BotCancelarClick() {
    m_inserting = false;
    m_editing = false;
    m_holdRow = false;
    m_users->cancel();
    if (m_users->hasPendingUpdates())
        m_users->cancelUpdates();
    setEditing(false);
    showRow();
    ui->DBGridUtil->setFocus();
}

void TFALQADMINUTIL::BotEliminarClick() {
    if (m_users->currentRow() < 0 || m_inserting)
        return;
    if (!m_session.messages().ask(kConfirmDelete))
        return;
    const QString user = m_users->fieldValue(kNro).toString();
    m_users->deleteCurrent();
    // The user's rights rows of every company go in the same transaction as the user.
    const ApplyResult r = m_users->applyUpdates(
        [user](QSqlDatabase& db, QString* error) { return deleteUserRights(db, user, error); });
    if (!r.ok) {
        if (!r.aborted)
            m_session.messages().show(r.error, true);
        m_users->cancelUpdates(); // nothing was deleted: the user is shown again
    } else {
        m_users->reopen();
    }
    showRow();
    ui->DBGridUtil->setFocus();
}

TFALQADMINUTIL::Refusal TFALQADMINUTIL::checkBox(QLineEdit* box) {
    if (box == ui->Edit_UtilNro) {
        if (!m_inserting)
            return {};
        const QString name = box->text();
        if (name.isEmpty())
            return {box, {}, false};
        bool exists = false;
        QString error;
        if (!userExists(QSqlDatabase::database(kAdminMain, false), name, &exists, &error))
            return {box, error, false};
        if (exists)
            return {box, kUserExists, true};
        // The new row: its user name, and no right to run updates.
        m_users->setFieldValue(kNro, name);
        if (m_users->fieldValue(kUpgrade).toString().isEmpty()) {
            m_users->setFieldValue(kUpgrade, QStringLiteral("N"));
            ui->Edit_Upgrade_License->setText(QStringLiteral("N"));
        }
        return {};
    }
    if (box == ui->Edit_Passwor && box->text().isEmpty())
        return {box, {}, false};
    if (box == ui->Edit_Upgrade_License && box->text() != QLatin1String("S") &&
        box->text() != QLatin1String("N"))
        return {box, kSorN, false};
    return {};
}

TFALQADMINUTIL::Refusal TFALQADMINUTIL::checkRow() {
    for (QLineEdit* box : {ui->Edit_UtilNro, ui->Edit_Passwor, ui->Edit_Upgrade_License})
        if (const Refusal r = checkBox(box))
            return r;
    return {};
}

void TFALQADMINUTIL::refuse(const Refusal& refusal) {
    if (refusal.dropRow) {
        // The user exists already: the new row goes and the grid has the focus.
        dropNewRow();
        m_session.messages().showForField(ui->DBGridUtil, refusal.message, true);
        return;
    }
    if (refusal.message.isEmpty())
        m_session.messages().beepForField(refusal.box);
    else
        m_session.messages().showForField(refusal.box, refusal.message, true);
}

void TFALQADMINUTIL::dropNewRow() {
    m_inserting = false;
    m_holdRow = false;
    m_users->cancel();
    setEditing(false);
    showRow();
}

void TFALQADMINUTIL::focusChanged(QWidget* old, QWidget* now) {
    // Only moves between the controls of this window count: the focus coming back from a
    // message box or the write-error window is no move (and no second save point).
    if (m_closed || m_saving || !isVisible() || !old || !isAncestorOf(old) || !now ||
        !isAncestorOf(now))
        return;
    QWidget* grid = ui->DBGridUtil;
    if (now == grid) {
        if (m_editing)
            DBGridUtilEnter();
        return;
    }
    if (old == grid) {
        // Only the boxes begin an entry; a button decides for itself.
        if (!qobject_cast<QAbstractButton*>(now))
            DBGridUtilExit();
        return;
    }
    // A button clicked decides for itself ("&Cancelar" discards); Enter or Tab onto a button
    // leaves the box as any move does.
    if (buttonDecides(now, m_leaveReason))
        return;
    if (old == ui->Edit_UtilNro) {
        Edit_UtilNroExit(now);
        return;
    }
    for (QLineEdit* box : {ui->Edit_Passwor, ui->Edit_Upgrade_License})
        if (old == box)
            if (const Refusal r = checkBox(box))
                refuse(r);
}

void TFALQADMINUTIL::Edit_UtilNroExit(QWidget* now) {
    if (!m_inserting)
        return;
    ui->BotEliminar->setEnabled(false);
    if (const Refusal r = checkBox(ui->Edit_UtilNro)) {
        refuse(r);
        return;
    }
    if (now != ui->Edit_Nom)
        QTimer::singleShot(0, ui->Edit_Nom, [this] { ui->Edit_Nom->setFocus(); });
}

void TFALQADMINUTIL::DBGridUtilExit() {
    if (!m_inserting && m_users->currentRow() < 0)
        return; // no user to edit
    setEditing(true);
    if (!m_inserting)
        m_users->edit();
}

bool TFALQADMINUTIL::DBGridUtilEnter() {
    m_saving = true;
    const auto done = qScopeGuard([this] { m_saving = false; });
    // The pending row's checks first: a refused box keeps the row in edit and writes nothing.
    if (const Refusal r = checkRow()) {
        m_holdRow = !r.dropRow;
        refuse(r);
        return false;
    }
    const ApplyResult result = m_users->applyUpdates();
    if (!result.ok) {
        // The row stays as typed, in edit: the user corrects it or cancels.
        m_holdRow = true;
        if (result.aborted)
            QTimer::singleShot(0, firstBox(), [box = firstBox()] { box->setFocus(); });
        else
            m_session.messages().showForField(firstBox(), result.error, true);
        return false;
    }
    m_holdRow = false;
    m_inserting = false;
    setEditing(false);
    QString error;
    if (!m_users->reopen(&error))
        m_session.messages().show(error, true);
    showRow();
    return true;
}

bool TFALQADMINUTIL::eventFilter(QObject* watched, QEvent* event) {
    // The focus events come before the application's focusChanged, which does not say how.
    if (event->type() == QEvent::FocusOut)
        m_leaveReason = static_cast<QFocusEvent*>(event)->reason();
    // A click on the grid gives it the focus first (the save point); when that refused, the
    // click must not move the grid to another user.
    if (watched == ui->DBGridUtil->viewport() && m_holdRow &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
         event->type() == QEvent::MouseButtonDblClick))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TFALQADMINUTIL::reject() {
    close();
}

void TFALQADMINUTIL::closeEvent(QCloseEvent* e) {
    if (m_editing && !DBGridUtilEnter()) {
        e->ignore();
        return;
    }
    const ApplyResult r = m_users->applyUpdates();
    if (!r.ok) {
        if (!r.aborted)
            m_session.messages().show(r.error, true);
        e->ignore();
        return;
    }
    m_closed = true;
    m_users->close();
    e->accept();
    QDialog::reject();
}

} // namespace falq
