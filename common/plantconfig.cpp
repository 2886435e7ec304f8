#include "plantconfig.h"

#include "plantroot.h"

#include <QSettings>

namespace falq {

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
    return c;
}

} // namespace falq
