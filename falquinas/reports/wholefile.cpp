#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

namespace falq {

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
