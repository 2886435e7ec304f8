#include "CORTP034.h"

#include "codenames.h"
#include "connections.h"
#include "gridexport.h"
#include "messages.h"
#include "plantconfig.h"
#include "reportpreview.h"
#include "session.h"
#include "sqlrun.h"
#include "toollife.h"

#include "ui_CORTP034.h"

#include <QHeaderView>
#include <QInputDialog>
#include <QShowEvent>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardItemModel>

namespace falq {

using namespace locations;

namespace {
const QString kChapter = QStringLiteral("Movimentos");
const QString kProgram = QStringLiteral("Localizacao");
const QString kConfirmScrap = QStringLiteral("Confirma o abate de %1 ferramentas ?");
const QString kNoRight = QStringLiteral("Sem permissão para mover ferramentas.");
const QString kNoScrapRight = QStringLiteral("Sem permissão para abater ferramentas.");
const QString kReadTool = QStringLiteral("Leia ou escreva primeiro a ferramenta.");
const QString kNoSuchCode = QStringLiteral("Código inválido: %1");
const QString kNotWritten =
    QStringLiteral("A mudança não foi gravada (o servidor não respondeu). Leia de novo o destino.");
constexpr int kWearColumn = 4;

QSqlDatabase mainDb() {
    return QSqlDatabase::database(kDbFalquinas, false);
}
QSqlDatabase invoicingDb() {
    return QSqlDatabase::database(kDbFacturacao, false);
}

QString kindText(const QString& code) {
    return code == QLatin1String("DS") ? QStringLiteral("Desenho") : QStringLiteral("Cliché");
}

QList<QStandardItem*> itemRow(const QStringList& texts) {
    QList<QStandardItem*> row;
    for (const QString& t : texts) {
        auto* item = new QStandardItem(t);
        item->setEditable(false);
        row << item;
    }
    return row;
}

void setupGrid(QTableView* grid, QStandardItemModel* model) {
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
}
} // namespace

TCORTF034::TCORTF034(Session& session, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TCORTF034>()), m_session(session),
      m_list(new QStandardItemModel(this)), m_found(new QStandardItemModel(this)),
      m_exporter(std::make_unique<GridExporter>(session)) {
    ui->setupUi(this);
    ui->BotExcel->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    ui->BotExcel->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_list->setHorizontalHeaderLabels({QStringLiteral("Nº"), QStringLiteral("Tipo"),
                                       QStringLiteral("Cliente"), QStringLiteral("Referência"),
                                       QStringLiteral("Desgaste"), QStringLiteral("Localização")});
    setupGrid(ui->DBGridLista, m_list);
    setupGrid(ui->DBGridHist, m_found);
    ui->Edit_Dias->setValue(PlantConfig::read().awayAlertDays);
    m_warningPercent = movements::readToolLifeLimits().warningPercent;

    // Enter ends a reading: the box keeps the focus for the next one.
    connect(ui->Edit_Leitura, &QLineEdit::returnPressed, this, [this] {
        const QString typed = ui->Edit_Leitura->text();
        ui->Edit_Leitura->clear();
        read(typed);
    });
    connect(ui->BotGuardar, &QPushButton::clicked, this, &TCORTF034::BotGuardarClick);
    connect(ui->BotMaquina, &QPushButton::clicked, this, &TCORTF034::BotMaquinaClick);
    connect(ui->BotFornecedor, &QPushButton::clicked, this, &TCORTF034::BotFornecedorClick);
    connect(ui->BotAbater, &QPushButton::clicked, this, &TCORTF034::BotAbaterClick);
    connect(ui->BotLimpar, &QPushButton::clicked, this, &TCORTF034::BotLimparClick);
    connect(ui->BotOndeEsta, &QPushButton::clicked, this, &TCORTF034::BotOndeEstaClick);
    connect(ui->BotConteudo, &QPushButton::clicked, this, &TCORTF034::BotConteudoClick);
    connect(ui->BotForaArmazem, &QPushButton::clicked, this, &TCORTF034::BotForaArmazemClick);
    connect(ui->BitPrint, &QPushButton::clicked, this, &TCORTF034::BitPrintClick);
    connect(ui->BotExcel, &QToolButton::clicked, this, &TCORTF034::BotExcelClick);
    connect(ui->BitTerminar, &QPushButton::clicked, this, &QDialog::accept);
}

TCORTF034::~TCORTF034() = default;

void TCORTF034::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (m_opened)
        return;
    m_opened = true;
    readRights();
    ui->Edit_Leitura->setFocus(Qt::OtherFocusReason);
}

void TCORTF034::readRights() {
    QString error;
    const AccessRights r = m_session.rights(kChapter, kProgram, &error);
    if (!error.isEmpty())
        m_session.messages().show(error, true);
    m_canMove = r.alterar;
    m_canScrap = r.eliminar;
    ui->BotGuardar->setEnabled(m_canMove);
    ui->BotMaquina->setEnabled(m_canMove);
    ui->BotFornecedor->setEnabled(m_canMove);
    ui->BotAbater->setEnabled(m_canScrap);
    ui->BitPrint->setVisible(r.imprimir);
}

void TCORTF034::say(const QString& text) {
    ui->LabelAviso->setText(text);
}

void TCORTF034::refuse(const QString& message) {
    say(message);
    m_session.messages().showForField(ui->Edit_Leitura, message, true);
}

void TCORTF034::read(const QString& typed) {
    const Reading r = parseReading(typed);
    switch (r.type) {
    case Reading::Type::Empty:
        return;
    case Reading::Type::Tool:
        gather(Tool{r.kind, r.value});
        return;
    case Reading::Type::Bare: {
        QList<Tool> tools;
        QString error;
        if (!resolveBare(mainDb(), r.value, &tools, &error)) {
            refuse(error);
            return;
        }
        if (tools.isEmpty()) {
            refuse(kUnknownTool.arg(r.value));
            return;
        }
        // A product's bar code names all its clichés: those not yet read are added (all read
        // already: refused as a tool read twice).
        QList<Tool> fresh;
        for (const Tool& t : std::as_const(tools))
            if (std::none_of(m_lines.cbegin(), m_lines.cend(),
                             [&t](const ToolLine& l) { return l.tool == t; }))
                fresh << t;
        if (fresh.isEmpty())
            fresh << tools.first();
        for (const Tool& t : std::as_const(fresh))
            gather(t);
        return;
    }
    case Reading::Type::Place:
        // A place read with nothing gathered shows what it holds.
        if (m_lines.isEmpty()) {
            showContents(r.value);
            return;
        }
        [[fallthrough]];
    case Reading::Type::Machine:
    case Reading::Type::Supplier:
        moveTo(r.type, r.value);
        return;
    }
}

void TCORTF034::gather(const Tool& tool) {
    for (const ToolLine& l : std::as_const(m_lines))
        if (l.tool == tool) {
            refuse(kReadTwice.arg(toolName(l.tool)));
            return;
        }
    ToolLine line;
    bool found = false;
    QString error;
    if (!readToolLine(mainDb(), invoicingDb(), tool, m_session.context().workingDate, &line, &found,
                      &error)) {
        refuse(error);
        return;
    }
    if (!found) {
        refuse(kUnknownTool.arg(toolName(tool)));
        return;
    }
    m_lines << line;
    QList<QStandardItem*> row =
        itemRow({line.tool.number, kindText(kindCode(line.tool.kind)), line.client, line.reference,
                 line.life ? movements::wearPercentText(*line.life) : QString(), line.whereText});
    row[kWearColumn]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A tool near the end of its life shows it, as the tool life window does.
    if (line.life && line.life->inWarning(m_warningPercent))
        row[kWearColumn]->setForeground(QColor(0xa0, 0, 0));
    m_list->appendRow(row);
    ui->DBGridLista->resizeColumnsToContents();
    ui->DBGridLista->selectRow(m_list->rowCount() - 1);
    say(QStringLiteral("%1 lido(a): %2. %3 na lista.")
            .arg(toolName(line.tool), line.whereText)
            .arg(m_lines.size()));
}

bool TCORTF034::moveTo(Reading::Type type, const QString& code) {
    Destination to;
    QString done;
    bool number = true;
    switch (type) {
    case Reading::Type::Place:
        to.state = State::Store;
        to.place = code.trimmed().toUpper();
        done = QStringLiteral("guardada(s) em %1").arg(to.place);
        break;
    case Reading::Type::Machine:
        to.state = State::Machine;
        to.machine = code.trimmed().toInt(&number);
        number = number && to.machine > 0 && to.machine <= 32767;
        done = QStringLiteral("enviada(s) para a máquina %1").arg(to.machine);
        break;
    case Reading::Type::Supplier:
        to.state = State::Supplier;
        to.supplier = code.trimmed().toInt(&number);
        number = number && to.supplier > 0;
        done = QStringLiteral("enviada(s) ao fornecedor %1").arg(to.supplier);
        break;
    default:
        return false;
    }
    if (!number) {
        refuse(kNoSuchCode.arg(code));
        return false;
    }
    return move(to, done);
}

bool TCORTF034::move(const Destination& to, const QString& done) {
    if (!(to.state == State::Scrapped ? m_canScrap : m_canMove)) {
        refuse(to.state == State::Scrapped ? kNoScrapRight : kNoRight);
        return false;
    }
    QList<Tool> tools;
    for (const ToolLine& l : std::as_const(m_lines))
        tools << l.tool;
    const SessionContext& c = m_session.context();
    Mover mover{c.userCode, c.computerName,
                QDateTime::currentDateTime().addMSecs(-QTime::currentTime().msec()),
                to.state == State::Scrapped ? QStringLiteral("Abate") : QString()};
    QString error;
    if (!moveTools(mainDb(), invoicingDb(), tools, to, mover, &error)) {
        // Nothing moved: the list stays as read.
        refuse(error.isEmpty() ? kNotWritten : error);
        return false;
    }
    const int moved = int(tools.size());
    m_lines.clear();
    m_list->removeRows(0, m_list->rowCount());
    say(QStringLiteral("%1 ferramenta(s) %2.").arg(moved).arg(done));
    return true;
}

std::optional<QString> TCORTF034::ask(Ask what) {
    return m_choose ? m_choose(what, this) : chooseFromList(what);
}

std::optional<QString> TCORTF034::chooseFromList(Ask what) {
    // The codes to choose from, with their names; any other code may be typed.
    const bool invoicing = what == Ask::Supplier;
    const QString sql =
        what == Ask::Place
            ? QStringLiteral("SELECT CODIGO, DESIGNACAO FROM LOCAIS WHERE ACTIVO = 'S' ORDER BY "
                             "CODIGO")
        : what == Ask::Machine
            ? QStringLiteral("SELECT CODIGO, DESIGNACAO FROM MAQUINAS ORDER BY CODIGO")
            : QStringLiteral("SELECT CODIGO, NOME FROM FORNECEDORES ORDER BY NOME");
    QSqlQuery q(invoicing ? invoicingDb() : mainDb());
    QString error;
    QStringList items;
    if (!runStatement(q, sql, {}, &error)) {
        m_session.messages().show(error, true);
        return std::nullopt;
    }
    while (q.next())
        items << q.value(0).toString() + QStringLiteral(" - ") + q.value(1).toString();
    const QString title = what == Ask::Place     ? QStringLiteral("Local")
                          : what == Ask::Machine ? QStringLiteral("Máquina")
                                                 : QStringLiteral("Fornecedor");
    bool ok = false;
    const QString chosen = QInputDialog::getItem(this, windowTitle(), title + QStringLiteral(" :"),
                                                 items, 0, true, &ok);
    if (!ok || chosen.trimmed().isEmpty())
        return std::nullopt;
    return chosen.section(QStringLiteral(" - "), 0, 0).trimmed();
}

void TCORTF034::askAndMove(Ask what, Reading::Type type) {
    if (m_lines.isEmpty())
        return refuse(kNoTools);
    if (const auto code = ask(what))
        moveTo(type, *code);
    ui->Edit_Leitura->setFocus(Qt::OtherFocusReason);
}

void TCORTF034::BotGuardarClick() {
    askAndMove(Ask::Place, Reading::Type::Place);
}

void TCORTF034::BotMaquinaClick() {
    askAndMove(Ask::Machine, Reading::Type::Machine);
}

void TCORTF034::BotFornecedorClick() {
    askAndMove(Ask::Supplier, Reading::Type::Supplier);
}

void TCORTF034::BotAbaterClick() {
    if (m_lines.isEmpty())
        return refuse(kNoTools);
    if (!m_canScrap)
        return refuse(kNoScrapRight);
    if (!m_session.messages().ask(kConfirmScrap.arg(m_lines.size())))
        return;
    Destination to;
    to.state = State::Scrapped;
    move(to, QStringLiteral("abatida(s)"));
    ui->Edit_Leitura->setFocus(Qt::OtherFocusReason);
}

void TCORTF034::BotLimparClick() {
    m_lines.clear();
    m_list->removeRows(0, m_list->rowCount());
    say(QString());
    ui->Edit_Leitura->setFocus(Qt::OtherFocusReason);
}

void TCORTF034::BotOndeEstaClick() {
    // The tool typed in the box; else the one of the list's current row.
    Tool tool;
    const int row = ui->DBGridLista->currentIndex().row();
    if (ui->Edit_Leitura->text().trimmed().isEmpty() && row >= 0 && row < m_lines.size()) {
        tool = m_lines[row].tool;
    } else {
        const Reading r = parseReading(ui->Edit_Leitura->text());
        QList<Tool> tools;
        QString error;
        if (r.type == Reading::Type::Tool)
            tools << Tool{r.kind, r.value};
        else if (r.type == Reading::Type::Bare && !resolveBare(mainDb(), r.value, &tools, &error))
            return refuse(error);
        if (tools.isEmpty())
            return refuse(r.type == Reading::Type::Bare ? kUnknownTool.arg(r.value) : kReadTool);
        tool = tools.first();
        ui->Edit_Leitura->clear();
    }
    const QString line = locationLine(mainDb(), invoicingDb(), tool);
    showSearch(Search::History, historyStatement(tool),
               QStringLiteral("%1 - %2").arg(toolName(tool), line));
    ui->Edit_Leitura->setFocus(Qt::OtherFocusReason);
}

void TCORTF034::BotConteudoClick() {
    const Reading r = parseReading(ui->Edit_Leitura->text());
    std::optional<QString> place;
    if (r.type == Reading::Type::Place) {
        place = r.value;
        ui->Edit_Leitura->clear();
    } else {
        place = ask(Ask::Place);
    }
    if (place)
        showContents(*place);
    ui->Edit_Leitura->setFocus(Qt::OtherFocusReason);
}

void TCORTF034::showContents(const QString& place) {
    QString error;
    const QSqlRecord row = findCode({kDbFalquinas, QStringLiteral("LOCAIS")}, place.trimmed(),
                                    {QStringLiteral("CODIGO")}, &error);
    if (row.isEmpty())
        return refuse(error.isEmpty() ? kUnknownPlace.arg(place.trimmed()) : error);
    const QString code = row.value(0).toString();
    showSearch(Search::Contents, placeContentsStatement(code),
               QStringLiteral("Conteúdo do Local %1").arg(code));
}

void TCORTF034::BotForaArmazemClick() {
    const int days = ui->Edit_Dias->value();
    showSearch(Search::Away,
               awayStatement(SqlDialect::forDatabase(mainDb()), QDateTime::currentDateTime(), days),
               QStringLiteral("Fora do armazém há mais de %1 dias").arg(days));
    ui->Edit_Leitura->setFocus(Qt::OtherFocusReason);
}

QString TCORTF034::destinationText(const QString& state, const QVariant& place,
                                   const QVariant& machine, const QVariant& supplier) {
    Whereabouts where;
    where.known = true;
    where.state = stateFromCode(state);
    if (where.state == State::Store)
        return place.toString();
    if (where.state == State::Scrapped)
        return QString();
    const bool atMachine = where.state == State::Machine;
    where.machine = machine.toInt();
    where.supplier = supplier.toInt();
    const QString code = QString::number(atMachine ? where.machine : where.supplier);
    const QString key = (atMachine ? QStringLiteral("M") : QStringLiteral("F")) + code;
    if (!m_names.contains(key))
        m_names.insert(key, destinationName(mainDb(), invoicingDb(), where));
    const QString name = m_names.value(key);
    return (atMachine ? QStringLiteral("Máquina ") : QStringLiteral("Fornecedor ")) + code +
           (name.isEmpty() ? QString() : QStringLiteral(" - ") + name);
}

bool TCORTF034::showSearch(Search search, const Statement& statement, const QString& title) {
    QSqlQuery q(mainDb());
    QString error;
    if (!runStatement(q, statement, &error)) {
        m_session.messages().show(error, true);
        return false;
    }
    m_found->clear();
    m_names.clear();
    const QDateTime now = QDateTime::currentDateTime();
    switch (search) {
    case Search::History:
        m_found->setHorizontalHeaderLabels({QStringLiteral("Data"), QStringLiteral("Estado"),
                                            QStringLiteral("Onde"), QStringLiteral("Utilizador"),
                                            QStringLiteral("Posto"), QStringLiteral("Obs.")});
        break;
    case Search::Contents:
        m_found->setHorizontalHeaderLabels({QStringLiteral("Tipo"), QStringLiteral("Nº"),
                                            QStringLiteral("Cliente"), QStringLiteral("Referência"),
                                            QStringLiteral("Desde"), QStringLiteral("Utilizador")});
        break;
    case Search::Away:
        m_found->setHorizontalHeaderLabels({QStringLiteral("Tipo"), QStringLiteral("Nº"),
                                            QStringLiteral("Onde"), QStringLiteral("Desde"),
                                            QStringLiteral("Dias"), QStringLiteral("Cliente"),
                                            QStringLiteral("Referência")});
        break;
    }
    while (q.next()) {
        const QSqlRecord r = q.record();
        const QString kind = kindText(r.value("TIPOREG").toString());
        const QString number = r.value("NRO").toString();
        const QString state = r.value("ESTADO").toString();
        const QDateTime since = r.value("DATA").toDateTime();
        const QString sinceText = since.toString("dd/MM/yyyy hh:mm");
        switch (search) {
        case Search::History:
            m_found->appendRow(itemRow({sinceText, stateText(stateFromCode(state)),
                                        destinationText(state, r.value("LOCAL"), r.value("MAQUINA"),
                                                        r.value("FORNECEDOR")),
                                        r.value("UTIL").toString(), r.value("POSTO").toString(),
                                        r.value("OBS").toString()}));
            break;
        case Search::Contents:
            m_found->appendRow(
                itemRow({kind, number, r.value("SIGLACLI").toString(),
                         r.value("REFERENCIA").toString(), sinceText, r.value("UTIL").toString()}));
            break;
        case Search::Away:
            m_found->appendRow(
                itemRow({kind, number,
                         destinationText(state, r.value("LOCAL"), r.value("MAQUINA"),
                                         r.value("FORNECEDOR")),
                         sinceText, QString::number(since.isValid() ? since.daysTo(now) : 0),
                         r.value("SIGLACLI").toString(), r.value("REFERENCIA").toString()}));
            break;
        }
    }
    m_foundTitle = title;
    ui->LabelPesquisa->setText(
        QStringLiteral("%1 (%2 linha(s))").arg(title).arg(m_found->rowCount()));
    ui->DBGridHist->resizeColumnsToContents();
    return true;
}

void TCORTF034::BitPrintClick() {
    if (m_found->columnCount() == 0)
        return;
    // The grid as it is shown, one report column per grid column.
    reports::Form form;
    form.name = QStringLiteral("TCORTFPR034");
    form.title = windowTitle();
    form.criteria << m_foundTitle;
    QStringList fields;
    QVector<QVariantList> rows;
    for (int c = 0; c < m_found->columnCount(); ++c) {
        const QString field = QStringLiteral("C%1").arg(c);
        fields << field;
        int width = int(m_found->headerData(c, Qt::Horizontal).toString().size());
        for (int r = 0; r < m_found->rowCount(); ++r)
            width = qMax(width, int(m_found->item(r, c)->text().size()));
        form.columns << reports::Column{m_found->headerData(c, Qt::Horizontal).toString(), field,
                                        qMin(width, 30)};
    }
    for (int r = 0; r < m_found->rowCount(); ++r) {
        QVariantList row;
        for (int c = 0; c < m_found->columnCount(); ++c)
            row << m_found->item(r, c)->text();
        rows << row;
    }
    reports::TableSource source(fields, rows);
    ReportPreview preview(form, source, reportContext(m_session), m_session.messages(), this);
    if (m_runPreview)
        m_runPreview(preview);
    else
        preview.exec();
}

void TCORTF034::BotExcelClick() {
    m_exporter->exportGrid(this, ui->DBGridHist,
                           m_foundTitle.isEmpty() ? windowTitle() : m_foundTitle);
}

} // namespace falq
