#include "locationbench.h"

#include "locationqueries.h"
#include "sqlrun.h"

#include <QSqlQuery>

namespace falq::bench {

using namespace locations;

namespace {

// The first `count` clichés by number.
QStringList firstCliches(const QSqlDatabase& db, int count) {
    QSqlQuery q(db);
    QString error;
    QStringList numbers;
    if (runStatement(
            q,
            QStringLiteral("SELECT CLICHENRO FROM CLICHES ORDER BY CLICHENRO LIMIT %1").arg(count),
            {}, &error))
        while (q.next())
            numbers << q.value(0).toString();
    return numbers;
}

// Two active places to move between.
QStringList twoPlaces(const QSqlDatabase& db) {
    QSqlQuery q(db);
    QString error;
    QStringList places;
    if (runStatement(q,
                     QStringLiteral("SELECT CODIGO FROM LOCAIS WHERE ACTIVO = 'S' ORDER BY CODIGO "
                                    "LIMIT 2"),
                     {}, &error))
        while (q.next())
            places << q.value(0).toString();
    return places;
}

Statement bound(const QString& sql, const QVariantList& values) {
    Statement s;
    QString out = sql;
    for (const QVariant& v : values)
        out.replace(out.indexOf(QLatin1Char('?')), 1,
                    v.isValid() ? s.bind(v) : QStringLiteral("NULL"));
    s.sql = out;
    return s;
}

// What the engine's client runs for a move of `numbers` to `place`.
QStringList moveSql(const SqlDialect& d, const QStringList& numbers, const QString& place) {
    QStringList sql{d.isSQLite() ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN")};
    const QString upsert = d.upsert(
        QStringLiteral("LOCALIZACAO"),
        {"TIPOREG", "NRO", "ESTADO", "LOCAL", "MAQUINA", "FORNECEDOR", "DATA", "UTIL", "POSTO"},
        {"TIPOREG", "NRO"});
    const QVariant when = d.bindDateTime(QDateTime::currentDateTime());
    const QVariant none;
    const Statement placeCheck =
        bound(QStringLiteral("SELECT ACTIVO FROM LOCAIS WHERE CODIGO = ?"), {place});
    sql << withValues(placeCheck.sql, placeCheck.binds);
    for (const QString& n : numbers) {
        for (const Statement& s :
             {bound(QStringLiteral("SELECT CLICHENRO FROM CLICHES WHERE CLICHENRO = ?"), {n}),
              bound(QStringLiteral("SELECT ESTADO FROM LOCALIZACAO WHERE TIPOREG = ? AND NRO = ?"),
                    {QStringLiteral("CL"), n}),
              bound(upsert, {QStringLiteral("CL"), n, QStringLiteral("A"), place, none, none, when,
                             QStringLiteral("BENCH"), QStringLiteral("FALQBENCH")}),
              bound(QStringLiteral("INSERT INTO LOCALIZACAO_HIST (TIPOREG, FERRAMENTA, ESTADO, "
                                   "LOCAL, MAQUINA, FORNECEDOR, DATA, UTIL, POSTO, OBS) VALUES "
                                   "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {QStringLiteral("CL"), n, QStringLiteral("A"), place, none, none, when,
                     QStringLiteral("BENCH"), QStringLiteral("FALQBENCH"), QString()})})
            sql << withValues(s.sql, s.binds);
    }
    sql << QStringLiteral("COMMIT");
    return sql;
}

} // namespace

QStringList locationScenarioNames() {
    return {QStringLiteral("location-move-1"), QStringLiteral("location-where"),
            QStringLiteral("location-move-500"), QStringLiteral("labels-1000")};
}

QList<MovementScenario> locationScenarios(const QSqlDatabase& main, const QSqlDatabase& invoicing,
                                          const QString& folder) {
    QList<MovementScenario> out;
    const SqlDialect d = SqlDialect::forDatabase(main);
    const QStringList places = twoPlaces(main);
    const QStringList tools = firstCliches(main, 1000);
    if (places.size() < 2 || tools.size() < 500)
        qFatal("falqbench: the location scenarios need two active places and 500 clichés");
    const Mover mover{QStringLiteral("BENCH"), QStringLiteral("FALQBENCH"), {}, {}};
    // Each run moves to the other place, so that every run writes.
    auto counter = std::make_shared<int>(0);
    auto move = [main, invoicing, places, mover, counter](const QList<Tool>& list) {
        Mover m = mover;
        m.when = QDateTime::currentDateTime();
        QString error;
        if (!moveTools(main, invoicing, list, {State::Store, places.at(++*counter % 2), 0, 0}, m,
                       &error))
            qFatal("falqbench: %s", qPrintable(error));
    };
    const Tool one{ToolKind::Cliche, tools.at(tools.size() / 2)};
    const QDate today = QDate::currentDate();

    MovementScenario m;
    m.name = QStringLiteral("location-move-1");
    m.description = QStringLiteral("one tool read, moved to a place, its list line read again");
    m.run = [main, invoicing, one, today, move] {
        ToolLine line;
        bool found = false;
        QString error;
        readToolLine(main, invoicing, one, today, &line, &found, &error);
        move({one});
        readToolLine(main, invoicing, one, today, &line, &found, &error);
    };
    m.sql = [d, one, places] { return moveSql(d, {one.number}, places.first()); };
    out << m;

    m = MovementScenario();
    m.name = QStringLiteral("location-where");
    m.description = QStringLiteral("\"Onde está ?\": a tool's present place and its history");
    m.run = [main, invoicing, one] {
        locationLine(main, invoicing, one);
        QSqlQuery q(main);
        QString error;
        runStatement(q, historyStatement(one), &error);
        while (q.next()) {
        }
    };
    m.sql = [one] {
        const Statement h = historyStatement(one);
        const Statement p = bound(QStringLiteral("SELECT ESTADO, LOCAL, MAQUINA, FORNECEDOR, DATA, "
                                                 "UTIL, POSTO FROM LOCALIZACAO WHERE TIPOREG = ? "
                                                 "AND NRO = ?"),
                                  {QStringLiteral("CL"), one.number});
        return QStringList{withValues(p.sql, p.binds), withValues(h.sql, h.binds)};
    };
    out << m;

    m = MovementScenario();
    m.name = QStringLiteral("location-move-500");
    m.description = QStringLiteral("500 gathered tools moved to a place in one transaction");
    QList<Tool> five;
    for (int i = 0; i < 500; ++i)
        five << Tool{ToolKind::Cliche, tools.at(i)};
    m.run = [five, move] { move(five); };
    m.sql = [d, tools, places] { return moveSql(d, tools.mid(0, 500), places.first()); };
    out << m;

    m = MovementScenario();
    m.name = QStringLiteral("labels-1000");
    m.description = QStringLiteral("1,000 clichés' labels read and written to PDF (A4, 3 x 8)");
    const QString pdf = folder + QStringLiteral("/labels-1000.pdf");
    m.run = [main, pdf] {
        Statement s;
        s.sql = QStringLiteral("SELECT CLICHENRO, SIGLACLI, REFERENCIA, CORTANTENRO FROM CLICHES "
                               "ORDER BY CLICHENRO LIMIT 1000");
        QList<Label> labels;
        QString error;
        if (!searchLabels(main, s, ToolKind::Cliche, &labels, &error) ||
            !writeLabelsPdf(pdf, a4Sheet(), labels, 0, &error))
            qFatal("falqbench: labels-1000: %s", qPrintable(error));
    };
    m.sql = [] {
        return QStringList{QStringLiteral("SELECT CLICHENRO, SIGLACLI, REFERENCIA, CORTANTENRO "
                                          "FROM CLICHES ORDER BY CLICHENRO LIMIT 1000")};
    };
    out << m;
    return out;
}

} // namespace falq::bench
