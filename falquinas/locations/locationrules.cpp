#include "locationrules.h"

#include "dialect.h"
#include "sqlrun.h"
#include "transaction.h"

#include <QSqlQuery>

namespace falq::locations {

QString kindCode(ToolKind kind) {
    return kind == ToolKind::Cliche ? QStringLiteral("CL") : QStringLiteral("DS");
}

bool Tool::operator==(const Tool& other) const {
    // Numbers are keys that ignore case, as the tables do.
    return kind == other.kind && number.compare(other.number, Qt::CaseInsensitive) == 0;
}

QString toolName(const Tool& tool) {
    return (tool.kind == ToolKind::Cliche ? QStringLiteral("Cliché ")
                                          : QStringLiteral("Desenho ")) +
           tool.number;
}

QString stateCode(State state) {
    switch (state) {
    case State::Store:
        return QStringLiteral("A");
    case State::Machine:
        return QStringLiteral("M");
    case State::Supplier:
        return QStringLiteral("F");
    case State::Scrapped:
        break;
    }
    return QStringLiteral("X");
}

Reading parseReading(const QString& typed) {
    const QString text = typed.trimmed();
    Reading r;
    if (text.isEmpty())
        return r;
    struct Prefix {
        const char* text;
        Reading::Type type;
        ToolKind kind;
    };
    static const Prefix prefixes[] = {{"CL:", Reading::Type::Tool, ToolKind::Cliche},
                                      {"DS:", Reading::Type::Tool, ToolKind::Drawing},
                                      {"L:", Reading::Type::Place, ToolKind::Cliche},
                                      {"M:", Reading::Type::Machine, ToolKind::Cliche},
                                      {"F:", Reading::Type::Supplier, ToolKind::Cliche}};
    for (const Prefix& p : prefixes) {
        const QLatin1String prefix(p.text);
        if (text.startsWith(prefix, Qt::CaseInsensitive)) {
            r.type = p.type;
            r.kind = p.kind;
            r.value = text.mid(prefix.size()).trimmed();
            if (r.value.isEmpty())
                r.type = Reading::Type::Empty;
            return r;
        }
    }
    r.type = Reading::Type::Bare;
    r.value = text;
    return r;
}

namespace {

// The first column of every row of a statement.
bool firstColumn(QSqlDatabase db, const QString& sql, const QVariantList& binds,
                 QStringList* values, QString* error) {
    QSqlQuery q(db);
    if (!runStatement(q, sql, binds, error))
        return false;
    while (q.next())
        values->append(q.value(0).toString());
    return true;
}

// The destination's refusal, if any.
bool checkDestination(QSqlDatabase main, QSqlDatabase invoicing, const SqlDialect& dialect,
                      const Destination& to, QString* refusal, QString* error) {
    // The place stays as read until the commit: a delete or a change to inactive by another
    // workstation waits for this move (and then sees the tools it holds).
    const QString locked = dialect.lockedRead(false);
    // The first column of the row `sql` finds for `key`, or the refusal when there is none.
    auto find = [&](QSqlDatabase db, const QString& sql, const QVariant& key,
                    const QString& missing, QStringList* rows) {
        if (!firstColumn(db, sql, {key}, rows, error))
            return false;
        if (rows->isEmpty())
            *refusal = missing.arg(key.toString());
        return true;
    };
    QStringList rows;
    switch (to.state) {
    case State::Store:
        if (!find(main, QStringLiteral("SELECT ACTIVO FROM LOCAIS WHERE CODIGO = ?") + locked,
                  to.place, kUnknownPlace, &rows))
            return false;
        if (!rows.isEmpty() && rows.first().compare(QLatin1String("S"), Qt::CaseInsensitive) != 0)
            *refusal = kInactivePlace.arg(to.place);
        return true;
    case State::Machine:
        return find(main, QStringLiteral("SELECT CODIGO FROM MAQUINAS WHERE CODIGO = ?"),
                    to.machine, kUnknownMachine, &rows);
    case State::Supplier:
        return find(invoicing, QStringLiteral("SELECT CODIGO FROM FORNECEDORES WHERE CODIGO = ?"),
                    to.supplier, kUnknownSupplier, &rows);
    case State::Scrapped:
        break;
    }
    return true;
}

QString toolTable(ToolKind kind) {
    return kind == ToolKind::Cliche ? QStringLiteral("SELECT CLICHENRO FROM CLICHES WHERE "
                                                     "CLICHENRO = ?")
                                    : QStringLiteral("SELECT DESENHONRO FROM DESENHOS WHERE "
                                                     "DESENHONRO = ?");
}

} // namespace

bool resolveBare(QSqlDatabase main, const QString& text, QList<Tool>* tools, QString* error) {
    tools->clear();
    for (const ToolKind kind : {ToolKind::Cliche, ToolKind::Drawing}) {
        QStringList numbers;
        if (!firstColumn(main, toolTable(kind), {text}, &numbers, error))
            return false;
        if (!numbers.isEmpty()) {
            tools->append(Tool{kind, numbers.first()});
            return true;
        }
    }
    QStringList numbers;
    if (!firstColumn(main,
                     QStringLiteral("SELECT CLICHENRO FROM CLICHES WHERE CODBARRAS = ? ORDER BY "
                                    "CLICHENRO"),
                     {text}, &numbers, error))
        return false;
    for (const QString& n : std::as_const(numbers))
        tools->append(Tool{ToolKind::Cliche, n});
    return true;
}

bool moveTools(QSqlDatabase main, QSqlDatabase invoicing, const QList<Tool>& tools,
               const Destination& to, const Mover& mover, QString* error) {
    if (tools.isEmpty()) {
        *error = kNoTools;
        return false;
    }
    for (int i = 0; i < tools.size(); ++i)
        for (int j = 0; j < i; ++j)
            if (tools[i] == tools[j]) {
                *error = kReadTwice.arg(toolName(tools[i]));
                return false;
            }
    // The place is checked inside the transaction: a place deleted meanwhile by another
    // workstation is not written to.
    const SqlDialect d = SqlDialect::forDatabase(main);
    Transaction tx(main);
    if (!tx.isActive()) {
        *error = tx.error();
        return false;
    }
    QString refusal;
    if (!checkDestination(main, invoicing, d, to, &refusal, error))
        return false;
    if (!refusal.isEmpty()) {
        *error = refusal;
        return false;
    }
    const QString present = d.upsert(
        QStringLiteral("LOCALIZACAO"),
        {"TIPOREG", "NRO", "ESTADO", "LOCAL", "MAQUINA", "FORNECEDOR", "DATA", "UTIL", "POSTO"},
        {"TIPOREG", "NRO"});
    const QString history = QStringLiteral(
        "INSERT INTO LOCALIZACAO_HIST (TIPOREG, FERRAMENTA, ESTADO, LOCAL, MAQUINA, FORNECEDOR, "
        "DATA, UTIL, POSTO, OBS) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QVariant noText(QMetaType::fromType<QString>());
    const QVariant noNumber(QMetaType::fromType<int>());
    const QVariant place = to.state == State::Store ? QVariant(to.place) : noText;
    const QVariant machine = to.state == State::Machine ? QVariant(to.machine) : noNumber;
    const QVariant supplier = to.state == State::Supplier ? QVariant(to.supplier) : noNumber;
    for (const Tool& tool : tools) {
        // The tool as the register has it (its number's own spelling), and its present state
        // read inside the transaction.
        QStringList number;
        if (!firstColumn(main, toolTable(tool.kind), {tool.number}, &number, error))
            return false;
        if (number.isEmpty()) {
            *error = kUnknownTool.arg(toolName(tool));
            return false;
        }
        QStringList state;
        if (!firstColumn(main,
                         // Locked until the commit: a workstation scrapping the tool
                         // meanwhile is waited for, and its state then read.
                         QStringLiteral("SELECT ESTADO FROM LOCALIZACAO WHERE TIPOREG = ? AND "
                                        "NRO = ?") +
                             d.lockedRead(true),
                         {kindCode(tool.kind), number.first()}, &state, error))
            return false;
        if (!state.isEmpty() && state.first() == stateCode(State::Scrapped) &&
            to.state != State::Store) {
            *error = kScrapped.arg(toolName(tool));
            return false;
        }
        const QVariantList values = {kindCode(tool.kind),
                                     number.first(),
                                     stateCode(to.state),
                                     place,
                                     machine,
                                     supplier,
                                     d.bindDateTime(mover.when),
                                     mover.user,
                                     mover.station};
        QSqlQuery q(main);
        if (!runStatement(q, present, values, error) ||
            !runStatement(q, history, values + QVariantList{mover.note}, error))
            return false;
    }
    if (!tx.commit()) {
        *error = tx.error();
        return false;
    }
    return true;
}

} // namespace falq::locations
