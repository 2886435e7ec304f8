#pragma once
// The six code tables (designers, colours, machines, boards, models, storage places): what
// each member of the family has of its own, its window (TCORTF001 to TCORTF005 and TAB006's,
// one shared implementation in codetable.h) and its printed list (TCORTFPR001 to TCORTFPR006).
#include "codetable.h"
#include "reportform.h"

#include <QObject>
#include <QSqlDatabase>
#include <functional>

namespace falq {

// One detail box of a member.
struct CodeTableDetail {
    QString field;      // the column the box is bound to
    QString label;      // its label
    QString objectName; // the box's object name
    bool required = true;
    QString emptyMessage;           // shown when left empty; none: only a beep
    bool followsInsertRight = true; // disabled with "&Inserir" (the colour number is not)
    QStringList allowed;            // the only values it takes (upper-cased), none: any text
    QString initial;                // what a new row starts with
};

struct CodeTableListColumn {
    QString title;
    QString field;
    int width = 0;
};

struct CodeTableMember {
    int number = 0;          // 1 to 6
    QString windowClass;     // TCORTF002
    QString caption;         // "Tabela de Côres"
    QString dataset;         // CORES (also the table)
    QString program;         // PROGRAMA of the access rights
    qint64 maxCode = 0;      // what a numeric code column holds (smallint or integer); 0: text code
    bool proposeCode = true; // the designers' window leaves the code to the user
    QList<CodeTableDetail> details;         // the designation first
    QString listName;                       // TCORTFPR002
    QList<CodeTableListColumn> listColumns; // after "Código"
    // Run in the delete's transaction after the row is gone: a reason it may not be deleted
    // (the transaction is then rolled back), or empty.
    std::function<QString(QSqlDatabase& db, const QVariant& code, QString* error)> deleteRefusal;
    QString chapter = QStringLiteral("Tabelas Especificas"); // CAPITULO of the access rights
    bool textCode() const { return maxCode == 0; }
};

// Member 1 (designers) to 6 (storage places).
const CodeTableMember& codeTableMember(int number);

inline constexpr int kCodeTables = 6;
inline const QString kPlaceHoldsTools =
    QStringLiteral("O local %1 tem ferramentas guardadas: não pode ser eliminado (pode ser "
                   "desactivado).");

// The member's printed list over `dataset`'s rows in their current order.
reports::Form codeTableList(const CodeTableMember& member);

// A printed list, created before its window and freed after it.
class CodeTableList : public QObject {
    Q_OBJECT
public:
    explicit CodeTableList(const CodeTableMember& member, QObject* parent = nullptr);
    reports::Form form() const { return codeTableList(m_member); }

private:
    const CodeTableMember& m_member;
};

// The member windows: TCORTF001 "Tabela de Desenhadores", TCORTF002 "Tabela de Côres",
// TCORTF003 "Tabela de Máquinas", TCORTF004 "Tabela de Cartões", TCORTF005 "Tabela de Modelos",
// TCORTF006 "Tabela de Locais".
template <int Number> class CodeTableMemberWindow : public CodeTableWindow {
public:
    explicit CodeTableMemberWindow(Session& session, QWidget* parent = nullptr,
                                   CodeTableList* list = nullptr)
        : CodeTableWindow(session, codeTableMember(Number), list, parent) {}
};
using TCORTF001 = CodeTableMemberWindow<1>;
using TCORTF002 = CodeTableMemberWindow<2>;
using TCORTF003 = CodeTableMemberWindow<3>;
using TCORTF004 = CodeTableMemberWindow<4>;
using TCORTF005 = CodeTableMemberWindow<5>;
using TCORTF006 = CodeTableMemberWindow<6>;

// Opens member `number`'s window (the menu's opening rule passes its list).
CodeTableWindow* createCodeTableWindow(int number, Session& session, QWidget* parent,
                                       CodeTableList* list);

} // namespace falq
