#include "CORTP030.h"

#include "codenames.h"

#include "connections.h"
#include "dataset.h"
#include "datasetviews.h"
#include "entertab.h"
#include "gridexport.h"
#include "imagefiles.h"
#include "plantroot.h"
#include "recordrules.h"
#include "registerfiles.h"
#include "session.h"
#include "toollife.h"
#include "unitDtFalquinas.h"

#include "ui_CORTP030.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabBar>
#include <tuple>

namespace falq {

using registers::ObjectKind;

namespace {
const QString kChapter = QStringLiteral("Movimentos");
const QString kProgram = QStringLiteral("Utiliz.Cliches e Desenhos");
const QString kBadPeriod = QStringLiteral("Limite de Datas Inválido ...");
const QString kExportTitle = QStringLiteral("Registo de dados");
const QString kTable = QStringLiteral("MOVIMENTOS");

} // namespace

TCORTF030::TCORTF030(Session& session, QWidget* parent)
    : RegisterEditor(session, session.dataset(ds::MOVIMENTOS), parent),
      ui(std::make_unique<Ui::TCORTF030>()), m_movements(m_records),
      m_parger(session.dataset(ds::PARGER)), m_exporter(std::make_unique<GridExporter>(session)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF030"));
    for (QTabWidget* book : {ui->NB, ui->NBUtil, ui->NBRot})
        book->tabBar()->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* box : {ui->Edit_Data, ui->Edit_Data1, ui->Edit_Data2})
        box->setInputMask(registers::kDayMask);
    ui->Edit_Desenho->setMaxLength(columnTextSize(kTable, QStringLiteral("DESENHONRO")));
    ui->Edit_Encomenda->setMaxLength(columnTextSize(kTable, QStringLiteral("ENCOMENDA")));

    setUpGrid(ui->DBGrid1, {}, registers::movementColumns());
    m_status0 = new QLabel(this);
    m_status0->setObjectName(QStringLiteral("StatusPanel0"));
    ui->StatusBar1->addWidget(m_status0, 1);

    setEntryParts({ui->Edit_Desenho,
                   ui->Edit_Cliche,
                   ui->Edit_NroUtil,
                   {ui->Edit_Rotacoes, ui->Edit_Encomenda, ui->Edit_Data}},
                  new RegisterFiles(session.messages(), ui->photoLayout, ui->documentsLayout, this),
                  PickerCaller::UsageRegister);

    // The four summaries, each with the movements of its current row below.
    const struct {
        QTableView* grid;
        QTableView* detail;
        ObjectKind kind;
        movements::Measure measure;
    } summaries[] = {
        {ui->DBGridUtilDesenhos, ui->DBGridUtilDesenhosDet, ObjectKind::Drawing,
         movements::Measure::Uses},
        {ui->DBGridUtilCliches, ui->DBGridUtilClichesDet, ObjectKind::Cliche,
         movements::Measure::Uses},
        {ui->DBGridRotDesenhos, ui->DBGridRotDesenhosDet, ObjectKind::Drawing,
         movements::Measure::Rotations},
        {ui->DBGridRotCliches, ui->DBGridRotClichesDet, ObjectKind::Cliche,
         movements::Measure::Rotations},
    };
    for (const auto& def : summaries) {
        const int index = int(m_summaries.size());
        auto* rows = new Dataset(QStringLiteral("RANKING%1").arg(index), kDbFalquinas, {},
                                 UpdateObject{}, this);
        auto* moves = new Dataset(QStringLiteral("MOVIMENTOSDET%1").arg(index), kDbFalquinas, {},
                                  UpdateObject{kTable, {QStringLiteral("NRO")}, {}}, this);
        bindGridRows(
            def.grid, rows,
            new FieldColumnsModel(
                rows,
                registers::summaryColumns(def.kind, def.measure == movements::Measure::Rotations),
                def.grid));
        bindGridRows(def.detail, moves,
                     new FieldColumnsModel(moves, registers::detailColumns(), def.detail));
        for (QTableView* g : {def.grid, def.detail}) {
            g->horizontalHeader()->setStretchLastSection(true);
            g->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
        }
        m_summaries.append({def.grid, def.detail, rows, moves, def.kind, def.measure});
        connect(rows, &Dataset::currentRowChanged, this, [this, index] {
            if (m_eventsOn && currentSummary() == &m_summaries[index])
                summaryRowChanged(m_summaries[index]);
        });
    }
    for (QTabWidget* book : {ui->NB, ui->NBUtil, ui->NBRot})
        connect(book, &QTabWidget::currentChanged, this, [this] {
            if (!m_eventsOn)
                return;
            // A summary shows the period the boxes hold when they pass their checks; else the
            // one last confirmed, and the refused box says why.
            if (ui->NB->currentIndex() != 0)
                readPeriod();
            setUpPage();
        });
    for (QLineEdit* pattern : {ui->Edit_Cliente, ui->Edit_Fornecedor})
        connect(pattern, &QLineEdit::editingFinished, this,
                [this, pattern] { patternLeft(pattern); });

    ui->BotDelete->hide();
    connect(ui->BotInserir, &QPushButton::clicked, this, &TCORTF030::BotInserirClick);
    connect(ui->BitTerminar, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->BitPrint, &QPushButton::clicked, this, &TCORTF030::BitPrintClick);
    connect(ui->BotPrint, &QPushButton::clicked, this, &TCORTF030::BotPrintClick);
    connect(ui->BotExcel, &QPushButton::clicked, this, &TCORTF030::BotExcelClick);
    connect(ui->BotConsulta, &QPushButton::clicked, this, &TCORTF030::BotConsultaClick);
    m_navigator = new Navigator(this);
    m_navigator->setDataset(m_movements);
    ui->navigatorLayout->addWidget(m_navigator);
    m_report = [this](MovementReport report, const MovementReportCriteria& criteria) {
        showMovementReport(m_session, report, criteria, this);
    };

    // "&Terminar" stays usable during an entry: closing saves through the grid.
    setEditorParts(ui->Edit_Desenho, ui->Edit_NroUtil, ui->BotCancelar, ui->BotDelete,
                   {m_navigator, ui->BotInserir, ui->BotDelete}, m_status0);
    EnterAsTab::install(this);
}

TCORTF030::~TCORTF030() {
    if (m_opened)
        FormClose();
}

void TCORTF030::setReportRunner(
    std::function<void(MovementReport, const MovementReportCriteria&)> runner) {
    m_report = std::move(runner);
}

Dataset* TCORTF030::summaryRows() const {
    const Summary* s = currentSummary();
    return s ? s->rows : nullptr;
}

Dataset* TCORTF030::summaryMovements() const {
    const Summary* s = currentSummary();
    return s ? s->movements : nullptr;
}

// ---- tool life ------------------------------------------------------------------------------

void TCORTF030::afterSave() {
    const QString number = m_number;
    const registers::ObjectKind kind = m_kind;
    RegisterEditor::afterSave();
    if (number.isEmpty())
        return;
    QSqlDatabase db = QSqlDatabase::database(kDbFalquinas, false);
    const QDate working = m_session.context().workingDate;
    const std::optional<movements::ToolLife> tool =
        movements::readToolLife(db, kind, number, working);
    if (!tool)
        return;
    const QString warning =
        movements::wearWarning(*tool, kind, working, movements::readToolLifeLimits());
    if (warning.isEmpty())
        return;
    // After the save point has finished moving the focus.
    QMetaObject::invokeMethod(
        this, [this, warning] { m_session.messages().show(warning, true); }, Qt::QueuedConnection);
}

// ---- opening and closing -------------------------------------------------------------------

void TCORTF030::FormActivate() {
    m_opened = true;
    m_mode = Mode::Browse;
    m_insertFlag = false;
    m_number.clear();
    ReadAcessosUtil();
    DisableAcessosBotoes();
    m_period = registers::defaultPeriod(m_session.context().workingDate);
    ui->Edit_Data1->setText(registers::dayText(m_period.from));
    ui->Edit_Data2->setText(registers::dayText(m_period.to));
    ui->Edit_Cliente->setText(m_period.clientPattern);
    ui->Edit_Fornecedor->setText(m_period.supplierPattern);
    for (QTabWidget* book : {ui->NB, ui->NBUtil, ui->NBRot}) {
        const QSignalBlocker quiet(book);
        book->setCurrentIndex(0);
    }
    openRows(m_parger);
    m_cancelFlag = false;
    m_eventsOn = true;
    setUpPage();
    ui->DBGrid1->setFocus();
}

void TCORTF030::FormClose() {
    m_opened = false;
    m_eventsOn = false;
    m_movements->close();
    m_parger->close();
    for (Summary& s : m_summaries) {
        s.rows->close();
        s.movements->close();
    }
}

void TCORTF030::ReadAcessosUtil() {
    m_rights = m_session.rights(kChapter, kProgram);
}

void TCORTF030::DisableAcessosBotoes() {
    ui->BotInserir->setVisible(m_rights.inserir);
    ui->BotCancelar->setVisible(m_rights.inserir);
    ui->BotDelete->setVisible(m_rights.eliminar);
    ui->BitPrint->setVisible(m_rights.imprimir);
    ui->BotPrint->setVisible(m_rights.imprimir);
}

// ---- page 1: the movements -----------------------------------------------------------------

void TCORTF030::showBoundFields() {
    enableEntryBoxes();
    // The summaries wait while a movement is entered (or a failed one waits).
    ui->NB->tabBar()->setEnabled(m_mode == Mode::Browse && !m_movements->hasPendingUpdates());
    if (m_mode == Mode::Insert)
        return;
    if (entryCleared()) {
        clearEntry();
        return;
    }
    const bool row = m_movements->currentRow() >= 0;
    auto value = [this, row](const char* field) {
        return row ? m_movements->fieldValue(QLatin1String(field)) : QVariant();
    };
    ui->Edit_Desenho->setText(fieldText(value("DESENHONRO")));
    ui->Edit_Cliche->setText(fieldText(value("CLICHENRO")));
    ui->Edit_NroUtil->setText(fieldText(value("NROUTIL")));
    ui->Edit_Rotacoes->setText(fieldText(value("ROTACOES")));
    ui->Edit_Encomenda->setText(fieldText(value("ENCOMENDA")));
    ui->Edit_Data->setText(registers::dayText(value("DATA")));
}

QString TCORTF030::listStatement(const QString&) const {
    return defaultStatement(ds::MOVIMENTOS);
}

const QList<SearchColumn>& TCORTF030::gridColumns() const {
    return registers::movementColumns();
}

void TCORTF030::objectChosen(ObjectKind, const registers::ObjectRow&) {
    // A movement holds only the number and its kind.
}

TCORTF030::Verdict TCORTF030::checkValue(QLineEdit* box, QString* message) {
    const QString typed = box->text();
    if (box == ui->Edit_NroUtil || box == ui->Edit_Rotacoes) {
        const QString field =
            box == ui->Edit_NroUtil ? QStringLiteral("NROUTIL") : QStringLiteral("ROTACOES");
        qint64 count = 0;
        if (!registers::parseCount(kTable, field, typed, &count)) {
            *message = registers::countRefusal(typed);
            return Verdict::Refused;
        }
        writeField(field, count);
    } else if (box == ui->Edit_Encomenda) {
        writeField(QStringLiteral("ENCOMENDA"),
                   QString(typed.isNull() ? QStringLiteral("") : typed));
    } else if (box == ui->Edit_Data) {
        QVariant day;
        bool empty = false;
        // A movement without a date would never be counted: the date is required.
        if (!registers::parseDay(typed, &day, &empty)) {
            *message = kBadDate;
            return Verdict::Refused;
        }
        if (empty)
            return Verdict::Refused;
        writeField(QStringLiteral("DATA"), day);
    }
    return Verdict::Accepted;
}

void TCORTF030::clearEntry() {
    for (QLineEdit* box : recordBoxes())
        box->clear();
    ui->Edit_Data->setText(registers::dayText(m_session.context().workingDate));
}

void TCORTF030::BotInserirClick() {
    if (!beginEntry())
        return;
    {
        const QSignalBlocker quiet(ui->NB);
        ui->NB->setCurrentIndex(0);
    }
    setUpPage();
    ui->NB->tabBar()->setEnabled(false);
    ui->Edit_NroUtil->setText(QStringLiteral("1"));
    ui->Edit_Desenho->setFocus(Qt::OtherFocusReason);
}

void TCORTF030::BotExcelClick() {
    m_exporter->exportGrid(this, ui->DBGrid1, kExportTitle);
}

// ---- pages 2 and 3: the summaries ----------------------------------------------------------

const TCORTF030::Summary* TCORTF030::currentSummary() const {
    const int page = ui->NB->currentIndex();
    if (page == 1)
        return &m_summaries[ui->NBUtil->currentIndex() == 0 ? 0 : 1];
    if (page == 2)
        return &m_summaries[ui->NBRot->currentIndex() == 0 ? 2 : 3];
    return nullptr;
}

TCORTF030::Summary* TCORTF030::currentSummary() {
    return const_cast<Summary*>(std::as_const(*this).currentSummary());
}

void TCORTF030::setUpPage() {
    const bool registo = ui->NB->currentIndex() == 0;
    ui->PanelConsulta->setVisible(!registo);
    ui->BotCancelar->setEnabled(registo);
    ui->BotDelete->setEnabled(registo);
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui->BitPrint, ui->BotPrint, ui->GrupoRelatorio,
                                         ui->GrupoImprimir, ui->ChkImpFoto, ui->ChkDetalhe})
        w->setEnabled(!registo);
    if (registo) {
        showBoundFields();
        recordDisplay();
        return;
    }
    openSummary(*currentSummary());
}

void TCORTF030::openSummary(Summary& s) {
    const SqlDialect dialect = s.rows->dialect();
    s.rows->close();
    s.rows->setStatement(movements::rankingStatement(dialect, s.kind, s.measure, m_period));
    QString error;
    const bool wasOn = m_eventsOn;
    m_eventsOn = false; // the first row's movements are read once, below
    const bool opened = s.rows->open(&error);
    m_eventsOn = wasOn;
    if (!opened)
        m_session.messages().show(error, true);
    summaryRowChanged(s);
}

void TCORTF030::summaryRowChanged(Summary& s) {
    const QString number = s.rows->currentRow() >= 0
                               ? fieldText(s.rows->fieldValue(movements::numberColumn(s.kind)))
                               : QString();
    s.movements->close();
    if (number.isEmpty()) {
        m_files->clear(); // no movements for an empty number
        return;
    }
    m_files->show(s.kind, number);
    s.movements->setStatement(movements::itemMovementsStatement(
        s.movements->dialect(), s.kind, number, m_period.from, m_period.to));
    QString error;
    if (!s.movements->open(&error))
        m_session.messages().show(error, true);
}

bool TCORTF030::readPeriod() {
    QVariant from, to;
    bool fromEmpty = false, toEmpty = false;
    for (auto [box, day, empty] : {std::tuple{ui->Edit_Data1, &from, &fromEmpty},
                                   std::tuple{ui->Edit_Data2, &to, &toEmpty}}) {
        if (!registers::parseDay(box->text(), day, empty) || *empty) {
            m_session.messages().showForField(box, kBadDate);
            return false;
        }
    }
    if (from.toDateTime().date() > to.toDateTime().date()) {
        m_session.messages().show(kBadPeriod, true);
        return false; // nothing is run again
    }
    for (QLineEdit* pattern : {ui->Edit_Cliente, ui->Edit_Fornecedor})
        pattern->setText(registers::patternOrAll(pattern->text()));
    m_period.from = from.toDateTime().date();
    m_period.to = to.toDateTime().date();
    m_period.clientPattern = ui->Edit_Cliente->text();
    m_period.supplierPattern = ui->Edit_Fornecedor->text();
    return true;
}

void TCORTF030::BotConsultaClick() {
    if (readPeriod())
        setUpPage();
}

void TCORTF030::patternLeft(QLineEdit* box) {
    box->setText(registers::patternOrAll(box->text()));
}

void TCORTF030::runReport(MovementReport report) {
    // The period and patterns the boxes show, once they pass their checks.
    if (!readPeriod())
        return;
    MovementReportCriteria criteria;
    criteria.from = m_period.from;
    criteria.to = m_period.to;
    criteria.clientPattern = m_period.clientPattern;
    criteria.supplierPattern = m_period.supplierPattern;
    criteria.photos = ui->ChkImpFoto->isChecked();
    criteria.orders = ui->ChkDetalhe->isChecked();
    const bool wasOn = m_eventsOn;
    m_eventsOn = false;
    if (m_report)
        m_report(report, criteria);
    m_eventsOn = wasOn;
    setUpPage();
    ui->NB->setFocus();
}

void TCORTF030::BitPrintClick() {
    const int page = ui->NB->currentIndex();
    if (page == 0)
        return;
    const bool drawings = ui->ChkDesenho->isChecked();
    if (page == 1)
        runReport(drawings ? MovementReport::RiskDrawings : MovementReport::RiskCliches);
    else
        runReport(drawings ? MovementReport::AnalysisDrawings : MovementReport::AnalysisCliches);
}

void TCORTF030::BotPrintClick() {
    if (ui->NB->currentIndex() == 0)
        return;
    runReport(ui->ChkDesenho1->isChecked() ? MovementReport::ListDrawings
                                           : MovementReport::ListCliches);
}

} // namespace falq
