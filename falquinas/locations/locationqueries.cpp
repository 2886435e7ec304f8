#include "locationqueries.h"

#include "codenames.h"
#include "dialect.h"
#include "sqlrun.h"
#include "toollife.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace falq::locations {

namespace {

// The columns every search reads, from LOCALIZACAO as L.
const QString kPresentColumns =
    QStringLiteral("L.TIPOREG, L.NRO, L.ESTADO, L.LOCAL, L.MAQUINA, L.FORNECEDOR, L.DATA, "
                   "L.UTIL, L.POSTO");

// The tool's client and reference, from its own table.
const QString kToolJoins =
    QStringLiteral(" LEFT JOIN CLICHES C ON L.TIPOREG = 'CL' AND C.CLICHENRO = L.NRO"
                   " LEFT JOIN DESENHOS D ON L.TIPOREG = 'DS' AND D.DESENHONRO = L.NRO");
const QString kToolColumns = QStringLiteral(
    ", COALESCE(C.SIGLACLI, D.SIGLACLI) AS SIGLACLI, COALESCE(C.REFERENCIA, D.REFERENCIA) AS "
    "REFERENCIA");

} // namespace

State stateFromCode(const QString& code) {
    const QString c = code.trimmed().toUpper();
    if (c == QLatin1String("M"))
        return State::Machine;
    if (c == QLatin1String("F"))
        return State::Supplier;
    if (c == QLatin1String("X"))
        return State::Scrapped;
    return State::Store;
}

QString stateText(State state) {
    switch (state) {
    case State::Store:
        return QStringLiteral("No armazém");
    case State::Machine:
        return QStringLiteral("Na máquina");
    case State::Supplier:
        return QStringLiteral("No fornecedor");
    case State::Scrapped:
        break;
    }
    return QStringLiteral("Abatido(a)");
}

bool readWhereabouts(QSqlDatabase main, const Tool& tool, Whereabouts* where, QString* error) {
    *where = Whereabouts();
    QSqlQuery q(main);
    if (!runStatement(q,
                      QStringLiteral("SELECT ESTADO, LOCAL, MAQUINA, FORNECEDOR, DATA, UTIL, POSTO "
                                     "FROM LOCALIZACAO WHERE TIPOREG = ? AND NRO = ?"),
                      {kindCode(tool.kind), tool.number}, error))
        return false;
    if (!q.next())
        return true;
    where->known = true;
    where->state = stateFromCode(q.value(0).toString());
    where->place = q.value(1).toString();
    where->machine = q.value(2).toInt();
    where->supplier = q.value(3).toInt();
    where->since = q.value(4).toDateTime();
    where->user = q.value(5).toString();
    where->station = q.value(6).toString();
    return true;
}

QString whereaboutsText(const Whereabouts& where, const QString& name) {
    if (!where.known)
        return kNoLocation;
    const QString since = where.since.isValid()
                              ? QStringLiteral(" desde ") + where.since.toString("dd/MM/yyyy")
                              : QString();
    const QString named = name.isEmpty() ? QString() : QStringLiteral(" - ") + name;
    switch (where.state) {
    case State::Store:
        return where.place + QStringLiteral(", no armazém") + since;
    case State::Machine:
        return QStringLiteral("na máquina %1%2").arg(where.machine).arg(named) + since;
    case State::Supplier:
        return QStringLiteral("no fornecedor %1%2").arg(where.supplier).arg(named) + since;
    case State::Scrapped:
        break;
    }
    return QStringLiteral("abatido(a)") + since;
}

QString destinationName(QSqlDatabase main, QSqlDatabase invoicing, const Whereabouts& where) {
    if (!where.known)
        return {};
    if (where.state == State::Machine)
        return findCode({main.connectionName(), QStringLiteral("MAQUINAS")}, where.machine,
                        {QStringLiteral("DESIGNACAO")})
            .value(0)
            .toString();
    if (where.state == State::Supplier && invoicing.isOpen())
        return findCode({invoicing.connectionName(), QStringLiteral("FORNECEDORES")},
                        where.supplier, {QStringLiteral("NOME")})
            .value(0)
            .toString();
    return {};
}

QString locationLine(QSqlDatabase main, QSqlDatabase invoicing, const Tool& tool) {
    Whereabouts where;
    QString error;
    if (!readWhereabouts(main, tool, &where, &error))
        return error;
    return QStringLiteral("Localização : ") +
           whereaboutsText(where, destinationName(main, invoicing, where));
}

bool readToolLine(QSqlDatabase main, QSqlDatabase invoicing, const Tool& tool,
                  const QDate& workingDate, ToolLine* line, bool* found, QString* error) {
    *line = ToolLine();
    *found = false;
    const bool cliche = tool.kind == ToolKind::Cliche;
    QSqlQuery q(main);
    if (!runStatement(q,
                      cliche ? QStringLiteral("SELECT CLICHENRO, SIGLACLI, REFERENCIA, CORTANTENRO "
                                              "FROM CLICHES WHERE CLICHENRO = ?")
                             : QStringLiteral("SELECT DESENHONRO, SIGLACLI, REFERENCIA, "
                                              "CORTANTENRO FROM DESENHOS WHERE DESENHONRO = ?"),
                      {tool.number}, error))
        return false;
    if (!q.next())
        return true;
    *found = true;
    // The number as the register spells it.
    line->tool = Tool{tool.kind, q.value(0).toString()};
    line->client = q.value(1).toString();
    line->reference = q.value(2).toString();
    line->die = q.value(3).toString();
    if (!readWhereabouts(main, line->tool, &line->where, error))
        return false;
    line->whereText = whereaboutsText(line->where, destinationName(main, invoicing, line->where));
    const std::optional<movements::ToolLife> life = movements::readToolLife(
        main, cliche ? movements::ItemKind::Cliche : movements::ItemKind::Drawing,
        line->tool.number, workingDate, error);
    if (!life && error && !error->isEmpty())
        return false;
    line->life = life;
    return true;
}

Statement historyStatement(const Tool& tool) {
    // Newest first; changes written in the same second in the order they were written.
    Statement s;
    s.sql = QStringLiteral("SELECT H.TIPOREG, H.FERRAMENTA AS NRO, H.ESTADO, H.LOCAL, H.MAQUINA, "
                           "H.FORNECEDOR, H.DATA, H.UTIL, H.POSTO, H.OBS FROM LOCALIZACAO_HIST H "
                           "WHERE H.TIPOREG = %1 AND H.FERRAMENTA = %2 ORDER BY H.DATA DESC, "
                           "H.NRO DESC")
                .arg(s.bind(kindCode(tool.kind)), s.bind(tool.number));
    return s;
}

Statement placeContentsStatement(const QString& place) {
    Statement s;
    s.sql = QStringLiteral("SELECT %1%2 FROM LOCALIZACAO L%3 WHERE L.ESTADO = 'A' AND L.LOCAL = %4 "
                           "ORDER BY L.TIPOREG, L.NRO")
                .arg(kPresentColumns, kToolColumns, kToolJoins, s.bind(place));
    return s;
}

Statement awayStatement(const SqlDialect& dialect, const QDateTime& now, int days) {
    Statement s;
    const QString before = s.bind(dialect.bindDateTime(now.addDays(-days)));
    s.sql = QStringLiteral("SELECT %1%2 FROM LOCALIZACAO L%3 WHERE L.ESTADO IN ('M', 'F') AND "
                           "L.DATA < %4 ORDER BY L.DATA, L.TIPOREG, L.NRO")
                .arg(kPresentColumns, kToolColumns, kToolJoins, before);
    return s;
}

Label toolLabel(ToolKind kind, const QString& number, const QString& client,
                const QString& reference, const QString& die) {
    Label l;
    l.barcode = kindCode(kind) + QLatin1Char(':') + number;
    l.big = number;
    l.lines << client << reference;
    if (!die.trimmed().isEmpty())
        l.lines << QStringLiteral("Cortante ") + die.trimmed();
    return l;
}

bool searchLabels(QSqlDatabase main, const Statement& search, ToolKind kind, QList<Label>* labels,
                  QString* error) {
    QSqlQuery q(main);
    q.setForwardOnly(true);
    if (!runStatement(q, search, error))
        return false;
    const QSqlRecord r = q.record();
    const int number = r.indexOf(kind == ToolKind::Cliche ? QStringLiteral("CLICHENRO")
                                                          : QStringLiteral("DESENHONRO"));
    const int client = r.indexOf(QStringLiteral("SIGLACLI"));
    const int reference = r.indexOf(QStringLiteral("REFERENCIA"));
    const int die = r.indexOf(QStringLiteral("CORTANTENRO"));
    while (q.next())
        labels->append(toolLabel(kind, q.value(number).toString(), q.value(client).toString(),
                                 q.value(reference).toString(), q.value(die).toString()));
    return true;
}

bool placeLabels(QSqlDatabase main, const QString& from, const QString& to, QList<Label>* labels,
                 QString* error) {
    Statement s;
    QStringList where;
    if (!from.trimmed().isEmpty())
        where << QStringLiteral("CODIGO >= ") + s.bind(from.trimmed());
    if (!to.trimmed().isEmpty())
        where << QStringLiteral("CODIGO <= ") + s.bind(to.trimmed());
    s.sql =
        QStringLiteral("SELECT CODIGO, DESIGNACAO, ZONA FROM LOCAIS%1 ORDER BY CODIGO")
            .arg(where.isEmpty() ? QString()
                                 : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND ")));
    QSqlQuery q(main);
    if (!runStatement(q, s, error))
        return false;
    while (q.next()) {
        Label l;
        l.barcode = QStringLiteral("L:") + q.value(0).toString();
        l.big = q.value(0).toString();
        l.lines << q.value(1).toString() << q.value(2).toString();
        labels->append(l);
    }
    return true;
}

} // namespace falq::locations
