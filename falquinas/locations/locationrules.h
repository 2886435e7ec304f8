#pragma once
// Where every plate and die is. Each tool (a cliché or a drawing's cutting die) has at most
// one row in LOCALIZACAO, its present state: in the store at a place of LOCAIS, at a machine,
// at a supplier, or scrapped; a tool without one is "Sem localização". Every change also
// writes a row to LOCALIZACAO_HIST, which no program updates or deletes.
//
// Tools and destinations are read from labels with bar codes, which a hand scanner types
// followed by Enter: "CL:" + cliché number, "DS:" + drawing number, "L:" + place code,
// "M:" + machine code, "F:" + supplier code. A bare text is a cliché number, else a drawing
// number, else the bar code of a product (CLICHES.CODBARRAS) naming its clichés.
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace falq::locations {

enum class ToolKind { Cliche, Drawing };
QString kindCode(ToolKind kind); // TIPOREG: "CL" / "DS"

struct Tool {
    ToolKind kind = ToolKind::Cliche;
    QString number;
    bool operator==(const Tool& other) const;
};

struct Reading {
    enum class Type { Empty, Tool, Place, Machine, Supplier, Bare };
    Type type = Type::Empty;
    ToolKind kind = ToolKind::Cliche; // of a tool label
    QString value;                    // the number or code, without its prefix
};
// The prefixes are read in any case, spaces around the value are dropped.
Reading parseReading(const QString& typed);

// ESTADO: in the store ("A"), at a machine ("M"), at a supplier ("F"), scrapped ("X").
enum class State { Store, Machine, Supplier, Scrapped };
QString stateCode(State state);

struct Destination {
    State state = State::Store;
    QString place; // LOCAIS.CODIGO, for the store
    int machine = 0;
    int supplier = 0;
};

// Who moves, from where, when.
struct Mover {
    QString user;
    QString station;
    QDateTime when;
    QString note; // OBS of the history rows
};

// The tools a bare reading names: the cliché of that number, else the drawing, else the
// clichés whose product bar code it is (by number). Empty when none; false on a database error.
bool resolveBare(QSqlDatabase main, const QString& text, QList<Tool>* tools, QString* error);

// Moves every tool to `to` in one transaction: each tool's present state written (made when it
// had none) and one history row each. Refused with the reason and nothing written: no tool, a
// tool read twice, a tool the register does not have, a scrapped tool sent anywhere but the
// store, an unknown or inactive place, an unknown machine, an unknown supplier (read in the
// invoicing database). A failure half-way writes nothing either.
bool moveTools(QSqlDatabase main, QSqlDatabase invoicing, const QList<Tool>& tools,
               const Destination& to, const Mover& mover, QString* error);

// The refusals' texts.
inline const QString kNoTools = QStringLiteral("Não há ferramentas para mover.");
inline const QString kReadTwice = QStringLiteral("%1 foi lido(a) duas vezes.");
inline const QString kUnknownTool = QStringLiteral("%1 não existe.");
inline const QString kScrapped = QStringLiteral("%1 está abatido(a): só pode voltar ao armazém.");
inline const QString kUnknownPlace = QStringLiteral("O local %1 não existe.");
inline const QString kInactivePlace = QStringLiteral("O local %1 não está activo.");
inline const QString kUnknownMachine = QStringLiteral("A máquina %1 não existe.");
inline const QString kUnknownSupplier = QStringLiteral("O fornecedor %1 não existe.");

// "Cliché 10000" / "Desenho D-77": a tool as the messages name it.
QString toolName(const Tool& tool);

} // namespace falq::locations
