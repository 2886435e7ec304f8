#include "connections.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace falq {

void closeConnection(const QString& connectionName) {
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

QString loginLineValue(const QString& line) {
    const int eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.mid(eq + 1);
}

bool openConnection(const QString& connectionName, const AliasDef& def, const QString& user,
                    const QString& password, QString* error) {
    closeConnection(connectionName);
    if (!QSqlDatabase::isDriverAvailable(def.driver)) {
        *error = QStringLiteral("Alias \"%1\": o controlador %2 não está instalado.")
                     .arg(def.name, def.driver);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(def.driver, connectionName);
    db.setDatabaseName(def.database);
    QString options = def.options;
    if (def.driver == QLatin1String("QSQLITE")) {
        // A missing file would silently become a new empty database.
        if (!QFileInfo::exists(def.database)) {
            *error = QStringLiteral("Alias \"%1\": a base de dados %2 não existe.")
                         .arg(def.name, def.database);
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connectionName);
            return false;
        }
        options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000") +
                  (options.isEmpty() ? QString() : QLatin1Char(';') + options);
    } else {
        db.setHostName(def.host);
        if (def.port)
            db.setPort(def.port);
        db.setUserName(user);
        db.setPassword(password);
        if (def.driver == QLatin1String("QPSQL") && !def.schema.isEmpty()) {
            // The schema is a plant setting, not user input; keep it to a plain identifier.
            static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
            if (!plain.match(def.schema).hasMatch()) {
                *error = QStringLiteral("Alias \"%1\": esquema inválido \"%2\".")
                             .arg(def.name, def.schema);
                db = QSqlDatabase();
                QSqlDatabase::removeDatabase(connectionName);
                return false;
            }
            options += (options.isEmpty() ? QString() : QStringLiteral(";")) +
                       QStringLiteral("options='-c search_path=%1,public'").arg(def.schema);
        }
    }
    db.setConnectOptions(options);
    if (!db.open()) {
        *error = QStringLiteral("Não foi possível abrir a base de dados do alias \"%1\": %2")
                     .arg(def.name, db.lastError().text());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        return false;
    }
    if (def.driver == QLatin1String("QSQLITE")) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    }
    return true;
}

bool openAlias(const QString& connectionName, const QString& alias, const QString& user,
               const QString& password, QString* error) {
    AliasDef def;
    if (!readAlias(alias, &def, error))
        return false;
    return openConnection(connectionName, def, user, password, error);
}

} // namespace falq
