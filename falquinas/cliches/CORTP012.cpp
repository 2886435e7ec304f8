#include "CORTP012.h"

#include "clichecriteria.h"
#include "clichereports.h"
#include "clicherules.h"
#include "connections.h"
#include "dataset.h"
#include "session.h"
#include "viewerwindow.h"

#include "ui_CORTP012.h"

namespace falq {

namespace {
ListingKind clicheListing() {
    ListingKind k{cliches::kind()};
    k.exportColumns = {"CLICHENRO", "CORTANTENRO", "SIGLACLI",   "PRODNRO",    "REFERENCIA",
                       "FORNSIGLA", "CLINRO",      "FORNECEDOR", "REFER_FORN", "CODBARRAS",
                       "MODELO",    "MAQUINA",     "COR_01",     "COR_02",     "COR_03",
                       "COR_04",    "COR_05",      "COR_06",     "DATA",       "OBSERV1",
                       "OBSERV2",   "FICHASETUP",  "MODELO_DES", "MAQUINA_DES"};
    return k;
}
} // namespace

TCORTF012::TCORTF012(Session& session, QWidget* parent)
    : ListingWindow(session, clicheListing(), parent), ui(std::make_unique<Ui::TCORTF012>()),
      m_page(new ClicheCriteriaPage(session, this)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF012"));
    setUpParts({m_page, ui->criteriaLayout, ui->DBGrid1, ui->DBGrid3, ui->RadSimples,
                ui->RadCompleta, ui->ChkImpFoto, ui->BitPrint, ui->BotExcel, ui->BitTerminar,
                ui->NB1, ui->previewLayout, ui->documentsLayout});
}

TCORTF012::~TCORTF012() = default;

void TCORTF012::FormActivate() {
    QString error;
    if (!cliches::readColourTexts(QSqlDatabase::database(kDbFalquinas), &m_colours, &error))
        m_session.messages().show(error, true);
}

cliches::SearchCriteria TCORTF012::criteria() const {
    return m_page->criteria();
}

SearchStatement TCORTF012::selection() const {
    return cliches::searchStatement(criteria(),
                                    SqlDialect::forDatabase(QSqlDatabase::database(kDbFalquinas)));
}

reports::Form TCORTF012::reportForm(bool sheet, bool photos) const {
    cliches::ClicheReportOptions o;
    o.criteria = criteria();
    o.photos = photos;
    o.images = images();
    o.colours = m_colours;
    return sheet ? cliches::clicheSheetForm(o) : cliches::clicheListForm(o);
}

void TCORTF012::showViewer(const QString& imagePath) {
    TClicheViewer viewer(imagePath, fieldsOf(list()), QSqlDatabase::database(kDbFalquinas), this);
    viewer.setObjectName(QStringLiteral("TCORTF012CLICHE"));
    viewer.exec();
}

} // namespace falq
