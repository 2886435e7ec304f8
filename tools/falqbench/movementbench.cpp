#include "movementbench.h"
#include "backgroundread.h"

#include "dataset.h"
#include "movementqueries.h"
#include "movementreportforms.h"
#include "purchaseslists.h"
#include "reportengine.h"
#include "toollife.h"

#include <QDateTime>
#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>

namespace falq::bench {

using namespace movements;

namespace {

QString literal(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QDateTime)
        return QLatin1Char('\'') + dateTimeText(v.toDateTime()) + QLatin1Char('\'');
    if (v.metaType().id() == QMetaType::Int || v.metaType().id() == QMetaType::LongLong ||
        v.metaType().id() == QMetaType::Double)
        return v.toString();
    return QLatin1Char('\'') + v.toString().replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

// Reads every row and every value, as a report or a summary does.
int readAll(const QString& connection, const Statement& s) {
    QSqlQuery q(QSqlDatabase::database(connection, false));
    if (!runForward(q, s))
        qFatal("falqbench: %s", qPrintable(s.sql));
    int rows = 0;
    const int columns = q.record().count();
    while (q.next()) {
        for (int i = 0; i < columns; ++i)
            q.value(i);
        ++rows;
    }
    return rows;
}

} // namespace

QString withValues(const QString& sql, const Bindings& binds) {
    // Longer names first, so that one name that starts another is not replaced inside it.
    Bindings sorted = binds;
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    QString out = sql;
    for (const auto& [name, value] : std::as_const(sorted))
        out.replace(name, literal(value));
    return out;
}

QList<MovementScenario> movementScenarios(const QSqlDatabase& db, const QString& folder) {
    const SqlDialect dialect = SqlDialect::forDatabase(db);
    QSqlQuery q(db);
    q.exec(QStringLiteral("SELECT MIN(DATA), MAX(DATA) FROM MOVIMENTOS"));
    q.next();
    const QDate first = parseDateTime(q.value(0)).date();
    const QDate last = parseDateTime(q.value(1)).date();
    struct Period {
        QString name;
        QDate from, to;
    };
    const QList<Period> periods = {{QStringLiteral("1y"), QDate(last.year(), 1, 1), last},
                                   {QStringLiteral("all"), first, last}};
    QList<MovementScenario> out;
    auto statementScenario = [&](const QString& name, const QString& description,
                                 const Statement& s, const Statement& before = {}) {
        MovementScenario m;
        m.name = name;
        m.description = description;
        m.run = [connection = db.connectionName(), s] { readAll(connection, s); };
        m.sql = [s] { return QStringList{withValues(s.sql, s.binds)}; };
        if (!before.sql.isEmpty())
            m.before = [before] { return QStringList{withValues(before.sql, before.binds)}; };
        return m;
    };
    for (const Period& p : periods) {
        MovementFilter f;
        f.from = p.from;
        f.to = p.to;
        for (ItemKind kind : {ItemKind::Drawing, ItemKind::Cliche}) {
            const QString k = kind == ItemKind::Drawing ? QStringLiteral("d") : QStringLiteral("c");
            for (Measure measure : {Measure::Uses, Measure::Rotations})
                out << statementScenario(
                    QStringLiteral("rank-%1-%2-%3")
                        .arg(measure == Measure::Uses ? QStringLiteral("uses")
                                                      : QStringLiteral("rot"),
                             k, p.name),
                    QStringLiteral("ranking"), rankingStatement(dialect, kind, measure, f),
                    rankingStatement(dialect, kind, measure, f, SumsFrom::Movements));
            out << statementScenario(QStringLiteral("movlist-%1-%2").arg(k, p.name),
                                     QStringLiteral("movement list"),
                                     movementListStatement(dialect, kind, f));
        }
        PurchasesFilter pf;
        pf.from = p.from;
        pf.to = p.to;
        const Statement rows = purchasesStatement(dialect, pf);
        out << statementScenario(QStringLiteral("purch-detail-%1").arg(p.name),
                                 QStringLiteral("detailed list rows"), rows);
        for (TotalsBy by : {TotalsBy::Client, TotalsBy::Supplier}) {
            const Statement t = purchasesTotalsStatement(dialect, pf, by, TotalsOrder::Value);
            out << statementScenario(
                QStringLiteral("purch-tot%1-%2")
                    .arg(by == TotalsBy::Client ? QStringLiteral("cli") : QStringLiteral("frn"),
                         p.name),
                QStringLiteral("totals"), t);
        }
        // The listing window's grid: the rows statement opened, its first page read.
        MovementScenario grid;
        grid.name = QStringLiteral("purch-grid-%1").arg(p.name);
        grid.run = [connection = db.connectionName(), rows] {
            Dataset d(QStringLiteral("REPARACOES"), connection, rows.sql,
                      UpdateObject{QStringLiteral("REPARACOES"), {QStringLiteral("NRO")}, {}});
            d.setStatement(rows);
            if (!d.open())
                qFatal("falqbench: %s", qPrintable(d.lastError()));
            for (int i = 0; i < qMin(40, d.rowCount()); ++i)
                d.value(i, 0);
        };
        grid.sql = [rows, dialect] {
            QString counted = rows.sql;
            counted.replace(QStringLiteral("SELECT *"), QStringLiteral("SELECT COUNT(*)"));
            counted = counted.left(counted.indexOf(QStringLiteral(" ORDER BY")));
            return QStringList{
                withValues(rows.sql + QLatin1Char(' ') + dialect.limitClause(256), rows.binds),
                withValues(counted, rows.binds)};
        };
        out << grid;
    }
    // Tool life: every cliché and every drawing in one statement per kind, and one tool's sums
    // (the warning after a movement) for the tool of the newest movement of each kind.
    for (ItemKind kind : {ItemKind::Cliche, ItemKind::Drawing}) {
        const QString k = kind == ItemKind::Drawing ? QStringLiteral("d") : QStringLiteral("c");
        out << statementScenario(
            QStringLiteral("life-%1").arg(k), QStringLiteral("tool life, every tool"),
            toolLifeStatement(dialect, kind, ToolLifeFilter(), last),
            toolLifeStatement(dialect, kind, ToolLifeFilter(), last, SumsFrom::Movements));
        // The same, read as the window and the dashboard read it: a connection of its own in a
        // worker thread, every row made a tool.
        MovementScenario background = statementScenario(
            QStringLiteral("life-bg-%1").arg(k), QStringLiteral("tool life, in the background"),
            toolLifeStatement(dialect, kind, ToolLifeFilter(), last));
        background.run = [connection = db.connectionName(), kind, last] {
            QVector<ToolLife> tools;
            BackgroundRead read(connection, [&tools, kind, last](QSqlDatabase& own, QString* why) {
                return readToolLives(own, kind, ToolLifeFilter(), last, tools, why);
            });
            read.start();
            read.wait(-1);
            if (read.outcome() != BackgroundRead::Outcome::Done)
                qFatal("falqbench: %s", qPrintable(read.error()));
        };
        out << background;
        // The window's first rows: the first page of numbers, then that page's sums.
        MovementScenario page;
        page.name = QStringLiteral("life-page-%1").arg(k);
        page.description = QStringLiteral("tool life, the window's first page");
        const Statement numbers = toolPageStatement(dialect, kind, ToolLifeFilter(), {}, 200);
        page.run = [connection = db.connectionName(), numbers, dialect, kind, last] {
            QSqlQuery q(QSqlDatabase::database(connection, false));
            if (!runForward(q, numbers))
                qFatal("falqbench: %s", qPrintable(numbers.sql));
            ToolLifeFilter range;
            while (q.next())
                range.numberUpTo = q.value(0).toString();
            readAll(connection, toolLifeStatement(dialect, kind, range, last));
        };
        page.sql = [db, numbers, dialect, kind, last] {
            QSqlQuery q(db);
            runForward(q, numbers);
            ToolLifeFilter range;
            while (q.next())
                range.numberUpTo = q.value(0).toString();
            const Statement sums = toolLifeStatement(dialect, kind, range, last);
            return QStringList{withValues(numbers.sql, numbers.binds),
                               withValues(sums.sql, sums.binds)};
        };
        out << page;
        QSqlQuery newest(db);
        newest.exec(QStringLiteral("SELECT %1 FROM MOVIMENTOS WHERE %2 = '' ORDER BY NRO DESC ")
                        .arg(numberColumn(kind), kind == ItemKind::Drawing
                                                     ? QStringLiteral("CLICHENRO")
                                                     : QStringLiteral("DESENHONRO")) +
                    dialect.limitClause(1));
        ToolLifeFilter one;
        one.number = newest.next() ? newest.value(0).toString() : QString();
        out << statementScenario(QStringLiteral("life-warn-%1").arg(k),
                                 QStringLiteral("one tool's life (warning)"),
                                 toolLifeStatement(dialect, kind, one, last),
                                 toolLifeStatement(dialect, kind, one, last, SumsFrom::Movements));
    }
    // A ranking with the movements of its items, newest year, rendered to PDF.
    MovementScenario pdf;
    pdf.name = QStringLiteral("rank-pdf-1y");
    pdf.run = [connection = db.connectionName(), folder, periods] {
        const QSqlDatabase db = QSqlDatabase::database(connection, false);
        MovementReportCriteria c;
        c.from = periods[0].from;
        c.to = periods[0].to;
        c.clientPattern = c.supplierPattern = QStringLiteral("%");
        c.orders = true;
        PreparedReport prepared;
        QString error;
        if (!prepareMovementReport(db, ImageParameters(), MovementReport::RiskDrawings, c, prepared,
                                   &error))
            qFatal("falqbench: %s", qPrintable(error));
        const reports::Result r =
            reports::renderToFile(prepared.form, *prepared.source, {QStringLiteral("Bench"), {}},
                                  reports::FileFormat::Pdf, QDir(folder).filePath("rank.pdf"));
        if (!r.ok)
            qFatal("falqbench: %s", qPrintable(r.error));
    };
    pdf.sql = [dialect, periods] {
        MovementFilter f;
        f.from = periods[0].from;
        f.to = periods[0].to;
        const Statement a = rankingStatement(dialect, ItemKind::Drawing, Measure::Uses, f);
        const Statement b = rankedMovementsStatement(dialect, ItemKind::Drawing, f);
        return QStringList{withValues(a.sql, a.binds), withValues(b.sql, b.binds)};
    };
    pdf.note = QStringLiteral("engine: the two statements only");
    out << pdf;
    return out;
}

QStringList movementScenarioNames() {
    QStringList names;
    for (const char* period : {"1y", "all"}) {
        for (const char* kind : {"d", "c"}) {
            names << QStringLiteral("rank-uses-%1-%2").arg(kind, period)
                  << QStringLiteral("rank-rot-%1-%2").arg(kind, period)
                  << QStringLiteral("movlist-%1-%2").arg(kind, period);
        }
        names << QStringLiteral("purch-detail-%1").arg(period)
              << QStringLiteral("purch-totcli-%1").arg(period)
              << QStringLiteral("purch-totfrn-%1").arg(period)
              << QStringLiteral("purch-grid-%1").arg(period);
    }
    return names << QStringLiteral("life-c") << QStringLiteral("life-page-c")
                 << QStringLiteral("life-page-d") << QStringLiteral("life-warn-c")
                 << QStringLiteral("life-d") << QStringLiteral("life-warn-d")
                 << QStringLiteral("life-bg-c") << QStringLiteral("life-bg-d")
                 << QStringLiteral("rank-pdf-1y");
}

} // namespace falq::bench
