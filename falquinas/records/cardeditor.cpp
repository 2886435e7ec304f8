#include "cardeditor.h"

#include "codenames.h"

#include "codetables.h"
#include "connections.h"
#include "dataset.h"
#include "datasetviews.h"
#include "entertab.h"
#include "gridexport.h"
#include "imagecontrol.h"
#include "locationqueries.h"
#include "lookups.h"
#include "messages.h"
#include "plantroot.h"
#include "recordrules.h"
#include "session.h"
#include "sqlrun.h"
#include "unitDtFalquinas.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

namespace falq {

namespace {
const QString kDuplicate = QStringLiteral("Registo já Existe ... <ENTER> ...");

// Rights of the window and of its code-table buttons.
const QString kProgram = QStringLiteral("Abertura e Alteracao");
const QString kConsultationProgram = QStringLiteral("Consulta");
const QString kTablesChapter = QStringLiteral("Tabelas Especificas");

} // namespace

CardEditor::CardEditor(Session& session, CardKind kind, bool consultation, QWidget* parent)
    : RecordEditor(session,
                   consultation ? createReadOnlyCopy(kind.table, nullptr)
                                : session.dataset(kind.table),
                   kind.numberField, parent),
      m_parger(session.dataset(ds::PARGER)), m_machines(session.dataset(ds::MAQUINAS)),
      m_kind(std::move(kind)), m_exporter(std::make_unique<GridExporter>(session)) {
    m_consultation = consultation;
    addLookupSets({{"CLIENTES", lookups::clients(), false},
                   {"CLIENTESALFA", lookups::clients(), true},
                   {"FORNECEDORES", lookups::suppliers(), false},
                   {"FORNECEDORESALFA", lookups::suppliers(), true},
                   {"MAQUINASALFA", lookups::machines(true), true}});
}

CardEditor::~CardEditor() {
    if (m_opened)
        FormClose();
}

void CardEditor::setUpCommonCodes(const CommonCodes& c) {
    m_clientName =
        CodeNames(lookups::clients().codeTable(), {{"NOME", c.clientName}, {"SIGLA", nullptr}});
    m_supplierName =
        CodeNames(lookups::suppliers().codeTable(), {{"NOME", c.supplierName}, {"SIGLA", nullptr}});
    m_machineName = CodeNames(lookups::machines(true).codeTable(), {{"DESIGNACAO", c.machineName}});
    addCodeField({c.clientField, &m_clientName, kNoClient, QStringLiteral("SIGLACLI"), {}});
    addCodeField({QStringLiteral("FORNECEDOR"),
                  &m_supplierName,
                  kNoSupplier,
                  c.supplierShort,
                  {},
                  true,
                  c.clearedWithSupplier});
    addCodeField({QStringLiteral("MAQUINA"), &m_machineName, kNoMachine, {}, {}});
    addSearch(c.client, {ownSet("CLIENTES"), {}, lookups::clientColumns(false)},
              {ownSet("CLIENTESALFA"), {}, lookups::clientColumns(true)});
    addSearch(c.supplier, {ownSet("FORNECEDORES"), {}, lookups::supplierColumns(false)},
              {ownSet("FORNECEDORESALFA"), {}, lookups::supplierColumns(true)});
    addSearch(c.machine, {sharedSet(m_machines), {}, lookups::machineColumns(false)},
              {ownSet("MAQUINASALFA"), {}, lookups::machineColumns(true)});
}

void CardEditor::addLookupSets(const QList<LookupSet>& sets) {
    for (const LookupSet& s : sets) {
        const QString name = QLatin1String(s.name);
        m_lookupSets.insert(name, createLookupSet(name, s.def, s.byName, this));
        if (s.onDemand)
            m_onDemand << name;
    }
}

std::function<Dataset*()> CardEditor::ownSet(const QString& name) const {
    return [this, name]() -> Dataset* { return m_lookupSets.value(name); };
}

std::function<Dataset*()> CardEditor::sharedSet(Dataset* set) {
    return [set]() -> Dataset* { return set; };
}

LookupMenu* CardEditor::addSearch(QLineEdit* box, const LookupSearch& numeric,
                                  const LookupSearch& alphabetic) {
    auto* lookup = new LookupMenu(box, m_session.messages(), numeric, alphabetic);
    // The code taken is checked at once: field, short name and labels.
    connect(lookup, &LookupMenu::chosen, this, [this, box] {
        m_dirty.insert(box);
        QString message;
        if (checkBox(box, &message) == Verdict::Refused)
            refuse(box, message);
    });
    m_lookups << lookup;
    return lookup;
}

void CardEditor::setUpCard(const CardParts& parts, QList<Box> boxes, QList<CodeTableButton> tables,
                           QList<Dataset*> codeSets) {
    m_parts = parts;
    m_boxes = std::move(boxes);
    m_tables = std::move(tables);
    m_codeSets = std::move(codeSets);
    if (!m_codeSets.contains(m_machines))
        m_codeSets << m_machines;
    m_parts.selection->setTextFormat(Qt::PlainText);
    m_parts.book->tabBar()->setFocusPolicy(Qt::NoFocus);

    // What each box holds and how it is typed.
    for (const Box& b : std::as_const(m_boxes)) {
        if (b.kind == Box::Text) {
            b.edit->setMaxLength(columnTextSize(m_kind.table, b.field));
            connect(b.edit, &QLineEdit::textEdited, this,
                    [this, field = b.field](const QString& t) { writeField(field, t); });
        } else if (b.kind == Box::Letter) {
            // Letters are typed in upper case.
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
    connect(m_parts.number, &QLineEdit::textEdited, this,
            [this] { m_dirty.insert(m_parts.number); });

    // The browse grid: six titled columns, sorted by a click on a title, F1 ... F6.
    setUpGrid(m_parts.grid, m_kind.sortFields);
    m_parts.exportGrid->setModel(m_records);

    // Status bar: two panels.
    m_status0 = new QLabel(this);
    m_status0->setObjectName(QStringLiteral("StatusPanel0"));
    m_status1 = new QLabel(this);
    m_status1->setObjectName(QStringLiteral("StatusPanel1"));
    m_parts.statusBar->addWidget(m_status0, 1);
    m_parts.statusBar->addPermanentWidget(m_status1);
    // Where the tool is, read-only: its place, machine or supplier, and since when.
    m_location = new QLabel(this);
    m_location->setObjectName(QStringLiteral("Label_Localizacao"));
    m_parts.statusBar->addPermanentWidget(m_location);

    // Photo, scanner and documents.
    RecordPhotoPlaces places = m_parts.photos;
    places.status = m_status0;
    setUpPhotos(places, m_kind.notReferenced, m_parts.locate, m_parts.deleteImage);

    // Buttons (they never take the focus: the grid and the boxes keep it).
    m_parts.remove->hide();
    connect(m_parts.insert, &QPushButton::clicked, this, &CardEditor::BotInserirClick);
    connect(m_parts.close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_parts.article, &QPushButton::clicked, this, &CardEditor::BotAbrirArtigoClick);
    connect(m_parts.excel, &QPushButton::clicked, this,
            [this] { m_exporter->exportGrid(this, m_parts.exportGrid, m_kind.tableTitle); });
    for (const CodeTableButton& t : std::as_const(m_tables))
        connect(t.button, &QPushButton::clicked, this, [this, t] { codeTableClick(t); });
    setUpNavigator(m_parts.navigator);

    setEditorParts(m_parts.number, m_parts.die, m_parts.cancel, m_parts.remove,
                   {m_parts.article, m_navigator, m_parts.insert, m_parts.remove, m_parts.close},
                   m_status0);
    EnterAsTab::install(this);
    if (m_consultation) {
        m_records->setParent(this);
        setObjectName(m_kind.consultationName);
        setWindowTitle(m_kind.consultationCaption);
        for (LookupMenu* lookup : std::as_const(m_lookups))
            lookup->setEnabled(false);
        setConsultation(QList<QWidget*>{m_parts.insert, m_parts.cancel, m_parts.remove,
                                        m_parts.article, m_parts.locate, m_parts.deleteImage} +
                        m_parts.editingPanels);
    }
}

// ---- opening and closing -------------------------------------------------------------------

void CardEditor::FormActivate() {
    m_opened = true;
    m_parts.book->setCurrentIndex(0);
    m_insertFlag = false;
    m_cancelFlag = false;
    m_mode = Mode::Browse;
    ReadAcessosUtil();
    DisableAcessosBotoes();
    m_sortField = m_numberField;
    if (!m_consultation)
        beforeListOpens(); // the consultation only reads
    openList();
    m_parger->close();
    m_parger->open();
    // A folder written relative (as the installer writes it) is under the plant root.
    m_photos->setFolder(resolveFolder(fieldText(m_parger->fieldValue(m_kind.folderField))),
                        fieldText(m_parger->fieldValue(QStringLiteral("TIPOIMAGEM"))));
    for (Dataset* d : std::as_const(m_codeSets)) {
        d->close();
        d->open();
    }
    for (auto it = m_lookupSets.cbegin(); it != m_lookupSets.cend(); ++it)
        if (!m_onDemand.contains(it.key())) // the others are opened for their dialog only
            it.value()->open();
    // The grid: the six titled columns at their widths, nothing else; the hidden grid of the
    // export: its columns in their order. Both kept through every re-open of the list.
    QList<GridColumn> shown;
    for (int c = 0; c < m_kind.sortFields.size(); ++c)
        shown << GridColumn{m_kind.sortFields[c], m_kind.widths.value(c)};
    presentColumns(m_parts.grid, m_records, shown);
    QList<GridColumn> exported;
    for (const QString& field : m_kind.exportColumns)
        exported << GridColumn{field};
    presentColumns(m_parts.exportGrid, m_records, exported);
    m_eventsOn = true;
    showBoundFields();
    recordDisplay();
    setBrowsingControls(true);
    m_parts.grid->setFocus();
}

void CardEditor::FormClose() {
    m_opened = false;
    m_eventsOn = false;
    m_sortField = m_numberField;
    m_records->close();
    m_records->setStatement(defaultStatement(m_kind.table));
    m_parger->close();
    for (Dataset* d : std::as_const(m_codeSets))
        d->close();
    for (Dataset* d : std::as_const(m_lookupSets))
        d->close();
}

void CardEditor::ReadAcessosUtil() {
    // The consultation reads its row but shows and hides nothing by it.
    m_rights = m_session.rights(m_kind.chapter, m_consultation ? kConsultationProgram : kProgram);
    if (m_consultation)
        return;
    for (const CodeTableButton& t : std::as_const(m_tables)) {
        const AccessRights r = m_session.rights(kTablesChapter, t.program);
        t.button->setVisible(r.found && r.aceder);
    }
}

void CardEditor::DisableAcessosBotoes() {
    if (m_consultation)
        return;
    m_parts.insert->setVisible(m_rights.inserir);
    m_parts.cancel->setVisible(m_rights.inserir);
    m_parts.number->setEnabled(m_mode == Mode::Insert ||
                               (m_mode == Mode::Browse && m_rights.inserir));
    m_photos->setScannerVisible(m_rights.scanner);
    m_parts.remove->setVisible(m_rights.eliminar);
}

void CardEditor::openList() {
    m_records->close();
    m_records->setStatement(listStatement(m_sortField));
    QString error;
    if (!m_records->open(&error))
        m_session.messages().show(error, true);
    m_header->setSortField(m_sortField);
}

// ---- the record and the grid ---------------------------------------------------------------

void CardEditor::showBoundFields() {
    const bool row = m_records->currentRow() >= 0;
    for (const Box& b : std::as_const(m_boxes)) {
        const QVariant v = row ? m_records->fieldValue(b.field) : QVariant();
        b.edit->setText(b.kind == Box::Date       ? dateBoxText(v)
                        : b.kind == Box::Quantity ? decimalText(v)
                                                  : fieldText(v));
        b.edit->setCursorPosition(0);
    }
    showOwnLabels(!row);
}

void CardEditor::CleanLabels() {
    for (const CodeField& c : std::as_const(m_codeFields))
        c.names->clear();
    showOwnLabels(true);
}

void CardEditor::recordDisplay() {
    if (m_insertFlag)
        return;
    m_parts.number->setText(fieldText(m_records->fieldValue(m_numberField)));
    m_photos->showRecord();
    for (const CodeField& c : std::as_const(m_codeFields))
        c.names->show(m_records->fieldValue(c.field));
    showOwnLabels(m_records->currentRow() < 0);
    showLocation();
}

void CardEditor::showLocation() {
    const QString number = m_records->fieldValue(m_numberField).toString();
    if (m_records->currentRow() < 0 || number.isEmpty()) {
        m_location->clear();
        return;
    }
    const locations::Tool tool{m_numberField == QLatin1String("CLICHENRO")
                                   ? locations::ToolKind::Cliche
                                   : locations::ToolKind::Drawing,
                               number};
    m_location->setText(locations::locationLine(QSqlDatabase::database(kDbFalquinas, false),
                                                QSqlDatabase::database(kDbFacturacao, false),
                                                tool));
}

const CardEditor::Box* CardEditor::boxOf(const QWidget* widget) const {
    for (const Box& b : m_boxes)
        if (b.edit == widget)
            return &b;
    return nullptr;
}

bool CardEditor::isRecordBox(const QWidget* widget) const {
    const Box* b = boxOf(widget);
    return widget == m_parts.number || (b && b->kind != Box::ReadOnly);
}

QList<QLineEdit*> CardEditor::recordBoxes() const {
    QList<QLineEdit*> boxes;
    for (const Box& b : m_boxes)
        boxes << b.edit;
    return boxes;
}

QString CardEditor::boxHint(const QWidget* box) const {
    if (const Box* b = boxOf(box); b && b->kind == Box::Code)
        return kLookupKeysHint;
    return ownHint(box);
}

QString CardEditor::listStatement(const QString& sortField) const {
    return m_consultation ? m_kind.consultationStatement(sortField)
                          : m_kind.listStatement(sortField);
}

QString CardEditor::typedNumber(const QString& text) const {
    return text.left(m_kind.numberSize);
}

const QList<SearchColumn>& CardEditor::gridColumns() const {
    return m_kind.columns;
}

// ---- field checks --------------------------------------------------------------------------

void CardEditor::writeField(const QString& field, const QVariant& value) {
    if (m_mode == Mode::Browse || m_records->currentRow() < 0)
        return; // only the row being edited or inserted is written
    m_records->setFieldValue(field, value);
    for (const Box& b : std::as_const(m_boxes))
        if (b.field == field && b.kind == Box::ReadOnly)
            b.edit->setText(fieldText(m_records->fieldValue(field)));
}

CardEditor::Verdict CardEditor::checkBox(QLineEdit* box, QString* message) {
    message->clear();
    if (box == m_parts.number)
        return checkNumber(message);
    const Box* b = boxOf(box);
    if (!b)
        return Verdict::Accepted;
    switch (b->kind) {
    case Box::Text:
    case Box::ReadOnly:
        return Verdict::Accepted;
    case Box::Number: {
        qint64 min = 0, max = 0, value = 0;
        columnNumberRange(m_kind.table, b->field, &min, &max);
        if (!parseCode(box->text(), min, max, &value)) {
            *message = kBadValue;
            return Verdict::Refused;
        }
        writeField(b->field, value);
        return Verdict::Accepted;
    }
    case Box::Date: {
        if (box->text() == dateBoxText(m_records->fieldValue(b->field)))
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
    case Box::Quantity:
    case Box::Letter:
        return checkOwnBox(*b, message);
    }
    return Verdict::Accepted;
}

CardEditor::Verdict CardEditor::checkCode(const Box& b, QString* message) {
    const auto rule = std::find_if(m_codeFields.cbegin(), m_codeFields.cend(),
                                   [&](const CodeField& c) { return c.field == b.field; });
    if (rule == m_codeFields.cend())
        return Verdict::Accepted;
    qint64 min = 0, max = 0, code = 0;
    columnNumberRange(m_kind.table, b.field, &min, &max);
    if (!parseCode(b.edit->text(), min, max, &code)) {
        // No code the table can hold: the code's own message.
        *message = rule->missing.isEmpty() ? kBadValue : rule->missing;
        return Verdict::Refused;
    }
    if (rule->zeroClears && code == 0) {
        rule->names->clear();
        writeField(b.field, 0);
        if (!rule->shortField.isEmpty())
            writeField(rule->shortField, QString());
        for (const QString& f : rule->clearedByZero) {
            writeField(f, QString());
            for (const Box& cleared : std::as_const(m_boxes))
                if (cleared.field == f)
                    cleared.edit->clear();
        }
        return Verdict::Accepted;
    }
    if (!rule->names->show(code)) {
        if (!rule->shortField.isEmpty())
            writeField(rule->shortField, QString());
        if (!rule->missing.isEmpty()) {
            *message = rule->missing;
            return Verdict::Refused;
        }
    }
    writeField(b.field, code);
    if (!rule->shortField.isEmpty())
        writeField(rule->shortField, fieldText(rule->names->value(QStringLiteral("SIGLA"))));
    if (!rule->nameField.isEmpty()) {
        // The name is kept in the record cut to its column (a longer one would make every
        // save of the record fail).
        const QString name = fieldText(rule->names->value(QStringLiteral("NOME")));
        writeField(rule->nameField, name.left(columnTextSize(m_kind.table, rule->nameField)));
    }
    return Verdict::Accepted;
}

CardEditor::Verdict CardEditor::checkNumber(QString* message) {
    if (!m_insertFlag)
        return Verdict::Accepted;
    if (m_parts.remove->isVisible())
        m_parts.remove->setEnabled(false);
    const QString typed = m_parts.number->text();
    if (typed.isEmpty())
        return Verdict::Refused;
    const QString number = typedNumber(typed);
    m_remembered = number;
    // Another workstation may have the number already: the database says, without regard to
    // case, as the key compares.
    QSqlQuery q(QSqlDatabase::database(kDbFalquinas));
    QString error;
    if (!runStatement(
            q,
            QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?").arg(m_kind.table, m_numberField),
            {number}, &error) ||
        !q.next()) {
        *message = error;
        return Verdict::Refused;
    }
    if (q.value(0).toInt() > 0) {
        *message = kDuplicate;
        return Verdict::Duplicate;
    }
    const bool first = fieldText(m_records->fieldValue(m_numberField)).isEmpty();
    writeField(m_numberField, number);
    numberTaken(first);
    m_parts.number->setText(number);
    return Verdict::Accepted;
}

// ---- buttons -------------------------------------------------------------------------------

void CardEditor::BotInserirClick() {
    if (m_mode != Mode::Browse)
        return;
    m_parts.book->setCurrentWidget(m_parts.identification);
    CleanLabels();
    m_photos->clearForInsert();
    m_remembered.clear();
    m_insertFlag = true;
    m_mode = Mode::Insert;
    m_dirty.clear();
    ++m_quiet;
    m_records->append();
    // Empty texts and codes 0, so that the searches' patterns and ranges find the new row.
    for (const Box& b : std::as_const(m_boxes))
        if (b.kind == Box::Text || b.kind == Box::ReadOnly)
            m_records->setFieldValue(b.field, QString());
        else if (b.kind == Box::Code || (b.kind == Box::Number && m_kind.numbersStartAtZero))
            m_records->setFieldValue(b.field, 0);
    --m_quiet;
    showBoundFields();
    setBrowsingControls(false);
    m_parts.number->setEnabled(true);
    m_parts.number->clear();
    m_parts.number->setFocus(Qt::OtherFocusReason);
}

void CardEditor::codeTableClick(const CodeTableButton& table) {
    // The sets are read again after the table window, so that new codes can be chosen at once.
    Dataset* alphabetic = m_lookupSets.value(table.alphabetic);
    table.shared->close();
    alphabetic->close();
    {
        // The table's window, with its printed list created first and freed after the window.
        CodeTableList list(codeTableMember(table.member));
        std::unique_ptr<CodeTableWindow> window(
            createCodeTableWindow(table.member, m_session, this, &list));
        window->exec();
    }
    table.shared->open();
    alphabetic->open();
}

void CardEditor::BotAbrirArtigoClick() {
    if (m_mode != Mode::Browse || m_records->currentRow() < 0)
        return;
    openRecordArticle(m_session, *m_records, m_numberField, m_kind.article,
                      m_photos->preview()->image(), m_status0, [this] { showBoundFields(); });
}

} // namespace falq
