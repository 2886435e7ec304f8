#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace falq {

QString systemReason(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
        return QStringLiteral("Disco cheio");
    case EFBIG:
        return QStringLiteral("Ficheiro maior do que o sistema permite");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("Quota de disco esgotada");
#endif
    case EACCES:
    case EPERM:
        return QStringLiteral("Sem permissão de escrita");
    case EROFS:
        return QStringLiteral("Disco só de leitura");
    case ENOENT:
        return QStringLiteral("A pasta não existe");
    case ENOTDIR:
        return QStringLiteral("O caminho passa por um ficheiro que não é uma pasta");
    case EISDIR:
        return QStringLiteral("O nome é o de uma pasta");
    case EIO:
        return QStringLiteral("Erro de leitura ou escrita no disco");
    case ENAMETOOLONG:
        return QStringLiteral("Nome demasiado longo");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Demasiados ficheiros abertos");
    case EEXIST:
        return QStringLiteral("O ficheiro já existe");
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return QStringLiteral("Ficheiro em uso");
    default:
        break;
    }
    return QString::fromStdString(std::generic_category().message(errorNumber));
}

QString writeFailure(const QString& path, const QString& reason) {
    return QStringLiteral("Não foi possível gravar %1: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

namespace {

QString createFailure(const QString& path, const QString& reason) {
    return QStringLiteral("Não foi possível criar %1: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

WholeFileWriter::WholeFileWriter(const QString& path, ExistingFile existing, QObject* parent)
    : QIODevice(parent), m_path(path), m_existing(existing), m_file(path) {}

WholeFileWriter::~WholeFileWriter() {
    cancel();
}

void WholeFileWriter::fail(const QString& text) {
    if (m_error.isEmpty()) {
        m_error = text;
        setErrorString(text); // what a writer given this device reads back
    }
}

QString WholeFileWriter::reason(int errorNumber) const {
    return errorNumber != 0 ? systemReason(errorNumber) : m_file.errorString();
}

bool WholeFileWriter::create(QFileDevice::Permissions permissions) {
    if (isOpen())
        return false;
    m_error.clear();
    if (m_existing == ExistingFile::Refuse) {
        // The name is taken exclusively first, so two writers never both believe they made
        // the file; the complete content replaces this empty file at commit.
        QFile reservation(m_path);
        errno = 0;
        if (!reservation.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            const int e = errno;
            fail(reservation.exists()
                     ? QStringLiteral("O ficheiro %1 já existe; não foi substituído ...")
                           .arg(QDir::toNativeSeparators(m_path))
                     : createFailure(m_path, e ? systemReason(e) : reservation.errorString()));
            return false;
        }
        reservation.close();
        m_reserved = true;
    }
    // Unbuffered: each write reaches the system at once, so a refusal comes back with its
    // reason to the write that caused it.
    errno = 0;
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fail(createFailure(m_path, reason(errno)));
        cancel();
        return false;
    }
    errno = 0;
    if (permissions && !m_file.setPermissions(permissions)) {
        fail(createFailure(m_path, reason(errno)));
        cancel();
        return false;
    }
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

qint64 WholeFileWriter::readData(char*, qint64) {
    return -1;
}

qint64 WholeFileWriter::writeData(const char* data, qint64 size) {
    if (failed() || !m_file.isOpen())
        return -1;
    // A short write is no error to the system: the next one says why.
    qint64 done = 0;
    while (done < size) {
        errno = 0;
        const qint64 n = m_file.write(data + done, size - done);
        if (n <= 0) {
            fail(writeFailure(m_path, reason(errno)));
            m_file.cancelWriting();
            return -1;
        }
        done += n;
    }
    return size;
}

bool WholeFileWriter::commit() {
    if (!isOpen())
        return false;
    errno = 0;
    if (!failed() && !m_file.commit())
        fail(writeFailure(m_path, reason(errno)));
    if (failed()) {
        cancel();
        return false;
    }
    m_reserved = false; // the reservation now holds the content
    QIODevice::close();
    return true;
}

void WholeFileWriter::cancel() {
    if (m_file.isOpen()) {
        m_file.cancelWriting();
        m_file.commit(); // a cancelled file only removes its temporary file
    }
    if (m_reserved) {
        QFile::remove(m_path);
        m_reserved = false;
    }
    if (isOpen())
        QIODevice::close();
}

bool writeWholeFile(const QString& path, const QByteArray& data, ExistingFile existing,
                    QString* error, QFileDevice::Permissions permissions) {
    WholeFileWriter file(path, existing);
    if (file.create(permissions) && file.write(data) == data.size() && file.commit())
        return true;
    if (error)
        *error = file.error();
    return false;
}

namespace {

constexpr int kNameAttempts = 1000;

// Flushes the file at `path` to the disk: a disk that only refuses what it was given when it
// stores it (a network share, a quota counted late) refuses here. 0, or the system's error.
int syncToDisk(const QString& path) {
#ifdef Q_OS_UNIX
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return errno ? errno : EIO;
    if (::fsync(file.handle()) != 0)
        return errno;
    return 0;
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        return EIO;
    return file.flush() ? 0 : EIO;
#endif
}

// Creates and fills the temporary file in `folder`, with a folder of its own for a library's
// temporary files; its name in `temp`. `shown` names the file in messages.
WholeFileResult fillTemporary(const QString& folder, const QString& shown, const FileFiller& fill,
                              QString* temp) {
    WholeFileResult r;
    errno = 0;
    if (!QDir().mkpath(folder)) {
        const int e = errno;
        r.error = QStringLiteral("A pasta \"%1\" não pode ser criada: %2")
                      .arg(QDir::toNativeSeparators(folder), systemReason(e ? e : ENOTDIR));
        return r;
    }
    {
        QTemporaryFile file(QDir(folder).filePath(QStringLiteral(".falq-XXXXXX.part")));
        file.setAutoRemove(false);
        errno = 0;
        if (!file.open()) {
            const int e = errno;
            r.error = writeFailure(shown, e ? systemReason(e) : file.errorString());
            return r;
        }
        *temp = file.fileName();
    }
    QString error;
    bool filled = false;
    {
        errno = 0;
        QTemporaryDir scratch(QDir(folder).filePath(QStringLiteral(".falq-XXXXXX.tmp")));
        if (!scratch.isValid()) {
            const int e = errno;
            error = writeFailure(shown, e ? systemReason(e) : scratch.errorString());
        } else {
            filled = fill({*temp, scratch.path()}, &error);
        }
    } // the scratch folder goes with whatever the library left in it
    if (filled) {
        if (const int e = syncToDisk(*temp)) {
            filled = false;
            error = writeFailure(shown, systemReason(e));
        }
    }
    if (!filled) {
        QFile::remove(*temp);
        r.cancelled = error.isEmpty();
        r.error = error;
        return r;
    }
    r.ok = true;
    return r;
}

} // namespace

WholeFileResult writeWholeFile(const QString& path, const FileFiller& fill) {
    const QFileInfo target(path);
    QString temp;
    WholeFileResult r = fillTemporary(target.absolutePath(), path, fill, &temp);
    if (!r.ok)
        return r;
    // A new file is readable by others, as the desktop's programs write them.
    QFile::setPermissions(temp, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ReadOther);
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp).toStdString(),
                            QFile::encodeName(target.absoluteFilePath()).toStdString(), ec);
    if (ec) {
        QFile::remove(temp);
        r.ok = false;
        r.error = writeFailure(path, ec.category() == std::generic_category() ||
                                             ec.category() == std::system_category()
                                         ? systemReason(ec.value())
                                         : QString::fromStdString(ec.message()));
        return r;
    }
    r.path = target.absoluteFilePath();
    return r;
}

WholeFileResult writeNewFile(const QString& folder, const std::function<QString(int)>& name,
                             const FileFiller& fill) {
    QString temp;
    WholeFileResult r = fillTemporary(folder, QDir(folder).filePath(name(0)), fill, &temp);
    if (!r.ok)
        return r;
    // QFile::rename never replaces an existing file.
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString candidate = QDir(folder).filePath(name(attempt));
        if (QFileInfo::exists(candidate))
            continue;
        QFile file(temp);
        errno = 0;
        if (file.rename(candidate)) {
            r.path = candidate;
            return r;
        }
        const int e = errno;
        if (!QFileInfo::exists(candidate)) {
            QFile::remove(temp);
            r.ok = false;
            r.error = writeFailure(candidate, e ? systemReason(e) : file.errorString());
            return r;
        }
    }
    QFile::remove(temp);
    r.ok = false;
    r.error = QStringLiteral("Não há um nome livre na pasta \"%1\".")
                  .arg(QDir::toNativeSeparators(folder));
    return r;
}

} // namespace falq
