#include "credentials.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace falq {

namespace {
using EntryPoint = const char* (*)();

QString callEntry(QLibrary& lib, const char* name) {
    const auto fn = reinterpret_cast<EntryPoint>(lib.resolve(name));
    if (!fn)
        return {};
    const char* text = fn();
    return text ? QString::fromLatin1(text) : QString();
}
} // namespace

QString defaultCredentialLibraryPath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("velmora"));
}

Credentials readCredentials(const QString& libraryPath) {
    Credentials c;
    QLibrary lib(libraryPath.isEmpty() ? defaultCredentialLibraryPath() : libraryPath);
    if (!lib.load() && libraryPath.isEmpty()) {
        // Installed programs find the library on the system's library path.
        lib.setFileName(QStringLiteral("velmora"));
        lib.load();
    }
    if (!lib.isLoaded()) {
        c.error = QStringLiteral("Biblioteca de credenciais (velmora) não encontrada: %1")
                      .arg(lib.errorString());
        return c;
    }
    if (!lib.resolve("VelmoraUserName") || !lib.resolve("VelmoraPassword")) {
        c.error = QStringLiteral("Biblioteca de credenciais inválida: %1").arg(lib.fileName());
        return c;
    }
    c.user = callEntry(lib, "VelmoraUserName");
    c.password = callEntry(lib, "VelmoraPassword");
    const QString libError = callEntry(lib, "VelmoraLastError");
    if (!libError.isEmpty()) {
        c.error = libError;
        return c;
    }
    c.userLine = QStringLiteral("USER NAME=") + c.user;
    c.passwordLine = QStringLiteral("PASSWORD=") + c.password;
    c.ok = true;
    return c;
}

} // namespace falq
