#include "CORTP010.h"

#include "clicherules.h"
#include "clichesearch.h"
#include "codetables.h"
#include "connections.h"
#include "dataset.h"
#include "datasetviews.h"
#include "documents.h"
#include "documentspage.h"
#include "entertab.h"
#include "gridexport.h"
#include "grids.h"
#include "imagecontrol.h"
#include "imagefiles.h"
#include "locatedialog.h"
#include "lookupmenu.h"
#include "lookups.h"
#include "plantroot.h"
#include "recordarticle.h"
#include "recordphotos.h"
#include "scanner.h"
#include "session.h"
#include "sqlrun.h"
#include "unitDtFalquinas.h"

#include "ui_CORTP010.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSqlQuery>
#include <QTimer>

namespace falq {

namespace {
const QString kNumber = QStringLiteral("CLICHENRO");

const QString kDuplicate = QStringLiteral("Registo já Existe ... <ENTER> ...");
const QString kNoClient = QStringLiteral("Cliente Inexistente ...");
const QString kNoSupplier = QStringLiteral("Fornecedor Inexistente ...");
const QString kNoModel = QStringLiteral("Modelo Inexistente ...");
const QString kNoMachine = QStringLiteral("Máquina Inexistente ...");
const QString kNotReferencedStatus = QStringLiteral("O Cliché ainda não está Referenciado !!!");
const QString kNotReferencedBox = QStringLiteral("O Cliché ainda não foi referenciado ...");
const QString kTableTitle = QStringLiteral("Tabela de Clichés");
const QString kConsultationCaption = QStringLiteral("Consulta de Clichés");

// Rights of the window and of its code-table buttons.
const QString kChapter = QStringLiteral("Cliches");
const QString kProgram = QStringLiteral("Abertura e Alteracao");
const QString kConsultationProgram = QStringLiteral("Consulta");
const QString kTablesChapter = QStringLiteral("Tabelas Especificas");

QString text(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}
} // namespace

TCORTF010::TCORTF010(Session& session, QWidget* parent) : TCORTF010(session, false, parent) {}

TCORTF010::TCORTF010(Session& session, bool consultation, QWidget* parent)
    : RecordEditor(session,
                   consultation ? createReadOnlyCopy(ds::CLICHES, nullptr)
                                : session.dataset(ds::CLICHES),
                   kNumber, parent),
      ui(std::make_unique<Ui::TCORTF010>()), m_cliches(m_records),
      m_parger(session.dataset(ds::PARGER)), m_models(session.dataset(ds::MODELOS)),
      m_machines(session.dataset(ds::MAQUINAS)), m_colours(session.dataset(ds::CORES)),
      m_params(std::make_unique<ImageParameters>()),
      m_exporter(std::make_unique<GridExporter>(session)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF010"));
    ui->LabelSeleccione->setTextFormat(Qt::PlainText);
    ui->NB->tabBar()->setFocusPolicy(Qt::NoFocus);
    ui->NBCores->setCurrentIndex(0);

    // The bound boxes and what each field holds.
    m_boxes = {{ui->DBEdit17, "DATA", Box::Date},
               {ui->Edit_CortanteNro, "CORTANTENRO", Box::Text},
               {ui->Edit_FichaSetup, "FICHASETUP", Box::Number},
               {ui->DBEdit1, "COMERCIALNRO", Box::ReadOnly},
               {ui->Edit_CliNro, "CLINRO", Box::Code},
               {ui->DBEdit2, "SIGLACLI", Box::ReadOnly},
               {ui->Edit_ProdNro, "PRODNRO", Box::Text},
               {ui->Edit_Referencia, "REFERENCIA", Box::Text},
               {ui->Edit_Fornecedor, "FORNECEDOR", Box::Code},
               {ui->DBEdit7, "FORNSIGLA", Box::ReadOnly},
               {ui->Edit_Refer_Forn, "REFER_FORN", Box::Text},
               {ui->Edit_CodBarras, "CODBARRAS", Box::Text},
               {ui->Edit_Modelo, "MODELO", Box::Code},
               {ui->Edit_Maquina, "MAQUINA", Box::Code},
               {ui->Edit_Cor01, "COR_01", Box::Code},
               {ui->Edit_Cor02, "COR_02", Box::Code},
               {ui->Edit_Cor03, "COR_03", Box::Code},
               {ui->Edit_Cor04, "COR_04", Box::Code},
               {ui->Edit_Cor05, "COR_05", Box::Code},
               {ui->Edit_Cor06, "COR_06", Box::Code},
               {ui->Edit_Observ1, "OBSERV1", Box::Text},
               {ui->Edit_Observ2, "OBSERV2", Box::Text}};
    for (const Box& b : std::as_const(m_boxes)) {
        if (b.kind == Box::Text) {
            b.edit->setMaxLength(cliches::textSize(b.field));
            connect(b.edit, &QLineEdit::textEdited, this,
                    [this, field = b.field](const QString& t) { writeField(field, t); });
        } else if (b.kind != Box::ReadOnly) {
            connect(b.edit, &QLineEdit::textEdited, this,
                    [this, edit = b.edit] { m_dirty.insert(edit); });
        }
    }
    connect(ui->Edit_ClicheNro, &QLineEdit::textEdited, this,
            [this] { m_dirty.insert(ui->Edit_ClicheNro); });

    // Names beside codes.
    m_clientName = CodeNames(lookups::clients().codeTable(),
                             {{"NOME", ui->Label_CliNome}, {"SIGLA", nullptr}});
    m_supplierName = CodeNames(lookups::suppliers().codeTable(),
                               {{"NOME", ui->Label_FrnNome}, {"SIGLA", nullptr}});
    m_modelName = CodeNames(lookups::models(true).codeTable(), {{"DESIGNACAO", ui->Label_Modelo}});
    m_machineName =
        CodeNames(lookups::machines(true).codeTable(), {{"DESIGNACAO", ui->Label_Maquina}});
    QLabel* designations[] = {ui->Label_CorDes1, ui->Label_CorDes2, ui->Label_CorDes3,
                              ui->Label_CorDes4, ui->Label_CorDes5, ui->Label_CorDes6};
    QLabel* numbers[] = {ui->Label_CorNumero1, ui->Label_CorNumero2, ui->Label_CorNumero3,
                         ui->Label_CorNumero4, ui->Label_CorNumero5, ui->Label_CorNumero6};
    for (int i = 0; i < 6; ++i)
        m_colourNames[i] = CodeNames(lookups::colours().codeTable(),
                                     {{"DESIGNACAO", designations[i]}, {"NUMERO", numbers[i]}});

    // The browse grid: six titled columns, sorted by a click on a title, F1 ... F6.
    setUpGrid(ui->DBGrid1, cliches::sortFields());
    ui->DBGrid3->setModel(m_cliches);

    // Status bar: two panels.
    m_status0 = new QLabel(this);
    m_status0->setObjectName(QStringLiteral("StatusPanel0"));
    m_status1 = new QLabel(this);
    m_status1->setObjectName(QStringLiteral("StatusPanel1"));
    ui->StatusBar1->addWidget(m_status0, 1);
    ui->StatusBar1->addPermanentWidget(m_status1);

    // Photo, scanner and documents.
    setUpPhotos({ui->NB, ui->TabFotografia, ui->imageLayout, ui->previewLayout, ui->scanLayout,
                 ui->documentsLayout, m_status0},
                {kNotReferencedStatus, kNotReferencedBox}, ui->BotLocalizar, ui->BotDeleteImage);

    // Lookup sets and searches.
    const struct {
        const char* name;
        LookupDef def;
        bool byName;
    } sets[] = {{"CLIENTES", lookups::clients(), false},
                {"CLIENTESALFA", lookups::clients(), true},
                {"FORNECEDORES", lookups::suppliers(), false},
                {"FORNECEDORESALFA", lookups::suppliers(), true},
                {"MODELOSALFA", lookups::models(true), true},
                {"MAQUINASALFA", lookups::machines(true), true},
                {"CORESALFA", lookups::colours(), true},
                {"CORESNUM", lookups::colours(), false}};
    for (const auto& s : sets)
        m_lookupSets.insert(QLatin1String(s.name),
                            createLookupSet(QLatin1String(s.name), s.def, s.byName, this));
    buildSearches();

    // Buttons (they never take the focus: the grid and the boxes keep it).
    ui->BotDelete->hide();
    connect(ui->BotInserir, &QPushButton::clicked, this, &TCORTF010::BotInserirClick);
    connect(ui->BitTerminar, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->BotAbrirArtigo, &QPushButton::clicked, this, &TCORTF010::BotAbrirArtigoClick);
    connect(ui->BotExcel, &QPushButton::clicked, this, &TCORTF010::BotExcelClick);
    connect(ui->BotModelos, &QPushButton::clicked, this,
            [this] { codeTableClick(CodeTableKind::Models); });
    connect(ui->BotMaquinas, &QPushButton::clicked, this,
            [this] { codeTableClick(CodeTableKind::Machines); });
    connect(ui->BotCores, &QPushButton::clicked, this,
            [this] { codeTableClick(CodeTableKind::Colours); });
    setUpNavigator(ui->navigatorLayout);

    setEditorParts(
        ui->Edit_ClicheNro, ui->Edit_CortanteNro, ui->BotCancelar, ui->BotDelete,
        {ui->BotAbrirArtigo, m_navigator, ui->BotInserir, ui->BotDelete, ui->BitTerminar},
        m_status0);
    EnterAsTab::install(this);
    if (consultation) {
        m_cliches->setParent(this);
        setObjectName(QStringLiteral("TCORTF011"));
        setWindowTitle(kConsultationCaption);
        for (LookupMenu* lookup : std::as_const(m_lookups))
            lookup->setEnabled(false);
        setConsultation({ui->BotInserir, ui->BotCancelar, ui->BotDelete, ui->BotAbrirArtigo,
                         ui->BotLocalizar, ui->BotDeleteImage, ui->PainelBotoes,
                         ui->PanelComercial});
    }
}

TCORTF010::~TCORTF010() {
    if (m_opened)
        FormClose();
}

void TCORTF010::buildSearches() {
    auto own = [this](const char* name) {
        return [this, name]() -> Dataset* { return m_lookupSets.value(QLatin1String(name)); };
    };
    auto shared = [](Dataset* d) { return [d]() -> Dataset* { return d; }; };
    Dataset* colourNumbers = m_lookupSets.value(QStringLiteral("CORESNUM"));
    const LookupSearch colourNumeric{
        [colourNumbers]() -> Dataset* {
            colourNumbers->open();
            return colourNumbers;
        },
        [colourNumbers] { colourNumbers->close(); },
        {{"NUMERO", "Nº Côr"}, {"DESIGNACAO", "Designação Côr"}, {"CODIGO", "Código"}}};
    const LookupSearch colourAlphabetic{
        own("CORESALFA"),
        {},
        {{"DESIGNACAO", "Designação Côr"}, {"CODIGO", "Código"}, {"NUMERO", "Número Côr"}}};
    const struct {
        QLineEdit* box;
        LookupSearch numeric;
        LookupSearch alphabetic;
    } searches[] = {
        {ui->Edit_CliNro,
         {own("CLIENTES"), {}, lookups::clientColumns(false)},
         {own("CLIENTESALFA"), {}, lookups::clientColumns(true)}},
        {ui->Edit_Fornecedor,
         {own("FORNECEDORES"), {}, lookups::supplierColumns(false)},
         {own("FORNECEDORESALFA"), {}, lookups::supplierColumns(true)}},
        {ui->Edit_Modelo,
         {shared(m_models), {}, {{"CODIGO", "Modelo Nº"}, {"DESIGNACAO", "Designação"}}},
         {own("MODELOSALFA"), {}, {{"DESIGNACAO", "Designação"}, {"CODIGO", "Modelo Nº"}}}},
        {ui->Edit_Maquina,
         {shared(m_machines), {}, lookups::machineColumns(false)},
         {own("MAQUINASALFA"), {}, lookups::machineColumns(true)}},
        {ui->Edit_Cor01, colourNumeric, colourAlphabetic},
        {ui->Edit_Cor02, colourNumeric, colourAlphabetic},
        {ui->Edit_Cor03, colourNumeric, colourAlphabetic},
        {ui->Edit_Cor04, colourNumeric, colourAlphabetic},
        {ui->Edit_Cor05, colourNumeric, colourAlphabetic},
        {ui->Edit_Cor06, colourNumeric, colourAlphabetic},
    };
    for (const auto& s : searches) {
        auto* lookup = new LookupMenu(s.box, m_session.messages(), s.numeric, s.alphabetic);
        // The code taken is checked at once: field, short name and labels.
        connect(lookup, &LookupMenu::chosen, this, [this, box = s.box] {
            m_dirty.insert(box);
            QString message;
            if (checkBox(box, &message) == Verdict::Refused)
                refuse(box, message);
        });
        m_lookups << lookup;
    }
}

// ---- opening and closing -------------------------------------------------------------------

void TCORTF010::FormActivate() {
    m_opened = true;
    ui->NB->setCurrentIndex(0);
    m_insertFlag = false;
    m_cancelFlag = false;
    m_mode = Mode::Browse;
    ReadAcessosUtil();
    DisableAcessosBotoes();
    m_sortField = kNumber;
    if (!m_consultation)
        runQueryNull(); // the consultation only reads
    OpenCliches();
    m_parger->close();
    m_parger->open();
    m_params->clicheFolder =
        resolveFolder(text(m_parger->fieldValue(QStringLiteral("PATHCLICHE"))));
    m_params->drawingFolder =
        resolveFolder(text(m_parger->fieldValue(QStringLiteral("PATHDESENHO"))));
    m_params->imageType = text(m_parger->fieldValue(QStringLiteral("TIPOIMAGEM")));
    m_photos->setFolder(m_params->clicheFolder, m_params->imageType);
    for (Dataset* d : {m_models, m_machines, m_colours}) {
        d->close();
        d->open();
    }
    openLookupSets();
    // The grid's six columns at their widths, and the hidden grid of the export with its
    // columns in their order: both kept through every re-open of the list.
    const int widths[] = {13, 15, 15, 8, 20, 18};
    QList<GridColumn> shown;
    for (int c = 0; c < 6; ++c)
        shown << GridColumn{cliches::gridColumns()[c].field, widths[c]};
    presentColumns(ui->DBGrid1, m_cliches, shown);
    QList<GridColumn> exported;
    for (const QString& field : cliches::exportColumns())
        exported << GridColumn{field};
    presentColumns(ui->DBGrid3, m_cliches, exported);
    m_eventsOn = true;
    showBoundFields();
    Edit_ClicheNro1Change();
    setBrowsingControls(true);
    ui->DBGrid1->setFocus();
}

void TCORTF010::FormClose() {
    m_opened = false;
    m_eventsOn = false;
    m_sortField = kNumber;
    m_cliches->close();
    m_cliches->setStatement(defaultStatement(ds::CLICHES));
    for (Dataset* d : {m_parger, m_models, m_machines, m_colours})
        d->close();
    closeLookupSets();
}

void TCORTF010::openLookupSets() {
    for (auto it = m_lookupSets.cbegin(); it != m_lookupSets.cend(); ++it)
        if (it.key() != QLatin1String("CORESNUM")) // opened for its dialog only
            it.value()->open();
}

void TCORTF010::closeLookupSets() {
    for (Dataset* d : std::as_const(m_lookupSets))
        d->close();
}

void TCORTF010::ReadAcessosUtil() {
    // The consultation reads its row but shows and hides nothing by it.
    m_rights = m_session.rights(kChapter, m_consultation ? kConsultationProgram : kProgram);
    if (m_consultation)
        return;
    const struct {
        QPushButton* button;
        const char* program;
    } tables[] = {
        {ui->BotModelos, "Modelos"}, {ui->BotMaquinas, "Maquinas"}, {ui->BotCores, "Cores"}};
    for (const auto& t : tables) {
        const AccessRights r = m_session.rights(kTablesChapter, QLatin1String(t.program));
        t.button->setVisible(r.found && r.aceder);
    }
}

void TCORTF010::DisableAcessosBotoes() {
    if (m_consultation)
        return;
    ui->BotInserir->setVisible(m_rights.inserir);
    ui->BotCancelar->setVisible(m_rights.inserir);
    ui->Edit_ClicheNro->setEnabled(m_mode == Mode::Insert ||
                                   (m_mode == Mode::Browse && m_rights.inserir));
    m_photos->setScannerVisible(m_rights.scanner);
    ui->BotDelete->setVisible(m_rights.eliminar);
}

void TCORTF010::OpenCliches() {
    m_cliches->close();
    m_cliches->setStatement(listStatement(m_sortField));
    QString error;
    if (!m_cliches->open(&error))
        m_session.messages().show(error, true);
    m_header->setSortField(m_sortField);
}

bool TCORTF010::runQueryNull() {
    // Missing die and set-up numbers of every cliché: a single blank and 0.
    QSqlQuery q(QSqlDatabase::database(kDbFalquinas));
    QString error;
    if (runStatement(q,
                     QStringLiteral("Update CLICHES SET CORTANTENRO=' ' WHERE CORTANTENRO IS NULL"),
                     {}, &error) &&
        runStatement(q, QStringLiteral("Update CLICHES SET FICHASETUP=0 WHERE FICHASETUP IS NULL"),
                     {}, &error))
        return true;
    m_session.messages().show(error, true);
    return false;
}

// ---- the record and the grid ---------------------------------------------------------------

void TCORTF010::showBoundFields() {
    const bool row = m_cliches->currentRow() >= 0;
    for (const Box& b : std::as_const(m_boxes)) {
        const QVariant v = row ? m_cliches->fieldValue(b.field) : QVariant();
        b.edit->setText(b.kind == Box::Date ? dateBoxText(v) : text(v));
        b.edit->setCursorPosition(0);
    }
}

void TCORTF010::CleanLabels() {
    for (CodeNames* n : {&m_clientName, &m_supplierName, &m_modelName, &m_machineName})
        n->clear();
    for (CodeNames& n : m_colourNames)
        n.clear();
}

void TCORTF010::Edit_ClicheNro1Change() {
    if (m_insertFlag)
        return;
    const QString number = text(m_cliches->fieldValue(kNumber));
    ui->Edit_ClicheNro->setText(number);
    m_photos->showRecord();
    m_clientName.show(m_cliches->fieldValue(QStringLiteral("CLINRO")));
    m_supplierName.show(m_cliches->fieldValue(QStringLiteral("FORNECEDOR")));
    m_modelName.show(m_cliches->fieldValue(QStringLiteral("MODELO")));
    m_machineName.show(m_cliches->fieldValue(QStringLiteral("MAQUINA")));
    for (int i = 0; i < 6; ++i)
        m_colourNames[i].show(m_cliches->fieldValue(QStringLiteral("COR_0%1").arg(i + 1)));
}

const TCORTF010::Box* TCORTF010::boxOf(const QWidget* widget) const {
    for (const Box& b : m_boxes)
        if (b.edit == widget)
            return &b;
    return nullptr;
}

bool TCORTF010::isRecordBox(const QWidget* widget) const {
    const Box* b = boxOf(widget);
    return widget == ui->Edit_ClicheNro || (b && b->kind != Box::ReadOnly);
}

// ---- field checks --------------------------------------------------------------------------

void TCORTF010::writeField(const QString& field, const QVariant& value) {
    if (m_mode == Mode::Browse || m_cliches->currentRow() < 0)
        return; // only the row being edited or inserted is written
    m_cliches->setFieldValue(field, value);
    for (const Box& b : std::as_const(m_boxes))
        if (b.field == field && b.kind == Box::ReadOnly)
            b.edit->setText(text(m_cliches->fieldValue(field)));
}

TCORTF010::Verdict TCORTF010::checkBox(QLineEdit* box, QString* message) {
    message->clear();
    if (box == ui->Edit_ClicheNro)
        return Edit_ClicheNroExit(message);
    const Box* b = boxOf(box);
    if (!b)
        return Verdict::Accepted;
    switch (b->kind) {
    case Box::Text:
    case Box::ReadOnly:
        return Verdict::Accepted;
    case Box::Number: {
        qint64 min = 0, max = 0, value = 0;
        cliches::numberRange(b->field, &min, &max);
        if (!parseCode(box->text(), min, max, &value)) {
            *message = kBadValue;
            return Verdict::Refused;
        }
        writeField(b->field, value);
        return Verdict::Accepted;
    }
    case Box::Date: {
        if (box->text() == dateBoxText(m_cliches->fieldValue(b->field)))
            return Verdict::Accepted;
        QVariant value;
        if (!parseDateBox(box->text(), &value)) {
            *message = kBadDate;
            return Verdict::Refused;
        }
        writeField(b->field, value);
        return Verdict::Accepted;
    }
    case Box::Code:
        return checkCode(*b, message);
    }
    return Verdict::Accepted;
}

TCORTF010::Verdict TCORTF010::checkCode(const Box& b, QString* message) {
    qint64 min = 0, max = 0, code = 0;
    cliches::numberRange(b.field, &min, &max);
    const QString& f = b.field;
    if (!parseCode(b.edit->text(), min, max, &code)) {
        // No code the table can hold: the code's own message (colours have none).
        *message = f == QLatin1String("CLINRO")       ? kNoClient
                   : f == QLatin1String("FORNECEDOR") ? kNoSupplier
                   : f == QLatin1String("MODELO")     ? kNoModel
                   : f == QLatin1String("MAQUINA")    ? kNoMachine
                                                      : kBadValue;
        return Verdict::Refused;
    }
    if (f == QLatin1String("CLINRO")) {
        if (!m_clientName.show(code)) {
            writeField(QStringLiteral("SIGLACLI"), QString());
            *message = kNoClient;
            return Verdict::Refused;
        }
        writeField(f, code);
        writeField(QStringLiteral("SIGLACLI"), text(m_clientName.value(QStringLiteral("SIGLA"))));
    } else if (f == QLatin1String("FORNECEDOR")) {
        if (code == 0) {
            m_supplierName.clear();
            writeField(f, 0);
            writeField(QStringLiteral("FORNSIGLA"), QString());
            writeField(QStringLiteral("REFER_FORN"), QString());
            ui->Edit_Refer_Forn->clear();
            return Verdict::Accepted;
        }
        if (!m_supplierName.show(code)) {
            writeField(QStringLiteral("FORNSIGLA"), QString());
            *message = kNoSupplier;
            return Verdict::Refused;
        }
        writeField(f, code);
        writeField(QStringLiteral("FORNSIGLA"),
                   text(m_supplierName.value(QStringLiteral("SIGLA"))));
    } else if (f == QLatin1String("MODELO")) {
        if (!m_modelName.show(code)) {
            *message = kNoModel;
            return Verdict::Refused;
        }
        writeField(f, code);
    } else if (f == QLatin1String("MAQUINA")) {
        if (!m_machineName.show(code)) {
            *message = kNoMachine;
            return Verdict::Refused;
        }
        writeField(f, code);
    } else { // COR_01 ... COR_06: a colour not found only blanks its labels
        m_colourNames[f.right(1).toInt() - 1].show(code);
        writeField(f, code);
    }
    return Verdict::Accepted;
}

TCORTF010::Verdict TCORTF010::Edit_ClicheNroExit(QString* message) {
    if (!m_insertFlag)
        return Verdict::Accepted;
    if (ui->BotDelete->isVisible())
        ui->BotDelete->setEnabled(false);
    const QString typed = ui->Edit_ClicheNro->text();
    if (typed.isEmpty())
        return Verdict::Refused;
    const QString number = cliches::typedNumber(typed);
    m_remembered = number;
    // Another workstation may have the number already: the database says, without regard to
    // case, as the key compares.
    QSqlQuery q(QSqlDatabase::database(kDbFalquinas));
    QString error;
    if (!runStatement(q, QStringLiteral("SELECT COUNT(*) FROM CLICHES WHERE CLICHENRO = ?"),
                      {number}, &error) ||
        !q.next()) {
        *message = error;
        return Verdict::Refused;
    }
    if (q.value(0).toInt() > 0) {
        *message = kDuplicate;
        return Verdict::Duplicate;
    }
    writeField(kNumber, number);
    writeField(QStringLiteral("UTILIZA"), QStringLiteral("S"));
    ui->Edit_ClicheNro->setText(number);
    return Verdict::Accepted;
}

// ---- buttons -------------------------------------------------------------------------------

void TCORTF010::BotInserirClick() {
    if (m_mode != Mode::Browse)
        return;
    ui->NB->setCurrentWidget(ui->TabIdentificacao);
    CleanLabels();
    m_photos->clearForInsert();
    m_remembered.clear();
    m_insertFlag = true;
    m_mode = Mode::Insert;
    m_dirty.clear();
    ++m_quiet;
    m_cliches->append();
    // Empty texts and codes 0, so that the searches' patterns and ranges find the new row.
    for (const Box& b : std::as_const(m_boxes))
        if (b.kind == Box::Text || b.kind == Box::ReadOnly)
            m_cliches->setFieldValue(b.field, QString());
        else if (b.kind == Box::Code)
            m_cliches->setFieldValue(b.field, 0);
    --m_quiet;
    showBoundFields();
    setBrowsingControls(false);
    ui->Edit_ClicheNro->setEnabled(true);
    ui->Edit_ClicheNro->clear();
    ui->Edit_ClicheNro->setFocus(Qt::OtherFocusReason);
}

void TCORTF010::BotExcelClick() {
    m_exporter->exportGrid(this, ui->DBGrid3, kTableTitle);
}

void TCORTF010::codeTableClick(CodeTableKind kind) {
    // The sets are read again after the table window, so that new codes can be chosen at once.
    Dataset* shared = kind == CodeTableKind::Models     ? m_models
                      : kind == CodeTableKind::Machines ? m_machines
                                                        : m_colours;
    Dataset* alphabetic = m_lookupSets.value(kind == CodeTableKind::Models     ? "MODELOSALFA"
                                             : kind == CodeTableKind::Machines ? "MAQUINASALFA"
                                                                               : "CORESALFA");
    shared->close();
    alphabetic->close();
    {
        // "Tabela de Modelos", "Tabela de Máquinas" or "Tabela de Côres", with its printed list
        // created first and freed after the window.
        const int member = kind == CodeTableKind::Models     ? 5
                           : kind == CodeTableKind::Machines ? 3
                                                             : 2;
        CodeTableList list(codeTableMember(member));
        std::unique_ptr<CodeTableWindow> window(
            createCodeTableWindow(member, m_session, this, &list));
        window->exec();
    }
    shared->open();
    alphabetic->open();
}

void TCORTF010::BotAbrirArtigoClick() {
    if (m_mode != Mode::Browse || m_cliches->currentRow() < 0)
        return;
    const RecordArticleKind kind{
        QStringLiteral("COD_CLICHES"),
        QStringLiteral("Cliché, CA"),
        QStringLiteral("CLICHÉS"),
        QStringLiteral("Cliché"),
        QStringLiteral("Aplicação de Stocks não está inicializado no Ano de : "),
        {},
        true};
    openRecordArticle(m_session, *m_cliches, kNumber, kind, m_photos->preview()->image(), m_status0,
                      [this] { showBoundFields(); });
}

// ---- the editor's rules --------------------------------------------------------------------

QString TCORTF010::listStatement(const QString& sortField) const {
    return m_consultation ? cliches::consultationStatement(sortField)
                          : cliches::listStatement(sortField);
}

QString TCORTF010::typedNumber(const QString& text) const {
    return cliches::typedNumber(text);
}

const QList<SearchColumn>& TCORTF010::gridColumns() const {
    return cliches::gridColumns();
}

QList<QLineEdit*> TCORTF010::recordBoxes() const {
    QList<QLineEdit*> boxes;
    for (const Box& b : m_boxes)
        boxes << b.edit;
    return boxes;
}

QString TCORTF010::boxHint(const QWidget* box) const {
    const Box* b = boxOf(box);
    return b && b->kind == Box::Code ? kLookupKeysHint : QString();
}

void TCORTF010::afterLeave(QLineEdit* box, QWidget* now) {
    if (box == ui->Edit_Cor03 && now != ui->Edit_Cor01 && now != ui->Edit_Cor02) {
        // On to the colours 4 to 6.
        QTimer::singleShot(0, ui->NBCores, [this] {
            ui->NBCores->setCurrentIndex(1);
            ui->NBCores->setFocus(Qt::TabFocusReason);
        });
    }
}

void TCORTF010::afterSave() {
    runQueryNull(); // missing die and set-up numbers normalised
}

} // namespace falq
