#include "listingwindow.h"

#include "codenames.h"

#include "connections.h"
#include "criteriapage.h"
#include "dataset.h"
#include "datasetsource.h"
#include "datasetviews.h"
#include "documentspage.h"
#include "entertab.h"
#include "gridexport.h"
#include "imagecontrol.h"
#include "plantroot.h"
#include "reportpreview.h"
#include "session.h"
#include "unitDtFalquinas.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>

namespace falq {

namespace {
const QString kProgram = QStringLiteral("Impressao");

void bindSelection(Dataset* set, const SearchStatement& s) {
    set->setStatement(s.sql);
    set->clearBindings();
    for (const auto& b : s.binds)
        set->bindValue(b.first, b.second);
}
} // namespace

ListingWindow::ListingWindow(Session& session, ListingKind kind, QWidget* parent)
    : QDialog(parent), m_session(session), m_kind(std::move(kind)),
      m_parger(session.dataset(ds::PARGER)), m_exporter(std::make_unique<GridExporter>(session)) {
    // The window's own selection: read only.
    m_list = new Dataset(m_kind.table, kDbFalquinas, QString(), UpdateObject{}, this);
    QList<FieldPresentation> shown;
    for (const SearchColumn& c : std::as_const(m_kind.results))
        shown << FieldPresentation{c.field, c.title, false, {}};
    m_list->setPresentation(shown);
    connect(m_list, &Dataset::currentRowChanged, this, &ListingWindow::recordDisplay);
}

ListingWindow::~ListingWindow() = default;

void ListingWindow::setUpParts(const ListingParts& parts) {
    m_parts = parts;
    parts.criteria->addWidget(parts.page);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusPanel0"));
    parts.criteria->addWidget(m_status);
    parts.page->setStatusLabel(m_status);
    connect(parts.page, &CriteriaPage::searchChanged, this, [this] {
        if (m_opened)
            OpenList();
    });
    bindGrid(parts.grid, m_list);
    parts.grid->setWordWrap(false);
    parts.grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    if (parts.detail)
        bindCurrentRowGrid(parts.detail, m_list, m_kind.detail);
    parts.exportGrid->setModel(m_list);
    parts.exportGrid->hide();
    parts.simple->setChecked(true);
    parts.photos->setChecked(false);
    for (QPushButton* b : {parts.print, parts.excel, parts.close})
        b->setAutoDefault(false);
    connect(parts.print, &QPushButton::clicked, this, [this] { BitPrintClick(); });
    connect(parts.excel, &QPushButton::clicked, this, &ListingWindow::BotExcelClick);
    connect(parts.close, &QPushButton::clicked, this, &QDialog::close);

    m_preview = new ImageControl(this);
    m_preview->setObjectName(QStringLiteral("ML1"));
    m_preview->setFocusPolicy(Qt::NoFocus);
    m_preview->setToolTip(QStringLiteral("Click 2 Vezes para Visualizar"));
    parts.preview->addWidget(m_preview);
    connect(m_preview, &ImageControl::clicked, this, &ListingWindow::previewClicked);
    m_documents = new DocumentsPage(m_session.messages(), this);
    m_documents->setReadOnly(true);
    parts.documents->addWidget(m_documents);
    EnterAsTab::install(this);
}

// ---- opening and closing --------------------------------------------------------------------

void ListingWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!m_opened)
        openSteps();
}

bool ListingWindow::event(QEvent* e) {
    // A viewer or dialog closing over the window re-activates it: the rights are read again,
    // nothing else changes.
    if (e->type() == QEvent::WindowActivate && m_opened)
        ReadAcessosUtil();
    return QDialog::event(e);
}

void ListingWindow::ReadAcessosUtil() {
    m_rights = m_session.rights(m_kind.chapter, kProgram);
    m_parts.print->setVisible(m_rights.imprimir);
}

void ListingWindow::openSteps() {
    m_opened = true;
    ReadAcessosUtil();
    m_parger->close();
    m_parger->open();
    m_images.clicheFolder =
        resolveFolder(fieldText(m_parger->fieldValue(QStringLiteral("PATHCLICHE"))));
    m_images.drawingFolder =
        resolveFolder(fieldText(m_parger->fieldValue(QStringLiteral("PATHDESENHO"))));
    m_images.imageType = fieldText(m_parger->fieldValue(QStringLiteral("TIPOIMAGEM")));
    // The criteria start from their defaults at each showing.
    m_parts.page->book()->setCurrentIndex(0);
    m_parts.page->openLookups();
    m_parts.page->resetToDefaults();
    FormActivate();
    OpenList();
    m_parts.grid->setFocus(Qt::OtherFocusReason);
}

void ListingWindow::reject() {
    close();
}

void ListingWindow::closeEvent(QCloseEvent* e) {
    if (m_opened) {
        m_opened = false;
        m_documents->closeDocument();
        m_list->close();
        m_parger->close();
        m_parts.page->closeLookups();
    }
    e->accept();
    QDialog::reject();
}

// ---- the selection ---------------------------------------------------------------------------

bool ListingWindow::OpenList() {
    m_list->close();
    bindSelection(m_list, selection());
    QString error;
    const bool opened = m_list->open(&error);
    if (!opened)
        m_session.messages().show(error, true);
    // The hidden grid of the export: the kind's columns in their order.
    QList<GridColumn> exported;
    for (const QString& field : m_kind.exportColumns)
        exported << GridColumn{field};
    presentColumns(m_parts.exportGrid, m_list, exported);
    recordDisplay();
    return opened;
}

bool ListingWindow::BitPrintClick() {
    if (!m_parts.page->checkRanges())
        return false; // the refused range's message: nothing printed until the ranges hold
    m_list->close();
    // The report's own copy of the selection, read as the report reaches its rows.
    Dataset rows(m_kind.table, kDbFalquinas, QString(), UpdateObject{});
    bindSelection(&rows, selection());
    QString error;
    bool previewed = false;
    if (!rows.open(&error)) {
        m_session.messages().show(error, true);
    } else if (!rows.isEmpty()) {
        const reports::Form form =
            reportForm(m_parts.complete->isChecked(), m_parts.photos->isChecked());
        reports::DatasetSource source(rows);
        ReportPreview preview(form, source, reportContext(m_session), m_session.messages(), this);
        preview.setObjectName(form.name);
        preview.exec();
        previewed = true;
    }
    rows.close();
    OpenList();
    return previewed;
}

void ListingWindow::BotExcelClick() {
    m_exporter->exportGrid(this, m_parts.exportGrid, m_kind.tableTitle);
}

// ---- the record's photo and documents -------------------------------------------------------

QString ListingWindow::imagePath() const {
    const QString number =
        m_list->currentRow() < 0 ? QString() : fieldText(m_list->fieldValue(m_kind.numberField));
    if (number.isEmpty())
        return {};
    return m_kind.imagePath(m_images, number);
}

void ListingWindow::recordDisplay() {
    if (!m_preview)
        return;
    const QString number =
        m_list->currentRow() < 0 ? QString() : fieldText(m_list->fieldValue(m_kind.numberField));
    const QString folder =
        m_kind.table == QLatin1String("CLICHES") ? m_images.clicheFolder : m_images.drawingFolder;
    m_documents->closeDocument();
    m_documents->showRecord(folder, number);
    const QString path = imagePath();
    if (!path.isEmpty() && QFileInfo::exists(path))
        m_preview->load(path);
    else
        m_preview->clear();
}

void ListingWindow::previewClicked() {
    const QString path = imagePath();
    if (m_preview->isEmpty() || path.isEmpty())
        return;
    showViewer(path);
}

} // namespace falq
