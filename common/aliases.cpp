#include "aliases.h"

#include "plantroot.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace falq {

QString aliasesPath() {
    return resolveInRoot(QStringLiteral("aliases.ini"));
}

bool readAlias(const QString& alias, AliasDef* out, QString* error) {
    return readAliasFrom(aliasesPath(), alias, out, error);
}

bool readAliasFrom(const QString& path, const QString& alias, AliasDef* out, QString* error) {
    if (alias.trimmed().isEmpty()) {
        *error = QStringLiteral("Alias de base de dados vazio.");
        return false;
    }
    if (!QFileInfo::exists(path)) {
        *error =
            QStringLiteral("Alias \"%1\" não definido: o ficheiro %2 não existe.").arg(alias, path);
        return false;
    }
    QSettings ini(path, QSettings::IniFormat);
    QString group;
    for (const QString& g : ini.childGroups()) {
        if (g.compare(alias.trimmed(), Qt::CaseInsensitive) == 0)
            group = g;
    }
    if (group.isEmpty()) {
        *error = QStringLiteral("Alias \"%1\" não definido em %2.").arg(alias, path);
        return false;
    }
    ini.beginGroup(group);
    AliasDef def;
    def.name = group;
    def.driver = ini.value(QStringLiteral("Driver")).toString().trimmed().toUpper();
    def.database = ini.value(QStringLiteral("Database")).toString().trimmed();
    def.host = ini.value(QStringLiteral("Host")).toString().trimmed();
    def.port = ini.value(QStringLiteral("Port"), 0).toInt();
    def.schema = ini.value(QStringLiteral("Schema")).toString().trimmed();
    def.options = ini.value(QStringLiteral("Options")).toString().trimmed();
    ini.endGroup();
    if (def.driver.isEmpty() || def.database.isEmpty()) {
        *error = QStringLiteral("Alias \"%1\" incompleto em %2: faltam Driver ou Database.")
                     .arg(alias, path);
        return false;
    }
    if (def.driver == QLatin1String("QSQLITE") && QDir::isRelativePath(def.database))
        def.database = QFileInfo(path).absoluteDir().filePath(def.database);
    *out = def;
    return true;
}

bool writeAlias(const QString& path, const AliasDef& def, QString* error) {
    QSettings ini(path, QSettings::IniFormat);
    ini.remove(def.name);
    ini.beginGroup(def.name);
    ini.setValue(QStringLiteral("Driver"), def.driver);
    ini.setValue(QStringLiteral("Database"), def.database);
    if (!def.host.isEmpty())
        ini.setValue(QStringLiteral("Host"), def.host);
    if (def.port)
        ini.setValue(QStringLiteral("Port"), def.port);
    if (!def.schema.isEmpty())
        ini.setValue(QStringLiteral("Schema"), def.schema);
    if (!def.options.isEmpty())
        ini.setValue(QStringLiteral("Options"), def.options);
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError) {
        *error = QStringLiteral("Não foi possível escrever %1.").arg(path);
        return false;
    }
    return true;
}

} // namespace falq
