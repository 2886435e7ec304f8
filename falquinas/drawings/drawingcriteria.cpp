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

struct NumberRange {
    const char* label;
    const char* low;
    const char* high;
    const char* column;
    qint64* from;
    qint64* to;
    const char* message;
    bool hint;
};
} // namespace

DrawingCriteriaPage::DrawingCriteriaPage(Session& session, QWidget* parent)
    : CriteriaPage(session, QStringLiteral("DESENHOS"), parent), m_direction(new QComboBox(this)),
      m_view(new QComboBox(this)) {
    setObjectName(QStringLiteral("DrawingCriteria"));
    drawings::SearchCriteria& c = m_criteria;
    auto addNumbers = [this](QGridLayout* grid, std::initializer_list<NumberRange> ranges) {
        for (const NumberRange& n : ranges)
            addNumberRange(grid, QString::fromUtf8(n.label), QLatin1String(n.low),
                           QLatin1String(n.high), QLatin1String(n.column), n.from, n.to,
                           QString::fromUtf8(n.message), n.hint);
    };

    QGridLayout* ranges = addPage(QStringLiteral("TabProcurar"), QStringLiteral("Procurar por?"));
    addTextRange(ranges, QStringLiteral("Limite de Desenhos : "),
                 QStringLiteral("Edit_DesenhoNro1"), QStringLiteral("Edit_DesenhoNro2"), 20,
                 &c.drawingFrom, &c.drawingTo, QStringLiteral("Limite de Desenhos Inválido ..."));
    addTextRange(ranges, QStringLiteral("Limite de Cortantes : "),
                 QStringLiteral("Edit_CortanteNro1"), QStringLiteral("Edit_CortanteNro2"), 15,
                 &c.dieFrom, &c.dieTo, QStringLiteral("Limite de Cortantes Inválido ..."));
    addNumbers(ranges,
               {{"Limite de Clientes : ", "Edit_CliNro1", "Edit_CliNro2", "CLIENTE", &c.clientFrom,
                 &c.clientTo, "Limite de Clientes Inválido ...", true},
                {"Limite de Fornec. : ", "Edit_FrnNro1", "Edit_FrnNro2", "FORNECEDOR",
                 &c.supplierFrom, &c.supplierTo, "Limite de Fornecedores Inválido ...", true},
                {"Limite de Máquinas : ", "Edit_Maquina1", "Edit_Maquina2", "MAQUINA",
                 &c.machineFrom, &c.machineTo, "Limite de Máquinas Inválido ...", true},
                {"Limite de Desenhad. : ", "Edit_Desenhador1", "Edit_Desenhador2", "DESENHADOR",
                 &c.designerFrom, &c.designerTo, "Limite de Desenhadores Inválido ...", true},
                {"Limite de Cartões : ", "Edit_Cartao1", "Edit_Cartao2", "CARTAO", &c.boardFrom,
                 &c.boardTo, "Limite de Cartões Inválido ...", true},
                {"Limite de Vendedores : ", "Edit_VndNro1", "Edit_VndNro2", "VNDNRO",
                 &c.salesmanFrom, &c.salesmanTo, "Limite de Vendedores Inválido ...", true}});

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
    const QByteArray m = kMeasures.toUtf8();
    addNumbers(board, {{"Largura : ", "Edit_Larg_Placa1", "Edit_Larg_Placa2", "LARG_PLACA",
                        &c.boardWidthFrom, &c.boardWidthTo, m.constData(), false},
                       {"Comprimento : ", "Edit_Comp_Placa1", "Edit_Comp_Placa2", "COMP_PLACA",
                        &c.boardLengthFrom, &c.boardLengthTo, m.constData(), false}});
    addNumbers(inner, {{"Largura : ", "Edit_Largura1", "Edit_Largura2", "LARGURA", &c.widthFrom,
                        &c.widthTo, m.constData(), false},
                       {"Comprimento : ", "Edit_Comprim1", "Edit_Comprim2", "COMPRIM",
                        &c.lengthFrom, &c.lengthTo, m.constData(), false},
                       {"Altura : ", "Edit_Altura1", "Edit_Altura2", "ALTURA", &c.heightFrom,
                        &c.heightTo, m.constData(), false}});

    QGridLayout* patterns =
        addPage(QStringLiteral("TabFiltrar"), QStringLiteral("Filtrar Consulta"));
    const struct {
        const char* label;
        const char* name;
        QString* pattern;
    } names[] = {{"Referência : ", "Edit_Referencia", &c.referencePattern},
                 {"Nome do Cliente : ", "Edit_CliNome", &c.clientPattern},
                 {"Nome do Fornecedor : ", "Edit_FrnNome", &c.supplierPattern},
                 {"Nome do Vendedor : ", "Edit_VndNome", &c.salesmanPattern},
                 {"Design. Cartão : ", "Edit_Cartao", &c.boardPattern},
                 {"Design. Máquina : ", "Edit_Maquina", &c.machinePattern},
                 {"Desenhador : ", "Edit_Desenhador", &c.designerPattern}};
    for (const auto& n : names)
        addPattern(patterns, QString::fromUtf8(n.label), QLatin1String(n.name), n.pattern);

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

    const struct {
        const char* text;
        const char* name;
        drawings::SearchSort sort;
    } sorts[] = {{"Desenho", "RadDesenho", drawings::SearchSort::Drawing},
                 {"Cortante", "RadCortante", drawings::SearchSort::Die},
                 {"Referência", "RadReferencia", drawings::SearchSort::Reference},
                 {"Cliente", "RadCliente", drawings::SearchSort::Client},
                 {"Fornecedor", "RadFornecedor", drawings::SearchSort::Supplier}};
    for (const auto& s : sorts)
        addSort(QString::fromUtf8(s.text), QLatin1String(s.name), int(s.sort), &m_sort);

    // Insert and Ctrl+Insert on the client, supplier, board and salesman bounds.
    addCodeLookups(QStringLiteral("CLIENTES"), lookups::clients(),
                   {QStringLiteral("Edit_CliNro1"), QStringLiteral("Edit_CliNro2")});
    addCodeLookups(QStringLiteral("FORNECEDORES"), lookups::suppliers(),
                   {QStringLiteral("Edit_FrnNro1"), QStringLiteral("Edit_FrnNro2")},
                   QStringLiteral("Edit_FrnNro2"));
    addCodeLookups(QStringLiteral("CARTOES"), lookups::boards(false),
                   {QStringLiteral("Edit_Cartao1"), QStringLiteral("Edit_Cartao2")});
    addCodeLookups(QStringLiteral("VENDEDORES"), lookups::salesmen(),
                   {QStringLiteral("Edit_VndNro1"), QStringLiteral("Edit_VndNro2")});
    resetToDefaults();
}

drawings::SearchCriteria DrawingCriteriaPage::criteria() const {
    drawings::SearchCriteria c = m_criteria;
    c.sort = drawings::SearchSort(m_sort);
    return c;
}

void DrawingCriteriaPage::resetToDefaults() {
    m_criteria = {};
    m_sort = int(drawings::SearchSort::Drawing);
    m_direction->setCurrentIndex(0);
    m_view->setCurrentIndex(0);
    showCriteria();
}

} // namespace falq
