#include "CORTP010.h"

#include "clicherules.h"
#include "clichesearch.h"
#include "connections.h"
#include "dataset.h"
#include "lookups.h"
#include "session.h"
#include "sqlrun.h"
#include "unitDtFalquinas.h"

#include "ui_CORTP010.h"

#include <QSqlQuery>
#include <QTimer>

namespace falq {

namespace {
const QString kNoModel = QStringLiteral("Modelo Inexistente ...");

CardKind clicheCard() {
    CardKind k{cliches::kind()};
    k.widths = {13, 15, 15, 8, 20, 18};
    k.exportColumns = cliches::exportColumns();
    k.listStatement = cliches::listStatement;
    k.consultationStatement = cliches::consultationStatement;
    k.consultationName = QStringLiteral("TCORTF011");
    k.consultationCaption = QStringLiteral("Consulta de Clichés");
    k.notReferenced = {QStringLiteral("O Cliché ainda não está Referenciado !!!"),
                       QStringLiteral("O Cliché ainda não foi referenciado ...")};
    k.article = {QStringLiteral("COD_CLICHES"),
                 QStringLiteral("Cliché, CA"),
                 QStringLiteral("CLICHÉS"),
                 QStringLiteral("Cliché"),
                 QStringLiteral("Aplicação de Stocks não está inicializado no Ano de : "),
                 {},
                 true};
    return k;
}
} // namespace

TCORTF010::TCORTF010(Session& session, QWidget* parent) : TCORTF010(session, false, parent) {}

TCORTF010::TCORTF010(Session& session, bool consultation, QWidget* parent)
    : CardEditor(session, clicheCard(), consultation, parent),
      ui(std::make_unique<Ui::TCORTF010>()), m_models(session.dataset(ds::MODELOS)),
      m_colours(session.dataset(ds::CORES)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF010"));
    ui->NBCores->setCurrentIndex(0);

    // Names beside codes, and the searches of the code boxes.
    setUpCommonCodes({ui->Edit_CliNro,
                      QStringLiteral("CLINRO"),
                      ui->Label_CliNome,
                      ui->Edit_Fornecedor,
                      ui->Label_FrnNome,
                      QStringLiteral("FORNSIGLA"),
                      {QStringLiteral("REFER_FORN")},
                      ui->Edit_Maquina,
                      ui->Label_Maquina});
    m_modelName = CodeNames(lookups::models(true).codeTable(), {{"DESIGNACAO", ui->Label_Modelo}});
    addCodeField({QStringLiteral("MODELO"), &m_modelName, kNoModel, {}, {}});
    addLookupSets({{"MODELOSALFA", lookups::models(true), true},
                   {"CORESALFA", lookups::colours(), true},
                   {"CORESNUM", lookups::colours(), false, true}});
    addSearch(ui->Edit_Modelo,
              {sharedSet(m_models), {}, {{"CODIGO", "Modelo Nº"}, {"DESIGNACAO", "Designação"}}},
              {ownSet("MODELOSALFA"), {}, {{"DESIGNACAO", "Designação"}, {"CODIGO", "Modelo Nº"}}});
    // Six colours, each with its designation and number; a colour not found only blanks them.
    Dataset* colourNumbers = m_lookupSets.value(QStringLiteral("CORESNUM"));
    const LookupSearch colourNumeric{
        [colourNumbers]() -> Dataset* {
            colourNumbers->open();
            return colourNumbers;
        },
        [colourNumbers] { colourNumbers->close(); },
        {{"NUMERO", "Nº Côr"}, {"DESIGNACAO", "Designação Côr"}, {"CODIGO", "Código"}}};
    const LookupSearch colourAlphabetic{
        ownSet("CORESALFA"),
        {},
        {{"DESIGNACAO", "Designação Côr"}, {"CODIGO", "Código"}, {"NUMERO", "Número Côr"}}};
    QLineEdit* colourBoxes[] = {ui->Edit_Cor01, ui->Edit_Cor02, ui->Edit_Cor03,
                                ui->Edit_Cor04, ui->Edit_Cor05, ui->Edit_Cor06};
    QLabel* designations[] = {ui->Label_CorDes1, ui->Label_CorDes2, ui->Label_CorDes3,
                              ui->Label_CorDes4, ui->Label_CorDes5, ui->Label_CorDes6};
    QLabel* numbers[] = {ui->Label_CorNumero1, ui->Label_CorNumero2, ui->Label_CorNumero3,
                         ui->Label_CorNumero4, ui->Label_CorNumero5, ui->Label_CorNumero6};
    for (int i = 0; i < 6; ++i) {
        m_colourNames[i] = CodeNames(lookups::colours().codeTable(),
                                     {{"DESIGNACAO", designations[i]}, {"NUMERO", numbers[i]}});
        addCodeField({QStringLiteral("COR_0%1").arg(i + 1), &m_colourNames[i], {}, {}, {}});
        addSearch(colourBoxes[i], colourNumeric, colourAlphabetic);
    }

    // The bound boxes and what each field holds.
    setUpCard(cardParts(ui.get(), ui->Edit_ClicheNro),
              {{ui->DBEdit17, "DATA", Box::Date},
               {ui->Edit_CortanteNro, "CORTANTENRO", Box::Text},
               {ui->Edit_FichaSetup, "FICHASETUP", Box::Number},
               {ui->DBEdit1, "COMERCIALNRO", Box::ReadOnly},
               {ui->Edit_CliNro, "CLINRO", Box::Code},
               {ui->DBEdit2, "SIGLACLI", Box::ReadOnly},
               {ui->Edit_ProdNro, "PRODNRO", Box::Text},
               {ui->Edit_Referencia, "REFERENCIA", Box::Text},
               {ui->Edit_Fornecedor, "FORNECEDOR", Box::Code},
               {ui->DBEdit7, "FORNSIGLA", Box::ReadOnly},
               {ui->Edit_Refer_Forn, "REFER_FORN", Box::Text},
               {ui->Edit_CodBarras, "CODBARRAS", Box::Text},
               {ui->Edit_Modelo, "MODELO", Box::Code},
               {ui->Edit_Maquina, "MAQUINA", Box::Code},
               {ui->Edit_Cor01, "COR_01", Box::Code},
               {ui->Edit_Cor02, "COR_02", Box::Code},
               {ui->Edit_Cor03, "COR_03", Box::Code},
               {ui->Edit_Cor04, "COR_04", Box::Code},
               {ui->Edit_Cor05, "COR_05", Box::Code},
               {ui->Edit_Cor06, "COR_06", Box::Code},
               {ui->Edit_Observ1, "OBSERV1", Box::Text},
               {ui->Edit_Observ2, "OBSERV2", Box::Text}},
              {{ui->BotModelos, QStringLiteral("Modelos"), 5, m_models, "MODELOSALFA"},
               {ui->BotMaquinas, QStringLiteral("Maquinas"), 3, m_machines, "MAQUINASALFA"},
               {ui->BotCores, QStringLiteral("Cores"), 2, m_colours, "CORESALFA"}},
              {m_models, m_machines, m_colours});
}

TCORTF010::~TCORTF010() = default;

bool TCORTF010::runQueryNull() {
    // Missing die and set-up numbers of every cliché: a single blank and 0.
    QSqlQuery q(QSqlDatabase::database(kDbFalquinas));
    QString error;
    if (runStatement(q,
                     QStringLiteral("Update CLICHES SET CORTANTENRO=' ' WHERE CORTANTENRO IS NULL"),
                     {}, &error) &&
        runStatement(q, QStringLiteral("Update CLICHES SET FICHASETUP=0 WHERE FICHASETUP IS NULL"),
                     {}, &error))
        return true;
    m_session.messages().show(error, true);
    return false;
}

void TCORTF010::beforeListOpens() {
    runQueryNull();
}

void TCORTF010::afterSave() {
    runQueryNull(); // missing die and set-up numbers normalised
}

void TCORTF010::numberTaken(bool) {
    writeField(QStringLiteral("UTILIZA"), QStringLiteral("S"));
}

void TCORTF010::afterLeave(QLineEdit* box, QWidget* now) {
    if (box == ui->Edit_Cor03 && now != ui->Edit_Cor01 && now != ui->Edit_Cor02) {
        // On to the colours 4 to 6.
        QTimer::singleShot(0, ui->NBCores, [this] {
            ui->NBCores->setCurrentIndex(1);
            ui->NBCores->setFocus(Qt::TabFocusReason);
        });
    }
}

} // namespace falq
