#include "clichecriteria.h"

#include <QGridLayout>

namespace falq {

ClicheCriteriaPage::ClicheCriteriaPage(Session& session, QWidget* parent)
    : CriteriaPage(session, QStringLiteral("CLICHES"), parent) {
    setObjectName(QStringLiteral("ClicheCriteria"));
    cliches::SearchCriteria& c = m_criteria;
    QGridLayout* ranges = addPage(QStringLiteral("TabProcurar"), QStringLiteral("Procurar por?"));
    addTextRange(ranges, QStringLiteral("Limite de Clichés : "), QStringLiteral("Edit_ClicheNro1"),
                 QStringLiteral("Edit_ClicheNro2"), 12, &c.clicheFrom, &c.clicheTo, {}, true);
    addTextRange(ranges, QStringLiteral("Limite de Cortantes : "),
                 QStringLiteral("Edit_CortanteNro1"), QStringLiteral("Edit_CortanteNro2"), 15,
                 &c.dieFrom, &c.dieTo, QStringLiteral("Limite de Cortantes Inválido ..."));
    addNumberRanges(
        ranges,
        {{"Limite de Setup's : ", "Edit_Setup1", "Edit_Setup2", "FICHASETUP", &c.setupFrom,
          &c.setupTo, QStringLiteral("Limite de Fichas de Setup Inválido ..."), false},
         {"Limite de Clientes : ", "Edit_CliNro1", "Edit_CliNro2", "CLINRO", &c.clientFrom,
          &c.clientTo, QStringLiteral("Limite de Clientes Inválido ..."), true},
         {"Limite de Fornec. : ", "Edit_FrnNro1", "Edit_FrnNro2", "FORNECEDOR", &c.supplierFrom,
          &c.supplierTo, QStringLiteral("Limite de Fornecedores Inválido ..."), true},
         {"Limite de Modelos : ", "Edit_Modelo1", "Edit_Modelo2", "MODELO", &c.modelFrom,
          &c.modelTo, QStringLiteral("Limite de Modelos Inválido ..."), true},
         {"Limite de Máquinas : ", "Edit_Maquina1", "Edit_Maquina2", "MAQUINA", &c.machineFrom,
          &c.machineTo, QStringLiteral("Limite de Maquinas Inválido ..."), true}});

    addPatterns(addPage(QStringLiteral("TabFiltrar"), QStringLiteral("Filtrar Consulta")),
                {{"Nome do Cliente : ", "Edit_CliNome", &c.clientPattern},
                 {"Nome do Fornecedor : ", "Edit_FrnNome", &c.supplierPattern},
                 {"Refer. do Fornecedor : ", "Edit_ReferForn", &c.supplierRefPattern},
                 {"Design. Modelo : ", "Edit_Modelo", &c.modelPattern},
                 {"Design. Máquina : ", "Edit_Maquina", &c.machinePattern}});

    using S = cliches::SearchSort;
    addSorts({{"Cliché", "RadCliche", int(S::Cliche)},
              {"Cortante", "RadCortante", int(S::Die)},
              {"Setup", "RadSetup", int(S::Setup)},
              {"Produto", "RadProduto", int(S::Product)},
              {"Cliente", "RadCliente", int(S::Client)},
              {"Fornecedor", "RadFornecedor", int(S::Supplier)}});
    addPartyLookups();
    resetToDefaults();
}

cliches::SearchCriteria ClicheCriteriaPage::criteria() const {
    cliches::SearchCriteria c = m_criteria;
    c.sort = cliches::SearchSort(sortChoice());
    return c;
}

void ClicheCriteriaPage::resetToDefaults() {
    m_criteria = {};
    setSortChoice(int(cliches::SearchSort::Cliche));
    showCriteria();
}

} // namespace falq
