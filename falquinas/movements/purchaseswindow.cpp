#include "purchaseswindow.h"

#include "connections.h"
#include "dataset.h"
#include "datasetviews.h"
#include "documentspage.h"
#include "entertab.h"
#include "imagecontrol.h"
#include "plantroot.h"
#include "reportpreview.h"
#include "session.h"
#include "viewerwindow.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>

namespace falq {

using namespace movements;

namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
const QString kBadPeriod = QStringLiteral("Limite de Datas Invalida ...");

// The record an item's viewer shows, by number; false when there is none.
bool readItem(const QSqlDatabase& db, bool drawing, const QString& number, QSqlRecord* record) {
    const QString sql =
        drawing ? QStringLiteral("SELECT DES.*, COALESCE(DSN.NOME, '') AS DESENHADOR_DES, "
                                 "COALESCE(MAQ.DESIGNACAO, '') AS MAQUINA_DES, "
                                 "COALESCE(CRT.DESIGNACAO, '') AS CARTAO_DES FROM DESENHOS DES "
                                 "LEFT JOIN DESENHADORES DSN ON DSN.CODIGO = DES.DESENHADOR "
                                 "LEFT JOIN MAQUINAS MAQ ON MAQ.CODIGO = DES.MAQUINA "
                                 "LEFT JOIN CARTOES CRT ON CRT.CODIGO = DES.CARTAO "
                                 "WHERE DES.DESENHONRO = :NUMERO")
                : QStringLiteral("SELECT * FROM CLICHES WHERE CLICHENRO = :NUMERO");
    QSqlQuery q(db);
    Statement row{sql};
    row.bind(QStringLiteral(":NUMERO"), number);
    if (!runForward(q, row) || !q.next())
        return false;
    *record = q.record();
    for (int i = 0; i < record->count(); ++i)
        record->setValue(i, q.value(i));
    return true;
}

} // namespace

std::unique_ptr<ViewerWindow> itemViewer(bool drawing, const QString& number,
                                         const QString& imagePath, QWidget* parent) {
    const QSqlDatabase db = QSqlDatabase::database(kDbFalquinas, false);
    QSqlRecord record;
    if (imagePath.isEmpty() || !readItem(db, drawing, number, &record))
        return nullptr;
    if (drawing)
        return std::make_unique<TDesenhoViewer>(imagePath, fieldsOf(record), parent);
    return std::make_unique<TClicheViewer>(imagePath, fieldsOf(record), db, parent);
}

void setUpDateBox(QLineEdit* box) {
    box->setInputMask(QStringLiteral("99/99/9999;_"));
}

QDate typedDate(const QLineEdit* box) {
    return QDate::fromString(box->text(), kDateFormat);
}

PurchasesWindow::PurchasesWindow(Session& session, QWidget* parent)
    : QDialog(parent), m_session(session) {
    m_runPreview = [this](PreparedReport& prepared) {
        ReportPreview preview(prepared.form, *prepared.source, reportContext(m_session),
                              m_session.messages(), this);
        preview.setWindowTitle(prepared.caption);
        preview.exec();
    };
    m_runViewer = [](QDialog& viewer) { viewer.exec(); };
}

PurchasesWindow::~PurchasesWindow() = default;

void PurchasesWindow::setUpListing(const QList<FieldPresentation>& columns, PictureViewer viewer) {
    m_viewer = viewer;
    m_from = child<QLineEdit>("Edit_DatEnc1");
    m_to = child<QLineEdit>("Edit_DatEnc2");
    m_supplier = child<QLineEdit>("Edit_Fornecedor");
    m_client = child<QLineEdit>("Edit_Cliente");
    setUpDateBox(m_from);
    setUpDateBox(m_to);
    m_grid = child<QTableView>("DBGrid1");
    m_rows = new Dataset(
        QStringLiteral("REPARACOES"), kDbFalquinas, purchasesStatement(SqlDialect(), m_filter).sql,
        UpdateObject{QStringLiteral("REPARACOES"), {QStringLiteral("NRO")}, {}}, this);
    m_rows->setPresentation(columns);
    bindGrid(m_grid, m_rows);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    connect(m_rows, &Dataset::currentRowChanged, this, &PurchasesWindow::rowChanged);

    m_ML1 = new ImageControl(this);
    m_ML1->setObjectName(QStringLiteral("ML1"));
    m_ML1->setToolTip(QStringLiteral("Click 2 Vezes para Visualizar"));
    m_ML1->setStretch(true);
    child<QBoxLayout>("FotoLayout")->addWidget(m_ML1);
    connect(m_ML1, &ImageControl::clicked, this, &PurchasesWindow::ML1Click);
    m_documents = new DocumentsPage(m_session.messages(), this);
    m_documents->setReadOnly(true);
    child<QBoxLayout>("AnexosLayout")->addWidget(m_documents);

    for (const char* name : {"RadCompras", "RadReparacoes", "RadAmbosTipo", "RadCliches",
                             "RadDesenhos", "RadAmbosObjecto", "RadDetalhar", "RadTotCliente",
                             "RadTotFornec", "RadAlfabetica", "RadValor"})
        if (auto* radio = child<QRadioButton>(name))
            connect(radio, &QRadioButton::clicked, this, [this] { rebuild(); });
    connect(child<QPushButton>("BitTerminar"), &QPushButton::clicked, this, &QDialog::close);
    connect(qApp, &QApplication::focusChanged, this, &PurchasesWindow::focusChanged);
    EnterAsTab::install(this);
}

bool PurchasesWindow::event(QEvent* e) {
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

void PurchasesWindow::FormActivate() {
    everyActivation();
    if (!m_initialised) {
        m_initialised = true;
        QString error;
        m_images = readImageParameters(QSqlDatabase::database(kDbFalquinas, false), &error);
        if (!error.isEmpty())
            m_session.messages().show(error, true);
        applyDefaults();
    }
    rebuild();
}

void PurchasesWindow::done(int result) {
    // The next opening starts from the defaults again.
    m_initialised = false;
    QDialog::done(result);
}

void PurchasesWindow::setDates(const QDate& from, const QDate& to) {
    m_filter.from = from;
    m_filter.to = to;
    m_from->setText(from.toString(kDateFormat));
    m_to->setText(to.toString(kDateFormat));
}

void PurchasesWindow::setPatterns(const QString& pattern) {
    m_supplier->setText(pattern);
    if (m_client)
        m_client->setText(pattern);
}

bool PurchasesWindow::rebuild() {
    showOptions();
    if (m_supplier->text().isEmpty())
        m_supplier->setText(QStringLiteral("%"));
    if (m_client && m_client->text().isEmpty())
        m_client->setText(QStringLiteral("%"));
    m_filter.supplierPattern = m_supplier->text();
    m_filter.clientPattern = m_client ? m_client->text() : QStringLiteral("%");
    m_filter.cost = child<QRadioButton>("RadCompras")->isChecked()      ? CostKind::Purchases
                    : child<QRadioButton>("RadReparacoes")->isChecked() ? CostKind::Repairs
                                                                        : CostKind::Both;
    m_filter.items = child<QRadioButton>("RadCliches")->isChecked()    ? ItemKinds::Cliches
                     : child<QRadioButton>("RadDesenhos")->isChecked() ? ItemKinds::Drawings
                                                                       : ItemKinds::Both;
    const Statement s = purchasesStatement(m_rows->dialect(), m_filter);
    m_rows->close();
    m_rows->setStatement(s);
    QString error;
    const bool opened = m_rows->open(&error);
    QStringList criteria{s.sql};
    for (const QVariant& value : s.values())
        criteria << value.toString();
    m_listFailure.report(m_session.messages(), criteria.join(QLatin1Char('\n')),
                         opened ? QString() : error);
    if (!opened) {
        clearItem();
        return false;
    }
    if (!m_sized && m_rows->rowCount() > 0) {
        m_sized = true;
        m_grid->resizeColumnsToContents();
    }
    rowChanged();
    return true;
}

void PurchasesWindow::focusChanged(QWidget* old, QWidget* now) {
    // Only moves inside this window: a message box or a viewer opening is no box left.
    if (!old || !now || !isAncestorOf(old) || !isAncestorOf(now))
        return;
    if (m_refused && now == m_refused) {
        m_refused = nullptr;
        return;
    }
    if (auto* box = qobject_cast<QLineEdit*>(old))
        leaveBox(box);
}

void PurchasesWindow::leaveBox(QLineEdit* box) {
    if (box == m_from || box == m_to) {
        const QDate date = typedDate(box);
        if (!date.isValid()) {
            m_refused = box;
            m_session.messages().showForField(box, kBadDate);
            return;
        }
        if (box == m_to && date < m_filter.from) {
            m_refused = m_from;
            m_session.messages().showForField(m_from, kBadPeriod);
            return;
        }
        (box == m_from ? m_filter.from : m_filter.to) = date;
        rebuild();
    } else if (box == m_supplier || (m_client && box == m_client)) {
        rebuild();
    }
}

void PurchasesWindow::clearItem() {
    m_ML1->clear();
    m_itemNumber.clear();
    m_itemPath.clear();
    m_pictureItem.clear();
    m_documents->closeDocument();
    m_documents->showRecord(QString(), QString());
}

void PurchasesWindow::rowChanged() {
    clearItem();
    const int row = m_rows->currentRow();
    if (row < 0)
        return;
    const bool drawing =
        m_rows->fieldValue(QStringLiteral("TIPOREG")).toString() == QLatin1String("DS");
    const QString number =
        m_rows->fieldValue(drawing ? QStringLiteral("DESENHONRO") : QStringLiteral("CLICHENRO"))
            .toString();
    const QString folder = drawing ? m_images.drawingFolder : m_images.clicheFolder;
    const QString path =
        drawing ? drawingImagePath(m_images, number) : clicheImagePath(m_images, number);
    if (!number.isEmpty()) {
        m_itemNumber = number;
        m_itemDrawing = drawing;
        m_itemPath = path;
    }
    if (!number.isEmpty() && !path.isEmpty() && QFileInfo::exists(path)) {
        m_ML1->load(path);
        m_pictureItem = number;
    }
    m_documents->showRecord(folder, number);
}

void PurchasesWindow::ML1Click() {
    if (m_viewer == PictureViewer::Photo) {
        if (m_itemPath.isEmpty())
            return;
        TFotoViewer viewer(m_itemPath, this);
        m_runViewer(viewer);
        return;
    }
    if (m_pictureItem.isEmpty())
        return;
    if (std::unique_ptr<ViewerWindow> viewer =
            itemViewer(m_itemDrawing, m_itemNumber, m_itemPath, this))
        m_runViewer(*viewer);
}

void PurchasesWindow::previewList(PurchasesList list, TotalsOrder order, bool photos) {
    PurchasesListOptions options;
    options.filter = m_filter;
    options.order = order;
    options.photos = photos;
    PreparedReport prepared;
    QString error;
    if (!preparePurchasesList(QSqlDatabase::database(kDbFalquinas, false), m_images, list, options,
                              prepared, &error)) {
        m_session.messages().show(error, true);
        return;
    }
    m_runPreview(prepared);
}

} // namespace falq
