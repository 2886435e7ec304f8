#include "codetable.h"

#include "codetables.h"
#include "connections.h"
#include "datasetsource.h"
#include "datasetviews.h"
#include "entertab.h"
#include "reportpreview.h"
#include "rights.h"
#include "schema.h"
#include "session.h"

#include "ui_codetable.h"

#include <QApplication>
#include <QCloseEvent>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>

namespace falq {

namespace {
const QString kExists = QStringLiteral("Registo já Existe ... <ENTER> ...");
const QString kConfirmDelete = QStringLiteral("ELIMINAÇÃO !!! Confirma ?");
const QString kCode = QStringLiteral("CODIGO");

bool pending(const Dataset* d) {
    return d->state() == Dataset::State::Edit || d->state() == Dataset::State::Insert;
}
} // namespace

CodeTableWindow::CodeTableWindow(Session& session, const CodeTableMember& member,
                                 CodeTableList* list, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CodeTableWindow>()), m_session(session),
      m_member(member), m_dataset(session.dataset(member.dataset)), m_list(list),
      m_exporter(session) {
    ui->setupUi(this);
    setObjectName(member.windowClass.mid(1));
    setWindowTitle(member.caption);
    if (!m_list) {
        m_ownList = std::make_unique<CodeTableList>(member);
        m_list = m_ownList.get();
    }
    ui->BotExcel->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    ui->BotExcel->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    // The member's detail boxes; a second row only where the member has one.
    const QList<QLabel*> labels = {ui->LabelDetalhe1, ui->LabelDetalhe2, ui->LabelDetalhe3};
    const QList<QLineEdit*> boxes = {ui->Edit_Detalhe1, ui->Edit_Detalhe2, ui->Edit_Detalhe3};
    const TableDef* table = schema::findTable(member.dataset);
    if (const ColumnDef* c = member.textCode() && table ? table->column(kCode) : nullptr)
        ui->Edit_Codigo->setMaxLength(c->size);
    for (int i = 0; i < labels.size(); ++i) {
        if (i >= member.details.size()) {
            labels[i]->hide();
            boxes[i]->hide();
            continue;
        }
        const CodeTableDetail& d = member.details[i];
        labels[i]->setText(d.label);
        boxes[i]->setObjectName(d.objectName);
        if (const ColumnDef* c = table ? table->column(d.field) : nullptr)
            boxes[i]->setMaxLength(c->size);
        bindField(boxes[i], m_dataset, d.field);
        m_labels << labels[i];
        m_boxes << boxes[i];
    }
    // The hidden box bound to CODIGO keeps the code box in step while not inserting.
    bindField(ui->DBEdit_Codigo, m_dataset, kCode);
    connect(ui->DBEdit_Codigo, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_inserting)
            ui->Edit_Codigo->setText(text);
    });
    bindGrid(ui->DBGrid1, m_dataset);
    // A click on the grid is the save point; while the pending row is refused it must not
    // also move the grid to another row.
    ui->DBGrid1->viewport()->installEventFilter(this);
    ui->BotNavig->setDataset(m_dataset);

    connect(ui->BotInserir, &QPushButton::clicked, this, &CodeTableWindow::BotInserirClick);
    connect(ui->BotCancelar, &QPushButton::clicked, this, &CodeTableWindow::BotCancelarClick);
    connect(ui->BotDelete, &QPushButton::clicked, this, &CodeTableWindow::BotDeleteClick);
    connect(ui->BitPrint, &QPushButton::clicked, this, &CodeTableWindow::BitPrintClick);
    connect(ui->BitTerminar, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->BotExcel, &QToolButton::clicked, this, &CodeTableWindow::BotExcelClick);
    connect(qApp, &QApplication::focusChanged, this, &CodeTableWindow::focusChanged);
    EnterAsTab::install(this);
}

CodeTableWindow::~CodeTableWindow() {
    if (!m_closed && m_dataset->isOpen()) {
        m_dataset->cancelUpdates();
        m_dataset->close();
    }
}

QString CodeTableWindow::rememberKey() const {
    return m_member.windowClass + QStringLiteral("/code");
}

QLineEdit* CodeTableWindow::detailBox(int i) const {
    return m_boxes.value(i);
}

QLineEdit* CodeTableWindow::designationBox() const {
    return detailBox(0);
}

bool CodeTableWindow::isBox(QWidget* w) const {
    return w && (w == ui->Edit_Codigo || m_boxes.contains(qobject_cast<QLineEdit*>(w)));
}

void CodeTableWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!m_opened) {
        m_opened = true;
        FormActivate();
    }
}

void CodeTableWindow::FormActivate() {
    readRights();
    m_inserting = false;
    m_cancelled = false;
    m_codeAccepted = false;
    setBrowsing(true);
    reopen();
    ui->DBGrid1->setFocus(Qt::OtherFocusReason);
}

void CodeTableWindow::readRights() {
    QString error;
    const AccessRights r = m_session.rights(m_member.chapter, m_member.program, &error);
    if (!error.isEmpty())
        m_session.messages().show(error, true);
    m_canInsert = r.inserir;
    ui->BotInserir->setVisible(r.inserir);
    ui->BotCancelar->setVisible(r.inserir);
    ui->Edit_Codigo->setEnabled(r.inserir);
    for (int i = 0; i < m_boxes.size(); ++i)
        if (m_member.details[i].followsInsertRight)
            m_boxes[i]->setEnabled(r.inserir);
    if (r.eliminar)
        ui->BotDelete->show();
    if (r.imprimir)
        ui->BitPrint->show();
}

bool CodeTableWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == ui->DBGrid1->viewport() && !m_browsing &&
        (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick ||
         e->type() == QEvent::MouseButtonRelease))
        return true;
    return QDialog::eventFilter(watched, e);
}

void CodeTableWindow::setBrowsing(bool browsing) {
    m_browsing = browsing;
    // Hidden buttons stay hidden; only their enabled state follows.
    ui->BotNavig->setEnabled(browsing);
    ui->BotInserir->setEnabled(browsing);
    ui->BotDelete->setEnabled(browsing);
    ui->BitPrint->setEnabled(browsing);
    ui->BitTerminar->setEnabled(browsing);
    ui->BotCancelar->setEnabled(true);
    if (browsing)
        ui->Edit_Codigo->setEnabled(m_canInsert);
}

void CodeTableWindow::reopen() {
    const QVariant code = m_session.remembered(rememberKey());
    QString error;
    m_dataset->close();
    if (!m_dataset->open(&error)) {
        m_session.messages().show(error, true);
        return;
    }
    if (code.isValid())
        m_dataset->locate({kCode}, {code});
    ui->Edit_Codigo->setText(m_dataset->fieldValue(kCode).toString());
}

void CodeTableWindow::focusChanged(QWidget* old, QWidget* now) {
    if (!m_opened || m_closed || !now || !isAncestorOf(now))
        return; // the focus went to another window (a message box): nothing to do yet
    // Coming back from another window counts from where the focus was here.
    QWidget* from = old && isAncestorOf(old) ? old : m_lastInside.data();
    m_lastInside = now;
    if (m_refocus || from == now)
        return; // a refused box taking the focus back
    QWidget* grid = ui->DBGrid1;
    if (from == grid && isBox(now))
        DBGrid1Exit();
    else if (isBox(from) && now == grid)
        DBGrid1Enter();
    else if (isBox(from) && isBox(now)) {
        if (from == ui->Edit_Codigo)
            Edit_CodigoExit();
        else if (!m_cancelled)
            checkDetail(int(m_boxes.indexOf(qobject_cast<QLineEdit*>(from))));
    }
}

void CodeTableWindow::refuse(QWidget* box, const QString& message) {
    m_refocus = box;
    auto arrived = [this] { m_refocus = nullptr; };
    if (message.isEmpty()) {
        m_session.messages().beep();
        QTimer::singleShot(0, box, [box, arrived] {
            box->setFocus(Qt::OtherFocusReason);
            arrived();
        });
    } else {
        m_session.messages().showForField(box, message, true, arrived);
    }
}

bool CodeTableWindow::codeExists(const QVariant& code, bool* ok) {
    // The database decides: another workstation may have added the code meanwhile.
    QSqlQuery q(QSqlDatabase::database(kDbFalquinas, false));
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE CODIGO = ?").arg(m_member.dataset));
    q.addBindValue(code);
    *ok = q.exec() && q.next();
    if (!*ok)
        m_session.messages().show(q.lastError().text(), true);
    return *ok && q.value(0).toLongLong() > 0;
}

CodeTableWindow::Check CodeTableWindow::checkCode(bool moveOn) {
    if (ui->BotDelete->isVisible())
        ui->BotDelete->setEnabled(false);
    // A whole number from 1 to what the column holds. Codes below 1 are refused on purpose:
    // 0 is what an empty code box of a cliché or drawing stores, "no code". An empty box or a 0
    // beeps; anything else says why. A text code (a storage place) is kept upper-cased.
    const QString typed = ui->Edit_Codigo->text().trimmed();
    QVariant code;
    if (m_member.textCode()) {
        if (typed.isEmpty()) {
            refuse(ui->Edit_Codigo);
            return Check::Refused;
        }
        code = typed.toUpper();
        ui->Edit_Codigo->setText(code.toString());
    } else {
        bool number = false;
        const qint64 value = typed.toLongLong(&number);
        if (!number || value < 1 || value > m_member.maxCode) {
            refuse(ui->Edit_Codigo,
                   typed.isEmpty() || (number && value == 0) ? QString() : kBadValue);
            return Check::Refused;
        }
        code = value;
    }
    bool asked = false;
    const bool exists = codeExists(code, &asked);
    if (!asked) {
        refuse(ui->Edit_Codigo);
        return Check::Refused;
    }
    if (exists) {
        m_inserting = false;
        m_codeAccepted = false;
        m_dataset->cancel();
        m_session.messages().showForField(ui->DBGrid1, kExists, true);
        return Check::Dropped;
    }
    m_dataset->setFieldValue(kCode, code);
    m_session.remember(rememberKey(), code);
    m_codeAccepted = true;
    if (moveOn) {
        QLineEdit* next = designationBox();
        if (next && next->isEnabled())
            QTimer::singleShot(0, next, [next] { next->setFocus(Qt::OtherFocusReason); });
    }
    return Check::Passed;
}

CodeTableWindow::Check CodeTableWindow::checkDetail(int i) {
    if (i < 0 || i >= m_boxes.size())
        return Check::Passed;
    const CodeTableDetail& d = m_member.details[i];
    QLineEdit* box = m_boxes[i];
    // A box the user cannot type in cannot be mended: not checked.
    if (!d.required || !box->isEnabled())
        return Check::Passed;
    const QString text = box->text().trimmed();
    if (text.isEmpty() || (!d.allowed.isEmpty() && !d.allowed.contains(text.toUpper()))) {
        refuse(box, d.emptyMessage);
        return Check::Refused;
    }
    if (!d.allowed.isEmpty() && box->text() != text.toUpper()) {
        box->setText(text.toUpper());
        m_dataset->setFieldValue(d.field, text.toUpper());
    }
    return Check::Passed;
}

CodeTableWindow::Check CodeTableWindow::checkPendingRow() {
    // A code changed after it was accepted is checked again.
    const bool codeChanged = ui->Edit_Codigo->text().trimmed().compare(
                                 m_dataset->fieldValue(kCode).toString(), Qt::CaseInsensitive) != 0;
    if (m_inserting && (!m_codeAccepted || codeChanged)) {
        const Check c = checkCode(false);
        if (c != Check::Passed)
            return c;
    }
    for (int i = 0; i < m_boxes.size(); ++i)
        if (checkDetail(i) == Check::Refused)
            return Check::Refused;
    return Check::Passed;
}

void CodeTableWindow::Edit_CodigoExit() {
    if (m_inserting && !m_cancelled)
        checkCode(true);
}

void CodeTableWindow::DBGrid1Exit() {
    setBrowsing(false);
    if (m_inserting)
        return;
    if (m_dataset->currentRow() < 0) {
        // No row to change: back to the grid.
        QTimer::singleShot(0, ui->DBGrid1, [this] { ui->DBGrid1->setFocus(Qt::OtherFocusReason); });
        return;
    }
    m_dataset->edit();
    m_session.remember(rememberKey(), m_dataset->fieldValue(kCode));
    ui->Edit_Codigo->setEnabled(false);
    QLineEdit* designation = designationBox();
    if (designation && designation->isEnabled() && QApplication::focusWidget() != designation)
        QTimer::singleShot(0, designation,
                           [designation] { designation->setFocus(Qt::OtherFocusReason); });
}

void CodeTableWindow::DBGrid1Enter() {
    savePoint(false);
}

bool CodeTableWindow::savePoint(bool closing) {
    if (!m_cancelled && (m_inserting || pending(m_dataset))) {
        const Check c = checkPendingRow();
        if (c == Check::Refused || (c == Check::Dropped && closing))
            return false;
    }
    m_cancelled = false;
    m_inserting = false;
    m_codeAccepted = false;
    setBrowsing(true);
    if (pending(m_dataset))
        m_dataset->post();
    const ApplyResult r = m_dataset->applyUpdates();
    if (!r.ok) {
        // The row stays cached, current and visible until it is written or cancelled.
        if (!r.aborted)
            m_session.messages().show(r.error, true);
        return false;
    }
    if (!closing)
        reopen();
    return true;
}

void CodeTableWindow::BotInserirClick() {
    if (!m_canInsert || m_inserting)
        return;
    qint64 proposed = 0;
    if (m_member.proposeCode) {
        QSqlQuery q(QSqlDatabase::database(kDbFalquinas, false));
        if (!q.exec(QStringLiteral("SELECT MAX(CODIGO) FROM %1").arg(m_member.dataset)) ||
            !q.next()) {
            m_session.messages().show(q.lastError().text(), true);
            return;
        }
        proposed = q.value(0).toLongLong() + 1;
    }
    setBrowsing(false);
    ui->Edit_Codigo->setEnabled(true);
    m_inserting = true;
    m_codeAccepted = false;
    m_cancelled = false;
    m_dataset->append();
    for (const CodeTableDetail& d : m_member.details)
        m_dataset->setFieldValue(d.field, d.initial);
    ui->Edit_Codigo->setText(m_member.proposeCode ? QString::number(proposed) : QString());
    ui->Edit_Codigo->setFocus(Qt::OtherFocusReason);
}

void CodeTableWindow::BotCancelarClick() {
    m_cancelled = true;
    m_inserting = false;
    m_codeAccepted = false;
    if (pending(m_dataset))
        m_dataset->cancel();
    if (QApplication::focusWidget() == ui->DBGrid1)
        savePoint(false);
    else
        ui->DBGrid1->setFocus(Qt::OtherFocusReason);
}

void CodeTableWindow::BotDeleteClick() {
    if (m_dataset->currentRow() < 0 || !m_session.messages().ask(kConfirmDelete))
        return;
    const QVariant code = m_dataset->fieldValue(kCode);
    m_dataset->deleteCurrent();
    ApplyStep refusal;
    if (m_member.deleteRefusal)
        refusal = [this, code](QSqlDatabase& db, QString* error) {
            const QString reason = m_member.deleteRefusal(db, code, error);
            if (!reason.isEmpty())
                *error = reason;
            return error->isEmpty();
        };
    const ApplyResult r = m_dataset->applyUpdates(refusal);
    if (!r.ok) {
        if (!r.aborted)
            m_session.messages().show(r.error, true);
        m_dataset->cancelUpdates(); // the row is still in the table: show it again
        return;
    }
    reopen();
    ui->DBGrid1->setFocus(Qt::OtherFocusReason);
}

void CodeTableWindow::BitPrintClick() {
    const reports::Form form = m_list->form();
    reports::DatasetSource source(*m_dataset);
    ReportPreview preview(form, source, reportContext(m_session), m_session.messages(), this);
    preview.exec();
}

void CodeTableWindow::BotExcelClick() {
    m_exporter.exportGrid(this, ui->DBGrid1, m_member.caption);
}

void CodeTableWindow::reject() {
    close();
}

void CodeTableWindow::closeEvent(QCloseEvent* e) {
    if (m_closed) {
        e->accept();
        return;
    }
    // Closing saves the pending row through the save point; a refused check or a failed
    // write keeps the window open.
    if (!savePoint(true)) {
        e->ignore();
        return;
    }
    m_dataset->close();
    m_closed = true;
    m_opened = false;
    disconnect(qApp, &QApplication::focusChanged, this, &CodeTableWindow::focusChanged);
    e->accept();
    QDialog::reject();
}

} // namespace falq
