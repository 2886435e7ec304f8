#include "CORTP033.h"

#include "codenames.h"
#include "connections.h"
#include "dataset.h"
#include "documentspage.h"
#include "entertab.h"
#include "gridexport.h"
#include "imagecontrol.h"
#include "listingtexts.h"
#include "locationqueries.h"
#include "lookupmenu.h"
#include "lookups.h"
#include "messages.h"
#include "purchaseswindow.h"
#include "reportpreview.h"
#include "session.h"
#include "unitDtFalquinas.h"
#include "viewerwindow.h"

#include "ui_CORTP033.h"

#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSqlQuery>
#include <memory>

namespace falq {

using namespace movements;

namespace {

const QString kChapter = QStringLiteral("Movimentos");
const QString kProgram = QStringLiteral("Utiliz.Cliches e Desenhos");
// The editors of the clichés and of the drawings, whose alter right sets a forecast life.
const QString kClicheChapter = QStringLiteral("Cliches");
const QString kDrawingChapter = QStringLiteral("Desenhos");
const QString kEditorProgram = QStringLiteral("Abertura e Alteracao");
const QString kBadMachine = QStringLiteral("Máquina Inválida ...");
const QString kBadWear = QStringLiteral("Limite de Desgaste Inválido ...");
const QString kBadMonths = QStringLiteral("Número de Meses Inválido ...");
const QString kBadLife = QStringLiteral("Vida Prevista Inválida ...");
const QString kNoTool = QStringLiteral("Não há nenhum registo seleccionado ...");
const QString kLifeChanged =
    QStringLiteral("A vida prevista foi alterada noutro posto de trabalho.\nA lista mostra o valor "
                   "actual; grave de novo se o quiser mudar ...");

// A wear % bound as the boxes and the printed list show it (decimal comma).
QString percentText(double value) {
    return QLocale(QLocale::Portuguese, QLocale::Portugal)
        .toString(value, 'f', QLocale::FloatingPointShortest);
}

// A whole number within [low, high] typed in a box; nothing for anything else.
std::optional<qint64> wholeNumber(const QString& text, qint64 low, qint64 high) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// A wear % bound: empty is no bound; a number >= 0 written as every amount is (a decimal
// comma); false otherwise.
bool wearBound(const QString& text, std::optional<double>* bound) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        bound->reset();
        return true;
    }
    double value = 0;
    if (!parseDecimal(t, &value) || value < 0)
        return false;
    *bound = value;
    return true;
}

} // namespace

TCORTF033::TCORTF033(Session& session, QWidget* parent)
    : QDialog(parent), m_session(session), ui(std::make_unique<Ui::TCORTF033>()),
      m_exporter(std::make_unique<GridExporter>(session)) {
    ui->setupUi(this);
    ui->NBTipo->addTab(QStringLiteral("Clichés"));
    ui->NBTipo->addTab(QStringLiteral("Desenhos"));
    m_model = new ToolLifeModel(this);
    ui->DBGrid1->setModel(m_model);
    ui->DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    ui->DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->DBGrid1->setSortingEnabled(true);
    // A sort whose read of the tools left was stopped keeps the rows and the title's arrow.
    connect(m_model, &ToolLifeModel::sortStopped, this, [this] {
        QHeaderView* header = ui->DBGrid1->horizontalHeader();
        const QSignalBlocker quiet(header);
        header->setSortIndicator(m_model->sortColumn(), m_model->sortOrder());
        header->viewport()->update();
    });
    ui->DBGrid1->horizontalHeader()->setSortIndicatorShown(true);
    ui->DBGrid1->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    ui->DBGrid1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    ui->DBGrid1->verticalHeader()->hide();
    ui->NBTipo->setExpanding(false);
    ui->GrpFiltros->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    ui->MainLayout->setStretchFactor(ui->Divisao, 1);
    ui->Divisao->setStretchFactor(0, 4);
    ui->Divisao->setStretchFactor(1, 1);
    ui->Divisao->setSizes({1000, 280});

    m_ML1 = new ImageControl(this);
    m_ML1->setObjectName(QStringLiteral("ML1"));
    m_ML1->setToolTip(QStringLiteral("Click 2 Vezes para Visualizar"));
    m_ML1->setStretch(true);
    ui->FotoLayout->addWidget(m_ML1);
    connect(m_ML1, &ImageControl::clicked, this, &TCORTF033::DBGrid1DblClick);
    m_documents = new DocumentsPage(m_session.messages(), this);
    m_documents->setReadOnly(true);
    ui->AnexosLayout->addWidget(m_documents);

    // The machine: its searches (Insert, Ctrl+Insert), read when asked, and its name beside it.
    const LookupDef machines = lookups::machines(false);
    m_machineName = std::make_unique<CodeNames>(
        machines.codeTable(),
        QList<QPair<QString, QLabel*>>{{QStringLiteral("DESIGNACAO"), ui->Label_Maquina}});
    const auto search = [this, machines](bool byName) {
        Dataset* set =
            createLookupSet(byName ? QStringLiteral("MAQUINASALFA") : QStringLiteral("MAQUINAS"),
                            machines, byName, this);
        return LookupSearch{[set]() -> Dataset* { return set->open() ? set : nullptr; },
                            [set] { set->close(); }, lookups::machineColumns(byName)};
    };
    auto* machineLookup =
        new LookupMenu(ui->Edit_Maquina, m_session.messages(), search(false), search(true));
    // The machine taken is the filter at once.
    connect(machineLookup, &LookupMenu::chosen, this, [this] {
        ui->Edit_Maquina->setModified(false);
        rebuild();
    });
    ui->Edit_Maquina->setToolTip(kLookupKeysHint);

    m_runPreview = [this](PreparedReport& prepared) {
        ReportPreview preview(prepared.form, *prepared.source, reportContext(m_session),
                              m_session.messages(), this);
        preview.setWindowTitle(prepared.caption);
        preview.exec();
    };
    m_runViewer = [](QDialog& viewer) { viewer.exec(); };
    setBackgroundRunner({});

    connect(ui->NBTipo, &QTabBar::currentChanged, this, &TCORTF033::kindChanged);
    connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TCORTF033::rowChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, &TCORTF033::rowChanged);
    connect(ui->DBGrid1, &QTableView::doubleClicked, this, &TCORTF033::DBGrid1DblClick);
    for (QCheckBox* box : {ui->ChkValidos, ui->ChkInactivos, ui->ChkNuncaUsados})
        connect(box, &QCheckBox::clicked, this, [this] { rebuild(); });
    connect(ui->BotGravarVida, &QPushButton::clicked, this, &TCORTF033::BotGravarVidaClick);
    connect(ui->BotPrint, &QPushButton::clicked, this, &TCORTF033::BotPrintClick);
    connect(ui->BotExcel, &QPushButton::clicked, this, &TCORTF033::BotExcelClick);
    connect(ui->BitTerminar, &QPushButton::clicked, this, &QDialog::close);
    connect(qApp, &QApplication::focusChanged, this, &TCORTF033::focusChanged);
    EnterAsTab::install(this);
}

TCORTF033::~TCORTF033() = default;

void TCORTF033::setBackgroundRunner(BackgroundRunner run) {
    if (!run)
        run = [this](const QString& label, const BackgroundRead::Work& work, QString* error) {
            return readWithProgress(this, label, kDbFalquinas, work, error);
        };
    m_runInBackground = std::move(run);
}

BackgroundRead::Outcome TCORTF033::readAll(ItemKind kind, const ToolLifeFilter& filter,
                                           QVector<ToolLife>& rows, QString* error) {
    const QDate working = m_session.context().workingDate;
    const QString label = kind == ItemKind::Cliche
                              ? QStringLiteral("A calcular a vida útil dos clichés ...")
                              : QStringLiteral("A calcular a vida útil dos desenhos ...");
    QVector<ToolLife> read;
    const QScopedValueRollback<bool> reading(m_reading, true);
    const BackgroundRead::Outcome outcome = m_runInBackground(
        label,
        [&read, kind, filter, working](QSqlDatabase& db, QString* why) {
            return readToolLives(db, kind, filter, working, read, why);
        },
        error);
    // A stopped or failed read may have delivered part of the rows: none are kept.
    if (outcome == BackgroundRead::Outcome::Done)
        rows += read;
    return outcome;
}

bool TCORTF033::event(QEvent* e) {
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

void TCORTF033::FormActivate() {
    QString error;
    const AccessRights rights = m_session.rights(kChapter, kProgram, &error);
    // A forecast life is part of the tool's record: its editor's alter right sets it.
    if (error.isEmpty())
        m_alterCliches = m_session.rights(kClicheChapter, kEditorProgram, &error).alterar;
    if (error.isEmpty())
        m_alterDrawings = m_session.rights(kDrawingChapter, kEditorProgram, &error).alterar;
    if (!error.isEmpty())
        m_alterCliches = m_alterDrawings = false;
    // A failed read is told once: the box closing activates the window again.
    m_rightsNotice.report(m_session.messages(), QStringLiteral("rights"), error);
    showLifeRight();
    // Printing (with or without pictures) needs the print right; the export does not.
    ui->BotPrint->setVisible(rights.imprimir);
    ui->ChkImpFoto->setVisible(rights.imprimir);
    if (m_initialised)
        return;
    // The opening steps, once per showing: a child window closing changes nothing here.
    m_initialised = true;
    m_images = readImageParameters(QSqlDatabase::database(kDbFalquinas, false), &error);
    if (!error.isEmpty())
        m_session.messages().show(error, true);
    m_limits = readToolLifeLimits();
    ui->Edit_Cliente->setText(QStringLiteral("%"));
    ui->Edit_Fornecedor->setText(QStringLiteral("%"));
    ui->Edit_Maquina->setText(QStringLiteral("0"));
    ui->Edit_Desgaste1->clear();
    ui->Edit_Desgaste2->clear();
    ui->Edit_Meses->setText(QString::number(m_limits.dormantMonths));
    ui->ChkValidos->setChecked(true);
    ui->ChkInactivos->setChecked(false);
    ui->ChkNuncaUsados->setChecked(false);
    rebuild();
}

void TCORTF033::done(int result) {
    m_initialised = false;
    QDialog::done(result);
}

void TCORTF033::kindChanged(int page) {
    m_kind = page == 1 ? ItemKind::Drawing : ItemKind::Cliche;
    if (m_initialised)
        rebuild();
}

bool TCORTF033::readFilter() {
    auto refuse = [this](QLineEdit* box, const QString& message) {
        m_refused = box;
        box->setModified(true); // read again when it is left, changed or not
        m_session.messages().showForField(box, message);
        return false;
    };
    ToolLifeFilter f;
    f.clientPattern =
        ui->Edit_Cliente->text().isEmpty() ? QStringLiteral("%") : ui->Edit_Cliente->text();
    f.supplierPattern =
        ui->Edit_Fornecedor->text().isEmpty() ? QStringLiteral("%") : ui->Edit_Fornecedor->text();
    qint64 machine = 0;
    if (!parseCode(ui->Edit_Maquina->text(), 0, 32767, &machine))
        return refuse(ui->Edit_Maquina, kBadMachine);
    if (machine == 0) {
        m_machineName->clear();
    } else if (!m_machineName->show(machine)) {
        const QString why = m_machineName->error();
        return refuse(ui->Edit_Maquina, why.isEmpty() ? kNoMachine : why);
    }
    f.machine = int(machine);
    f.validOnly = ui->ChkValidos->isChecked();
    if (!wearBound(ui->Edit_Desgaste1->text(), &f.wearFrom))
        return refuse(ui->Edit_Desgaste1, kBadWear);
    if (!wearBound(ui->Edit_Desgaste2->text(), &f.wearTo))
        return refuse(ui->Edit_Desgaste2, kBadWear);
    if (f.wearFrom && f.wearTo && *f.wearTo < *f.wearFrom)
        return refuse(ui->Edit_Desgaste1, kBadWear);
    // The months count only for the dormant tools.
    const std::optional<qint64> months = wholeNumber(ui->Edit_Meses->text(), 1, 1200);
    if (!months && ui->ChkInactivos->isChecked())
        return refuse(ui->Edit_Meses, kBadMonths);
    f.dormantMonths = months ? int(*months) : m_limits.dormantMonths;
    f.dormant = ui->ChkInactivos->isChecked();
    f.neverUsed = ui->ChkNuncaUsados->isChecked();
    m_filter = f;
    ui->Edit_Cliente->setText(f.clientPattern);
    ui->Edit_Fornecedor->setText(f.supplierPattern);
    return true;
}

void TCORTF033::showFilter(const ToolLifeFilter& f) {
    ui->Edit_Cliente->setText(f.clientPattern);
    ui->Edit_Fornecedor->setText(f.supplierPattern);
    ui->Edit_Maquina->setText(QString::number(f.machine));
    if (f.machine == 0)
        m_machineName->clear();
    else
        m_machineName->show(f.machine);
    ui->Edit_Desgaste1->setText(f.wearFrom ? percentText(*f.wearFrom) : QString());
    ui->Edit_Desgaste2->setText(f.wearTo ? percentText(*f.wearTo) : QString());
    ui->Edit_Meses->setText(QString::number(f.dormantMonths));
    ui->ChkValidos->setChecked(f.validOnly);
    ui->ChkInactivos->setChecked(f.dormant);
    ui->ChkNuncaUsados->setChecked(f.neverUsed);
}

void TCORTF033::showKind() {
    m_kind = m_model->kind();
    const QSignalBlocker quiet(ui->NBTipo);
    ui->NBTipo->setCurrentIndex(m_kind == ItemKind::Drawing ? 1 : 0);
}

bool TCORTF033::rebuild() {
    if (m_reading)
        return false;
    const ToolLifeFilter shown = m_filter;
    if (!readFilter()) {
        // A box refused: the page stays that of the list shown.
        showKind();
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(kDbFalquinas, false);
    const QDate working = m_session.context().workingDate;
    const SqlDialect dialect = SqlDialect::forDatabase(db);
    QString error;
    // Reads the tools of `filter` into `rows`; false on error.
    auto read = [db, working, kind = m_kind](const ToolLifeFilter& filter, QVector<ToolLife>& rows,
                                             QString* why) {
        return readToolLives(db, kind, filter, working, rows, why);
    };
    QVector<ToolLife> rows;
    bool ok = true;
    bool more = false;
    ToolLifeModel::PageReader next;
    ToolLifeModel::PageReader rest;
    QHeaderView* header = ui->DBGrid1->horizontalHeader();
    if (!pageable(m_filter) || header->sortIndicatorSection() >= 0) {
        // Every tool's sums are needed before the first row (a filter on them, or a sort):
        // read in the background; the list shown changes only once that read is done.
        const BackgroundRead::Outcome outcome = readAll(m_kind, m_filter, rows, &error);
        if (outcome == BackgroundRead::Outcome::Cancelled) {
            m_filter = shown;
            showFilter(shown);
            showKind();
            return false;
        }
        ok = outcome == BackgroundRead::Outcome::Done;
    } else {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // A page of numbers at a time, each page's sums through the number's index.
        auto after = std::make_shared<QString>();
        next = [this, db, dialect, read, after, filter = m_filter, kind = m_kind,
                size = m_pageSize](QVector<ToolLife>& page) {
            QSqlQuery numbers(db);
            QString why;
            // A page that cannot be read says so: the list would otherwise just end there.
            const auto failed = [this, &why] {
                m_session.messages().show(why, true);
                return false;
            };
            if (!runForward(numbers, toolPageStatement(dialect, kind, filter, *after, size), &why))
                return failed();
            QString last;
            int count = 0;
            while (numbers.next()) {
                last = numbers.value(0).toString();
                ++count;
            }
            if (count == 0)
                return false;
            ToolLifeFilter range = filter;
            range.numberAfter = *after;
            range.numberUpTo = last;
            *after = last;
            if (!read(range, page, &why))
                return failed();
            return count == size;
        };
        // The tools after the pages read, at once (a sort, a print, an export).
        rest = [this, after, filter = m_filter, kind = m_kind](QVector<ToolLife>& all) {
            ToolLifeFilter range = filter;
            range.numberAfter = *after;
            QString why;
            const BackgroundRead::Outcome outcome = readAll(kind, range, all, &why);
            if (outcome == BackgroundRead::Outcome::Failed)
                m_session.messages().show(why, true);
            return outcome == BackgroundRead::Outcome::Done;
        };
        more = next(rows);
        QApplication::restoreOverrideCursor();
    }
    m_model->setRows(m_kind, std::move(rows), working, m_limits.warningPercent);
    m_model->setPageReader(next, more, rest);
    if (header->sortIndicatorSection() >= 0)
        m_model->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    if (!ok) {
        m_session.messages().show(error, true);
        return false;
    }
    if (m_model->rowCount() > 0) {
        ui->DBGrid1->setCurrentIndex(m_model->index(0, 0));
        if (!m_sized) {
            m_sized = true;
            ui->DBGrid1->resizeColumnsToContents();
        }
    }
    rowChanged();
    return true;
}

int TCORTF033::currentRow() const {
    const QModelIndex current = ui->DBGrid1->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TCORTF033::focusChanged(QWidget* old, QWidget* now) {
    if (!old || !now || !isAncestorOf(old) || !isAncestorOf(now))
        return;
    if (m_refused && now == m_refused) {
        m_refused = nullptr;
        return;
    }
    // A box left as it was changes nothing (on a sorted list, a read of every tool).
    for (QLineEdit* box : {ui->Edit_Cliente, ui->Edit_Fornecedor, ui->Edit_Maquina,
                           ui->Edit_Desgaste1, ui->Edit_Desgaste2, ui->Edit_Meses})
        if (old == box) {
            if (box->isModified()) {
                box->setModified(false);
                rebuild();
            }
            return;
        }
}

void TCORTF033::rowChanged() {
    m_ML1->clear();
    m_picturePath.clear();
    m_documents->closeDocument();
    showLifeRight();
    const int row = currentRow();
    if (row < 0 || row >= m_model->rowCount()) {
        m_documents->showRecord(QString(), QString());
        ui->Edit_RotacoesPrev->clear();
        ui->Label_Localizacao->clear();
        return;
    }
    const ToolLife& tool = m_model->tool(row);
    ui->Edit_RotacoesPrev->setText(QString::number(tool.life));
    const bool drawing = m_kind == ItemKind::Drawing;
    ui->Label_Localizacao->setText(locations::locationLine(
        QSqlDatabase::database(kDbFalquinas, false), QSqlDatabase::database(kDbFacturacao, false),
        {drawing ? locations::ToolKind::Drawing : locations::ToolKind::Cliche, tool.number}));
    const QString path =
        drawing ? drawingImagePath(m_images, tool.number) : clicheImagePath(m_images, tool.number);
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        m_ML1->load(path);
        m_picturePath = path;
    }
    m_documents->showRecord(drawing ? m_images.drawingFolder : m_images.clicheFolder, tool.number);
}

void TCORTF033::DBGrid1DblClick() {
    const int row = currentRow();
    if (row < 0 || m_picturePath.isEmpty())
        return;
    if (std::unique_ptr<ViewerWindow> viewer =
            itemViewer(m_kind == ItemKind::Drawing, m_model->tool(row).number, m_picturePath, this))
        m_runViewer(*viewer);
}

bool TCORTF033::mayAlterLife() const {
    return m_model->kind() == ItemKind::Drawing ? m_alterDrawings : m_alterCliches;
}

void TCORTF033::showLifeRight() {
    const bool may = mayAlterLife();
    ui->Edit_RotacoesPrev->setEnabled(may);
    ui->BotGravarVida->setEnabled(may);
}

void TCORTF033::BotGravarVidaClick() {
    if (!mayAlterLife())
        return;
    const int row = currentRow();
    if (row < 0) {
        m_session.messages().show(kNoTool, true);
        return;
    }
    const std::optional<qint64> life =
        wholeNumber(ui->Edit_RotacoesPrev->text(), 0, std::numeric_limits<qint32>::max());
    if (!life) {
        m_refused = ui->Edit_RotacoesPrev;
        m_session.messages().showForField(ui->Edit_RotacoesPrev, kBadLife);
        return;
    }
    const QString number = m_model->tool(row).number;
    const bool drawing = m_model->kind() == ItemKind::Drawing;
    // Written through the shared dataset: the row named by its key, the life checked against
    // the value read, so another workstation's change in between is refused.
    Dataset* tools = m_session.dataset(drawing ? ds::DESENHOS : ds::CLICHES);
    const QStringList key{drawing ? QStringLiteral("DESENHONRO") : QStringLiteral("CLICHENRO")};
    QString error;
    if (!tools || (!tools->isOpen() && !tools->open(&error))) {
        m_session.messages().show(error, true);
        return;
    }
    // The shared list read again and put on the tool; false after saying why.
    const auto readAgain = [&] {
        if (tools->reopen(&error) && tools->locate(key, {number}))
            return true;
        m_session.messages().show(error.isEmpty() ? kNoTool : error, true);
        return false;
    };
    if (!tools->locate(key, {number}) && !readAgain())
        return;
    // The life the user saw in the list is the one the write replaces: the shared list may
    // have been read at another moment than this window's.
    const qint64 seen = m_model->tool(row).life;
    const auto lifeRead = [tools] {
        return qMax<qint64>(0, tools->fieldValue(QStringLiteral("ROTACOES_PREV")).toLongLong());
    };
    // Changed meanwhile by another workstation: the list shows the stored value, nothing is
    // written, and the window says so.
    const auto changedElsewhere = [&] {
        refreshRow(number);
        m_session.messages().show(kLifeChanged, true);
    };
    if (lifeRead() != seen) {
        if (!readAgain())
            return;
        if (lifeRead() != seen) {
            changedElsewhere();
            return;
        }
    }
    tools->edit();
    tools->setFieldValue(QStringLiteral("ROTACOES_PREV"), int(*life));
    tools->post();
    // The write-error window's choices (retry, skip, abort) make no sense for this one value:
    // a refused write comes back here, and no change of this window's stays in the shared
    // list, where an editor's next save would write it (or fail on it).
    const Dataset::ErrorMode mode = tools->errorMode();
    tools->setErrorMode(Dataset::ErrorMode::ServerMessage);
    const ApplyResult result = tools->applyUpdates();
    tools->setErrorMode(mode);
    if (result.ok) {
        refreshRow(number);
        return;
    }
    tools->cancelUpdates();
    // The shared list holds the stored values again, and so does the window's.
    tools->reopen();
    const std::optional<ToolLife> stored = refreshRow(number);
    m_session.messages().show(stored && stored->life != seen ? kLifeChanged : result.error, true);
}

std::optional<ToolLife> TCORTF033::refreshRow(const QString& number) {
    QSqlDatabase db = QSqlDatabase::database(kDbFalquinas, false);
    const std::optional<ToolLife> tool =
        readToolLife(db, m_model->kind(), number, m_session.context().workingDate);
    if (tool)
        m_model->updateRow(*tool);
    return tool;
}

QStringList TCORTF033::criteria() const {
    QStringList c;
    c << (m_kind == ItemKind::Cliche ? QStringLiteral("Clichés") : QStringLiteral("Desenhos"))
      << clientCriterion(m_filter.clientPattern) << supplierCriterion(m_filter.supplierPattern);
    if (m_filter.machine)
        c << QStringLiteral("Máquina : %1").arg(m_filter.machine);
    if (m_filter.validOnly)
        c << QStringLiteral("Só válidos");
    if (m_filter.wearFrom || m_filter.wearTo)
        c << QStringLiteral("% Desgaste : %1 a %2")
                 .arg(m_filter.wearFrom ? percentText(*m_filter.wearFrom) : QStringLiteral("0"),
                      m_filter.wearTo ? percentText(*m_filter.wearTo) : QStringLiteral("..."));
    if (m_filter.dormant)
        c << QStringLiteral("Sem uso há mais de %1 meses").arg(m_filter.dormantMonths);
    if (m_filter.neverUsed)
        c << QStringLiteral("Nunca usados");
    c << QStringLiteral("Data de Trabalho : ") +
             m_session.context().workingDate.toString(QStringLiteral("dd/MM/yyyy"));
    return c;
}

void TCORTF033::BotPrintClick() {
    if (!m_model->fetchAll())
        return;
    PreparedReport prepared =
        prepareToolLifeList(*m_model, criteria(), m_images, ui->ChkImpFoto->isChecked());
    m_runPreview(prepared);
}

void TCORTF033::BotExcelClick() {
    if (!m_model->fetchAll())
        return;
    m_exporter->exportGrid(this, ui->DBGrid1, windowTitle());
}

} // namespace falq
