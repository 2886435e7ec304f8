#include "CORTP999.h"

#include "codenames.h"

#include "connections.h"
#include "dataset.h"
#include "datasetviews.h"
#include "documents.h"
#include "documentspage.h"
#include "entertab.h"
#include "imagecontrol.h"
#include "imagefiles.h"
#include "locatedialog.h"
#include "locationqueries.h"
#include "messages.h"
#include "stationsets.h"
#include "stationsignin.h"
#include "toollife.h"
#include "viewerwindow.h"

#include "ui_CORTP999.h"

#include <QCloseEvent>
#include <QDate>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

namespace falq {

namespace {

// Focus that comes or goes with another window (a message box, "Localizar", a viewer) is
// no entering or leaving of a box.
bool windowFocusChange(const QEvent* event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace

TCORTF999::TCORTF999(Messages& messages, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TCORTF999>()), m_messages(messages) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF999"));
    ui->NB->tabBar()->setFocusPolicy(Qt::NoFocus);
    ui->NB1->tabBar()->setFocusPolicy(Qt::NoFocus);

    m_cliche.tab = ui->TabCliches;
    m_cliche.box = ui->Edit_Cliche;
    m_cliche.next = ui->Edit_Next;
    m_cliche.grid = ui->DBGridCliche;
    m_cliche.fields = {{ui->Edit_Observ1, QStringLiteral("OBSERV1")},
                       {ui->Edit_Observ2, QStringLiteral("OBSERV2")}};
    m_cliche.found = station::createClicheSet(true, this);
    m_cliche.numberField = station::kClicheNumber;
    m_cliche.param = station::kClicheParam;
    m_cliche.status = QStringLiteral("Tecla <Insert> para localizar Cliché ...");
    m_cliche.notFound = QStringLiteral("Cliché Inexistente ...");
    m_cliche.isCliche = true;

    m_drawing.tab = ui->TabDesenhos;
    m_drawing.box = ui->Edit_Desenho;
    m_drawing.next = ui->Edit_Next1;
    m_drawing.grid = ui->DBGridDesenho;
    m_drawing.fields = {{ui->Edit_Largura, QStringLiteral("LARGURA")},
                        {ui->Edit_Comprim, QStringLiteral("COMPRIM")},
                        {ui->Edit_Altura, QStringLiteral("ALTURA")},
                        {ui->Edit_LargPlaca, QStringLiteral("LARG_PLACA")},
                        {ui->Edit_CompPlaca, QStringLiteral("COMP_PLACA")}};
    m_drawing.found = station::createDrawingSet(true, this);
    m_drawing.numberField = station::kDrawingNumber;
    m_drawing.param = station::kDrawingParam;
    m_drawing.status = QStringLiteral("Tecla <Insert> para localizar Desenho ...");
    m_drawing.notFound = QStringLiteral("Desenho Inexistente ...");
    m_drawing.isCliche = false;

    ui->clichesLayout->addWidget(m_cliche.life = new QLabel(this), ui->clichesLayout->rowCount(), 0,
                                 1, -1);
    m_cliche.life->setObjectName(QStringLiteral("Label_VidaCliche"));
    ui->desenhosLayout->addWidget(m_drawing.life = new QLabel(this), ui->desenhosLayout->rowCount(),
                                  0, 1, -1);
    m_drawing.life->setObjectName(QStringLiteral("Label_VidaDesenho"));
    ui->clichesLayout->addWidget(m_cliche.place = new QLabel(this), ui->clichesLayout->rowCount(),
                                 0, 1, -1);
    m_cliche.place->setObjectName(QStringLiteral("Label_LocalizacaoCliche"));
    ui->desenhosLayout->addWidget(m_drawing.place = new QLabel(this),
                                  ui->desenhosLayout->rowCount(), 0, 1, -1);
    m_drawing.place->setObjectName(QStringLiteral("Label_LocalizacaoDesenho"));
    for (Page* page : {&m_cliche, &m_drawing}) {
        bindGrid(page->grid, page->found);
        page->grid->verticalHeader()->hide();
        page->grid->horizontalHeader()->setStretchLastSection(true);
        page->box->installEventFilter(this);
        page->next->installEventFilter(this);
    }

    m_ML1 = new ImageControl(this);
    m_ML1->setObjectName(QStringLiteral("ML1"));
    m_ML1->setFocusPolicy(Qt::NoFocus);
    m_ML1->setToolTip(QStringLiteral("Click 2 Vezes para Visualizar"));
    ui->previewLayout->addWidget(m_ML1);
    connect(m_ML1, &ImageControl::clicked, this, &TCORTF999::ML1Click);

    m_documents = new DocumentsPage(messages, this);
    m_documents->setReadOnly(true);
    // Reached with the mouse only: Tab and Enter go from a number box to the box after it.
    m_documents->list()->setFocusPolicy(Qt::ClickFocus);
    ui->documentsLayout->addWidget(m_documents);

    m_status0 = new QLabel(this);
    m_status0->setObjectName(QStringLiteral("StatusPanel0"));
    ui->StatusBar1->addWidget(m_status0, 1);

    connect(ui->NB, &QTabWidget::currentChanged, this, &TCORTF999::NBChange);
    EnterAsTab::install(this);
}

TCORTF999::~TCORTF999() {
    if (m_open)
        FormClose();
}

QString TCORTF999::statusText() const {
    return m_status0->text();
}

// ---- start and end ----------------------------------------------------------------------------

bool TCORTF999::event(QEvent* e) {
    const bool result = QMainWindow::event(e);
    if (e->type() == QEvent::WindowActivate && !m_startUpDone)
        FormActivate();
    return result;
}

void TCORTF999::FormActivate() {
    m_startUpDone = true;
    ui->NB->setCurrentWidget(ui->TabCliches);
    ui->Label_Empresa->clear();
    ui->Label_Util->clear();
    ui->Label_Data->clear();
    const StationSignIn signIn = signInStation(m_credentialLibrary, stationFilePath());
    if (!signIn.ok) {
        endProgram(signIn.message, signIn.beep);
        return;
    }
    m_open = true;
    ui->Label_Empresa->setText(signIn.companyName);
    ui->Label_Util->setText(signIn.userField);
    ui->Label_Data->setText(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    ui->Edit_Cliche->setFocus(Qt::OtherFocusReason);
}

void TCORTF999::endProgram(const QString& message, bool beep) {
    m_ended = true;
    FormClose();
    m_messages.show(message, beep);
    close();
}

void TCORTF999::closeEvent(QCloseEvent* e) {
    if (m_open)
        FormClose();
    QMainWindow::closeEvent(e);
}

void TCORTF999::FormClose() {
    m_open = false;
    clearRecordDisplay();
    for (Page* page : {&m_cliche, &m_drawing}) {
        page->foundInEntry = false;
        page->found->close();
    }
    closeConnection(kDbFalquinas);
    closeConnection(kDbGeral);
}

// ---- the number boxes -------------------------------------------------------------------------

bool TCORTF999::eventFilter(QObject* watched, QEvent* event) {
    for (Page* page : {&m_cliche, &m_drawing}) {
        if (watched == page->box) {
            if (event->type() == QEvent::FocusIn && !windowFocusChange(event) && m_open)
                boxEnter(*page);
            else if (event->type() == QEvent::FocusOut && !windowFocusChange(event) && m_open)
                boxExit(*page);
            else if (event->type() == QEvent::KeyPress &&
                     static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert &&
                     static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier && m_open) {
                localizar(*page);
                return true;
            }
        } else if (watched == page->next && m_open) {
            if (event->type() == QEvent::FocusIn && !windowFocusChange(event)) {
                nextEnter(*page);
            } else if (event->type() == QEvent::KeyPress &&
                       static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab &&
                       static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
                // Tab or Enter leads back to the number box for the next entry.
                page->box->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TCORTF999::boxEnter(Page& page) {
    m_status0->setText(page.status);
    clearRecordDisplay();
    page.foundInEntry = false;
    page.found->close();
    page.life->clear();
    page.place->clear();
    for (const auto& [box, field] : std::as_const(page.fields))
        box->clear();
    page.box->clear();
}

void TCORTF999::boxExit(Page& page) {
    m_status0->clear();
    // A box hidden by a change of page is not checked: the other page's box takes over.
    if (page.box->text().isEmpty() || !page.box->isVisible())
        return;
    // A scanned tool label: "CL:" + cliché number, "DS:" + drawing number.
    QString typed = page.box->text();
    const locations::Reading reading = locations::parseReading(typed);
    if (reading.type == locations::Reading::Type::Tool) {
        if ((reading.kind == locations::ToolKind::Cliche) != page.isCliche) {
            readOnOtherPage(page, reading.value);
            return;
        }
        typed = reading.value;
        page.box->setText(typed);
    }
    const QString number = page.isCliche ? station::typedClicheNumber(typed) : typed;
    page.found->close();
    page.found->clearBindings();
    page.found->bindValue(page.param, number);
    QString error;
    if (!page.found->open(&error)) {
        page.found->close();
        m_messages.showForField(page.box, error, true);
        return;
    }
    if (page.found->isEmpty()) {
        page.found->close();
        m_messages.showForField(page.box, page.notFound, true);
        return;
    }
    page.found->setCurrentRow(0);
    page.found->presentIn(page.grid);
    for (const auto& [box, field] : std::as_const(page.fields))
        box->setText(fieldText(page.found->fieldValue(field)));
    page.foundInEntry = true;
    const QString found = fieldText(page.found->fieldValue(page.numberField));
    showToolLife(page, found);
    page.place->setText(locations::locationLine(
        QSqlDatabase::database(kDbFalquinas, false), QSqlDatabase::database(kDbFacturacao, false),
        {page.isCliche ? locations::ToolKind::Cliche : locations::ToolKind::Drawing, found}));
}

void TCORTF999::readOnOtherPage(Page& page, const QString& number) {
    Page& other = page.isCliche ? m_drawing : m_cliche;
    page.box->clear();
    // After the focus has left this box: the other page opens on a new entry of that number,
    // checked as if typed there and Enter pressed.
    QTimer::singleShot(0, this, [this, &other, number] {
        ui->NB->setCurrentWidget(other.tab);
        other.box->setFocus(Qt::OtherFocusReason);
        other.box->setText(number);
        other.next->setFocus(Qt::TabFocusReason);
    });
}

QString TCORTF999::clicheLife() const {
    return m_cliche.life->text();
}

QString TCORTF999::drawingLife() const {
    return m_drawing.life->text();
}

void TCORTF999::showToolLife(Page& page, const QString& number) {
    using namespace movements;
    // The station's date is the computer's, as its heading shows.
    const QDate today = QDate::currentDate();
    QSqlDatabase db = QSqlDatabase::database(kDbFalquinas, false);
    const std::optional<ToolLife> tool =
        readToolLife(db, page.isCliche ? ItemKind::Cliche : ItemKind::Drawing, number, today);
    // Plain unless this tool is in warning (the previous tool's colour never stays).
    page.life->setStyleSheet(QString());
    if (!tool) {
        page.life->clear();
        return;
    }
    const QString lastUse = tool->lastUse.isValid()
                                ? tool->lastUse.toString(QStringLiteral("dd/MM/yyyy"))
                                : QStringLiteral("nunca");
    if (!tool->lifeKnown()) {
        page.life->setText(
            QStringLiteral("Vida prevista desconhecida    Última utilização: %1").arg(lastUse));
        return;
    }
    QString end = dateText(tool->wearOutDate(today));
    if (end.isEmpty())
        end = tool->worn() ? QStringLiteral("vida prevista esgotada") : QStringLiteral("-");
    page.life->setText(
        QStringLiteral("Desgaste: %1    Última utilização: %2    Previsão de fim: %3")
            .arg(wearPercentText(*tool), lastUse, end));
    if (tool->inWarning(readToolLifeLimits().warningPercent))
        page.life->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
}

void TCORTF999::nextEnter(Page& page) {
    if (page.foundInEntry)
        showRecord(page);
}

void TCORTF999::localizar(Page& page) {
    // The set is read now, so what other workstations added or validated meanwhile is there.
    std::unique_ptr<Dataset> set(page.isCliche ? station::createClicheSet(false, nullptr)
                                               : station::createDrawingSet(false, nullptr));
    QString error;
    if (!set->open(&error)) {
        m_messages.show(error, true);
        return;
    }
    const QList<SearchColumn> columns =
        page.isCliche ? station::clicheSearchColumns() : station::drawingSearchColumns();
    const QList<int> widths =
        page.isCliche ? station::clicheSearchWidths() : station::drawingSearchWidths();
    LocateDialog dialog(set.get(), columns, m_messages, this);
    const int charWidth = dialog.fontMetrics().horizontalAdvance(QLatin1Char('X'));
    for (int c = 0; c < widths.size(); ++c)
        dialog.grid()->setColumnWidth(c, widths[c] * charWidth + 8);
    if (dialog.choose()) {
        const QString chosen = fieldText(set->fieldValue(page.numberField));
        page.box->setText(page.isCliche ? station::typedClicheNumber(chosen) : chosen);
    }
    set->close();
}

// ---- the record shown -------------------------------------------------------------------------

TCORTF999::Page* TCORTF999::currentPage() {
    if (ui->NB->currentWidget() == m_cliche.tab)
        return &m_cliche;
    if (ui->NB->currentWidget() == m_drawing.tab)
        return &m_drawing;
    return nullptr;
}

TCORTF999::RecordFiles TCORTF999::filesOf(const Page& page) const {
    // The parameters as they are now: another workstation may have moved the folders.
    const ImageParameters params = readImageParameters(QSqlDatabase::database(kDbFalquinas));
    RecordFiles files;
    files.number = fieldText(page.found->fieldValue(page.numberField));
    files.folder = page.isCliche ? params.clicheFolder : params.drawingFolder;
    files.image = page.isCliche ? clicheImagePath(params, files.number)
                                : drawingImagePath(params, files.number);
    if (!QFileInfo(files.image).isFile())
        files.image.clear();
    return files;
}

void TCORTF999::showRecord(Page& page) {
    if (currentPage() != &page || !page.foundInEntry)
        return;
    clearRecordDisplay();
    const RecordFiles files = filesOf(page);
    if (!files.image.isEmpty()) {
        m_ML1->load(files.image);
        m_viewerPath = files.image;
    }
    m_documents->showRecord(files.folder, files.number);
}

void TCORTF999::clearRecordDisplay() {
    m_ML1->clear();
    m_viewerPath.clear();
    m_documents->closeDocument();
    m_documents->showRecord(QString(), QString());
}

void TCORTF999::NBChange(int) {
    // Nothing of the other page's record stays on show; the page's box starts a new entry.
    clearRecordDisplay();
    if (!m_open)
        return;
    if (Page* page = currentPage())
        page->box->setFocus(Qt::OtherFocusReason);
}

void TCORTF999::ML1Click() {
    Page* page = currentPage();
    if (m_ML1->isEmpty() || !page || !page->foundInEntry)
        return;
    const QString path = filesOf(*page).image;
    if (path.isEmpty())
        return;
    m_ML1->load(path);
    m_viewerPath = path;
    std::unique_ptr<ViewerWindow> viewer;
    if (page->isCliche) {
        viewer = std::make_unique<TClicheViewer>(path, fieldsOf(page->found),
                                                 QSqlDatabase::database(kDbFalquinas), this);
        viewer->setObjectName(QStringLiteral("TCORTF999CLICHE"));
    } else {
        viewer = std::make_unique<TDesenhoViewer>(path, fieldsOf(page->found), this);
        viewer->setObjectName(QStringLiteral("TCORTF999DESENHO"));
    }
    viewer->imageControl()->setZoomStep(10);
    viewer->exec();
}

} // namespace falq
