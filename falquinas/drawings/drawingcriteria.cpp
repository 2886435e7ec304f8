#include "drawingcriteria.h"

#include "lookups.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

namespace falq {

namespace {
const QString kMeasures = QStringLiteral("Limite Inválido ...");
} // namespace

DrawingCriteriaPage::DrawingCriteriaPage(Session& session, QWidget* parent)
    : CriteriaPage(session, QStringLiteral("DESENHOS"), parent), m_direction(new QComboBox(this)),
      m_view(new QComboBox(this)) {
    setObjectName(QStringLiteral("DrawingCriteria"));
    drawings::SearchCriteria& c = m_criteria;

    QGridLayout* ranges = addPage(QStringLiteral("TabProcurar"), QStringLiteral("Procurar por?"));
    addTextRange(ranges, QStringLiteral("Limite de Desenhos : "),
                 QStringLiteral("Edit_DesenhoNro1"), QStringLiteral("Edit_DesenhoNro2"), 20,
                 &c.drawingFrom, &c.drawingTo, QStringLiteral("Limite de Desenhos Inválido ..."));
    addTextRange(ranges, QStringLiteral("Limite de Cortantes : "),
                 QStringLiteral("Edit_CortanteNro1"), QStringLiteral("Edit_CortanteNro2"), 15,
                 &c.dieFrom, &c.dieTo, QStringLiteral("Limite de Cortantes Inválido ..."));
    addNumberRanges(
        ranges,
        {{"Limite de Clientes : ", "Edit_CliNro1", "Edit_CliNro2", "CLIENTE", &c.clientFrom,
          &c.clientTo, QStringLiteral("Limite de Clientes Inválido ..."), true},
         {"Limite de Fornec. : ", "Edit_FrnNro1", "Edit_FrnNro2", "FORNECEDOR", &c.supplierFrom,
          &c.supplierTo, QStringLiteral("Limite de Fornecedores Inválido ..."), true},
         {"Limite de Máquinas : ", "Edit_Maquina1", "Edit_Maquina2", "MAQUINA", &c.machineFrom,
          &c.machineTo, QStringLiteral("Limite de Máquinas Inválido ..."), true},
         {"Limite de Desenhad. : ", "Edit_Desenhador1", "Edit_Desenhador2", "DESENHADOR",
          &c.designerFrom, &c.designerTo, QStringLiteral("Limite de Desenhadores Inválido ..."),
          true},
         {"Limite de Cartões : ", "Edit_Cartao1", "Edit_Cartao2", "CARTAO", &c.boardFrom,
          &c.boardTo, QStringLiteral("Limite de Cartões Inválido ..."), true},
         {"Limite de Vendedores : ", "Edit_VndNro1", "Edit_VndNro2", "VNDNRO", &c.salesmanFrom,
          &c.salesmanTo, QStringLiteral("Limite de Vendedores Inválido ..."), true}});

    // "Medidas": the board's panel and the inner measures' panel.
    QGridLayout* measures = addPage(QStringLiteral("TabMedidas"), QStringLiteral("Medidas"));
    auto panel = [measures](const char* name, const QString& title, int column) {
        auto* box = new QGroupBox(title);
        box->setObjectName(QLatin1String(name));
        auto* grid = new QGridLayout(box);
        measures->addWidget(box, 0, column);
        return grid;
    };
    QGridLayout* board = panel("PanelPlaca", QStringLiteral("Medidas da Placa"), 0);
    QGridLayout* inner = panel("PanelInterior", QStringLiteral("Medida Interiror"), 1);
    addNumberRanges(board, {{"Largura : ", "Edit_Larg_Placa1", "Edit_Larg_Placa2", "LARG_PLACA",
                             &c.boardWidthFrom, &c.boardWidthTo, kMeasures, false},
                            {"Comprimento : ", "Edit_Comp_Placa1", "Edit_Comp_Placa2", "COMP_PLACA",
                             &c.boardLengthFrom, &c.boardLengthTo, kMeasures, false}});
    addNumberRanges(inner, {{"Largura : ", "Edit_Largura1", "Edit_Largura2", "LARGURA",
                             &c.widthFrom, &c.widthTo, kMeasures, false},
                            {"Comprimento : ", "Edit_Comprim1", "Edit_Comprim2", "COMPRIM",
                             &c.lengthFrom, &c.lengthTo, kMeasures, false},
                            {"Altura : ", "Edit_Altura1", "Edit_Altura2", "ALTURA", &c.heightFrom,
                             &c.heightTo, kMeasures, false}});

    QGridLayout* patterns =
        addPage(QStringLiteral("TabFiltrar"), QStringLiteral("Filtrar Consulta"));
    addPatterns(patterns, {{"Referência : ", "Edit_Referencia", &c.referencePattern},
                           {"Nome do Cliente : ", "Edit_CliNome", &c.clientPattern},
                           {"Nome do Fornecedor : ", "Edit_FrnNome", &c.supplierPattern},
                           {"Nome do Vendedor : ", "Edit_VndNome", &c.salesmanPattern},
                           {"Design. Cartão : ", "Edit_Cartao", &c.boardPattern},
                           {"Design. Máquina : ", "Edit_Maquina", &c.machinePattern},
                           {"Desenhador : ", "Edit_Desenhador", &c.designerPattern}});

    // The channel direction and the view, beside the sort buttons.
    m_direction->setObjectName(QStringLiteral("Edit_DirCanal"));
    m_direction->addItems(
        {QStringLiteral("Ambas"), QStringLiteral("Vertical"), QStringLiteral("Horizontal")});
    m_view->setObjectName(QStringLiteral("Edit_Vista"));
    m_view->addItems(
        {QStringLiteral("Ambas"), QStringLiteral("Exterior"), QStringLiteral("Interior")});
    auto* choices = new QGroupBox;
    choices->setObjectName(QStringLiteral("PanelOrientacao"));
    auto* choiceGrid = new QGridLayout(choices);
    choiceGrid->addWidget(new QLabel(QStringLiteral("Direcção do Canal : ")), 0, 0);
    choiceGrid->addWidget(m_direction, 0, 1);
    choiceGrid->addWidget(new QLabel(QStringLiteral("Vista : ")), 1, 0);
    choiceGrid->addWidget(m_view, 1, 1);
    choiceGrid->setRowStretch(2, 1);
    static_cast<QBoxLayout*>(layout())->insertWidget(1, choices);
    connect(m_direction, &QComboBox::activated, this, [this](int index) {
        m_criteria.direction = drawings::Direction(index);
        emit searchChanged();
    });
    connect(m_view, &QComboBox::activated, this, [this](int index) {
        m_criteria.view = drawings::View(index);
        emit searchChanged();
    });

    using S = drawings::SearchSort;
    addSorts({{"Desenho", "RadDesenho", int(S::Drawing)},
              {"Cortante", "RadCortante", int(S::Die)},
              {"Referência", "RadReferencia", int(S::Reference)},
              {"Cliente", "RadCliente", int(S::Client)},
              {"Fornecedor", "RadFornecedor", int(S::Supplier)}});

    // Insert and Ctrl+Insert on the client, supplier, board and salesman bounds.
    addPartyLookups();
    addCodeLookups(QStringLiteral("CARTOES"), lookups::boards(false),
                   {QStringLiteral("Edit_Cartao1"), QStringLiteral("Edit_Cartao2")});
    addCodeLookups(QStringLiteral("VENDEDORES"), lookups::salesmen(),
                   {QStringLiteral("Edit_VndNro1"), QStringLiteral("Edit_VndNro2")});
    resetToDefaults();
}

drawings::SearchCriteria DrawingCriteriaPage::criteria() const {
    drawings::SearchCriteria c = m_criteria;
    c.sort = drawings::SearchSort(sortChoice());
    return c;
}

void DrawingCriteriaPage::resetToDefaults() {
    m_criteria = {};
    setSortChoice(int(drawings::SearchSort::Drawing));
    m_direction->setCurrentIndex(0);
    m_view->setCurrentIndex(0);
    showCriteria();
}

} // namespace falq
