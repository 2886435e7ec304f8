#pragma once
// DTVERSAO: the version of the company's main database and the steps that bring an older
// database to the program's version. Each step is a set of statements; the version row is
// written only when the program's version is reached, and the whole upgrade is one
// transaction, so a failed step leaves the database as it was.
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <functional>

namespace falq::dbversion {

// TESTACTUAL_VERSAO: creates ACTUAL_VERSAO when the database has no such table and gives the
// company its row ("01.001") when it has none.
bool ensureVersionRow(QSqlDatabase db, int company, QString* error);
// The stored version of the company (first 6 characters).
QString storedVersion(QSqlDatabase db, int company, QString* error);
// True when the steps lead from `stored` to `target` ("01." and three digits, not beyond it).
bool canUpgrade(const QString& stored, const QString& target);
// Runs the steps from `stored` to `target`, calling `progress` with each version reached,
// then writes the version row (DATULTACT = the working date).
bool upgrade(QSqlDatabase db, int company, const QString& stored, const QString& target,
             const QDate& workingDate, const std::function<void(const QString&)>& progress,
             QString* error);

} // namespace falq::dbversion
