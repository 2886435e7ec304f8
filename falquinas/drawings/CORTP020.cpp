#include "CORTP020.h"

#include "codenames.h"

#include "connections.h"
#include "dataset.h"
#include "drawingrules.h"
#include "drawingsearch.h"
#include "lookups.h"
#include "messages.h"
#include "recordrules.h"
#include "session.h"
#include "unitDtFalquinas.h"

#include "ui_CORTP020.h"

#include <QLabel>

namespace falq {

namespace {
const QString kNoBoard = QStringLiteral("Cartão Inexistente ...");
const QString kNoDesigner = QStringLiteral("Desenhador Inexistente ...");
const QString kNoSalesman = QStringLiteral("Vendedor Inexistente ...");
const QString kBadDirection = QStringLiteral("Direcção do Canal Inválida ...");
const QString kBadView = QStringLiteral("Vista Inválida ...");
const QString kDirectionHint = QStringLiteral("Digite (V), Vertical ou (H), Horizontal ...");
const QString kViewHint = QStringLiteral("Digite (E), Exterior ou (I), Interior ...");

CardKind drawingCard() {
    CardKind k{drawings::kind()};
    k.widths = {16, 15, 15, 24, 12, 12};
    k.exportColumns = drawings::exportColumns();
    k.listStatement = drawings::listStatement;
    k.consultationStatement = drawings::consultationStatement;
    k.consultationName = QStringLiteral("TCORTF021");
    k.consultationCaption = QStringLiteral("Consulta de Desenhos");
    k.notReferenced = {QStringLiteral("O Desenho ainda não está Referenciado !!!"),
                       QStringLiteral("O Desenho ainda não foi referenciado ...")};
    // The die's measures go with its article.
    k.article = {QStringLiteral("COD_CORTANTES"),
                 QStringLiteral("Cortante, CA"),
                 QStringLiteral("CORTANTES"),
                 QStringLiteral("Desenho"),
                 QStringLiteral("A Aplicação de Stocks não está inicializado no Ano de : "),
                 {QStringLiteral("COMPRIM"), QStringLiteral("LARGURA"), QStringLiteral("ALTURA")}};
    k.numbersStartAtZero = true;
    return k;
}

} // namespace

TCORTF020::TCORTF020(Session& session, QWidget* parent) : TCORTF020(session, false, parent) {}

TCORTF020::TCORTF020(Session& session, bool consultation, QWidget* parent)
    : CardEditor(session, drawingCard(), consultation, parent),
      ui(std::make_unique<Ui::TCORTF020>()), m_boards(session.dataset(ds::CARTOES)),
      m_designers(session.dataset(ds::DESENHADORES)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF020"));

    // Names beside codes, and the searches of the code boxes.
    setUpCommonCodes({ui->Edit_CliNro,
                      QStringLiteral("CLIENTE"),
                      ui->Label_CliNome,
                      ui->Edit_Fornecedor,
                      ui->Label_FrnNome,
                      QStringLiteral("SIGLAFORN"),
                      {},
                      ui->Edit_Maquina,
                      ui->Label_Maquina});
    m_salesmanName = CodeNames(lookups::salesmen().codeTable(), {{"NOME", ui->Label_VndNome}});
    m_boardName = CodeNames(lookups::boards(true).codeTable(), {{"DESIGNACAO", ui->Label_Cartao}});
    m_designerName = CodeNames(lookups::designers().codeTable(), {{"NOME", ui->Label_Desenhador}});
    addCodeField({QStringLiteral("CARTAO"), &m_boardName, kNoBoard, {}, {}});
    addCodeField({QStringLiteral("DESENHADOR"), &m_designerName, kNoDesigner, {}, {}});
    addCodeField(
        {QStringLiteral("VNDNRO"), &m_salesmanName, kNoSalesman, {}, QStringLiteral("VNDNOME")});
    addLookupSets({{"VENDEDORES", lookups::salesmen(), false},
                   {"VENDEDORESALFA", lookups::salesmen(), true},
                   {"CARTOESALFA", lookups::boards(true), true},
                   {"DESENHADORESALFA", lookups::designers(), true}});
    addSearch(ui->Edit_Cartao, {sharedSet(m_boards), {}, lookups::boardColumns(false)},
              {ownSet("CARTOESALFA"), {}, lookups::boardColumns(true)});
    addSearch(ui->Edit_Desenhador,
              {sharedSet(m_designers), {}, {{"CODIGO", "Desenhador Nº"}, {"NOME", "Nome"}}},
              {ownSet("DESENHADORESALFA"), {}, {{"NOME", "Nome"}, {"CODIGO", "Desenhador Nº"}}})
        ->setMenuRunsNumeric(true);
    addSearch(ui->Edit_VndNro, {ownSet("VENDEDORES"), {}, lookups::salesmanColumns(false)},
              {ownSet("VENDEDORESALFA"), {}, lookups::salesmanColumns(true)});

    // The bound boxes and what each field holds.
    setUpCard(
        cardParts(ui.get(), ui->Edit_DesenhoNro),
        {{ui->Edit_CortanteNro, "CORTANTENRO", Box::Text},
         {ui->Edit_ProdNro, "PRODNRO", Box::Text},
         {ui->DBEdit1, "COMERCIALNRO", Box::ReadOnly},
         {ui->Edit_CliNro, "CLIENTE", Box::Code},
         {ui->DBEdit2, "SIGLACLI", Box::ReadOnly},
         {ui->Edit_Referencia, "REFERENCIA", Box::Text},
         {ui->Edit_Maquina, "MAQUINA", Box::Code},
         {ui->Edit_Fornecedor, "FORNECEDOR", Box::Code},
         {ui->DBEdit7, "SIGLAFORN", Box::ReadOnly},
         {ui->Edit_Largura, "LARGURA", Box::Number},
         {ui->Edit_Comprim, "COMPRIM", Box::Number},
         {ui->Edit_Altura, "ALTURA", Box::Number},
         {ui->Edit_Larg_Placa, "LARG_PLACA", Box::Number},
         {ui->Edit_Comp_Placa, "COMP_PLACA", Box::Number},
         {ui->Edit_Data, "DATA", Box::Date},
         {ui->Edit_Quantid, "QUANTID", Box::Quantity},
         {ui->Edit_Cartao, "CARTAO", Box::Code},
         {ui->Edit_Desenhador, "DESENHADOR", Box::Code},
         {ui->Edit_VndNro, "VNDNRO", Box::Code},
         {ui->Edit_DataPedida, "DATAPEDIDA", Box::Date},
         {ui->Edit_Dir_Canal, "DIR_CANAL", Box::Letter},
         {ui->Edit_Golpes_Caixa, "GOLPES_CAIXA", Box::Number},
         {ui->Edit_Vista, "VISTA", Box::Letter}},
        {{ui->BotMaquinas, QStringLiteral("Maquinas"), 3, m_machines, "MAQUINASALFA"},
         {ui->BotCartoes, QStringLiteral("Cartoes"), 4, m_boards, "CARTOESALFA"},
         {ui->BotDesenhadores, QStringLiteral("Desenhadores"), 1, m_designers, "DESENHADORESALFA"}},
        {m_boards, m_machines, m_designers});
}

TCORTF020::~TCORTF020() = default;

void TCORTF020::showOwnLabels(bool blank) {
    // Any value but "V" reads "Horizontal", any but "E" reads "Interior".
    ui->Label_Dir_Canal->setText(
        blank ? QString() : drawings::directionWord(fieldText(m_records->fieldValue("DIR_CANAL"))));
    ui->Label_Vista->setText(blank ? QString()
                                   : drawings::viewWord(fieldText(m_records->fieldValue("VISTA"))));
}

TCORTF020::Verdict TCORTF020::checkOwnBox(const Box& b, QString* message) {
    if (b.kind == Box::Quantity) {
        double value = 0;
        if (!drawings::parseQuantity(b.edit->text(), &value)) {
            *message = kBadValue;
            return Verdict::Refused;
        }
        writeField(b.field, value);
        return Verdict::Accepted;
    }
    // The channel direction: "V" or "H"; the view: "E" or "I" (typed in either case).
    const bool isDirection = b.field == QLatin1String("DIR_CANAL");
    const QString value =
        isDirection ? drawings::direction(b.edit->text()) : drawings::view(b.edit->text());
    if (value.isEmpty()) {
        *message = isDirection ? kBadDirection : kBadView;
        return Verdict::Refused;
    }
    b.edit->setText(value);
    writeField(b.field, value);
    showOwnLabels(false);
    return Verdict::Accepted;
}

void TCORTF020::numberTaken(bool first) {
    // The first number accepted proposes the date and the quantity. The number checked again
    // (the save point, a number changed) leaves every box as typed: they are read after it.
    if (!first)
        return;
    writeField(QStringLiteral("UTILIZA"), QStringLiteral("S"));
    writeField(QStringLiteral("DATA"), m_session.context().workingDate.startOfDay());
    writeField(QStringLiteral("QUANTID"), 1);
    ui->Edit_Data->setText(dateBoxText(m_records->fieldValue(QStringLiteral("DATA"))));
    ui->Edit_Quantid->setText(decimalText(m_records->fieldValue(QStringLiteral("QUANTID"))));
}

QString TCORTF020::ownHint(const QWidget* box) const {
    if (box == ui->Edit_Dir_Canal)
        return kDirectionHint;
    if (box == ui->Edit_Vista)
        return kViewHint;
    return {};
}

} // namespace falq
