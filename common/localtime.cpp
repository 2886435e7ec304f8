#include "localtime.h"

#include <QFileInfo>
#include <QtGlobal>

#include <ctime>

namespace falq {

void readLocalTimeZoneOnce() {
    if (qEnvironmentVariableIsSet("TZ") || !QFileInfo::exists(QStringLiteral("/etc/localtime")))
        return;
    qputenv("TZ", ":/etc/localtime");
    tzset();
}

} // namespace falq
