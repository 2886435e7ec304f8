#include "wholefile.h"

#include <QFile>

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

} // namespace falq
