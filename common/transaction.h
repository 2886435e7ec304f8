#pragma once
// Owns one database transaction: commit explicitly, rolled back when it goes out of scope
// otherwise. On SQLite the transaction takes the write lock at once (BEGIN IMMEDIATE), so a
// transaction that reads before it writes never fails half-way with "database is locked".
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace falq {

class Transaction {
public:
    explicit Transaction(QSqlDatabase db) : m_db(db) {
        if (m_db.driverName() == QLatin1String("QSQLITE")) {
            QSqlQuery q(m_db);
            m_active = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
            m_manual = true;
            if (!m_active)
                m_error = q.lastError().text();
        } else {
            m_active = m_db.transaction();
            if (!m_active)
                m_error = m_db.lastError().text();
        }
    }
    ~Transaction() {
        if (m_active)
            rollback();
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isActive() const { return m_active; }
    // The engine's message when beginning or committing failed (may be empty when the
    // connection is gone).
    QString error() const { return m_error; }

    bool commit() {
        if (!m_active)
            return false;
        bool ok;
        if (m_manual) {
            QSqlQuery q(m_db);
            ok = q.exec(QStringLiteral("COMMIT"));
            if (!ok)
                m_error = q.lastError().text();
        } else {
            ok = m_db.commit();
            if (!ok)
                m_error = m_db.lastError().text();
        }
        if (ok)
            m_active = false;
        return ok;
    }

    void rollback() {
        if (!m_active)
            return;
        if (m_manual) {
            QSqlQuery q(m_db);
            q.exec(QStringLiteral("ROLLBACK"));
        } else {
            m_db.rollback();
        }
        m_active = false;
    }

private:
    QSqlDatabase m_db;
    bool m_active = false;
    bool m_manual = false;
    QString m_error;
};

} // namespace falq
