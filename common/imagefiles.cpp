#include "imagefiles.h"

#include "plantroot.h"
#include "sqlrun.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace falq {

ImageParameters readImageParameters(const QSqlDatabase& db, QString* error) {
    ImageParameters p;
    QSqlQuery q(db);
    if (runStatement(q,
                     QStringLiteral(
                         "SELECT PATHCLICHE, PATHDESENHO, TIPOIMAGEM FROM PARGER ORDER BY CODIGO"),
                     {}, error) &&
        q.next()) {
        p.clicheFolder = resolveFolder(q.value(0).toString());
        p.drawingFolder = resolveFolder(q.value(1).toString());
        p.imageType = q.value(2).toString();
    }
    return p;
}

QString imagePath(const QString& folder, const QString& number, const QString& imageType) {
    if (!numberIsSafeFileName(number) || !numberIsSafeFileName(number + imageType))
        return {};
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
    // A record's own files: the number is the name's stem, or the number is followed by "_" and
    // a suffix ("24-00001_ficha.pdf"); never a longer number that starts with it (12 must not
    // take 120's or 12A's files). Letter case does not matter.
    const QString withSuffix = number + QLatin1Char('_');
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        const bool stem =
            QFileInfo(name).completeBaseName().compare(number, Qt::CaseInsensitive) == 0;
        const bool suffixed =
            name.size() > withSuffix.size() && name.startsWith(withSuffix, Qt::CaseInsensitive);
        if (stem || suffixed)
            files << name;
    }
    return files;
}

bool numberIsSafeFileName(const QString& number) {
    if (number.isEmpty() || number == QLatin1String(".") || number == QLatin1String(".."))
        return false;
    for (const QChar c : number)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
            c.unicode() < 32)
            return false;
    // On Windows these names open a device whatever the folder and the extension.
    static const QStringList devices = {
        QStringLiteral("CON"),  QStringLiteral("PRN"),  QStringLiteral("AUX"),
        QStringLiteral("NUL"),  QStringLiteral("COM1"), QStringLiteral("COM2"),
        QStringLiteral("COM3"), QStringLiteral("COM4"), QStringLiteral("COM5"),
        QStringLiteral("COM6"), QStringLiteral("COM7"), QStringLiteral("COM8"),
        QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"),
        QStringLiteral("LPT3"), QStringLiteral("LPT4"), QStringLiteral("LPT5"),
        QStringLiteral("LPT6"), QStringLiteral("LPT7"), QStringLiteral("LPT8"),
        QStringLiteral("LPT9")};
    const QString stem = number.section(QLatin1Char('.'), 0, 0).trimmed();
    return !devices.contains(stem, Qt::CaseInsensitive);
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
    const QString target = imagePath(folder, number, suffix);
    // The file must land in the folder itself, whatever the number holds (imagePath gives no
    // path for a number that is no safe file name).
    if (target.isEmpty() || QFileInfo(target).absoluteDir() != QDir(QDir(folder).absolutePath())) {
        *error = unsafeNumberMessage(number);
        return {};
    }
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Não foi possível ler %1: %2").arg(source, in.errorString());
        return {};
    }
    WholeFileWriter out(target, ExistingFile::Refuse);
    if (!out.create()) {
        *error = out.error();
        return {};
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty()) {
            *error = QStringLiteral("Não foi possível ler %1: %2").arg(source, in.errorString());
            return {}; // the writer leaves nothing
        }
        if (out.write(chunk) != chunk.size()) {
            *error = out.error();
            return {};
        }
    }
    if (!out.commit()) {
        *error = out.error();
        return {};
    }
    return target;
}

} // namespace falq
