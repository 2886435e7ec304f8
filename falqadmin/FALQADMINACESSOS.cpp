#include "FALQADMINACESSOS.h"

#include "entertab.h"
#include "rights.h"

#include "ui_FALQADMINACESSOS.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>

namespace falq {

namespace {
constexpr int kProgramColumn = 0; // then the flags
constexpr int kProgramWidth = 25; // characters
constexpr int kFlagWidth = 6;
const QStringList kRightsKey = {"APLICACAO", "CAPITULO", "PROGRAMA", "EMPNRO", "UTIL"};
} // namespace

TFALQADMINACESSOS::TFALQADMINACESSOS(AdminSession& session, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TFALQADMINACESSOS>()), m_session(session) {
    ui->setupUi(this);
    connect(ui->BotTerminar, &QPushButton::clicked, this, &QWidget::close);

    m_chapters = std::make_unique<Dataset>(
        QStringLiteral("APLICACAOCAP"), kAdminMain,
        QStringLiteral(
            "SELECT * FROM APLICACAOCAP WHERE APLICACAO = :WAplicacao ORDER BY CAPITULO"),
        UpdateObject{QStringLiteral("APLICACAOCAP"), {"APLICACAO", "CAPITULO"}, {}});
    // In the chapters' order on every engine (an order left to the engine differs).
    m_chapters->bindValue(QStringLiteral(":WAplicacao"), session.application());
    m_chapters->setPresentation({{QStringLiteral("CAPITULO"), QStringLiteral("Capítulos")}});
    m_users = std::make_unique<Dataset>(QStringLiteral("UTILIZADORES"), kAdminMain,
                                        QStringLiteral("Select * From UTILIZADORES Order By NOM"),
                                        UpdateObject{QStringLiteral("UTILIZADORES"), {"NRO"}, {}});
    m_users->setPresentation({{QStringLiteral("NRO"), QStringLiteral("Utilizador")},
                              {QStringLiteral("NOM"), QStringLiteral("Nome do Utilizador")}});
    m_rights = std::make_unique<Dataset>(
        QStringLiteral("APLICACAODET"), kAdminMain,
        QStringLiteral("SELECT * FROM APLICACAODET WHERE APLICACAO = :WAplicacao AND CAPITULO = "
                       ":WCapitulo AND EMPNRO = :WEmpNro AND UTIL = :WUtil ORDER BY PROGRAMA"),
        UpdateObject{QStringLiteral("APLICACAODET"), kRightsKey, {}});
    // A flag shows ticked when the main program grants its right; a tick changed writes "S" or
    // "N". The other flags (ALTERAR, IMPORTAR, ARQUIVAR, MAIL) are kept as they are, unseen.
    // The programs' column is fixed.
    auto right = [](const char* field, const char* title) {
        return FieldPresentation{
            QLatin1String(field), QLatin1String(title), true, {}, &rightGranted};
    };
    m_rights->setPresentation(
        {{QStringLiteral("PROGRAMA"), QStringLiteral("Programa"), false, {}, nullptr, true},
         right("ACEDER", "Aceder"),
         right("INSERIR", "Inserir"),
         right("ELIMINAR", "Eliminar"),
         right("IMPRIMIR", "Imprimir"),
         right("SCANNER", "Scanner")});
    m_rights->setErrorHandler(session.updateErrorHandler());

    for (QTableView* view : {ui->DBGridUtil, ui->DBGridCap, ui->DBGridWorkDet}) {
        view->verticalHeader()->hide();
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
        view->horizontalHeader()->setStretchLastSection(true);
    }
    ui->DBGridCap->horizontalHeader()->hide(); // the label above says "Capítulos"
    ui->DBGridWorkDet->horizontalHeader()->setStretchLastSection(false); // columns of set widths
    ui->DBGridUtil->setModel(m_users.get());
    ui->DBGridCap->setModel(m_chapters.get());
    ui->DBGridWorkDet->setModel(m_rights.get());
    followList(ui->DBGridUtil, m_users.get(), &m_userRow, &TFALQADMINACESSOS::UserChange);
    followList(ui->DBGridCap, m_chapters.get(), &m_chapterRow, &TFALQADMINACESSOS::ChapterChange);
    // The grid's cursor stays in the flags: a click on a program, or a key that reaches the
    // programs' column, puts it on the program's first flag.
    connect(ui->DBGridWorkDet->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.column() == kProgramColumn)
                    QTimer::singleShot(0, ui->DBGridWorkDet, [this] { firstFlagOfRow(); });
            });

    // Opening: the chapters and the users (by name), the first user's rights, the focus in
    // the users' list.
    QString error;
    if (!m_users->open(&error))
        session.messages().show(error, true);
    m_users->presentIn(ui->DBGridUtil);
    m_userRow = m_users->currentRow();
    selectQuietly(ui->DBGridUtil, m_userRow);
    UserChange();
    connect(qApp, &QApplication::focusChanged, this, &TFALQADMINACESSOS::focusChanged);
    EnterAsTab::install(this, EnterAsTab::Grids::MoveOn);
    ui->DBGridUtil->setFocus();
}

TFALQADMINACESSOS::~TFALQADMINACESSOS() {
    disconnect(qApp, &QApplication::focusChanged, this, &TFALQADMINACESSOS::focusChanged);
}

void TFALQADMINACESSOS::selectQuietly(QTableView* view, int row) {
    const QSignalBlocker quiet(view->selectionModel());
    if (row < 0) {
        view->clearSelection();
        return;
    }
    view->setCurrentIndex(view->model()->index(row, 0));
    view->selectRow(row);
}

void TFALQADMINACESSOS::followList(QTableView* view, Dataset* list, int* row,
                                   void (TFALQADMINACESSOS::*change)()) {
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, view, list, row, change](const QModelIndex& current) {
                if (!current.isValid() || current.row() == *row)
                    return;
                // The ticks of the user and chapter shown so far are written first.
                if (!saveRights()) {
                    QTimer::singleShot(0, view, [view, row] { selectQuietly(view, *row); });
                    return;
                }
                *row = current.row();
                list->setCurrentRow(*row);
                (this->*change)();
            });
}

void TFALQADMINACESSOS::UserChange() {
    m_user = m_userRow >= 0 ? m_users->fieldValue(QStringLiteral("NRO")).toString() : QString();
    QString error;
    if (!m_chapters->open(&error))
        m_session.messages().show(error, true);
    m_chapters->fetchAll();
    m_chapters->presentIn(ui->DBGridCap);
    m_chapterRow = m_chapters->currentRow();
    selectQuietly(ui->DBGridCap, m_chapterRow);
    m_rights->close();
    // A user without rows in this company gets one per program, every right granted.
    if (!ensureUserRights(QSqlDatabase::database(kAdminMain, false), m_session.application(),
                          m_session.company().number, m_user, &error))
        m_session.messages().show(error, true);
    ChapterChange();
}

void TFALQADMINACESSOS::ChapterChange() {
    m_chapter = m_chapterRow >= 0 ? m_chapters->fieldValue(QStringLiteral("CAPITULO")).toString()
                                  : QString();
    m_rights->bindValue(QStringLiteral(":WAplicacao"), m_session.application());
    m_rights->bindValue(QStringLiteral(":WCapitulo"), m_chapter);
    m_rights->bindValue(QStringLiteral(":WEmpNro"), m_session.company().number);
    m_rights->bindValue(QStringLiteral(":WUtil"), m_user);
    QString error;
    if (!m_rights->open(&error)) {
        m_session.messages().show(error, true);
        return;
    }
    m_rights->presentIn(ui->DBGridWorkDet);
    if (m_rights->rowCount() > 0)
        ui->DBGridWorkDet->setCurrentIndex(m_rights->index(0, kProgramColumn + 1));
    const int digit = ui->DBGridWorkDet->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    QHeaderView* header = ui->DBGridWorkDet->horizontalHeader();
    header->resizeSection(kProgramColumn, digit * kProgramWidth + 12);
    int width = header->sectionSize(kProgramColumn);
    for (int column = 1; column < 6; ++column) {
        header->resizeSection(column, digit * kFlagWidth + 12);
        width += header->sectionSize(column);
    }
    // Every column in view, with room for the vertical scroll bar.
    ui->DBGridWorkDet->setMinimumWidth(
        width + 2 * ui->DBGridWorkDet->frameWidth() +
        ui->DBGridWorkDet->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

void TFALQADMINACESSOS::firstFlagOfRow() {
    const QModelIndex current = ui->DBGridWorkDet->currentIndex();
    if (current.isValid() && current.column() == kProgramColumn)
        ui->DBGridWorkDet->setCurrentIndex(current.siblingAtColumn(kProgramColumn + 1));
}

bool TFALQADMINACESSOS::saveRights() {
    ++m_saveAttempts;
    if (!m_rights->isOpen())
        return true;
    const ApplyResult r = m_rights->applyUpdates();
    if (r.ok)
        return true;
    if (!r.aborted)
        m_session.messages().show(r.error, true);
    return false;
}

void TFALQADMINACESSOS::focusChanged(QWidget* old, QWidget* now) {
    // Moves between the controls of this window only (not the focus coming back from a
    // message or the write-error window).
    if (m_closed || !isVisible() || !old || !isAncestorOf(old) || !now || !isAncestorOf(now))
        return;
    if (now == ui->DBGridWorkDet) {
        m_rights->edit();
        return;
    }
    // Leaving the grid for another control of this window writes its ticks once the focus
    // has moved (a message or the write-error window may follow), unless what the move led
    // to (another user or chapter) has already tried: one attempt for one move.
    if (old == ui->DBGridWorkDet)
        QTimer::singleShot(0, this, [this, attempts = m_saveAttempts] {
            if (m_saveAttempts == attempts)
                saveRights();
        });
}

void TFALQADMINACESSOS::reject() {
    close();
}

void TFALQADMINACESSOS::closeEvent(QCloseEvent* e) {
    if (!saveRights()) {
        e->ignore();
        return;
    }
    m_closed = true;
    m_rights->close();
    m_chapters->close();
    m_users->close();
    e->accept();
    QDialog::reject();
}

} // namespace falq
