#include "engineclient.h"

#include "dialect.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>

namespace falq::bench {

QList<double> parseClientTimes(const QString& output) {
    QList<double> times;
    static const QRegularExpression sqlite(QStringLiteral("^Run Time: real ([0-9.]+)"));
    static const QRegularExpression psql(QStringLiteral("^Time: ([0-9.]+) ms"));
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        if (const auto m = sqlite.match(line); m.hasMatch())
            times << m.captured(1).toDouble() * 1000.0;
        else if (const auto p = psql.match(line); p.hasMatch())
            times << p.captured(1).toDouble();
    }
    return times;
}

namespace {

// One session of the client on `statements` repeated `runs` times; the times it printed, and
// the wall time of the whole session.
QList<double> runClient(const EngineTarget& target, const QStringList& statements, int runs,
                        QString* error, double* wallMs) {
    QProcess process;
    QString script;
    QStringList args;
    if (target.alias.driver == QLatin1String("QSQLITE")) {
        script = QStringLiteral(".timer on\n.output /dev/null\n");
        process.setProgram(QStringLiteral("sqlite3"));
        args << QStringLiteral("-batch") << target.alias.database;
    } else if (target.alias.driver == QLatin1String("QPSQL")) {
        if (!target.alias.schema.isEmpty())
            script = QStringLiteral("SET search_path TO %1, public;\n").arg(target.alias.schema);
        script += QStringLiteral("\\timing on\n\\o /dev/null\n");
        process.setProgram(QStringLiteral("psql"));
        args << QStringLiteral("-X") << QStringLiteral("-q") << QStringLiteral("-v")
             << QStringLiteral("ON_ERROR_STOP=1");
        if (!target.alias.host.isEmpty())
            args << QStringLiteral("-h") << target.alias.host;
        if (target.alias.port)
            args << QStringLiteral("-p") << QString::number(target.alias.port);
        if (!target.user.isEmpty())
            args << QStringLiteral("-U") << target.user;
        args << QStringLiteral("-d") << target.alias.database;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PGPASSWORD"), target.password);
        process.setProcessEnvironment(env);
    } else {
        *error = QStringLiteral("no client for %1").arg(target.alias.driver);
        return {};
    }
    for (int i = 0; i < runs; ++i)
        for (const QString& statement : statements)
            script += statement + QStringLiteral(";\n");
    process.setArguments(args);
    QElapsedTimer wall;
    wall.start();
    process.start();
    if (!process.waitForStarted(5000)) {
        *error = QStringLiteral("%1 not found").arg(process.program());
        return {};
    }
    process.write(script.toUtf8());
    process.closeWriteChannel();
    process.waitForFinished(-1);
    *wallMs = wall.nsecsElapsed() / 1e6;
    const QList<double> all = parseClientTimes(QString::fromUtf8(process.readAllStandardOutput()));
    if (process.exitCode() != 0 || all.size() != runs * statements.size()) {
        *error = QString::fromUtf8(process.readAllStandardError()).trimmed();
        if (error->isEmpty())
            *error = QStringLiteral("%1 printed %2 times, expected %3")
                         .arg(process.program())
                         .arg(all.size())
                         .arg(runs * statements.size());
        return {};
    }
    return all;
}

} // namespace

QList<double> timeWithClient(const EngineTarget& target, const QStringList& statements, int runs,
                             QString* error) {
    double wall = 0;
    const QList<double> all = runClient(target, statements, runs, error, &wall);
    if (all.isEmpty())
        return {};
    QList<double> perRun;
    for (int i = 0; i < runs; ++i) {
        double sum = 0;
        for (int k = 0; k < statements.size(); ++k)
            sum += all[i * statements.size() + k];
        perRun << sum;
    }
    // sqlite3 prints milliseconds without decimals: for quick statements, time many runs of
    // the whole client instead and take away the time of a client that runs nothing.
    QList<double> sorted = perRun;
    std::sort(sorted.begin(), sorted.end());
    if (target.alias.driver == QLatin1String("QSQLITE") && sorted[sorted.size() / 2] < 5.0) {
        constexpr int many = 200;
        double emptyWall = 0;
        double manyWall = 0;
        runClient(target, {}, 0, error, &emptyWall);
        if (runClient(target, statements, many, error, &manyWall).isEmpty())
            return perRun;
        const double each = qMax(0.0, (manyWall - emptyWall) / many);
        return QList<double>(runs, each);
    }
    return perRun;
}

QString inlineBinds(const QString& sql, const Bindings& binds, bool sqlite) {
    // Longer names first, so that one name that starts another is not replaced inside it.
    Bindings sorted = binds;
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    QString out = sql;
    for (const auto& [name, v] : std::as_const(sorted)) {
        QString literal;
        if (v.isNull())
            literal = QStringLiteral("NULL");
        else if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate)
            literal = QLatin1Char('\'') + dateTimeText(v.toDateTime()) + QLatin1Char('\'') +
                      (sqlite ? QString() : QStringLiteral("::timestamp"));
        else if (v.typeId() == QMetaType::QString)
            literal = QLatin1Char('\'') + v.toString().replace('\'', QStringLiteral("''")) +
                      QLatin1Char('\'');
        else
            literal = v.toString();
        out.replace(name, literal);
    }
    return out;
}

} // namespace falq::bench
