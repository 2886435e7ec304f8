#pragma once
// Times statements with the database engine's own command-line client (sqlite3 or psql), so
// the benchmarks can say how far the programs are from what the engine itself needs.
#include "aliases.h"
#include "statement.h"

#include <QList>
#include <QMap>
#include <QStringList>
#include <QVariant>

namespace falq::bench {

struct EngineTarget {
    AliasDef alias;
    QString user;
    QString password;
};

// Runs `statements` (one repetition) `runs` times in one session of the client and returns,
// per run, the sum of the statements' times in milliseconds. Empty when the client is missing
// or fails; `error` says why.
QList<double> timeWithClient(const EngineTarget& target, const QStringList& statements, int runs,
                             QString* error);

// The statement with its bound values written in as literals, for the engine's client (the
// dashboard's statements bind by name).
QString inlineBinds(const QString& sql, const Bindings& binds, bool sqlite);

// The times the clients print: "Run Time: real 0.012 ..." (sqlite3, seconds) and
// "Time: 12.345 ms" (psql).
QList<double> parseClientTimes(const QString& output);

} // namespace falq::bench
