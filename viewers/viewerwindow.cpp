#include "viewerwindow.h"

#include "dataset.h"
#include "entertab.h"
#include "schema.h"

#include "ui_ClicheViewer.h"
#include "ui_DesenhoViewer.h"
#include "ui_FotoViewer.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QSqlQuery>
#include <QSqlRecord>

namespace falq {

FieldSource fieldsOf(const Dataset* dataset) {
    return [dataset](const QString& field) { return dataset->fieldValue(field); };
}

FieldSource fieldsOf(const QSqlRecord& record) {
    // Values as the shared datasets give them: a column of the cliché and drawing tables takes
    // its type from the schema (SQLite hands dates back as text).
    return [record](const QString& field) {
        const QVariant raw = record.value(field);
        for (const QString& table : {QStringLiteral("CLICHES"), QStringLiteral("DESENHOS")})
            if (const ColumnDef* column = schema::findTable(table)->column(field))
                return SqlDialect().toValue(column->type, raw);
        return raw;
    };
}

namespace {
QString text(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::QDateTime || v.metaType().id() == QMetaType::QDate)
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    if (v.metaType().id() == QMetaType::Double)
        return QLocale(QLocale::Portuguese, QLocale::Portugal).toString(v.toDouble(), 'g', 15);
    return v.toString();
}

QString measures(const FieldSource& f, const QStringList& fields) {
    QStringList parts;
    for (const QString& name : fields)
        parts << text(f(name));
    return parts.join(QStringLiteral(" x "));
}
} // namespace

ViewerWindow::ViewerWindow(const QString& imagePath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_path(imagePath) {}

void ViewerWindow::setUpViewer(QLayout* layout) {
    m_image = new ImageControl(this);
    layout->addWidget(m_image);
    connect(m_image, &ImageControl::doubleClicked, this, &QDialog::accept);
    EnterAsTab::install(this);
}

void ViewerWindow::fillBoxes(const FieldSource& fields) {
    // Each box Edit_<COLUMN> shows its column.
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        const QString name = edit->objectName();
        if (name.startsWith(QLatin1String("Edit_")))
            edit->setText(text(fields(name.mid(5))));
    }
}

void ViewerWindow::showEvent(QShowEvent* e) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    QDialog::showEvent(e);
    fillFields();
    m_image->cancelRubberBand();
    m_image->load(QFileInfo(m_path).isFile() ? m_path : QString());
    m_image->setStretch(true);
}

TClicheViewer::TClicheViewer(const QString& imagePath, const FieldSource& fields,
                             const QSqlDatabase& db, QWidget* parent)
    : ViewerWindow(imagePath, parent), ui(std::make_unique<Ui::TClicheViewer>()), m_fields(fields),
      m_db(db) {
    ui->setupUi(this);
    setUpViewer(ui->imageLayout);
}

TClicheViewer::~TClicheViewer() = default;

void TClicheViewer::fillFields() {
    fillBoxes(m_fields);
    QLineEdit* boxes[] = {ui->Label_Cor01, ui->Label_Cor02, ui->Label_Cor03,
                          ui->Label_Cor04, ui->Label_Cor05, ui->Label_Cor06};
    for (QLineEdit* box : boxes)
        box->clear();
    QMap<qlonglong, QString> colours;
    QSqlQuery q(m_db);
    if (q.exec(QStringLiteral("SELECT * FROM CORES Order BY CODIGO")))
        while (q.next())
            colours.insert(q.value(QStringLiteral("CODIGO")).toLongLong(),
                           q.value(QStringLiteral("DESIGNACAO")).toString() + QLatin1Char(' ') +
                               q.value(QStringLiteral("NUMERO")).toString());
    for (int i = 0; i < 6; ++i) {
        const QVariant code =
            m_fields(QStringLiteral("COR_%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        if (!code.isNull() && colours.contains(code.toLongLong()))
            boxes[i]->setText(colours.value(code.toLongLong()));
    }
}

TDesenhoViewer::TDesenhoViewer(const QString& imagePath, const FieldSource& fields, QWidget* parent)
    : ViewerWindow(imagePath, parent), ui(std::make_unique<Ui::TDesenhoViewer>()),
      m_fields(fields) {
    ui->setupUi(this);
    setUpViewer(ui->imageLayout);
}

TDesenhoViewer::~TDesenhoViewer() = default;

QString TDesenhoViewer::flowDirectionWord(const QString& code) {
    if (code == QLatin1String("V"))
        return QStringLiteral("Vertical");
    if (code == QLatin1String("H"))
        return QStringLiteral("Horizontal");
    return {};
}

QString TDesenhoViewer::viewWord(const QString& code) {
    if (code == QLatin1String("E"))
        return QStringLiteral("Exterior");
    if (code == QLatin1String("I"))
        return QStringLiteral("Interior");
    return {};
}

void TDesenhoViewer::fillFields() {
    fillBoxes(m_fields);
    ui->Edit_DIR_CANAL->setText(
        flowDirectionWord(m_fields(QStringLiteral("DIR_CANAL")).toString()));
    ui->Edit_VISTA->setText(viewWord(m_fields(QStringLiteral("VISTA")).toString()));
    ui->Edit_MEDIDA_INT->setText(
        measures(m_fields,
                 {QStringLiteral("LARGURA"), QStringLiteral("COMPRIM"), QStringLiteral("ALTURA")}));
    ui->Edit_MEDIDA_PLACA->setText(
        measures(m_fields, {QStringLiteral("LARG_PLACA"), QStringLiteral("COMP_PLACA")}));
}

TFotoViewer::TFotoViewer(const QString& imagePath, QWidget* parent)
    : ViewerWindow(imagePath, parent), ui(std::make_unique<Ui::TFotoViewer>()) {
    ui->setupUi(this);
    setUpViewer(ui->imageLayout);
}

TFotoViewer::~TFotoViewer() = default;

} // namespace falq
