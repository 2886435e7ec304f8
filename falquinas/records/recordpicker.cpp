#include "recordpicker.h"

#include "codenames.h"

#include "connections.h"
#include "criteriapage.h"
#include "dataset.h"
#include "datasetviews.h"
#include "entertab.h"
#include "imagecontrol.h"
#include "imagefiles.h"
#include "session.h"
#include "viewerwindow.h"

#include "ui_RecordPicker.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>

namespace falq {

RecordPicker::RecordPicker(Session& session, PickerCaller caller, Kind kind, CriteriaPage* page,
                           QWidget* parent)
    : QDialog(parent), m_session(session), m_caller(caller), m_kind(std::move(kind)),
      ui(std::make_unique<Ui::RecordPicker>()), m_page(page),
      m_records(new Dataset(m_kind.table, kDbFalquinas, QString(),
                            UpdateObject{m_kind.table, {m_kind.numberField}, {}}, this)),
      m_preview(new ImageControl(this)), m_status0(new QLabel(this)),
      m_params(std::make_unique<ImageParameters>()) {
    ui->setupUi(this);
    setObjectName(m_kind.windowNames[int(caller)]);
    setWindowTitle(m_kind.caption);
    ui->criteriaLayout->addWidget(page);
    page->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    ui->layout->setStretch(1, 1); // the results take the room left
    m_status0->setObjectName(QStringLiteral("StatusPanel0"));
    ui->StatusBar1->addWidget(m_status0, 1);
    page->setStatusLabel(m_status0);
    const bool inRegister = caller != PickerCaller::MainWindow;

    // The results: the window's own query, never applied.
    QList<FieldPresentation> shown;
    for (const SearchColumn& c : std::as_const(m_kind.results))
        shown << FieldPresentation{c.field, c.title};
    m_records->setPresentation(shown);
    bindGrid(ui->DBGrid1, m_records);
    if (inRegister)
        ui->DBGrid1->setToolTip(kPickerSelectHint);
    ui->DBGrid1->horizontalHeader()->setHighlightSections(false);
    ui->DBGrid1->setWordWrap(false);
    ui->DBGrid1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    connect(m_records, &Dataset::currentRowChanged, this, &RecordPicker::rowChanged);
    connect(ui->DBGrid1, &QTableView::doubleClicked, this, [this] {
        if (m_caller != PickerCaller::MainWindow)
            close();
    });
    bindCurrentRowGrid(ui->DBGrid2, m_records, m_kind.detail);
    if (m_kind.navigator) {
        auto* navigator = new Navigator(this);
        navigator->setDataset(m_records);
        ui->navigatorLayout->addWidget(navigator);
    }

    m_preview->setObjectName(QStringLiteral("ML1"));
    m_preview->setFocusPolicy(Qt::NoFocus); // a click opens the viewer of the row shown
    m_preview->setStretch(true);
    m_preview->setToolTip(kPickerPhotoHint);
    ui->previewLayout->addWidget(m_preview);
    connect(m_preview, &ImageControl::clicked, this, &RecordPicker::previewClicked);

    connect(page, &CriteriaPage::searchChanged, this, &RecordPicker::runSearch);
    connect(page, &CriteriaPage::lookupClosed, this, &RecordPicker::focusResultsAgain);
    connect(ui->BitTerminar, &QPushButton::clicked, this, &QDialog::close);
    m_status0->setText(caller == PickerCaller::UsageRegister ? QString() : kPickerBranding);
    EnterAsTab::install(this);
}

RecordPicker::~RecordPicker() {
    if (m_opened)
        FormClose();
}

QString RecordPicker::statusText() const {
    return m_status0->text();
}

void RecordPicker::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!m_opened)
        FormActivate();
}

bool RecordPicker::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && m_resultsOnActivation)
        focusResultsAgain();
    return QDialog::event(e);
}

void RecordPicker::focusResultsAgain() {
    // After the activation has put the focus back where it was, so that the box it was in is
    // left (and its search runs) as if the grid had been clicked.
    m_resultsOnActivation = true;
    QTimer::singleShot(0, this, [this] {
        if (!m_opened || !m_resultsOnActivation || !isActiveWindow())
            return;
        m_resultsOnActivation = false;
        ui->DBGrid1->setFocus(Qt::OtherFocusReason);
    });
}

void RecordPicker::reject() {
    close();
}

void RecordPicker::closeEvent(QCloseEvent* e) {
    if (m_opened)
        FormClose();
    e->accept();
    QDialog::reject();
}

void RecordPicker::FormActivate() {
    // Once per showing: a viewer or a message closing over the window changes nothing.
    m_opened = true;
    m_page->book()->setCurrentIndex(0);
    m_rights = m_session.rights(m_kind.chapter, QStringLiteral("Impressao"));
    *m_params = readImageParameters(QSqlDatabase::database(kDbFalquinas, false));
    m_page->openLookups();
    m_page->resetToDefaults();
    runSearch();
    ui->DBGrid1->setFocus(Qt::OtherFocusReason);
}

void RecordPicker::FormClose() {
    m_opened = false;
    m_resultsOnActivation = false;
    m_records->close();
    m_page->closeLookups();
}

void RecordPicker::runSearch() {
    const SearchStatement s = statement();
    m_records->close();
    m_records->setStatement(s.sql);
    m_records->clearBindings();
    for (const auto& [name, value] : s.binds)
        m_records->bindValue(name, value);
    QString error;
    if (!m_records->open(&error))
        m_session.messages().show(error, true);
    const int charWidth = fontMetrics().averageCharWidth();
    for (int c = 0; c < m_kind.widths.size(); ++c)
        ui->DBGrid1->setColumnWidth(
            c, qMax(m_kind.widths[c] * charWidth,
                    fontMetrics().horizontalAdvance(m_kind.results.value(c).title)) +
                   16);
    rowChanged();
}

void RecordPicker::rowChanged() {
    m_preview->clear();
    const bool row = m_records->currentRow() >= 0;
    m_pick = row ? fieldText(m_records->fieldValue(m_kind.numberField)).left(m_kind.numberSize)
                 : QString();
    const QString path = m_pick.isEmpty() ? QString() : m_kind.imagePath(*m_params, m_pick);
    if (!path.isEmpty() && QFileInfo::exists(path))
        m_preview->load(path);
}

void RecordPicker::previewClicked() {
    const QString path = m_pick.isEmpty() ? QString() : m_kind.imagePath(*m_params, m_pick);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    TFotoViewer viewer(path, this);
    viewer.setObjectName(objectName() + QStringLiteral("FOTO"));
    viewer.exec();
    focusResultsAgain();
}

} // namespace falq
