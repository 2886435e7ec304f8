#include "imagefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace falq {

ImageParameters readImageParameters(const QSqlDatabase& db) {
    ImageParameters p;
    QSqlQuery q(db);
    if (q.exec(QStringLiteral(
            "SELECT PATHCLICHE, PATHDESENHO, TIPOIMAGEM FROM PARGER ORDER BY CODIGO")) &&
        q.next()) {
        p.clicheFolder = q.value(0).toString();
        p.drawingFolder = q.value(1).toString();
        p.imageType = q.value(2).toString();
    }
    return p;
}

QString imagePath(const QString& folder, const QString& number, const QString& imageType) {
    return folder + QDir::separator() + number + imageType;
}

QString clicheImagePath(const ImageParameters& p, const QString& clicheNumber) {
    return imagePath(p.clicheFolder, clicheNumber, p.imageType);
}

QString drawingImagePath(const ImageParameters& p, const QString& drawingNumber) {
    return imagePath(p.drawingFolder, drawingNumber, p.imageType);
}

QStringList listRecordFiles(const QString& folder, const QString& number) {
    QStringList files;
    if (folder.isEmpty() || number.isEmpty())
        return files;
    const Qt::CaseSensitivity cs =
#ifdef Q_OS_WIN
        Qt::CaseInsensitive;
#else
        Qt::CaseSensitive;
#endif
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name))
        if (name.startsWith(number, cs))
            files << name;
    return files;
}

bool numberIsSafeFileName(const QString& number) {
    if (number.isEmpty() || number == QLatin1String(".") || number == QLatin1String(".."))
        return false;
    for (const QChar c : number)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
            c.unicode() < 32)
            return false;
    return true;
}

QString unsafeNumberMessage(const QString& number) {
    return QStringLiteral("O número \"%1\" não pode dar nome a um ficheiro do arquivo ...")
        .arg(number);
}

QString copyIntoFolder(const QString& source, const QString& folder, const QString& number,
                       const QString& suffix, QString* error) {
    if (folder.trimmed().isEmpty()) {
        *error =
            QStringLiteral("Caminho do arquivo de imagens não definido nos Parâmetros Gerais ...");
        return {};
    }
    if (!numberIsSafeFileName(number) || !numberIsSafeFileName(number + suffix)) {
        *error = unsafeNumberMessage(number);
        return {};
    }
    const QString target = imagePath(folder, number, suffix);
    // The file must land in the folder itself, whatever the number holds.
    if (QFileInfo(target).absoluteDir() != QDir(QDir(folder).absolutePath())) {
        *error = unsafeNumberMessage(number);
        return {};
    }
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Não foi possível ler %1: %2").arg(source, in.errorString());
        return {};
    }
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *error =
            out.exists()
                ? QStringLiteral("O ficheiro %1 já existe; não foi substituído ...").arg(target)
                : QStringLiteral("Não foi possível criar %1: %2").arg(target, out.errorString());
        return {};
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            *error = QStringLiteral("Não foi possível ler %1: %2").arg(source, in.errorString());
            out.remove();
            return {};
        }
        if (out.write(chunk) != chunk.size()) {
            *error =
                QStringLiteral("Não foi possível gravar %1: %2").arg(target, out.errorString());
            out.remove();
            return {};
        }
    }
    out.close();
    return target;
}

} // namespace falq
