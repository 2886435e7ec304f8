#include "workstation.h"

#include "plantroot.h"

#include <QFile>

namespace falq {

WorkstationFile readWorkstationFile(const QString& path, int width, const QString& previous) {
    WorkstationFile result;
    result.path = path;
    result.value = previous;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = WorkstationFile::Status::Missing;
        return result;
    }
    const QByteArray content = file.readAll();
    if (content.isEmpty())
        return result;
    QList<QByteArray> lines = content.split('\n');
    if (lines.last().isEmpty()) // the newline that ends the last line starts no new line
        lines.removeLast();
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty()) {
            result.status = WorkstationFile::Status::EmptyLine;
            return result;
        }
        result.value = QString::fromLatin1(line.left(width));
    }
    return result;
}

QString computerNamePath() {
    return resolveInRoot(QStringLiteral("programas/Computador/Computador.txt"));
}

QString computerTypePath() {
    return resolveInRoot(QStringLiteral("Programas/Computador/TipoComputador.txt"));
}

} // namespace falq
