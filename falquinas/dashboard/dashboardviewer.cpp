#include "dashboardviewer.h"

#include "connections.h"
#include "documents.h"
#include "imagecontrol.h"
#include "session.h"
#include "viewerwindow.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabWidget>
#include <QVBoxLayout>

namespace falq::dashboard {

namespace {

QRadioButton* radio(const char* name, const QString& caption, QGroupBox* group) {
    auto* b = new QRadioButton(caption, group);
    b->setObjectName(QString::fromLatin1(name));
    group->layout()->addWidget(b);
    return b;
}

QGroupBox* group(const char* name, QWidget* parent) {
    auto* g = new QGroupBox(parent);
    g->setObjectName(QString::fromLatin1(name));
    new QHBoxLayout(g);
    return g;
}

// The record the full viewer shows: the cliché, or the drawing with its code names.
QString viewerStatement(bool cliche) {
    if (cliche)
        return QStringLiteral("SELECT * FROM CLICHES WHERE CLICHENRO = :Numero");
    return QStringLiteral("SELECT DES.*, COALESCE(DSN.NOME, '') AS DESENHADOR_DES, "
                          "COALESCE(MAQ.DESIGNACAO, '') AS MAQUINA_DES, "
                          "COALESCE(CRT.DESIGNACAO, '') AS CARTAO_DES FROM DESENHOS DES "
                          "LEFT JOIN DESENHADORES DSN ON DSN.CODIGO = DES.DESENHADOR "
                          "LEFT JOIN MAQUINAS MAQ ON MAQ.CODIGO = DES.MAQUINA "
                          "LEFT JOIN CARTOES CRT ON CRT.CODIGO = DES.CARTAO "
                          "WHERE DES.DESENHONRO = :Numero");
}

} // namespace

DashboardViewer::DashboardViewer(Session& session, QWidget* parent)
    : QWidget(parent), m_session(session) {
    auto* layout = new QVBoxLayout(this);
    m_typeGroup = group("Grupo_Tipo", this);
    m_purchases = radio("RadCompras", QStringLiteral("Compras"), m_typeGroup);
    m_repairs = radio("RadReparacoes", QStringLiteral("Reparações"), m_typeGroup);
    m_bothTypes = radio("RadAmbos", QStringLiteral("Ambos"), m_typeGroup);
    m_kindGroup = group("Grupo_TipoReg", this);
    m_cliches = radio("RadCliches", QStringLiteral("Clichés"), m_kindGroup);
    m_drawings = radio("RadDesenhos", QStringLiteral("Desenhos"), m_kindGroup);
    m_bothKinds = radio("RadAmbos1", QStringLiteral("Ambos"), m_kindGroup);
    auto* filters = new QHBoxLayout;
    filters->addWidget(m_typeGroup);
    filters->addWidget(m_kindGroup);
    filters->addStretch();
    layout->addLayout(filters);
    for (QRadioButton* b :
         {m_purchases, m_repairs, m_bothTypes, m_cliches, m_drawings, m_bothKinds})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                emit filtersChanged();
        });
    resetFilters();

    m_photos = new QTabWidget(this);
    m_photos->setObjectName(QStringLiteral("NBFOTOS"));
    m_image = new ImageControl(m_photos);
    m_image->setObjectName(QStringLiteral("ML1"));
    m_image->setToolTip(QStringLiteral("Click 2 Vezes para Visualizar"));
    m_photos->addTab(m_image, QStringLiteral("Foto"));
    auto* docsPage = new QWidget(m_photos);
    auto* docs = new QHBoxLayout(docsPage);
    m_documents = new DocumentList(docsPage);
    m_documents->setObjectName(QStringLiteral("FileListBoxAnexo"));
    m_documents->setToolTip(QStringLiteral("Seleccione e click 2 vezes para visualizar"));
    m_documents->setMaximumWidth(220);
    auto* shown = new QVBoxLayout;
    auto* caption =
        new QLabel(QStringLiteral("Click c/ o Botão do Lado Direito do Rato para MENU"), docsPage);
    m_document = new DocumentView(docsPage);
    m_document->setObjectName(QStringLiteral("OleContainerPag1"));
    shown->addWidget(caption);
    shown->addWidget(m_document, 1);
    docs->addWidget(m_documents);
    docs->addLayout(shown, 1);
    m_photos->addTab(docsPage, QStringLiteral("PDF,Email,Video,Jpg,Word,Excel,Powerpoint,Corel"));
    layout->addWidget(m_photos, 1);

    connect(m_image, &ImageControl::clicked, this, &DashboardViewer::ML1Click);
    connect(m_documents, &QListWidget::itemDoubleClicked, this,
            &DashboardViewer::FileListBoxAnexoDblClick);
}

void DashboardViewer::readParameters() {
    m_params = readImageParameters(QSqlDatabase::database(kDbFalquinas));
}

void DashboardViewer::clear() {
    m_document->clear();
    m_documents->showRecord(QString(), QString());
    m_image->clear();
    m_kind.clear();
    m_path.clear();
    m_number.clear();
}

void DashboardViewer::showRecord(const QString& kind, const QString& number) {
    clear();
    const bool drawing = kind == QLatin1String("DS");
    const QString folder = drawing ? m_params.drawingFolder : m_params.clicheFolder;
    const QString key = drawing ? number : number.left(12);
    const QString path = drawing ? drawingImagePath(m_params, key) : clicheImagePath(m_params, key);
    m_kind = kind;
    m_number = key;
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        m_image->load(path);
        m_path = path;
    }
    if (!key.isEmpty())
        m_documents->showRecord(folder, key);
}

Filters DashboardViewer::filters() const {
    Filters f;
    f.type = m_purchases->isChecked() ? TypeFilter::Purchases
             : m_repairs->isChecked() ? TypeFilter::Repairs
                                      : TypeFilter::Both;
    f.kind = m_cliches->isChecked()    ? KindFilter::Cliches
             : m_drawings->isChecked() ? KindFilter::Drawings
                                       : KindFilter::Both;
    return f;
}

void DashboardViewer::resetFilters() {
    const QSignalBlocker a(m_bothTypes), b(m_bothKinds), c(m_purchases), d(m_repairs), e(m_cliches),
        f(m_drawings);
    m_bothTypes->setChecked(true);
    m_bothKinds->setChecked(true);
}

void DashboardViewer::showFilters(bool type, bool kind) {
    m_typeGroup->setVisible(type);
    m_kindGroup->setVisible(kind);
}

void DashboardViewer::ML1Click() {
    if (m_path.isEmpty())
        return;
    const bool cliche = m_kind == QLatin1String("CL");
    QSqlDatabase db = QSqlDatabase::database(kDbFalquinas);
    QSqlQuery q(db);
    q.prepare(viewerStatement(cliche));
    q.bindValue(QStringLiteral(":Numero"), m_number);
    if (!q.exec()) {
        m_session.messages().show(q.lastError().text(), true);
        return;
    }
    if (!q.next())
        return;
    const QSqlRecord record = q.record();
    q.finish();
    std::unique_ptr<ViewerWindow> viewer;
    if (cliche) {
        viewer = std::make_unique<TClicheViewer>(m_path, fieldsOf(record), db, window());
        viewer->setObjectName(QStringLiteral("TFACFMENUCLICHE"));
    } else {
        viewer = std::make_unique<TDesenhoViewer>(m_path, fieldsOf(record), window());
        viewer->setObjectName(QStringLiteral("TFACFMENUDESENHO"));
    }
    viewer->exec();
}

void DashboardViewer::FileListBoxAnexoDblClick() {
    showSelectedDocument(*m_documents, *m_document, m_session.messages());
}

} // namespace falq::dashboard
