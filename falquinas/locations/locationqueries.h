#pragma once
// Reading where tools are: a tool's present state and how it is said ("A-01-03, no armazém
// desde 03/12/2026"), the gathered tools' lines, and the searches of the location window: a
// tool's history (newest first), the tools kept in a place, the tools away from the store
// longer than some days. No window: the editors, the consultations, the tool life window and
// the station show the same line.
#include "dialect.h"
#include "labels.h"
#include "locationrules.h"
#include "statement.h"
#include "toollife.h"

#include <QDate>
#include <optional>

class QSqlQuery;

namespace falq::locations {

// A tool's row of LOCALIZACAO; `known` false: "Sem localização".
struct Whereabouts {
    bool known = false;
    State state = State::Store;
    QString place;
    int machine = 0;
    int supplier = 0;
    QDateTime since;
    QString user;
    QString station;
};

// False on a database error; a tool without a row reads as not known.
bool readWhereabouts(QSqlDatabase main, const Tool& tool, Whereabouts* where, QString* error);

// "A-01-03, no armazém desde 03/12/2026", "na máquina 2 - Flexo 4 Cores desde 03/12/2026", "no
// fornecedor 9005 - Gravuras do Norte desde ...", "abatido(a) desde ...", "Sem localização".
// `name`: the machine's or the supplier's name, when known.
QString whereaboutsText(const Whereabouts& where, const QString& name = {});
// The state's word for the grids: "No armazém", "Na máquina", "No fornecedor", "Abatido(a)".
QString stateText(State state);
State stateFromCode(const QString& code);
// The machine's or supplier's name for `where` (empty for the store or when not found).
QString destinationName(QSqlDatabase main, QSqlDatabase invoicing, const Whereabouts& where);
// What Label_Localizacao shows: "Localização : " + the whereabouts with their names; on a
// database error, the error.
QString locationLine(QSqlDatabase main, QSqlDatabase invoicing, const Tool& tool);
inline const QString kNoLocation = QStringLiteral("Sem localização");

// A gathered tool as the location window's list shows it.
struct ToolLine {
    Tool tool;
    QString client;
    QString reference;
    QString die; // CORTANTENRO
    Whereabouts where;
    QString whereText;
    std::optional<movements::ToolLife> life; // its wear as the tool life window shows it
};
// The tool's line; false on a database error or when the register does not have it
// (`*found` false then, with no error).
bool readToolLine(QSqlDatabase main, QSqlDatabase invoicing, const Tool& tool,
                  const QDate& workingDate, ToolLine* line, bool* found, QString* error);

// The searches. Every statement's columns: TIPOREG, NRO (the tool), ESTADO, LOCAL, MAQUINA,
// FORNECEDOR, DATA, UTIL, POSTO, and for the history OBS; the place's contents and the tools
// away add SIGLACLI and REFERENCIA.
Statement historyStatement(const Tool& tool);
Statement placeContentsStatement(const QString& place);
// The tools at a machine or a supplier since before `now` less `days` days, oldest first.
Statement awayStatement(const SqlDialect& dialect, const QDateTime& now, int days);

// Labels. A tool's: "CL:"/"DS:" + number in the bar code, the number, the client's short name,
// the reference and the die number. A place's: "L:" + code, the code, its designation and zone.
Label toolLabel(ToolKind kind, const QString& number, const QString& client,
                const QString& reference, const QString& die);
// The labels of the tools a search finds (rows with the kind's number column, SIGLACLI,
// REFERENCIA and CORTANTENRO), in its order.
bool searchLabels(QSqlDatabase main, const Statement& search, ToolKind kind, QList<Label>* labels,
                  QString* error);
// The labels of the places from `from` to `to` (by code; an empty bound sets no limit).
bool placeLabels(QSqlDatabase main, const QString& from, const QString& to, QList<Label>* labels,
                 QString* error);

} // namespace falq::locations
