#include "codetables.h"

#include "unitDtFalquinas.h"

namespace falq {

namespace {
constexpr qint64 kSmallIntMax = 32767;
constexpr qint64 kIntegerMax = 2147483647;

CodeTableDetail designation(const QString& label, const QString& emptyMessage = {}) {
    return {QStringLiteral("DESIGNACAO"),
            label,
            QStringLiteral("Edit_Designacao"),
            true,
            emptyMessage,
            true};
}
} // namespace

const CodeTableMember& codeTableMember(int number) {
    static const QList<CodeTableMember> members = {
        {1,
         QStringLiteral("TCORTF001"),
         QStringLiteral("Tabela de Desenhadores"),
         ds::DESENHADORES,
         QStringLiteral("Desenhadores"),
         kSmallIntMax,
         false,
         {{QStringLiteral("NOME"),
           QStringLiteral("Desenhador(a) : "),
           QStringLiteral("Edit_Nome"),
           false,
           {},
           true}},
         QStringLiteral("TCORTFPR001"),
         {{QStringLiteral("Desenhador(a)"), QStringLiteral("NOME"), 40}}},
        {2,
         QStringLiteral("TCORTF002"),
         QStringLiteral("Tabela de Côres"),
         ds::CORES,
         QStringLiteral("Cores"),
         kIntegerMax,
         true,
         {designation(QStringLiteral("Designação Côr : "),
                      QStringLiteral("Designação da Côr Inválida ...")),
          {QStringLiteral("NUMERO"), QStringLiteral("Nº da Côr : "), QStringLiteral("Edit_Numero"),
           true, QStringLiteral("Numero de Côr Inválido ..."), false}},
         QStringLiteral("TCORTFPR002"),
         {{QStringLiteral("Designação da Côr"), QStringLiteral("DESIGNACAO"), 30},
          {QStringLiteral("Nº Côr"), QStringLiteral("NUMERO"), 8}}},
        {3,
         QStringLiteral("TCORTF003"),
         QStringLiteral("Tabela de Máquinas"),
         ds::MAQUINAS,
         QStringLiteral("Maquinas"),
         kSmallIntMax,
         true,
         {designation(QStringLiteral("Designação : "))},
         QStringLiteral("TCORTFPR003"),
         {{QStringLiteral("Designação"), QStringLiteral("DESIGNACAO"), 30}}},
        {4,
         QStringLiteral("TCORTF004"),
         QStringLiteral("Tabela de Cartões"),
         ds::CARTOES,
         QStringLiteral("Cartoes"),
         kSmallIntMax,
         true,
         {designation(QStringLiteral("Designação : "))},
         QStringLiteral("TCORTFPR004"),
         {{QStringLiteral("Designação"), QStringLiteral("DESIGNACAO"), 30}}},
        {5,
         QStringLiteral("TCORTF005"),
         QStringLiteral("Tabela de Modelos"),
         ds::MODELOS,
         QStringLiteral("Modelos"),
         kSmallIntMax,
         true,
         {designation(QStringLiteral("Designação : "))},
         QStringLiteral("TCORTFPR005"),
         {{QStringLiteral("Designação"), QStringLiteral("DESIGNACAO"), 30}}},
    };
    return members.at(qBound(1, number, 5) - 1);
}

reports::Form codeTableList(const CodeTableMember& member) {
    reports::Form form;
    form.name = member.listName;
    form.title = member.caption;
    form.columns << reports::Column{QStringLiteral("Código"), QStringLiteral("CODIGO"), 8,
                                    Qt::AlignRight, reports::ValueFormat::Integer};
    for (const CodeTableListColumn& c : member.listColumns)
        form.columns << reports::Column{c.title, c.field, c.width};
    return form;
}

CodeTableList::CodeTableList(const CodeTableMember& member, QObject* parent)
    : QObject(parent), m_member(member) {
    setObjectName(member.listName);
}

CodeTableWindow* createCodeTableWindow(int number, Session& session, QWidget* parent,
                                       CodeTableList* list) {
    return new CodeTableWindow(session, codeTableMember(number), list, parent);
}

} // namespace falq
