#include "plantconfig.h"

#include "plantroot.h"

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
    QSettings ini(resolveInRoot(QStringLiteral("falquinas.ini")), QSettings::IniFormat);
    ini.setValue(key, value);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace falq
