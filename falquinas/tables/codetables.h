#pragma once
// The five code tables (designers, colours, machines, boards, models): what each member of
// the family has of its own, its window (TCORTF001 to TCORTF005, one shared implementation
// in codetable.h) and its printed list (TCORTFPR001 to TCORTFPR005).
#include "codetable.h"
#include "reportform.h"

#include <QObject>

namespace falq {

// One detail box of a member.
struct CodeTableDetail {
    QString field;      // the column the box is bound to
    QString label;      // its label
    QString objectName; // the box's object name
    bool required = true;
    QString emptyMessage;           // shown when left empty; none: only a beep
    bool followsInsertRight = true; // disabled with "&Inserir" (the colour number is not)
};

struct CodeTableListColumn {
    QString title;
    QString field;
    int width = 0;
};

struct CodeTableMember {
    int number = 0;                         // 1 to 5
    QString windowClass;                    // TCORTF002
    QString caption;                        // "Tabela de Côres"
    QString dataset;                        // CORES (also the table)
    QString program;                        // PROGRAMA of the access rights
    qint64 maxCode = 0;                     // what the code column holds (smallint or integer)
    bool proposeCode = true;                // the designers' window leaves the code to the user
    QList<CodeTableDetail> details;         // the designation first
    QString listName;                       // TCORTFPR002
    QList<CodeTableListColumn> listColumns; // after "Código"
};

// Member 1 (designers) to 5 (models).
const CodeTableMember& codeTableMember(int number);

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
// TCORTF003 "Tabela de Máquinas", TCORTF004 "Tabela de Cartões", TCORTF005 "Tabela de Modelos".
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

// Opens member `number`'s window (the menu's opening rule passes its list).
CodeTableWindow* createCodeTableWindow(int number, Session& session, QWidget* parent,
                                       CodeTableList* list);

} // namespace falq
