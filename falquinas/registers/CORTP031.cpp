#include "CORTP031.h"

#include "codenames.h"
#include "messages.h"

#include "boxes.h"
#include "connections.h"
#include "dataset.h"
#include "datasetviews.h"
#include "entertab.h"
#include "gridexport.h"
#include "imagefiles.h"
#include "lookupmenu.h"
#include "lookups.h"
#include "plantroot.h"
#include "purchaseslisting.h"
#include "recordrules.h"
#include "registerfiles.h"
#include "session.h"
#include "unitDtFalquinas.h"

#include "ui_CORTP031.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

namespace falq {

using registers::ObjectKind;

namespace {
const QString kChapter = QStringLiteral("Movimentos");
const QString kProgram = QStringLiteral("Registo de Reparacoes");
const QString kTypeHint = QStringLiteral("Digite C, Compra de Novo, R, Reparação");
const QString kTable = QStringLiteral("REPARACOES");

QString amountText(const QVariant& v) {
    return v.isNull() ? QString() : QLocale(QLocale::Portuguese).toString(v.toDouble(), 'f', 2);
}
} // namespace

TCORTF031::TCORTF031(Session& session, QWidget* parent)
    : RegisterEditor(session, session.dataset(ds::REPARACOES), parent),
      ui(std::make_unique<Ui::TCORTF031>()), m_repairs(m_records),
      m_parger(session.dataset(ds::PARGER)),
      m_suppliersByCode(
          createLookupSet(QStringLiteral("FORNECEDORES"), lookups::suppliers(), false, this)),
      m_suppliersByName(
          createLookupSet(QStringLiteral("FORNECEDORESALFA"), lookups::suppliers(), true, this)),
      m_exporter(std::make_unique<GridExporter>(session)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF031"));
    ui->PanelTipo->hide();
    ui->Edit_Tipo->setMaxLength(1);
    forceUpperCase(ui->Edit_Tipo);
    ui->Edit_Desenho->setMaxLength(columnTextSize(kTable, QStringLiteral("DESENHONRO")));
    ui->Edit_DatEnc->setInputMask(registers::kDayMask);
    ui->Edit_FacData->setInputMask(registers::kDayMask);

    setUpGrid(ui->DBGrid1, {}, registers::repairColumns());
    m_status0 = new QLabel(this);
    m_status0->setObjectName(QStringLiteral("StatusPanel0"));
    ui->StatusBar1->addWidget(m_status0, 1);

    setEntryParts({ui->Edit_Desenho,
                   ui->Edit_Cliche,
                   ui->Edit_Tipo,
                   {ui->Edit_EncNro, ui->Edit_DatEnc, ui->Edit_FacNro, ui->Edit_FacData,
                    ui->Edit_Fornecedor, ui->Edit_Valor}},
                  new RegisterFiles(session.messages(), ui->photoLayout, ui->documentsLayout, this),
                  PickerCaller::PurchasesRegister);

    m_supplierName = CodeNames(lookups::suppliers().codeTable(), {{"SIGLA", nullptr}});
    const QList<SearchColumn> byCode = {
        {"CODIGO", "Forn. Nº"}, {"NOME", "Nome do Fornecedor"}, {"SIGLA", "Sigla"}};
    const QList<SearchColumn> byName = {
        {"NOME", "Nome do Fonecedor"}, {"CODIGO", "Forn. Nº"}, {"SIGLA", "Sigla"}};
    m_supplierLookup =
        new LookupMenu(ui->Edit_Fornecedor, session.messages(),
                       {[this]() -> Dataset* { return m_suppliersByCode; }, {}, byCode},
                       {[this]() -> Dataset* { return m_suppliersByName; }, {}, byName});
    connect(m_supplierLookup, &LookupMenu::chosen, this, [this] {
        // The chosen code goes into the row at once, with its short name.
        QString message;
        Edit_FornecedorExit(&message);
    });

    ui->BotDelete->hide();
    connect(ui->BotInserir, &QPushButton::clicked, this, &TCORTF031::BotInserirClick);
    connect(ui->BitTerminar, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->BotPrint, &QPushButton::clicked, this, &TCORTF031::BotPrintClick);
    connect(ui->BotExcel, &QPushButton::clicked, this, &TCORTF031::BotExcelClick);
    m_navigator = new Navigator(this);
    m_navigator->setDataset(m_repairs);
    ui->navigatorLayout->addWidget(m_navigator);
    // The panel of the two types, while "Tipo" has the focus.
    connect(qApp, &QApplication::focusChanged, ui->PanelTipo,
            [panel = ui->PanelTipo, box = ui->Edit_Tipo] {
                panel->setVisible(QApplication::focusWidget() == box);
            });

    m_listing = [this] { openPurchasesListing(m_session, this); };

    // "&Terminar" stays usable during an entry: closing saves through the grid.
    setEditorParts(ui->Edit_Desenho, ui->Edit_Tipo, ui->BotCancelar, ui->BotDelete,
                   {m_navigator, ui->BotInserir, ui->BotDelete}, m_status0);
    EnterAsTab::install(this);
}

TCORTF031::~TCORTF031() {
    if (m_opened)
        FormClose();
}

void TCORTF031::setListingOpener(std::function<void()> opener) {
    m_listing = std::move(opener);
}

// ---- opening and closing -------------------------------------------------------------------

void TCORTF031::FormActivate() {
    m_opened = true;
    m_mode = Mode::Browse;
    m_insertFlag = false;
    m_cancelFlag = true;
    m_number.clear();
    ReadAcessosUtil();
    DisableAcessosBotoes();
    m_suppliersByCode->open();
    m_suppliersByName->open();
    openRows(m_parger);
    m_cancelFlag = false;
    m_eventsOn = true;
    showBoundFields();
    recordDisplay();
    ui->DBGrid1->setFocus();
}

void TCORTF031::FormClose() {
    m_opened = false;
    m_eventsOn = false;
    m_repairs->close();
    m_parger->close();
    m_suppliersByCode->close();
    m_suppliersByName->close();
}

void TCORTF031::ReadAcessosUtil() {
    m_rights = m_session.rights(kChapter, kProgram);
}

void TCORTF031::DisableAcessosBotoes() {
    ui->BotInserir->setVisible(m_rights.inserir);
    ui->BotCancelar->setVisible(m_rights.inserir);
    ui->BotDelete->setVisible(m_rights.eliminar);
    ui->BotPrint->setVisible(m_rights.imprimir);
}

// ---- the row and the grid ------------------------------------------------------------------

void TCORTF031::showBoundFields() {
    // Outside an entry the boxes only show the current row; a row whose save failed stays
    // open to be corrected.
    enableEntryBoxes();
    if (m_mode == Mode::Insert)
        return;
    if (entryCleared()) {
        clearEntry();
        return;
    }
    const bool row = m_repairs->currentRow() >= 0;
    auto value = [this, row](const char* field) {
        return row ? m_repairs->fieldValue(QLatin1String(field)) : QVariant();
    };
    ui->Edit_Desenho->setText(fieldText(value("DESENHONRO")));
    ui->Edit_Cliche->setText(fieldText(value("CLICHENRO")));
    ui->Edit_Tipo->setText(fieldText(value("TIPO")));
    ui->Edit_EncNro->setText(fieldText(value("ENCNRO")));
    ui->Edit_DatEnc->setText(registers::dayText(value("DATENC")));
    ui->Edit_FacNro->setText(fieldText(value("FACNRO")));
    ui->Edit_FacData->setText(registers::dayText(value("FACDATA")));
    ui->Edit_Fornecedor->setText(fieldText(value("FORNECEDOR")));
    ui->Edit_FornSigla->setText(fieldText(value("FORNSIGLA")));
    ui->Edit_Valor->setText(amountText(value("VALOR")));
}

QString TCORTF031::listStatement(const QString&) const {
    return defaultStatement(ds::REPARACOES);
}

const QList<SearchColumn>& TCORTF031::gridColumns() const {
    return registers::repairColumns();
}

QString TCORTF031::boxHint(const QWidget* box) const {
    if (box == ui->Edit_Tipo)
        return kTypeHint;
    if (box == ui->Edit_Fornecedor)
        return kLookupKeysHint;
    return RegisterEditor::boxHint(box);
}

// ---- field checks --------------------------------------------------------------------------

TCORTF031::Verdict TCORTF031::checkValue(QLineEdit* box, QString* message) {
    const QString typed = box->text();
    if (box == ui->Edit_Tipo) {
        if (typed != QLatin1String("C") && typed != QLatin1String("R"))
            return Verdict::Refused;
        writeField(QStringLiteral("TIPO"), typed);
    } else if (box == ui->Edit_EncNro || box == ui->Edit_FacNro) {
        const QString field =
            box == ui->Edit_EncNro ? QStringLiteral("ENCNRO") : QStringLiteral("FACNRO");
        qint64 number = 0;
        if (!registers::parseCount(kTable, field, typed, &number)) {
            *message = registers::countRefusal(typed);
            return Verdict::Refused;
        }
        writeField(field, number);
    } else if (box == ui->Edit_DatEnc || box == ui->Edit_FacData) {
        QVariant day;
        bool empty = false;
        if (!registers::parseDay(typed, &day, &empty)) {
            *message = kBadDate;
            return Verdict::Refused;
        }
        // The requisition date groups every cost: it cannot be left empty.
        if (empty && box == ui->Edit_DatEnc)
            return Verdict::Refused;
        writeField(box == ui->Edit_DatEnc ? QStringLiteral("DATENC") : QStringLiteral("FACDATA"),
                   day);
    } else if (box == ui->Edit_Fornecedor) {
        return Edit_FornecedorExit(message);
    } else if (box == ui->Edit_Valor) {
        double value = 0;
        if (!registers::parseAmount(typed, &value)) {
            *message = kBadValue;
            return Verdict::Refused;
        }
        writeField(QStringLiteral("VALOR"), value);
    }
    return Verdict::Accepted;
}

TCORTF031::Verdict TCORTF031::Edit_FornecedorExit(QString* message) {
    qint64 min = 0, max = 0, code = 0;
    columnNumberRange(kTable, QStringLiteral("FORNECEDOR"), &min, &max);
    if (!parseCode(ui->Edit_Fornecedor->text(), min, max, &code)) {
        *message = kNoSupplier; // no code a supplier can have
        return Verdict::Refused;
    }
    if (code == 0) {
        m_supplierName.clear();
        ui->Edit_FornSigla->clear();
        writeField(QStringLiteral("FORNECEDOR"), 0);
        writeField(QStringLiteral("FORNSIGLA"), QString());
        return Verdict::Accepted;
    }
    if (!m_supplierName.show(code)) {
        ui->Edit_FornSigla->clear();
        writeField(QStringLiteral("FORNSIGLA"), QString());
        *message = m_supplierName.error().isEmpty() ? kNoSupplier : m_supplierName.error();
        return Verdict::Refused;
    }
    // The code and its short name are stored together.
    const QString sigla = fieldText(m_supplierName.value(QStringLiteral("SIGLA")));
    ui->Edit_FornSigla->setText(sigla);
    writeField(QStringLiteral("FORNECEDOR"), code);
    writeField(QStringLiteral("FORNSIGLA"), sigla);
    return Verdict::Accepted;
}

void TCORTF031::objectDropped() {
    // The dropped object's supplier was only proposed.
    m_supplierName.clear();
    ui->Edit_Fornecedor->clear();
    ui->Edit_FornSigla->clear();
}

void TCORTF031::clearEntry() {
    for (QLineEdit* box : recordBoxes())
        box->clear();
    ui->Edit_FornSigla->clear();
    ui->Edit_DatEnc->setText(registers::dayText(m_session.context().workingDate));
}

void TCORTF031::objectChosen(ObjectKind, const registers::ObjectRow& row) {
    m_repairs->setFieldValue(QStringLiteral("SIGLACLI"), row.clientShort);
    // The object's supplier is proposed; the save stores the code with its short name.
    ui->Edit_Fornecedor->setText(QString::number(row.supplier));
    ui->Edit_FornSigla->setText(row.supplierShort);
    m_repairs->setFieldValue(QStringLiteral("FORNECEDOR"), row.supplier);
    m_repairs->setFieldValue(QStringLiteral("FORNSIGLA"), row.supplierShort);
}

// ---- buttons -------------------------------------------------------------------------------

void TCORTF031::BotInserirClick() {
    if (!beginEntry())
        return;
    ui->Edit_Desenho->setFocus(Qt::OtherFocusReason);
}

void TCORTF031::BotPrintClick() {
    if (m_listing)
        m_listing();
}

void TCORTF031::BotExcelClick() {
    m_exporter->exportGrid(this, ui->DBGrid1, windowTitle());
}

} // namespace falq
