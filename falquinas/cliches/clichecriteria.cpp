#include "clichecriteria.h"

#include "lookups.h"

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
    const struct {
        const char* label;
        const char* low;
        const char* high;
        const char* column;
        qint64* from;
        qint64* to;
        const char* message;
        bool hint;
    } numbers[] = {
        {"Limite de Setup's : ", "Edit_Setup1", "Edit_Setup2", "FICHASETUP", &c.setupFrom,
         &c.setupTo, "Limite de Fichas de Setup Inválido ...", false},
        {"Limite de Clientes : ", "Edit_CliNro1", "Edit_CliNro2", "CLINRO", &c.clientFrom,
         &c.clientTo, "Limite de Clientes Inválido ...", true},
        {"Limite de Fornec. : ", "Edit_FrnNro1", "Edit_FrnNro2", "FORNECEDOR", &c.supplierFrom,
         &c.supplierTo, "Limite de Fornecedores Inválido ...", true},
        {"Limite de Modelos : ", "Edit_Modelo1", "Edit_Modelo2", "MODELO", &c.modelFrom, &c.modelTo,
         "Limite de Modelos Inválido ...", true},
        {"Limite de Máquinas : ", "Edit_Maquina1", "Edit_Maquina2", "MAQUINA", &c.machineFrom,
         &c.machineTo, "Limite de Maquinas Inválido ...", true},
    };
    for (const auto& n : numbers)
        addNumberRange(ranges, QString::fromUtf8(n.label), QLatin1String(n.low),
                       QLatin1String(n.high), QLatin1String(n.column), n.from, n.to,
                       QString::fromUtf8(n.message), n.hint);

    QGridLayout* patterns =
        addPage(QStringLiteral("TabFiltrar"), QStringLiteral("Filtrar Consulta"));
    addPattern(patterns, QStringLiteral("Nome do Cliente : "), QStringLiteral("Edit_CliNome"),
               &c.clientPattern);
    addPattern(patterns, QStringLiteral("Nome do Fornecedor : "), QStringLiteral("Edit_FrnNome"),
               &c.supplierPattern);
    addPattern(patterns, QStringLiteral("Refer. do Fornecedor : "),
               QStringLiteral("Edit_ReferForn"), &c.supplierRefPattern);
    addPattern(patterns, QStringLiteral("Design. Modelo : "), QStringLiteral("Edit_Modelo"),
               &c.modelPattern);
    addPattern(patterns, QStringLiteral("Design. Máquina : "), QStringLiteral("Edit_Maquina"),
               &c.machinePattern);

    const struct {
        const char* text;
        const char* name;
        cliches::SearchSort sort;
    } sorts[] = {{"Cliché", "RadCliche", cliches::SearchSort::Cliche},
                 {"Cortante", "RadCortante", cliches::SearchSort::Die},
                 {"Setup", "RadSetup", cliches::SearchSort::Setup},
                 {"Produto", "RadProduto", cliches::SearchSort::Product},
                 {"Cliente", "RadCliente", cliches::SearchSort::Client},
                 {"Fornecedor", "RadFornecedor", cliches::SearchSort::Supplier}};
    for (const auto& s : sorts)
        addSort(QString::fromUtf8(s.text), QLatin1String(s.name), int(s.sort), &m_sort);

    // Insert and Ctrl+Insert on the client and supplier bounds.
    addCodeLookups(QStringLiteral("CLIENTES"), lookups::clients(),
                   {QStringLiteral("Edit_CliNro1"), QStringLiteral("Edit_CliNro2")});
    addCodeLookups(QStringLiteral("FORNECEDORES"), lookups::suppliers(),
                   {QStringLiteral("Edit_FrnNro1"), QStringLiteral("Edit_FrnNro2")},
                   QStringLiteral("Edit_FrnNro2"));
    resetToDefaults();
}

cliches::SearchCriteria ClicheCriteriaPage::criteria() const {
    cliches::SearchCriteria c = m_criteria;
    c.sort = cliches::SearchSort(m_sort);
    return c;
}

void ClicheCriteriaPage::resetToDefaults() {
    m_criteria = {};
    m_sort = int(cliches::SearchSort::Cliche);
    showCriteria();
}

} // namespace falq
