#pragma once
// Test fixture: a fresh installation per test (plant root in a temporary folder, the three
// databases on SQLite files or in fresh PostgreSQL schemas), a message recorder and a
// scripted write-error handler.
#include "dataset.h"
#include "installer.h"
#include "messages.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

// Verifies a database call and prints the engine's error when it fails.
#define FALQ_VERIFY_SQL(query, call)                                                               \
    do {                                                                                           \
        if (!(call))                                                                               \
            QFAIL(qPrintable(QStringLiteral("SQL failed: %1").arg((query).lastError().text())));   \
    } while (false)

namespace falq::test {

// True when this run is the PostgreSQL variant (FALQ_TEST_ENGINE=pg).
bool usePostgres();
// A statement that runs for minutes on this run's engine unless it is stopped.
QString slowStatement();
// Skips the test when the PostgreSQL variant runs without a server (FALQ_TEST_PG unset).
// Use as the first line of initTestCase().
#define FALQ_REQUIRE_ENGINE()                                                                      \
    do {                                                                                           \
        if (falq::test::usePostgres() && qEnvironmentVariableIsEmpty("FALQ_TEST_PG"))              \
            QSKIP("PostgreSQL variant: FALQ_TEST_PG is not set");                                  \
    } while (false)

// Limits the size of every file this process writes (RLIMIT_FSIZE) while it lives, as a full
// disk or a quota would: a write past the limit fails with "File too large" (the signal that
// would end the process is ignored meanwhile). The previous limit and signal come back after.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_active; }

private:
    bool m_active = false;
    quint64 m_previous[2] = {0, 0};
    void (*m_previousHandler)(int) = nullptr;
};

// Files an SQLite alias may point at by mistake or after damage: a missing or empty file,
// a text file, a real database cut short, and one whose header is sound but whose schema
// page is not.
enum class DamagedDatabase { Missing, Empty, Text, Truncated, BrokenSchema };
// Writes such a file at `path` (nothing for Missing). False when it could not be made.
bool writeDamagedDatabase(const QString& path, DamagedDatabase kind);
// Adds the columns "kind" and "reason" to a test's data: a row per kind, with the words that
// the refusal to open such a file must hold.
void addDamagedDatabaseRows(const QList<DamagedDatabase>& kinds);
QByteArray fileContent(const QString& path); // empty when it cannot be read

// A small register for the generator: `cliches` clichés and as many drawings less a third.
RegisterSize smallRegister(int cliches, quint32 seed = 7);

class Installation {
public:
    // Creates the installation and points VELMORA_ROOT at it.
    explicit Installation(const std::function<void(InstallationSettings&)>& adjust = {});
    ~Installation();

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    QString root() const { return m_settings.root; }
    const InstallationSettings& settings() const { return m_settings; }
    QString credentialLibrary() const;

    // A connection of the test's own to one of the databases ("geral", "main", "fact").
    QSqlDatabase open(const QString& which, const QString& connectionName = {});
    // Runs a statement on one of the databases; fails the test on error.
    bool exec(const QString& which, const QString& sql, const QVariantList& binds = {});
    QVariant scalar(const QString& which, const QString& sql, const QVariantList& binds = {});
    void writeFile(const QString& relativePath, const QByteArray& content);
    // Points `alias` (defined anew in aliases.ini) at a file of `kind` in the data folder;
    // the file's path, or empty when it could not be made.
    QString aliasOnDamagedDatabase(const QString& alias, DamagedDatabase kind);

private:
    bool run(const QString& which, const QString& sql, const QVariantList& binds, QVariant* first);

    QTemporaryDir m_dir;
    InstallationSettings m_settings;
    QString m_error;
    QStringList m_connections;
};

// PostgreSQL: drops the three schemas of an installation, and lists the schemas that carry
// its prefix (nothing on SQLite).
void dropSchemas(const InstallationSettings& settings);
QStringList schemasOf(const InstallationSettings& settings);

class RecordingMessages : public Messages {
public:
    void show(const QString& text, bool beep = false) override {
        shown << text;
        beeps << beep;
    }
    bool ask(const QString& text) override {
        asked << text;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void beep() override { ++lonelyBeeps; }

    QStringList shown;
    QList<bool> beeps;
    QStringList asked;
    QList<bool> answers;
    int lonelyBeeps = 0;
};

// Answers write errors from a script; `edit` may change the new values for a retry.
class ScriptedHandler : public UpdateErrorHandler {
public:
    UpdateAction handleUpdateError(UpdateError& error) override {
        errors << error;
        if (edit)
            edit(error);
        return actions.isEmpty() ? UpdateAction::Abort : actions.takeFirst();
    }
    QList<UpdateAction> actions;
    std::function<void(UpdateError&)> edit;
    QList<UpdateError> errors;
};

} // namespace falq::test

#include <QTcpServer>

namespace falq::test {

// A small HTTP server on 127.0.0.1 (a free port) that answers GET requests from a table of
// paths; anything else gets 404. Records the paths asked for.
class HttpServer : public QTcpServer {
public:
    HttpServer();
    QUrl url() const;
    void route(const QString& path, const QByteArray& body, int status = 200) {
        m_routes[path] = {status, body};
    }
    QStringList requested;

private:
    QMap<QString, QPair<int, QByteArray>> m_routes;
};

} // namespace falq::test
