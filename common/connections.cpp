#include "connections.h"

#include "sqlrun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QPair>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QThread>
#include <QUrl>
#include <QtEndian>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace falq {

namespace {

const QString kSqlite = QStringLiteral("QSQLITE");

// Where an alias's database lives, for messages: the file, or the database on its server.
QString whereIs(const AliasDef& def) {
    if (def.driver == kSqlite)
        return QDir::toNativeSeparators(def.database);
    if (def.host.isEmpty())
        return def.database;
    return QStringLiteral("%1 em %2")
        .arg(def.database,
             def.port ? QStringLiteral("%1:%2").arg(def.host).arg(def.port) : def.host);
}

QString openFailure(const AliasDef& def, const QString& reason) {
    return QStringLiteral("Não foi possível abrir a base de dados do alias \"%1\" (%2): %3")
        .arg(def.name, whereIs(def), reason);
}

// The file as an SQLite URI that opens it only if it exists ("rw", or "ro" when the alias
// asks for read-only access): the engine never creates a database behind the programs' back.
QString sqliteUri(const QString& path, bool readOnly) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           (readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw"));
}

bool hasContent(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.size() > 0;
}

// What is wrong with the database header `header` of the file `path` (`info`), empty when
// nothing.
QString headerProblem(const QString& path, const QFileInfo& info, const QByteArray& header) {
    // The database header: https://www.sqlite.org/fileformat.html
    static const QByteArray magic("SQLite format 3\0", 16);
    if (header.size() < 100 || !header.startsWith(magic))
        return QStringLiteral("o ficheiro não é uma base de dados SQLite");
    const auto* h = reinterpret_cast<const uchar*>(header.constData());
    const quint32 rawPageSize = qFromBigEndian<quint16>(h + 16);
    const qint64 pageSize = rawPageSize == 1 ? 65536 : rawPageSize;
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        return QStringLiteral("o cabeçalho da base de dados está danificado");
    // The page count is kept in the header when the change counter matches the "valid for"
    // number. Pages may still wait in a journal or write-ahead log (another program has the
    // database open, or one stopped half-way): then the engine decides.
    const quint32 changes = qFromBigEndian<quint32>(h + 24);
    const quint32 pages = qFromBigEndian<quint32>(h + 28);
    const quint32 validFor = qFromBigEndian<quint32>(h + 92);
    const bool pending =
        hasContent(path + QStringLiteral("-wal")) || hasContent(path + QStringLiteral("-journal"));
    if (pages > 0 && changes == validFor && !pending && info.size() < qint64(pages) * pageSize)
        return QStringLiteral("o ficheiro está truncado (%1 bytes; a base de dados tem %2)")
            .arg(info.size())
            .arg(qint64(pages) * pageSize);
    return {};
}

// Reads database headers without ever closing a handle of a file the process may hold open.
//
// On POSIX systems closing any handle of a file releases every lock the process holds on it,
// the engine's included: with a connection of this process on the file (another connection,
// a background read, a dataset's reading copy), another program could then take the write
// lock, or fold the write-ahead log into the file and delete it under that connection. So
// the handle a file's header is first read with is kept for the life of the process and
// every later read of that file (known by its identity on disk, whatever name reaches it)
// goes through it. Kept handles also keep the identity from being given to another file.
// A handle is let go once its file is deleted, when no other program can open it any more.
class HeaderReader {
public:
#ifdef Q_OS_UNIX
    ~HeaderReader() {
        qDeleteAll(m_files);
        qDeleteAll(m_strays);
    }
#endif

    bool read(const QString& path, QByteArray* header, QString* error) {
#ifdef Q_OS_UNIX
        QMutexLocker lock(&m_mutex);
        struct stat st {};
        QFile* file = nullptr;
        if (::stat(QFile::encodeName(path).constData(), &st) == 0)
            file = m_files.value(Id(st.st_dev, st.st_ino));
        if (!file) {
            dropDeleted();
            auto opened = std::make_unique<QFile>(path);
            // Unbuffered: every read comes from the file as it is now.
            if (!opened->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
                *error = opened->errorString();
                return false;
            }
            if (::fstat(opened->handle(), &st) != 0) {
                // Kept all the same: closing it could be what must not happen.
                m_strays << opened.release();
                *error = QStringLiteral("o ficheiro não pode ser lido");
                return false;
            }
            const Id id(st.st_dev, st.st_ino);
            if (m_files.contains(id))
                m_strays << opened.release(); // the file changed names meanwhile
            else
                m_files.insert(id, opened.release());
            file = m_files.value(id);
        }
        if (!file->seek(0)) {
            *error = file->errorString();
            return false;
        }
        *header = file->read(100);
        return true;
#else
        // A handle's locks are its own.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = file.errorString();
            return false;
        }
        *header = file.read(100);
        return true;
#endif
    }

private:
#ifdef Q_OS_UNIX
    using Id = QPair<quint64, quint64>; // device and inode

    void dropDeleted() {
        for (auto it = m_files.begin(); it != m_files.end();) {
            struct stat st {};
            if (::fstat(it.value()->handle(), &st) == 0 && st.st_nlink == 0) {
                delete it.value();
                it = m_files.erase(it);
            } else {
                ++it;
            }
        }
    }

    QMutex m_mutex;
    QHash<Id, QFile*> m_files;
    QList<QFile*> m_strays;
#endif
};

} // namespace

QString sqliteFileProblem(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("o ficheiro não existe");
    if (!info.isFile())
        return QStringLiteral("não é um ficheiro");
    if (info.size() == 0)
        return QStringLiteral("o ficheiro está vazio (0 bytes)");
    static HeaderReader reader;
    QByteArray header;
    QString error;
    if (!reader.read(path, &header, &error))
        return error;
    return headerProblem(path, info, header);
}

bool createSqliteDatabase(const QString& path, QString* error) {
    if (QFileInfo::exists(path)) {
        *error = QStringLiteral("A base de dados %1 já existe; não foi substituída.")
                     .arg(QDir::toNativeSeparators(path));
        return false;
    }
    static int counter = 0;
    const QString name = QStringLiteral("falq_create_%1").arg(++counter);
    QString reason;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(kSqlite, name);
        db.setDatabaseName(path);
        if (!db.open()) {
            reason = db.lastError().text();
        } else {
            // Writes the header: from here on the file is a database.
            QSqlQuery q(db);
            runStatement(q, QStringLiteral("PRAGMA journal_mode=WAL"), {}, &reason);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (reason.isEmpty())
        reason = sqliteFileProblem(path);
    if (reason.isEmpty())
        return true;
    for (const char* extra : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(extra));
    *error = QStringLiteral("Não foi possível criar a base de dados %1: %2")
                 .arg(QDir::toNativeSeparators(path), reason);
    return false;
}

namespace {

// The reading connections kept per source connection.
struct KeptReader {
    QString name;
    QString database; // what the source named when it was made (driver, database, login)
    bool busy = false;
};
QMutex g_readersMutex;
QHash<QString, KeptReader> g_readers; // by source connection

QString databaseKey(const QSqlDatabase& db) {
    return QStringList{
        db.driverName(), db.databaseName(), db.hostName(),      QString::number(db.port()),
        db.userName(),   db.password(),     db.connectOptions()}
        .join(QChar(0x1F));
}

// Takes the kept connection of `source` out of the list; its name when it may be closed now
// (not in use: one in use is closed when given back).
QString forgetReader(const QString& source) {
    const QMutexLocker lock(&g_readersMutex);
    const auto it = g_readers.constFind(source);
    if (it == g_readers.cend())
        return {};
    const QString name = it->busy ? QString() : it->name;
    g_readers.erase(it);
    return name;
}

} // namespace

QString reserveReadingConnection(const QSqlDatabase& source) {
    if (!QCoreApplication::instance() ||
        QThread::currentThread() != QCoreApplication::instance()->thread() || !source.isValid())
        return {};
    const QString sourceName = source.connectionName();
    const QString key = databaseKey(source);
    QString kept;
    {
        const QMutexLocker lock(&g_readersMutex);
        const auto it = g_readers.find(sourceName);
        if (it != g_readers.end() && it->database == key && QSqlDatabase::contains(it->name)) {
            if (it->busy)
                return {};
            it->busy = true;
            kept = it->name;
        }
    }
    if (!kept.isEmpty()) {
        // SQLite: a connection that has been idle may hold the schema as it was before another
        // connection changed it (a version step). Qt's driver sizes a statement's row when it
        // prepares it, and SQLite re-prepares a stale statement with the new columns when it
        // runs: a reading statement is run first, so that the schema is read anew.
        QSqlDatabase db = QSqlDatabase::database(kept, false);
        if (db.driverName() != QLatin1String("QSQLITE"))
            return kept;
        {
            QSqlQuery fresh(db);
            if (fresh.exec(QStringLiteral("SELECT 1 FROM sqlite_master LIMIT 1")))
                return kept;
        }
        db = QSqlDatabase();
        releaseReadingConnection(kept, true);
    }
    // None yet, or one on what the source named before.
    closeConnection(forgetReader(sourceName));
    static quint64 counter = 0;
    const QString name = QStringLiteral("%1~reading~%2").arg(sourceName).arg(++counter);
    QSqlDatabase db = QSqlDatabase::cloneDatabase(source, name);
    if (!db.open()) {
        db = QSqlDatabase();
        closeConnection(name);
        return {};
    }
    const QMutexLocker lock(&g_readersMutex);
    g_readers.insert(sourceName, KeptReader{name, key, true});
    return name;
}

void releaseReadingConnection(const QString& name, bool broken) {
    {
        const QMutexLocker lock(&g_readersMutex);
        for (auto it = g_readers.begin(); it != g_readers.end(); ++it) {
            if (it->name != name)
                continue;
            if (!broken) {
                it->busy = false;
                return;
            }
            g_readers.erase(it);
            break;
        }
    }
    closeConnection(name); // broken, or its source closed meanwhile
}

void closeConnection(const QString& connectionName) {
    const QString reader = forgetReader(connectionName);
    if (!reader.isEmpty())
        closeConnection(reader);
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
                    const QString& password, QString* error, ConnectionAccess access) {
    closeConnection(connectionName);
    if (!QSqlDatabase::isDriverAvailable(def.driver)) {
        *error = QStringLiteral("Alias \"%1\": o controlador %2 não está instalado.")
                     .arg(def.name, def.driver);
        return false;
    }
    QString options = def.options;
    const auto addOption = [&options](const QString& option) {
        options += (options.isEmpty() ? QString() : QStringLiteral(";")) + option;
    };
    const bool askedReadOnly = access == ConnectionAccess::ReadOnly;
    // Settings of a PostgreSQL session, given together in its one "options" entry.
    QStringList sessionSettings;
    if (def.driver == kSqlite) {
        if (askedReadOnly && !options.contains(QLatin1String("QSQLITE_OPEN_READONLY")))
            addOption(QStringLiteral("QSQLITE_OPEN_READONLY"));
        // A file that is not a database is refused before the engine touches it: an empty
        // file would silently become a new database.
        const QString problem = sqliteFileProblem(def.database);
        if (!problem.isEmpty()) {
            *error = openFailure(def, problem);
            return false;
        }
    } else if (def.driver == QLatin1String("QPSQL") && !def.schema.isEmpty()) {
        // The schema is a plant setting, not user input; keep it to a plain identifier.
        static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
        if (!plain.match(def.schema).hasMatch()) {
            *error =
                QStringLiteral("Alias \"%1\": esquema inválido \"%2\".").arg(def.name, def.schema);
            return false;
        }
        sessionSettings << QStringLiteral("-c search_path=%1,public").arg(def.schema);
    } else if (def.driver == QLatin1String("QODBC") && askedReadOnly) {
        addOption(QStringLiteral("SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY"));
    }
    if (def.driver == QLatin1String("QPSQL") && askedReadOnly)
        sessionSettings << QStringLiteral("-c default_transaction_read_only=on");
    if (!sessionSettings.isEmpty())
        addOption(QStringLiteral("options='%1'").arg(sessionSettings.join(QLatin1Char(' '))));
    const bool readOnly = options.contains(QLatin1String("QSQLITE_OPEN_READONLY"));
    QString reason;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(def.driver, connectionName);
        if (def.driver == kSqlite) {
            db.setDatabaseName(sqliteUri(def.database, readOnly));
            options = QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=10000") +
                      (options.isEmpty() ? QString() : QLatin1Char(';') + options);
        } else {
            db.setDatabaseName(def.database);
            db.setHostName(def.host);
            if (def.port)
                db.setPort(def.port);
            db.setUserName(user);
            db.setPassword(password);
        }
        db.setConnectOptions(options);
        if (!db.open()) {
            reason = db.lastError().text();
        } else if (def.driver == kSqlite) {
            // Reading the schema makes the engine look at the file before anything is written;
            // a read-only connection leaves the journal mode as it is.
            QStringList statements = {QStringLiteral("SELECT COUNT(*) FROM sqlite_master"),
                                      QStringLiteral("PRAGMA foreign_keys=ON")};
            if (!readOnly)
                statements.insert(1, QStringLiteral("PRAGMA journal_mode=WAL"));
            QSqlQuery q(db);
            for (const QString& sql : std::as_const(statements))
                if (!runStatement(q, sql, {}, &reason))
                    break;
        }
        if (reason.isEmpty())
            return true;
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    *error = openFailure(def, reason);
    return false;
}

bool openAlias(const QString& connectionName, const QString& alias, const QString& user,
               const QString& password, QString* error, ConnectionAccess access) {
    AliasDef def;
    if (!readAlias(alias, &def, error))
        return false;
    return openConnection(connectionName, def, user, password, error, access);
}

} // namespace falq
