#include "liveconnection.h"

#include <QSqlError>
#include <QSqlQuery>

namespace falq {

QString noServerMessage(const QString& reason) {
    return QStringLiteral("Sem ligação ao servidor de base de dados: %1")
        .arg(reason.trimmed().isEmpty() ? QStringLiteral("o servidor não responde.")
                                        : reason.trimmed());
}

bool connectionAnswers(const QSqlDatabase& db, QString* reason) {
    if (!db.isValid() || !db.isOpen()) {
        if (reason)
            *reason = db.lastError().text().trimmed().isEmpty() ? QStringLiteral("ligação fechada.")
                                                                : db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("SELECT 1")) && q.next())
        return true;
    if (reason)
        *reason = q.lastError().text();
    return false;
}

bool ensureConnection(QSqlDatabase db, QString* reason) {
    QString why;
    if (connectionAnswers(db, &why))
        return true;
    db.close();
    if (db.open() && connectionAnswers(db, &why))
        return true;
    if (reason) {
        const QString openError = db.lastError().text().trimmed();
        *reason = openError.isEmpty() ? why : openError;
    }
    return false;
}

} // namespace falq
