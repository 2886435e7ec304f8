#pragma once
// What the administration utility keeps while it runs (application code, the general
// database's login, the current company and its main database) and the rules its windows
// write by: a user's rights rows created on first sight, a user deleted with his rights.
#include "credentials.h"
#include "dataset.h"
#include "messages.h"

#include <QSqlDatabase>
#include <QString>

namespace falq {

inline const QString kAdminMain = QStringLiteral("BDDADOSFALQUINAS"); // the company's main db
inline const QString kAdminGeral = QStringLiteral("ZELGERAL");        // the general database
inline const QString kGeneralAlias = QStringLiteral("ZELGERAL");

// The company the utility works on.
struct AdminCompany {
    int number = 0;
    QString name;
    QString mainAlias; // EMPRESAS.BDESPECIF02
    bool isSet() const { return number > 0; }
};

class AdminSession {
public:
    AdminSession(Messages& messages, const Credentials& credentials);
    AdminSession(const AdminSession&) = delete;
    AdminSession& operator=(const AdminSession&) = delete;

    Messages& messages() { return m_messages; }
    QString application() const { return m_application; }
    // The two login lines of the general database, from the credential library.
    QString generalUserLine() const { return m_userLine; }
    QString generalPasswordLine() const { return m_passwordLine; }

    const AdminCompany& company() const { return m_company; }
    void setCompany(const AdminCompany& company) { m_company = company; }

    // The write-error window; set once at program start.
    void setUpdateErrorHandler(UpdateErrorHandler* handler) { m_handler = handler; }
    UpdateErrorHandler* updateErrorHandler() const { return m_handler; }

private:
    Messages& m_messages;
    QString m_application;
    QString m_userLine;
    QString m_passwordLine;
    AdminCompany m_company;
    UpdateErrorHandler* m_handler = nullptr;
};

// Opens the general database (alias "ZELGERAL") with the credential library's login.
bool connectGeneral(const AdminSession& session, QString* error);

// Opens the main database of a company with no login of its own: the database engine
// authenticates whoever runs the utility (on PostgreSQL the PGUSER/.pgpass of that person).
// On failure the message names the alias and the reason.
bool connectMain(const QString& alias, QString* error);

// Whether a user of that name exists, compared as the key compares (without regard to case).
bool userExists(const QSqlDatabase& db, const QString& user, bool* exists, QString* error);

// Gives `user` a rights row, every flag "S", for each program of the application's catalogue
// (APLICACAOMST) that has none yet in `company`; rows that exist are left as they are. One
// transaction. An empty user gets nothing.
bool ensureUserRights(const QSqlDatabase& db, const QString& application, int company,
                      const QString& user, QString* error);

// Deletes every rights row of `user`, in every company, once the user is no longer in
// UTILIZADORES. Runs inside the transaction that deletes the user (an ApplyStep), so the rights
// go exactly when the user goes.
bool deleteUserRights(QSqlDatabase& db, const QString& user, QString* error);

} // namespace falq
