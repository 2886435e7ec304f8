#include "codetables.h"

#include "unitDtFalquinas.h"

#include <QSqlError>
#include <QSqlQuery>

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
        {6,
         QStringLiteral("TCORTF006"),
         QStringLiteral("Tabela de Locais"),
         ds::LOCAIS,
         QStringLiteral("Localizacao"),
         0,
         false,
         {designation(QStringLiteral("Designação : "),
                      QStringLiteral("Designação do Local Inválida ...")),
          {QStringLiteral("ZONA"),
           QStringLiteral("Zona : "),
           QStringLiteral("Edit_Zona"),
           false,
           {},
           true},
          {QStringLiteral("ACTIVO"),
           QStringLiteral("Activo (S/N) : "),
           QStringLiteral("Edit_Activo"),
           true,
           QStringLiteral("Activo : S ou N ..."),
           true,
           {QStringLiteral("S"), QStringLiteral("N")},
           QStringLiteral("S")}},
         QStringLiteral("TCORTFPR006"),
         {{QStringLiteral("Designação"), QStringLiteral("DESIGNACAO"), 40},
          {QStringLiteral("Zona"), QStringLiteral("ZONA"), 20},
          {QStringLiteral("Activo"), QStringLiteral("ACTIVO"), 6}},
         // A place that holds tools stays: it can be made inactive instead.
         [](QSqlDatabase& db, const QVariant& code, QString* error) {
             QSqlQuery q(db);
             q.prepare(QStringLiteral(
                 "SELECT COUNT(*) FROM LOCALIZACAO WHERE ESTADO = 'A' AND LOCAL = ?"));
             q.addBindValue(code);
             if (!q.exec() || !q.next()) {
                 *error = q.lastError().text();
                 return QString();
             }
             return q.value(0).toLongLong() > 0 ? kPlaceHoldsTools.arg(code.toString()) : QString();
         },
         // The storage places keep their rights with the moves between them.
         QStringLiteral("Movimentos")},
    };
    return members.at(qBound(1, number, kCodeTables) - 1);
}

reports::Form codeTableList(const CodeTableMember& member) {
    reports::Form form;
    form.name = member.listName;
    form.title = member.caption;
    if (member.textCode())
        form.columns << reports::Column{QStringLiteral("Código"), QStringLiteral("CODIGO"), 12};
    else
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
