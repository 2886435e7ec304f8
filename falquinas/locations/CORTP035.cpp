#include "CORTP035.h"

#include "clichecriteria.h"
#include "connections.h"
#include "drawingcriteria.h"
#include "locationqueries.h"
#include "messages.h"
#include "plantconfig.h"
#include "reportpreview.h"
#include "session.h"

#include "ui_CORTP035.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPageLayout>
#include <QStandardItemModel>

namespace falq {

using namespace locations;

namespace {
const QString kChapter = QStringLiteral("Movimentos");
const QString kProgram = QStringLiteral("Etiquetas");
const QString kNoLabels = QStringLiteral("Não há etiquetas para imprimir.");
const QString kNoPlaces = QStringLiteral("Não há locais nesse intervalo.");
const QString kNotRemembered =
    QStringLiteral("O formato escolhido não pôde ser guardado em falquinas.ini (a pasta da "
                   "instalação não aceita a escrita); vale só até fechar a janela.");
constexpr int kCliches = 0;
constexpr int kDrawings = 1;

QSqlDatabase mainDb() {
    return QSqlDatabase::database(kDbFalquinas, false);
}
} // namespace

TCORTF035::TCORTF035(Session& session, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TCORTF035>()), m_session(session),
      m_cliches(new ClicheCriteriaPage(session, this)),
      m_drawings(new DrawingCriteriaPage(session, this)), m_list(new QStandardItemModel(this)) {
    ui->setupUi(this);
    ui->clichesLayout->addWidget(m_cliches);
    ui->desenhosLayout->addWidget(m_drawings);
    m_list->setHorizontalHeaderLabels(
        {QStringLiteral("Código de Barras"), QStringLiteral("Nº"), QStringLiteral("Texto")});
    ui->DBGridEtiquetas->setModel(m_list);
    ui->DBGridEtiquetas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->DBGridEtiquetas->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->DBGridEtiquetas->verticalHeader()->hide();
    ui->DBGridEtiquetas->horizontalHeader()->setStretchLastSection(true);

    // The format last chosen at this installation.
    const QString remembered = PlantConfig::read().labelFormat;
    for (const LabelFormat& f : labelFormats())
        ui->ComboFormato->addItem(f.name, f.key);
    const int chosen = ui->ComboFormato->findData(remembered);
    ui->ComboFormato->setCurrentIndex(chosen >= 0 ? chosen : 0);
    formatChosen();
    connect(ui->ComboFormato, &QComboBox::currentIndexChanged, this, [this] {
        formatChosen();
        if (!PlantConfig::write(QStringLiteral("Etiquetas/Formato"), format().key))
            m_session.messages().show(kNotRemembered, true);
    });

    connect(ui->Edit_Leitura, &QLineEdit::returnPressed, this, [this] {
        const QString typed = ui->Edit_Leitura->text();
        ui->Edit_Leitura->clear();
        read(typed);
    });
    connect(ui->BotJuntar, &QPushButton::clicked, this, &TCORTF035::BotJuntarClick);
    connect(ui->BotLimpar, &QPushButton::clicked, this, &TCORTF035::BotLimparClick);
    connect(ui->BitPrint, &QPushButton::clicked, this, &TCORTF035::BitPrintClick);
    connect(ui->BitTerminar, &QPushButton::clicked, this, &QDialog::close);
}

TCORTF035::~TCORTF035() = default;

void TCORTF035::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (m_opened)
        return;
    m_opened = true;
    QString error;
    const AccessRights r = m_session.rights(kChapter, kProgram, &error);
    if (!error.isEmpty())
        m_session.messages().show(error, true);
    ui->BitPrint->setEnabled(r.imprimir);
    for (CriteriaPage* page :
         {static_cast<CriteriaPage*>(m_cliches), static_cast<CriteriaPage*>(m_drawings)}) {
        page->openLookups();
        page->resetToDefaults();
    }
    ui->Edit_Leitura->setFocus(Qt::OtherFocusReason);
}

void TCORTF035::closeEvent(QCloseEvent* e) {
    m_cliches->closeLookups();
    m_drawings->closeLookups();
    m_opened = false;
    QDialog::closeEvent(e);
}

LabelFormat TCORTF035::format() const {
    const LabelFormat* f = labelFormat(ui->ComboFormato->currentData().toString());
    return f ? *f : a4Sheet();
}

int TCORTF035::offset() const {
    return ui->Edit_Inicio->isEnabled() ? ui->Edit_Inicio->value() - 1 : 0;
}

void TCORTF035::formatChosen() {
    // Only a sheet has positions already used.
    const LabelFormat f = format();
    const int positions = f.columns * f.rows;
    ui->Edit_Inicio->setMaximum(positions);
    ui->Edit_Inicio->setEnabled(positions > 1);
}

void TCORTF035::refuse(const QString& message) {
    m_session.messages().showForField(ui->Edit_Leitura, message, true);
}

void TCORTF035::add(const QList<Label>& labels) {
    for (const Label& l : labels) {
        m_labels << l;
        QList<QStandardItem*> row;
        for (const QString& text : {l.barcode, l.big, l.lines.join(QStringLiteral(" / "))})
            row << new QStandardItem(text);
        m_list->appendRow(row);
    }
    ui->DBGridEtiquetas->resizeColumnsToContents();
    ui->DBGridEtiquetas->scrollToBottom();
    ui->LabelAviso->setText(QStringLiteral("%1 etiqueta(s) na lista.").arg(m_labels.size()));
}

void TCORTF035::read(const QString& typed) {
    const Reading r = parseReading(typed);
    QString error;
    QList<Tool> tools;
    switch (r.type) {
    case Reading::Type::Empty:
        return;
    case Reading::Type::Place: {
        QList<Label> labels;
        if (!placeLabels(mainDb(), r.value, r.value, &labels, &error))
            return refuse(error);
        if (labels.isEmpty())
            return refuse(kUnknownPlace.arg(r.value));
        return add(labels);
    }
    case Reading::Type::Machine:
    case Reading::Type::Supplier:
        return refuse(kUnknownTool.arg(typed.trimmed()));
    case Reading::Type::Tool:
        tools << Tool{r.kind, r.value};
        break;
    case Reading::Type::Bare:
        if (!resolveBare(mainDb(), r.value, &tools, &error))
            return refuse(error);
        if (tools.isEmpty())
            return refuse(kUnknownTool.arg(r.value));
        break;
    }
    QList<Label> labels;
    for (const Tool& t : std::as_const(tools)) {
        ToolLine line;
        bool found = false;
        if (!readToolLine(mainDb(), QSqlDatabase::database(kDbFacturacao, false), t,
                          m_session.context().workingDate, &line, &found, &error))
            return refuse(error);
        if (!found)
            return refuse(kUnknownTool.arg(toolName(t)));
        labels << toolLabel(t.kind, line.tool.number, line.client, line.reference, line.die);
    }
    add(labels);
}

void TCORTF035::BotJuntarClick() {
    QList<Label> labels;
    QString error;
    bool ok = true;
    const int page = ui->NBTipo->currentIndex();
    if (page == kCliches || page == kDrawings) {
        CriteriaPage* criteria = page == kCliches ? static_cast<CriteriaPage*>(m_cliches)
                                                  : static_cast<CriteriaPage*>(m_drawings);
        if (!criteria->checkRanges())
            return;
        const SqlDialect d = SqlDialect::forDatabase(mainDb());
        ok = page == kCliches
                 ? searchLabels(mainDb(), cliches::searchStatement(m_cliches->criteria(), d),
                                ToolKind::Cliche, &labels, &error)
                 : searchLabels(mainDb(), drawings::searchStatement(m_drawings->criteria(), d),
                                ToolKind::Drawing, &labels, &error);
    } else {
        ok = placeLabels(mainDb(), ui->Edit_LocalDe->text(), ui->Edit_LocalAte->text(), &labels,
                         &error);
        if (ok && labels.isEmpty())
            error = kNoPlaces;
    }
    if (!ok || !error.isEmpty()) {
        m_session.messages().show(error, true);
        return;
    }
    add(labels);
}

void TCORTF035::BotLimparClick() {
    m_labels.clear();
    m_list->removeRows(0, m_list->rowCount());
    ui->LabelAviso->clear();
    ui->Edit_Leitura->setFocus(Qt::OtherFocusReason);
}

void TCORTF035::BitPrintClick() {
    if (m_labels.isEmpty()) {
        m_session.messages().show(kNoLabels, true);
        return;
    }
    const LabelFormat f = format();
    const int skip = offset();
    const QList<Label> labels = m_labels;
    PreviewPages pages;
    pages.title = windowTitle();
    pages.layout = QPageLayout(f.page, QPageLayout::Portrait, QMarginsF());
    pages.paint = [f, skip, labels](QPagedPaintDevice* device, const reports::Progress& progress) {
        reports::Result r;
        r.ok = paintLabels(device, f, labels, skip, &r.error, progress);
        r.cancelled = !r.ok && r.error.isEmpty();
        r.pages = labelPages(f, int(labels.size()), skip);
        r.rows = int(labels.size());
        return r;
    };
    pages.writePdf = [f, skip, labels](const QString& path, const reports::Progress&) {
        reports::Result r;
        r.ok = writeLabelsPdf(path, f, labels, skip, &r.error);
        r.path = path;
        return r;
    };
    ReportPreview preview(std::move(pages), m_session.messages(), this);
    if (m_runPreview)
        m_runPreview(preview);
    else
        preview.exec();
}

} // namespace falq
