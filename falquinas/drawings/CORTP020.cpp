#include "CORTP020.h"

#include "recordrules.h"
#include "codetables.h"
#include "connections.h"
#include "dataset.h"
#include "datasetviews.h"
#include "documents.h"
#include "documentspage.h"
#include "drawingrules.h"
#include "drawingsearch.h"
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

#include "ui_CORTP020.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSqlQuery>
#include <QTimer>

namespace falq {

namespace {
const QString kNumber = QStringLiteral("DESENHONRO");

const QString kDuplicate = QStringLiteral("Registo já Existe ... <ENTER> ...");
const QString kNoClient = QStringLiteral("Cliente Inexistente ...");
const QString kNoSupplier = QStringLiteral("Fornecedor Inexistente ...");
const QString kNoBoard = QStringLiteral("Cartão Inexistente ...");
const QString kNoMachine = QStringLiteral("Máquina Inexistente ...");
const QString kNoDesigner = QStringLiteral("Desenhador Inexistente ...");
const QString kNoSalesman = QStringLiteral("Vendedor Inexistente ...");
const QString kBadDirection = QStringLiteral("Direcção do Canal Inválida ...");
const QString kBadView = QStringLiteral("Vista Inválida ...");
const QString kDirectionHint = QStringLiteral("Digite (V), Vertical ou (H), Horizontal ...");
const QString kViewHint = QStringLiteral("Digite (E), Exterior ou (I), Interior ...");
const QString kNotReferencedStatus = QStringLiteral("O Desenho ainda não está Referenciado !!!");
const QString kNotReferencedBox = QStringLiteral("O Desenho ainda não foi referenciado ...");
const QString kTableTitle = QStringLiteral("Tabela de Desenhos");
const QString kConsultationCaption = QStringLiteral("Consulta de Desenhos");

// Rights of the window and of its code-table buttons.
const QString kChapter = QStringLiteral("Desenhos");
const QString kProgram = QStringLiteral("Abertura e Alteracao");
const QString kConsultationProgram = QStringLiteral("Consulta");
const QString kTablesChapter = QStringLiteral("Tabelas Especificas");

QString text(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}
} // namespace

TCORTF020::TCORTF020(Session& session, QWidget* parent) : TCORTF020(session, false, parent) {}

TCORTF020::TCORTF020(Session& session, bool consultation, QWidget* parent)
    : RecordEditor(session,
                   consultation ? createReadOnlyCopy(ds::DESENHOS, nullptr)
                                : session.dataset(ds::DESENHOS),
                   kNumber, parent),
      ui(std::make_unique<Ui::TCORTF020>()), m_drawings(m_records),
      m_parger(session.dataset(ds::PARGER)), m_boards(session.dataset(ds::CARTOES)),
      m_machines(session.dataset(ds::MAQUINAS)), m_designers(session.dataset(ds::DESENHADORES)),
      m_params(std::make_unique<ImageParameters>()),
      m_exporter(std::make_unique<GridExporter>(session)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF020"));
    ui->LabelSeleccione->setTextFormat(Qt::PlainText);
    ui->NB->tabBar()->setFocusPolicy(Qt::NoFocus);

    // The bound boxes and what each field holds.
    m_boxes = {{ui->Edit_CortanteNro, "CORTANTENRO", Box::Text},
               {ui->Edit_ProdNro, "PRODNRO", Box::Text},
               {ui->DBEdit1, "COMERCIALNRO", Box::ReadOnly},
               {ui->Edit_CliNro, "CLIENTE", Box::Code},
               {ui->DBEdit2, "SIGLACLI", Box::ReadOnly},
               {ui->Edit_Referencia, "REFERENCIA", Box::Text},
               {ui->Edit_Maquina, "MAQUINA", Box::Code},
               {ui->Edit_Fornecedor, "FORNECEDOR", Box::Code},
               {ui->DBEdit7, "SIGLAFORN", Box::ReadOnly},
               {ui->Edit_Largura, "LARGURA", Box::Number},
               {ui->Edit_Comprim, "COMPRIM", Box::Number},
               {ui->Edit_Altura, "ALTURA", Box::Number},
               {ui->Edit_Larg_Placa, "LARG_PLACA", Box::Number},
               {ui->Edit_Comp_Placa, "COMP_PLACA", Box::Number},
               {ui->Edit_Data, "DATA", Box::Date},
               {ui->Edit_Quantid, "QUANTID", Box::Quantity},
               {ui->Edit_Cartao, "CARTAO", Box::Code},
               {ui->Edit_Desenhador, "DESENHADOR", Box::Code},
               {ui->Edit_VndNro, "VNDNRO", Box::Code},
               {ui->Edit_DataPedida, "DATAPEDIDA", Box::Date},
               {ui->Edit_Dir_Canal, "DIR_CANAL", Box::Letter},
               {ui->Edit_Golpes_Caixa, "GOLPES_CAIXA", Box::Number},
               {ui->Edit_Vista, "VISTA", Box::Letter}};
    for (const Box& b : std::as_const(m_boxes)) {
        if (b.kind == Box::Text) {
            b.edit->setMaxLength(drawings::textSize(b.field));
            connect(b.edit, &QLineEdit::textEdited, this,
                    [this, field = b.field](const QString& t) { writeField(field, t); });
        } else if (b.kind == Box::Letter) {
            // The direction and the view are typed in upper case.
            b.edit->setMaxLength(1);
            connect(b.edit, &QLineEdit::textEdited, this, [this, edit = b.edit](const QString& t) {
                if (t != t.toUpper())
                    edit->setText(t.toUpper());
                m_dirty.insert(edit);
            });
        } else if (b.kind != Box::ReadOnly) {
            connect(b.edit, &QLineEdit::textEdited, this,
                    [this, edit = b.edit] { m_dirty.insert(edit); });
        }
    }
    connect(ui->Edit_DesenhoNro, &QLineEdit::textEdited, this,
            [this] { m_dirty.insert(ui->Edit_DesenhoNro); });

    // Names beside codes.
    m_clientName = CodeNames(lookups::clients().codeTable(),
                             {{"NOME", ui->Label_CliNome}, {"SIGLA", nullptr}});
    m_supplierName = CodeNames(lookups::suppliers().codeTable(),
                               {{"NOME", ui->Label_FrnNome}, {"SIGLA", nullptr}});
    m_salesmanName = CodeNames(lookups::salesmen().codeTable(), {{"NOME", ui->Label_VndNome}});
    m_boardName = CodeNames(lookups::boards(true).codeTable(), {{"DESIGNACAO", ui->Label_Cartao}});
    m_machineName =
        CodeNames(lookups::machines(true).codeTable(), {{"DESIGNACAO", ui->Label_Maquina}});
    m_designerName = CodeNames(lookups::designers().codeTable(), {{"NOME", ui->Label_Desenhador}});

    // The browse grid: six titled columns, sorted by a click on a title, F1 ... F6.
    setUpGrid(ui->DBGrid1, drawings::sortFields());
    ui->DBGrid3->setModel(m_drawings);

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
                {"VENDEDORES", lookups::salesmen(), false},
                {"VENDEDORESALFA", lookups::salesmen(), true},
                {"CARTOESALFA", lookups::boards(true), true},
                {"MAQUINASALFA", lookups::machines(true), true},
                {"DESENHADORESALFA", lookups::designers(), true}};
    for (const auto& s : sets)
        m_lookupSets.insert(QLatin1String(s.name),
                            createLookupSet(QLatin1String(s.name), s.def, s.byName, this));
    buildSearches();

    // Buttons (they never take the focus: the grid and the boxes keep it).
    ui->BotDelete->hide();
    connect(ui->BotInserir, &QPushButton::clicked, this, &TCORTF020::BotInserirClick);
    connect(ui->BitTerminar, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->BotAbrirArtigo, &QPushButton::clicked, this, &TCORTF020::BotAbrirArtigoClick);
    connect(ui->BotExcel, &QPushButton::clicked, this, &TCORTF020::BotExcelClick);
    connect(ui->BotMaquinas, &QPushButton::clicked, this,
            [this] { codeTableClick(CodeTableKind::Machines); });
    connect(ui->BotCartoes, &QPushButton::clicked, this,
            [this] { codeTableClick(CodeTableKind::Boards); });
    connect(ui->BotDesenhadores, &QPushButton::clicked, this,
            [this] { codeTableClick(CodeTableKind::Designers); });
    setUpNavigator(ui->navigatorLayout);

    setEditorParts(
        ui->Edit_DesenhoNro, ui->Edit_CortanteNro, ui->BotCancelar, ui->BotDelete,
        {ui->BotAbrirArtigo, m_navigator, ui->BotInserir, ui->BotDelete, ui->BitTerminar},
        m_status0);
    EnterAsTab::install(this);
    if (consultation) {
        m_drawings->setParent(this);
        setObjectName(QStringLiteral("TCORTF021"));
        setWindowTitle(kConsultationCaption);
        for (LookupMenu* lookup : std::as_const(m_lookups))
            lookup->setEnabled(false);
        setConsultation({ui->BotInserir, ui->BotCancelar, ui->BotDelete, ui->BotAbrirArtigo,
                         ui->BotLocalizar, ui->BotDeleteImage, ui->PainelBotoes,
                         ui->PanelComercial});
    }
}

TCORTF020::~TCORTF020() {
    if (m_opened)
        FormClose();
}

void TCORTF020::buildSearches() {
    auto own = [this](const char* name) {
        return [this, name]() -> Dataset* { return m_lookupSets.value(QLatin1String(name)); };
    };
    auto shared = [](Dataset* d) { return [d]() -> Dataset* { return d; }; };
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
        {ui->Edit_Maquina,
         {shared(m_machines), {}, lookups::machineColumns(false)},
         {own("MAQUINASALFA"), {}, lookups::machineColumns(true)}},
        {ui->Edit_Cartao,
         {shared(m_boards), {}, lookups::boardColumns(false)},
         {own("CARTOESALFA"), {}, lookups::boardColumns(true)}},
        {ui->Edit_Desenhador,
         {shared(m_designers), {}, {{"CODIGO", "Desenhador Nº"}, {"NOME", "Nome"}}},
         {own("DESENHADORESALFA"), {}, {{"NOME", "Nome"}, {"CODIGO", "Desenhador Nº"}}}},
        {ui->Edit_VndNro,
         {own("VENDEDORES"), {}, lookups::salesmanColumns(false)},
         {own("VENDEDORESALFA"), {}, lookups::salesmanColumns(true)}},
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
        if (s.box == ui->Edit_Desenhador)
            lookup->setMenuRunsNumeric(true);
        m_lookups << lookup;
    }
}

// ---- opening and closing -------------------------------------------------------------------

void TCORTF020::FormActivate() {
    m_opened = true;
    ui->NB->setCurrentIndex(0);
    m_insertFlag = false;
    m_cancelFlag = false;
    m_mode = Mode::Browse;
    ReadAcessosUtil();
    DisableAcessosBotoes();
    m_sortField = kNumber;
    OpenDesenhos();
    m_parger->close();
    m_parger->open();
    // A folder written relative (as the installer writes it) is under the plant root.
    m_params->drawingFolder =
        resolveFolder(text(m_parger->fieldValue(QStringLiteral("PATHDESENHO"))));
    m_params->imageType = text(m_parger->fieldValue(QStringLiteral("TIPOIMAGEM")));
    m_photos->setFolder(m_params->drawingFolder, m_params->imageType);
    for (Dataset* d : {m_boards, m_machines, m_designers}) {
        d->close();
        d->open();
    }
    openLookupSets();
    // The grid: the six titled columns in their order, nothing else; the hidden grid of the
    // export: its columns in their order. Both kept through every re-open of the list.
    const int widths[] = {16, 15, 15, 24, 12, 12};
    QList<GridColumn> shown;
    for (int c = 0; c < 6; ++c)
        shown << GridColumn{drawings::sortFields()[c], widths[c]};
    presentColumns(ui->DBGrid1, m_drawings, shown);
    QList<GridColumn> exported;
    for (const QString& field : drawings::exportColumns())
        exported << GridColumn{field};
    presentColumns(ui->DBGrid3, m_drawings, exported);
    m_eventsOn = true;
    showBoundFields();
    Edit_DesenhoNro1Change();
    setBrowsingControls(true);
    ui->DBGrid1->setFocus();
}

void TCORTF020::FormClose() {
    m_opened = false;
    m_eventsOn = false;
    m_sortField = kNumber;
    m_drawings->close();
    m_drawings->setStatement(defaultStatement(ds::DESENHOS));
    for (Dataset* d : {m_parger, m_boards, m_machines, m_designers})
        d->close();
    closeLookupSets();
}

void TCORTF020::openLookupSets() {
    for (Dataset* d : std::as_const(m_lookupSets))
        d->open();
}

void TCORTF020::closeLookupSets() {
    for (Dataset* d : std::as_const(m_lookupSets))
        d->close();
}

void TCORTF020::ReadAcessosUtil() {
    // The consultation reads its row but shows and hides nothing by it.
    m_rights = m_session.rights(kChapter, m_consultation ? kConsultationProgram : kProgram);
    if (m_consultation)
        return;
    const struct {
        QPushButton* button;
        const char* program;
    } tables[] = {{ui->BotMaquinas, "Maquinas"},
                  {ui->BotCartoes, "Cartoes"},
                  {ui->BotDesenhadores, "Desenhadores"}};
    for (const auto& t : tables) {
        const AccessRights r = m_session.rights(kTablesChapter, QLatin1String(t.program));
        t.button->setVisible(r.found && r.aceder);
    }
}

void TCORTF020::DisableAcessosBotoes() {
    if (m_consultation)
        return;
    ui->BotInserir->setVisible(m_rights.inserir);
    ui->BotCancelar->setVisible(m_rights.inserir);
    ui->Edit_DesenhoNro->setEnabled(m_mode == Mode::Insert ||
                                    (m_mode == Mode::Browse && m_rights.inserir));
    m_photos->setScannerVisible(m_rights.scanner);
    ui->BotDelete->setVisible(m_rights.eliminar);
}

void TCORTF020::OpenDesenhos() {
    m_drawings->close();
    m_drawings->setStatement(listStatement(m_sortField));
    QString error;
    if (!m_drawings->open(&error))
        m_session.messages().show(error, true);
    m_header->setSortField(m_sortField);
}

// ---- the record and the grid ---------------------------------------------------------------

void TCORTF020::showBoundFields() {
    const bool row = m_drawings->currentRow() >= 0;
    for (const Box& b : std::as_const(m_boxes)) {
        const QVariant v = row ? m_drawings->fieldValue(b.field) : QVariant();
        b.edit->setText(b.kind == Box::Date       ? dateBoxText(v)
                        : b.kind == Box::Quantity ? decimalText(v)
                                                  : text(v));
        b.edit->setCursorPosition(0);
    }
    showWords();
}

void TCORTF020::showWords() {
    // Any value but "V" reads "Horizontal", any but "E" reads "Interior".
    const bool row = m_drawings->currentRow() >= 0;
    ui->Label_Dir_Canal->setText(
        row ? drawings::directionWord(text(m_drawings->fieldValue("DIR_CANAL"))) : QString());
    ui->Label_Vista->setText(row ? drawings::viewWord(text(m_drawings->fieldValue("VISTA")))
                                 : QString());
}

void TCORTF020::CleanLabels() {
    for (CodeNames* n : {&m_clientName, &m_supplierName, &m_salesmanName, &m_boardName,
                         &m_machineName, &m_designerName})
        n->clear();
    ui->Label_Dir_Canal->clear();
    ui->Label_Vista->clear();
}

void TCORTF020::Edit_DesenhoNro1Change() {
    if (m_insertFlag)
        return;
    const QString number = text(m_drawings->fieldValue(kNumber));
    ui->Edit_DesenhoNro->setText(number);
    m_photos->showRecord();
    m_clientName.show(m_drawings->fieldValue(QStringLiteral("CLIENTE")));
    m_boardName.show(m_drawings->fieldValue(QStringLiteral("CARTAO")));
    m_supplierName.show(m_drawings->fieldValue(QStringLiteral("FORNECEDOR")));
    m_machineName.show(m_drawings->fieldValue(QStringLiteral("MAQUINA")));
    m_designerName.show(m_drawings->fieldValue(QStringLiteral("DESENHADOR")));
    m_salesmanName.show(m_drawings->fieldValue(QStringLiteral("VNDNRO")));
    showWords();
}

const TCORTF020::Box* TCORTF020::boxOf(const QWidget* widget) const {
    for (const Box& b : m_boxes)
        if (b.edit == widget)
            return &b;
    return nullptr;
}

bool TCORTF020::isRecordBox(const QWidget* widget) const {
    const Box* b = boxOf(widget);
    return widget == ui->Edit_DesenhoNro || (b && b->kind != Box::ReadOnly);
}

// ---- field checks --------------------------------------------------------------------------

void TCORTF020::writeField(const QString& field, const QVariant& value) {
    if (m_mode == Mode::Browse || m_drawings->currentRow() < 0)
        return; // only the row being edited or inserted is written
    m_drawings->setFieldValue(field, value);
    for (const Box& b : std::as_const(m_boxes))
        if (b.field == field && b.kind == Box::ReadOnly)
            b.edit->setText(text(m_drawings->fieldValue(field)));
}

TCORTF020::Verdict TCORTF020::checkBox(QLineEdit* box, QString* message) {
    message->clear();
    if (box == ui->Edit_DesenhoNro)
        return Edit_DesenhoNroExit(message);
    const Box* b = boxOf(box);
    if (!b)
        return Verdict::Accepted;
    switch (b->kind) {
    case Box::Text:
    case Box::ReadOnly:
        return Verdict::Accepted;
    case Box::Number: {
        qint64 min = 0, max = 0, value = 0;
        drawings::numberRange(b->field, &min, &max);
        if (!parseCode(box->text(), min, max, &value)) {
            *message = kBadValue;
            return Verdict::Refused;
        }
        writeField(b->field, value);
        return Verdict::Accepted;
    }
    case Box::Quantity: {
        double value = 0;
        if (!drawings::parseQuantity(box->text(), &value)) {
            *message = kBadValue;
            return Verdict::Refused;
        }
        writeField(b->field, value);
        return Verdict::Accepted;
    }
    case Box::Date: {
        if (box->text() == dateBoxText(m_drawings->fieldValue(b->field)))
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
    case Box::Letter:
        return checkLetter(*b, message);
    }
    return Verdict::Accepted;
}

TCORTF020::Verdict TCORTF020::checkCode(const Box& b, QString* message) {
    qint64 min = 0, max = 0, code = 0;
    drawings::numberRange(b.field, &min, &max);
    const QString& f = b.field;
    if (!parseCode(b.edit->text(), min, max, &code)) {
        // No code the table can hold: the code's own message.
        *message = f == QLatin1String("CLIENTE")      ? kNoClient
                   : f == QLatin1String("FORNECEDOR") ? kNoSupplier
                   : f == QLatin1String("VNDNRO")     ? kNoSalesman
                   : f == QLatin1String("CARTAO")     ? kNoBoard
                   : f == QLatin1String("MAQUINA")    ? kNoMachine
                                                      : kNoDesigner;
        return Verdict::Refused;
    }
    if (f == QLatin1String("CLIENTE")) {
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
            writeField(QStringLiteral("SIGLAFORN"), QString());
            return Verdict::Accepted;
        }
        if (!m_supplierName.show(code)) {
            writeField(QStringLiteral("SIGLAFORN"), QString());
            *message = kNoSupplier;
            return Verdict::Refused;
        }
        writeField(f, code);
        writeField(QStringLiteral("SIGLAFORN"),
                   text(m_supplierName.value(QStringLiteral("SIGLA"))));
    } else if (f == QLatin1String("VNDNRO")) {
        if (!m_salesmanName.show(code)) {
            *message = kNoSalesman;
            return Verdict::Refused;
        }
        writeField(f, code);
        // The salesman's name is kept in the drawing cut to its column (a longer one would make
        // every save of the drawing fail).
        const QString name = text(m_salesmanName.value(QStringLiteral("NOME")));
        writeField(QStringLiteral("VNDNOME"),
                   name.left(drawings::textSize(QStringLiteral("VNDNOME"))));
    } else {
        CodeNames& names = f == QLatin1String("CARTAO")    ? m_boardName
                           : f == QLatin1String("MAQUINA") ? m_machineName
                                                           : m_designerName;
        if (!names.show(code)) {
            *message = f == QLatin1String("CARTAO")    ? kNoBoard
                       : f == QLatin1String("MAQUINA") ? kNoMachine
                                                       : kNoDesigner;
            return Verdict::Refused;
        }
        writeField(f, code);
    }
    return Verdict::Accepted;
}

TCORTF020::Verdict TCORTF020::checkLetter(const Box& b, QString* message) {
    // The channel direction: "V" or "H"; the view: "E" or "I" (typed in either case).
    const bool isDirection = b.field == QLatin1String("DIR_CANAL");
    const QString value =
        isDirection ? drawings::direction(b.edit->text()) : drawings::view(b.edit->text());
    if (value.isEmpty()) {
        *message = isDirection ? kBadDirection : kBadView;
        return Verdict::Refused;
    }
    b.edit->setText(value);
    writeField(b.field, value);
    showWords();
    return Verdict::Accepted;
}

TCORTF020::Verdict TCORTF020::Edit_DesenhoNroExit(QString* message) {
    if (!m_insertFlag)
        return Verdict::Accepted;
    if (ui->BotDelete->isVisible())
        ui->BotDelete->setEnabled(false);
    const QString typed = ui->Edit_DesenhoNro->text();
    if (typed.isEmpty())
        return Verdict::Refused;
    const QString number = drawings::typedNumber(typed);
    m_remembered = number;
    // Another workstation may have the number already: the database says, without regard to
    // case, as the key compares.
    QSqlQuery q(QSqlDatabase::database(kDbFalquinas));
    QString error;
    if (!runStatement(q, QStringLiteral("SELECT COUNT(*) FROM DESENHOS WHERE DESENHONRO = ?"),
                      {number}, &error) ||
        !q.next()) {
        *message = error;
        return Verdict::Refused;
    }
    if (q.value(0).toInt() > 0) {
        *message = kDuplicate;
        return Verdict::Duplicate;
    }
    // The first number accepted proposes the date and the quantity. The number checked again
    // (the save point, a number changed) leaves every box as typed: they are read after it.
    const bool first = text(m_drawings->fieldValue(kNumber)).isEmpty();
    writeField(kNumber, number);
    if (first) {
        writeField(QStringLiteral("UTILIZA"), QStringLiteral("S"));
        writeField(QStringLiteral("DATA"), m_session.context().workingDate.startOfDay());
        writeField(QStringLiteral("QUANTID"), 1);
        ui->Edit_Data->setText(dateBoxText(m_drawings->fieldValue(QStringLiteral("DATA"))));
        ui->Edit_Quantid->setText(decimalText(m_drawings->fieldValue(QStringLiteral("QUANTID"))));
    }
    ui->Edit_DesenhoNro->setText(number);
    return Verdict::Accepted;
}

// ---- buttons -------------------------------------------------------------------------------

void TCORTF020::BotInserirClick() {
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
    m_drawings->append();
    // Empty texts and codes 0, so that the searches' patterns and ranges find the new row.
    for (const Box& b : std::as_const(m_boxes))
        if (b.kind == Box::Text || b.kind == Box::ReadOnly)
            m_drawings->setFieldValue(b.field, QString());
        else if (b.kind == Box::Code || b.kind == Box::Number)
            m_drawings->setFieldValue(b.field, 0);
    --m_quiet;
    showBoundFields();
    setBrowsingControls(false);
    ui->Edit_DesenhoNro->setEnabled(true);
    ui->Edit_DesenhoNro->clear();
    ui->Edit_DesenhoNro->setFocus(Qt::OtherFocusReason);
}

void TCORTF020::BotExcelClick() {
    m_exporter->exportGrid(this, ui->DBGrid3, kTableTitle);
}

void TCORTF020::codeTableClick(CodeTableKind kind) {
    // The sets are read again after the table window, so that new codes can be chosen at once.
    Dataset* shared = kind == CodeTableKind::Machines ? m_machines
                      : kind == CodeTableKind::Boards ? m_boards
                                                      : m_designers;
    Dataset* alphabetic = m_lookupSets.value(kind == CodeTableKind::Machines ? "MAQUINASALFA"
                                             : kind == CodeTableKind::Boards ? "CARTOESALFA"
                                                                             : "DESENHADORESALFA");
    shared->close();
    alphabetic->close();
    {
        // "Tabela de Máquinas", "Tabela de Cartões" or "Tabela de Desenhadores", with its
        // printed list created first and freed after the window.
        const int member = kind == CodeTableKind::Machines ? 3
                           : kind == CodeTableKind::Boards ? 4
                                                           : 1;
        CodeTableList list(codeTableMember(member));
        std::unique_ptr<CodeTableWindow> window(
            createCodeTableWindow(member, m_session, this, &list));
        window->exec();
    }
    shared->open();
    alphabetic->open();
}

void TCORTF020::BotAbrirArtigoClick() {
    if (m_mode != Mode::Browse || m_drawings->currentRow() < 0)
        return;
    // The die's measures go with its article.
    const RecordArticleKind kind{
        QStringLiteral("COD_CORTANTES"),
        QStringLiteral("Cortante, CA"),
        QStringLiteral("CORTANTES"),
        QStringLiteral("Desenho"),
        QStringLiteral("A Aplicação de Stocks não está inicializado no Ano de : "),
        {QStringLiteral("COMPRIM"), QStringLiteral("LARGURA"), QStringLiteral("ALTURA")}};
    openRecordArticle(m_session, *m_drawings, kNumber, kind, m_photos->preview()->image(),
                      m_status0, [this] { showBoundFields(); });
}

// ---- the editor's rules --------------------------------------------------------------------

QString TCORTF020::listStatement(const QString& sortField) const {
    return m_consultation ? drawings::consultationStatement(sortField)
                          : drawings::listStatement(sortField);
}

QString TCORTF020::typedNumber(const QString& text) const {
    return drawings::typedNumber(text);
}

const QList<SearchColumn>& TCORTF020::gridColumns() const {
    return drawings::gridColumns();
}

QList<QLineEdit*> TCORTF020::recordBoxes() const {
    QList<QLineEdit*> boxes;
    for (const Box& b : m_boxes)
        boxes << b.edit;
    return boxes;
}

QString TCORTF020::boxHint(const QWidget* box) const {
    if (const Box* b = boxOf(box); b && b->kind == Box::Code)
        return kLookupKeysHint;
    if (box == ui->Edit_Dir_Canal)
        return kDirectionHint;
    if (box == ui->Edit_Vista)
        return kViewHint;
    return {};
}

} // namespace falq
