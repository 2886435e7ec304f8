#include "wholefile.h"

#include <QFile>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

namespace falq {

WholeFileWriter::WholeFileWriter(const QString& path, ExistingFile existing, QObject* parent)
    : QIODevice(parent), m_path(path), m_existing(existing), m_file(path) {}

WholeFileWriter::~WholeFileWriter() {
    cancel();
}

void WholeFileWriter::fail(const QString& text) {
    if (m_error.isEmpty())
        m_error = text;
}

bool WholeFileWriter::create(QFileDevice::Permissions permissions) {
    if (isOpen())
        return false;
    m_error.clear();
    if (m_existing == ExistingFile::Refuse) {
        // The name is taken exclusively first, so two writers never both believe they made
        // the file; the complete content replaces this empty file at commit.
        QFile reservation(m_path);
        if (!reservation.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            fail(
                reservation.exists()
                    ? QStringLiteral("O ficheiro %1 já existe; não foi substituído ...").arg(m_path)
                    : QStringLiteral("Não foi possível criar %1: %2")
                          .arg(m_path, reservation.errorString()));
            return false;
        }
        reservation.close();
        m_reserved = true;
    }
    // Unbuffered: each write reaches the system at once, so a refusal comes back with its
    // reason to the write that caused it.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fail(QStringLiteral("Não foi possível criar %1: %2").arg(m_path, m_file.errorString()));
        cancel();
        return false;
    }
    if (permissions && !m_file.setPermissions(permissions)) {
        fail(QStringLiteral("Não foi possível criar %1: %2").arg(m_path, m_file.errorString()));
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
        const qint64 n = m_file.write(data + done, size - done);
        if (n <= 0) {
            fail(
                QStringLiteral("Não foi possível gravar %1: %2").arg(m_path, m_file.errorString()));
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
    if (!failed() && !m_file.commit())
        fail(QStringLiteral("Não foi possível gravar %1: %2").arg(m_path, m_file.errorString()));
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

// Creates and fills the temporary file in `folder`; its name in `temp`.
WholeFileResult fillTemporary(const QString& folder, const FileFiller& fill, QString* temp) {
    WholeFileResult r;
    if (!QDir().mkpath(folder)) {
        r.error = QStringLiteral("A pasta \"%1\" não pode ser criada.").arg(folder);
        return r;
    }
    {
        QTemporaryFile file(QDir(folder).filePath(QStringLiteral(".falq-XXXXXX.part")));
        file.setAutoRemove(false);
        if (!file.open()) {
            r.error = QStringLiteral("Não é possível escrever na pasta \"%1\" : %2")
                          .arg(folder, file.errorString());
            return r;
        }
        *temp = file.fileName();
    }
    QString error;
    if (!fill(*temp, &error)) {
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
    WholeFileResult r = fillTemporary(target.absolutePath(), fill, &temp);
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
        r.error = QStringLiteral("O ficheiro \"%1\" não pode ser gravado : %2")
                      .arg(path, QString::fromStdString(ec.message()));
        return r;
    }
    r.path = target.absoluteFilePath();
    return r;
}

WholeFileResult writeNewFile(const QString& folder, const std::function<QString(int)>& name,
                             const FileFiller& fill) {
    QString temp;
    WholeFileResult r = fillTemporary(folder, fill, &temp);
    if (!r.ok)
        return r;
    // QFile::rename never replaces an existing file.
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString candidate = QDir(folder).filePath(name(attempt));
        if (QFileInfo::exists(candidate))
            continue;
        QFile file(temp);
        if (file.rename(candidate)) {
            r.path = candidate;
            return r;
        }
        if (!QFileInfo::exists(candidate)) {
            QFile::remove(temp);
            r.ok = false;
            r.error = QStringLiteral("O ficheiro \"%1\" não pode ser gravado : %2")
                          .arg(candidate, file.errorString());
            return r;
        }
    }
    QFile::remove(temp);
    r.ok = false;
    r.error = QStringLiteral("Não há um nome livre na pasta \"%1\".").arg(folder);
    return r;
}

} // namespace falq
