#include "plantroot.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace falq {

QString plantRoot() {
    const QString env = qEnvironmentVariable("VELMORA_ROOT");
    if (!env.isEmpty())
        return QDir::cleanPath(env);
#ifdef Q_OS_WIN
    return QStringLiteral("C:/Velmora");
#else
    return QDir::homePath() + QStringLiteral("/.local/share/velmora");
#endif
}

QString resolveCaseInsensitive(const QString& baseDir, const QString& relativePath) {
    QString current = QDir::cleanPath(baseDir);
    const QStringList parts = QString(relativePath)
                                  .replace(QLatin1Char('\\'), QLatin1Char('/'))
                                  .split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        QString next = current + QLatin1Char('/') + part;
        if (!QFileInfo::exists(next)) {
            const QStringList entries =
                QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    next = current + QLatin1Char('/') + entry;
                    break;
                }
            }
        }
        current = next;
    }
    return current;
}

QString resolveInRoot(const QString& relativePath) {
    return resolveCaseInsensitive(plantRoot(), relativePath);
}

QString resolveFolder(const QString& folder, const QString& root) {
    if (folder.trimmed().isEmpty())
        return folder;
    // Absolute whatever the system the program runs on: "/srv/imagens/", a drive letter
    // ("C:\Imagens") or a share ("\\servidor\imagens").
    const bool drive = folder.size() >= 2 && folder.at(1) == QLatin1Char(':');
    if (drive || folder.startsWith(QLatin1Char('\\')) || !QDir::isRelativePath(folder))
        return folder;
    return QDir::toNativeSeparators(resolveCaseInsensitive(root, folder));
}

QString resolveFolder(const QString& folder) {
    return resolveFolder(folder, plantRoot());
}

} // namespace falq
