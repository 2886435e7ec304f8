#pragma once
// Backup and restore of a plant root: one archive (.tar.gz, named with the date and time) of
// everything the root holds (its databases, image folders, documents, settings), with a
// manifest of every file's size and SHA-256 sum inside.
//
// SQLite databases are copied with the engine's online backup, so the copy is consistent while
// the programs run and write; the databases of a PostgreSQL installation (its aliases name
// QPSQL) are dumped with pg_dump, one custom-format dump per schema, into postgresql/ (the
// server's login comes from the usual PGUSER / PGPASSWORD / ~/.pgpass of whoever runs it).
// A restore checks the whole archive against its manifest first and writes nothing when any
// file is damaged; it never writes over an installation unless told to (`replace`), and then
// keeps the one it replaced beside it.
#include "installer.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace falq {

// The login pg_dump and pg_restore use (when empty: their usual PGUSER, PGPASSWORD, ~/.pgpass).
struct ServerLogin {
    QString user;
    QString password;
};

// The archive's name for a backup taken at `when`: falquinas-<root folder>-YYYYMMDD-HHMMSS.tar.gz.
QString backupName(const QString& root, const QDateTime& when);

// Backs `root` up into a new archive in `destFolder`; `archive` is the file written. False
// with the reason (and no archive left) on any failure.
bool backupInstallation(const QString& root, const QString& destFolder, QString* archive,
                        QString* error, const Progress& progress = {},
                        const ServerLogin& login = {});

// Unpacks `archive` into `folder` (empty) and checks every file against the manifest: false
// naming the first damaged, missing or unlisted file.
bool unpackAndVerify(const QString& archive, const QString& folder, QString* error,
                     const Progress& progress = {});
// The same in a temporary folder, removed after: whether the archive is whole.
bool verifyArchive(const QString& archive, QString* error, const Progress& progress = {});

// Restores `archive` as the plant root `root`: refused when `root` holds anything, unless
// `replace` (the installation there is then kept as <root>.anterior-YYYYMMDD-HHMMSS). The
// PostgreSQL dumps it holds are restored into their schemas (replacing them).
bool restoreInstallation(const QString& archive, const QString& root, bool replace, QString* error,
                         const Progress& progress = {}, const ServerLogin& login = {});

inline const QString kManifest = QStringLiteral("MANIFEST.sha256");

} // namespace falq
