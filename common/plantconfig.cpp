#include "plantconfig.h"

#include "plantroot.h"

#include <QFile>
#include <QSaveFile>
#include <QSettings>

namespace falq {

namespace {

int positiveNumber(const QSettings& ini, const QString& key, int fallback) {
    bool ok = false;
    const int value = ini.value(key).toString().trimmed().toInt(&ok);
    return ok && value > 0 ? value : fallback;
}

} // namespace

PlantConfig PlantConfig::read() {
    PlantConfig c;
#ifdef Q_OS_WIN
    c.secondPdfFolder = QStringLiteral("X:/Programas/Pdf");
#endif
    QSettings ini(resolveInRoot(QStringLiteral("falquinas.ini")), QSettings::IniFormat);
    c.webSite = ini.value(QStringLiteral("Geral/Site"), c.webSite).toString().trimmed();
    c.secondPdfFolder =
        ini.value(QStringLiteral("Geral/PastaPdf"), c.secondPdfFolder).toString().trimmed();
    c.updateServer = QUrl(ini.value(QStringLiteral("Actualizacao/Servidor")).toString().trimmed());
    c.updateWaitMs = ini.value(QStringLiteral("Actualizacao/Espera"), c.updateWaitMs).toInt();
    c.toolWarningPercent = positiveNumber(ini, QStringLiteral("VidaUtil/Aviso"), 90);
    c.toolDormantMonths = positiveNumber(ini, QStringLiteral("VidaUtil/Inactivo"), 24);
    c.awayAlertDays = positiveNumber(ini, QStringLiteral("Localizacao/Alerta"), 7);
    c.labelFormat = ini.value(QStringLiteral("Etiquetas/Formato")).toString().trimmed();
    return c;
}

bool PlantConfig::write(const QString& key, const QString& value) {
    // The file is edited line by line, so that its other keys, their order and the comments
    // the plant wrote in it stay as they are.
    const QString section = key.section(QLatin1Char('/'), 0, 0);
    const QString name = key.section(QLatin1Char('/'), 1);
    const QString path = resolveInRoot(QStringLiteral("falquinas.ini"));
    QStringList lines;
    QFile in(path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
            return false;
        lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
        in.close();
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
    }
    const QString entry = name + QLatin1Char('=') + value;
    int inSection = -1; // the line of the section's header
    int end = int(lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QString t = lines[i].trimmed();
        if (t.startsWith(QLatin1Char('['))) {
            if (inSection >= 0) {
                end = i;
                break;
            }
            // Sections are told apart by case, as the reading does.
            if (t == QLatin1Char('[') + section + QLatin1Char(']'))
                inSection = i;
            continue;
        }
        if (inSection >= 0 &&
            t.section(QLatin1Char('='), 0, 0).trimmed().compare(name, Qt::CaseInsensitive) == 0) {
            // The value replaced; a comment after it is kept.
            const int comment = int(lines[i].indexOf(QLatin1Char(';')));
            lines[i] = comment > 0 ? entry.leftJustified(38) + lines[i].mid(comment) : entry;
            inSection = -2;
            break;
        }
    }
    if (inSection >= 0) {
        // The section without the key: the key at its end (before blank lines).
        while (end > inSection + 1 && lines[end - 1].trimmed().isEmpty())
            --end;
        lines.insert(end, entry);
    } else if (inSection == -1) {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return out.commit();
}

} // namespace falq
