#include "backup.h"

#include "aliases.h"
#include "credentials.h"
#include "schema.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace falq {

namespace {

const QString kDumps = QStringLiteral("postgresql");

bool fail(QString* error, const QString& message) {
    *error = message;
    return false;
}

void tell(const Progress& progress, const QString& step, int done, int total) {
    if (progress)
        progress(step, done, total);
}

QList<AliasDef> aliasesOf(const QString& root) {
    const QString path = QDir(root).filePath(QStringLiteral("aliases.ini"));
    QList<AliasDef> out;
    if (!QFileInfo::exists(path))
        return out;
    QSettings ini(path, QSettings::IniFormat);
    for (const QString& group : ini.childGroups()) {
        AliasDef d;
        QString error;
        if (readAliasFrom(path, group, &d, &error))
            out << d;
    }
    return out;
}

// The schema's (or database's) dump file name.
QString dumpName(const AliasDef& a) {
    return (a.schema.isEmpty() ? a.database : a.schema) + QStringLiteral(".dump");
}

// Runs a program to its end; false with what it printed on its error output.
bool runProgram(const QString& program, const QStringList& args, QString* error,
                const QString& what, const ServerLogin& login = {}) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return fail(error,
                    QStringLiteral("%1: o programa %2 não foi encontrado.").arg(what, program));
    QProcess p;
    if (!login.user.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PGUSER"), login.user);
        if (!login.password.isEmpty())
            env.insert(QStringLiteral("PGPASSWORD"), login.password);
        p.setProcessEnvironment(env);
    }
    p.start(path, args);
    if (!p.waitForStarted(10000) || !p.waitForFinished(-1) ||
        p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        return fail(error,
                    QStringLiteral("%1: %2").arg(what, said.isEmpty() ? p.errorString() : said));
    }
    return true;
}

// Where pg_dump / pg_restore connect: the alias's server, database and its libpq options (TLS:
// "sslmode=verify-full;sslrootcert=..."), as one connection string.
QStringList serverArgs(const AliasDef& a) {
    QStringList conninfo{QStringLiteral("dbname='%1'").arg(a.database)};
    if (!a.host.isEmpty())
        conninfo << QStringLiteral("host='%1'").arg(a.host);
    if (a.port > 0)
        conninfo << QStringLiteral("port=%1").arg(a.port);
    for (const QString& option : a.options.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (option.contains(QLatin1Char('=')))
            conninfo << option.trimmed();
    return {QStringLiteral("-d"), conninfo.join(QLatin1Char(' '))};
}

// A consistent copy of a SQLite database that other programs may be writing: the engine's
// online backup, read in one step (one snapshot).
bool copySqlite(const QString& from, const QString& to, QString* error) {
    sqlite3* src = nullptr;
    sqlite3* dst = nullptr;
    const auto done = [&](bool ok, const QString& message) {
        if (dst)
            sqlite3_close(dst);
        if (src)
            sqlite3_close(src);
        if (!ok)
            QFile::remove(to);
        return ok || fail(error, message);
    };
    if (sqlite3_open_v2(QFile::encodeName(from).constData(), &src, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK)
        return done(false,
                    QStringLiteral("%1: %2").arg(from, QString::fromUtf8(sqlite3_errmsg(src))));
    sqlite3_busy_timeout(src, 30000);
    QDir().mkpath(QFileInfo(to).absolutePath());
    if (sqlite3_open_v2(QFile::encodeName(to).constData(), &dst,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        return done(false,
                    QStringLiteral("%1: %2").arg(to, QString::fromUtf8(sqlite3_errmsg(dst))));
    sqlite3_backup* b = sqlite3_backup_init(dst, "main", src, "main");
    if (!b)
        return done(false,
                    QStringLiteral("%1: %2").arg(from, QString::fromUtf8(sqlite3_errmsg(dst))));
    int rc = SQLITE_OK;
    do {
        rc = sqlite3_backup_step(b, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            sqlite3_sleep(100);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE)
        return done(false,
                    QStringLiteral("%1: %2").arg(from, QString::fromUtf8(sqlite3_errstr(rc))));
    // The copy is one file: its journal folded in.
    sqlite3_exec(dst, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
    return done(true, {});
}

bool sha256(const QString& path, QByteArray* sum, qint64* size) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QCryptographicHash h(QCryptographicHash::Sha256);
    if (!h.addData(&f))
        return false;
    *sum = h.result().toHex();
    *size = f.size();
    return true;
}

// Every file under `folder`, relative, sorted.
QStringList filesUnder(const QString& folder, const QStringList& skipped = {}) {
    QStringList files;
    const QDir base(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString canonical = QFileInfo(path).canonicalFilePath();
        bool skip = false;
        for (const QString& s : skipped)
            skip = skip || canonical == s || canonical.startsWith(s + QLatin1Char('/'));
        if (!skip)
            files << base.relativeFilePath(path);
    }
    files.sort();
    return files;
}

bool safeRelative(const QString& path) {
    return !path.isEmpty() && !QDir::isAbsolutePath(path) &&
           !path.split(QLatin1Char('/')).contains(QStringLiteral(".."));
}

} // namespace

QString backupName(const QString& root, const QDateTime& when) {
    QString name = QFileInfo(QDir::cleanPath(root)).fileName();
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return QStringLiteral("falquinas-%1-%2.tar.gz")
        .arg(name.isEmpty() ? QStringLiteral("instalacao") : name,
             when.toString(QStringLiteral("yyyyMMdd-HHmmss")));
}

bool backupInstallation(const QString& root, const QString& destFolder, QString* archive,
                        QString* error, const Progress& progress, const ServerLogin& login) {
    const QFileInfo rootInfo(root);
    if (!rootInfo.isDir() || !QFileInfo::exists(QDir(root).filePath(QStringLiteral("aliases.ini"))))
        return fail(error,
                    QStringLiteral("%1 não é uma instalação (falta o aliases.ini).").arg(root));
    if (!QDir().mkpath(destFolder))
        return fail(error, QStringLiteral("Não foi possível criar a pasta %1.").arg(destFolder));
    const QString rootPath = rootInfo.canonicalFilePath();
    QTemporaryDir staging(QDir(destFolder).filePath(QStringLiteral(".falqbackup-XXXXXX")));
    if (!staging.isValid())
        return fail(error, QStringLiteral("Não foi possível escrever em %1.").arg(destFolder));

    // The databases first: SQLite files by their online backup, PostgreSQL schemas dumped.
    QStringList skipped = {QFileInfo(destFolder).canonicalFilePath()};
    QSet<QString> dumped;
    const QList<AliasDef> aliases = aliasesOf(root);
    int n = 0;
    for (const AliasDef& a : aliases) {
        tell(progress, QStringLiteral("Bases de dados"), n++, int(aliases.size()));
        if (a.driver == QLatin1String("QSQLITE")) {
            const QString file = QFileInfo(a.database).canonicalFilePath();
            if (file.isEmpty() || skipped.contains(file))
                continue;
            if (!file.startsWith(rootPath + QLatin1Char('/')))
                return fail(error, QStringLiteral("A base de dados %1 (%2) está fora da pasta da "
                                                  "instalação: não é copiada.")
                                       .arg(a.name, a.database));
            const QString relative = QDir(rootPath).relativeFilePath(file);
            if (!copySqlite(file, staging.filePath(relative), error))
                return false;
            skipped << file;
            for (const char* suffix : {"-wal", "-shm", "-journal"})
                skipped << file + QLatin1String(suffix);
        } else if (a.driver == QLatin1String("QPSQL")) {
            const QString key = a.host + QLatin1Char('|') + QString::number(a.port) +
                                QLatin1Char('|') + a.database + QLatin1Char('|') + a.schema;
            if (dumped.contains(key))
                continue;
            dumped << key;
            if (QStandardPaths::findExecutable(QStringLiteral("pg_dump")).isEmpty())
                return fail(error, QStringLiteral("A instalação usa PostgreSQL (%1): a cópia "
                                                  "precisa do pg_dump (pacote postgresql-client), "
                                                  "que não foi encontrado.")
                                       .arg(a.name));
            QDir().mkpath(staging.filePath(kDumps));
            QStringList args = serverArgs(a);
            args << QStringLiteral("-Fc") << QStringLiteral("-f")
                 << staging.filePath(kDumps + QLatin1Char('/') + dumpName(a));
            if (!a.schema.isEmpty())
                args << QStringLiteral("-n") << a.schema;
            if (!runProgram(QStringLiteral("pg_dump"), args, error,
                            QStringLiteral("pg_dump de %1").arg(a.name), login))
                return false;
        }
    }
    // Then every other file of the root.
    const QStringList files = filesUnder(rootPath, skipped);
    for (int i = 0; i < files.size(); ++i) {
        if (i % 50 == 0)
            tell(progress, QStringLiteral("Ficheiros"), i, int(files.size()));
        const QString to = staging.filePath(files[i]);
        QDir().mkpath(QFileInfo(to).absolutePath());
        if (!QFile::copy(QDir(rootPath).filePath(files[i]), to))
            return fail(error, QStringLiteral("Não foi possível copiar %1.").arg(files[i]));
    }
    // The manifest: every file's SHA-256 sum, size and path.
    const QStringList all = filesUnder(staging.path());
    QFile manifest(staging.filePath(kManifest));
    if (!manifest.open(QIODevice::WriteOnly | QIODevice::Text))
        return fail(error, manifest.errorString());
    manifest.write(QStringLiteral("# falquinas %1, cópia de %2 em %3\n")
                       .arg(schema::kProgramVersion, rootPath,
                            QDateTime::currentDateTime().toString(Qt::ISODate))
                       .toUtf8());
    for (int i = 0; i < all.size(); ++i) {
        if (i % 50 == 0)
            tell(progress, QStringLiteral("Manifesto"), i, int(all.size()));
        QByteArray sum;
        qint64 size = 0;
        if (!sha256(staging.filePath(all[i]), &sum, &size))
            return fail(error, QStringLiteral("Não foi possível ler %1.").arg(all[i]));
        manifest.write(sum + "  " + QByteArray::number(size) + "  " + all[i].toUtf8() + '\n');
    }
    manifest.close();
    // The archive, under its final name only once complete.
    tell(progress, QStringLiteral("Arquivo"), 0, 1);
    const QString target =
        QDir(destFolder).filePath(backupName(rootPath, QDateTime::currentDateTime()));
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    if (!runProgram(QStringLiteral("tar"),
                    {QStringLiteral("-czf"), part, QStringLiteral("-C"), staging.path(),
                     QStringLiteral(".")},
                    error, QStringLiteral("tar"))) {
        QFile::remove(part);
        return false;
    }
    if (QFileInfo::exists(target) || !QFile::rename(part, target)) {
        QFile::remove(part);
        return fail(error, QStringLiteral("Não foi possível escrever %1.").arg(target));
    }
    tell(progress, QStringLiteral("Arquivo"), 1, 1);
    *archive = target;
    return true;
}

bool unpackAndVerify(const QString& archive, const QString& folder, QString* error,
                     const Progress& progress) {
    if (!QFileInfo(archive).isFile())
        return fail(error, QStringLiteral("O arquivo %1 não existe.").arg(archive));
    tell(progress, QStringLiteral("Leitura do arquivo"), 0, 1);
    if (!runProgram(QStringLiteral("tar"),
                    {QStringLiteral("-xzf"), archive, QStringLiteral("-C"), folder,
                     QStringLiteral("--no-same-owner")},
                    error, QStringLiteral("O arquivo %1 está danificado").arg(archive)))
        return false;
    QFile manifest(QDir(folder).filePath(kManifest));
    if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(error, QStringLiteral("O arquivo %1 não tem manifesto (%2): não é uma cópia "
                                          "da instalação ou está danificado.")
                               .arg(archive, kManifest));
    const QStringList lines = QString::fromUtf8(manifest.readAll()).split(QLatin1Char('\n'));
    QSet<QString> listed;
    const QDir base(folder);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (i % 50 == 0)
            tell(progress, QStringLiteral("Verificação"), i, int(lines.size()));
        const QString sum = line.section(QStringLiteral("  "), 0, 0);
        const qint64 size = line.section(QStringLiteral("  "), 1, 1).toLongLong();
        const QString path = line.section(QStringLiteral("  "), 2);
        if (!safeRelative(path))
            return fail(error, QStringLiteral("O manifesto de %1 nomeia um ficheiro fora da "
                                              "cópia: %2.")
                                   .arg(archive, path));
        QByteArray actual;
        qint64 actualSize = -1;
        if (!sha256(base.filePath(path), &actual, &actualSize))
            return fail(error,
                        QStringLiteral("Falta o ficheiro %1 no arquivo %2.").arg(path, archive));
        if (actualSize != size || actual != sum.toLatin1())
            return fail(
                error,
                QStringLiteral("O ficheiro %1 do arquivo %2 está danificado.").arg(path, archive));
        listed << path;
    }
    for (const QString& f : filesUnder(folder))
        if (f != kManifest && !listed.contains(f))
            return fail(error,
                        QStringLiteral("O ficheiro %1 do arquivo %2 não consta do manifesto.")
                            .arg(f, archive));
    return true;
}

bool verifyArchive(const QString& archive, QString* error, const Progress& progress) {
    QTemporaryDir folder;
    if (!folder.isValid())
        return fail(error, QStringLiteral("Não foi possível criar uma pasta temporária."));
    return unpackAndVerify(archive, folder.path(), error, progress);
}

bool restoreInstallation(const QString& archive, const QString& root, bool replace, QString* error,
                         const Progress& progress, const ServerLogin& login) {
    const QString target = QDir::cleanPath(QDir(root).absolutePath());
    const QFileInfo info(target);
    const bool occupied =
        info.exists() &&
        (!info.isDir() || !QDir(target).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                QDir::Hidden | QDir::System));
    if (occupied && !replace)
        return fail(error, QStringLiteral("A pasta %1 não está vazia: nada foi restaurado. Para "
                                          "substituir a instalação que lá está, use --replace "
                                          "(ela fica guardada ao lado).")
                               .arg(target));
    const QString parent = info.absolutePath();
    if (!QDir().mkpath(parent))
        return fail(error, QStringLiteral("Não foi possível criar a pasta %1.").arg(parent));
    // Unpacked and checked beside the target, then put in its place in one rename.
    QTemporaryDir unpacked(QDir(parent).filePath(QStringLiteral(".falqrestore-XXXXXX")));
    if (!unpacked.isValid())
        return fail(error, QStringLiteral("Não foi possível escrever em %1.").arg(parent));
    if (!unpackAndVerify(archive, unpacked.path(), error, progress))
        return false;
    QFile::remove(unpacked.filePath(kManifest));
    // The PostgreSQL schemas, each in one transaction, as the restored aliases name them.
    QDir dumps(unpacked.filePath(kDumps));
    ServerLogin server = login;
    if (dumps.exists() && server.user.isEmpty() && qEnvironmentVariableIsEmpty("PGUSER")) {
        // The login the restored installation's programs use.
        const QByteArray before = qgetenv("VELMORA_ROOT");
        qputenv("VELMORA_ROOT", unpacked.path().toLocal8Bit());
        const Credentials credentials = readCredentials();
        qputenv("VELMORA_ROOT", before);
        if (credentials.ok)
            server = {credentials.user, credentials.password};
    }
    if (dumps.exists()) {
        QSet<QString> restored;
        for (const AliasDef& a : aliasesOf(unpacked.path())) {
            const QString dump = dumps.filePath(dumpName(a));
            if (a.driver != QLatin1String("QPSQL") || restored.contains(dump) ||
                !QFileInfo::exists(dump))
                continue;
            restored << dump;
            tell(progress, QStringLiteral("PostgreSQL"), int(restored.size()), 0);
            QStringList args = serverArgs(a);
            args << QStringLiteral("--clean") << QStringLiteral("--if-exists")
                 << QStringLiteral("--single-transaction") << QStringLiteral("--no-owner") << dump;
            if (!runProgram(QStringLiteral("pg_restore"), args, error,
                            QStringLiteral("pg_restore de %1").arg(a.name), server))
                return false;
        }
        dumps.removeRecursively();
    }
    if (info.exists()) {
        const QString kept =
            target + QStringLiteral(".anterior-") +
            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        if (occupied ? !QDir().rename(target, kept) : !QDir().rmdir(target))
            return fail(error,
                        QStringLiteral("Não foi possível pôr de lado a pasta %1.").arg(target));
    }
    if (!QDir().rename(unpacked.path(), target))
        return fail(error, QStringLiteral("Não foi possível criar a pasta %1.").arg(target));
    unpacked.setAutoRemove(false);
    return true;
}

} // namespace falq
