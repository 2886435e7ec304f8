#include "credentials.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace falq {

namespace {
using EntryPoint = const char* (*)();

// The two entry points every credential library has (the plant's supplier ships one that
// exports them by ordinal only, without names), and the diagnostics entry of our own library,
// which a library may lack.
struct Entry {
    int ordinal;
    const char* name;
};
const Entry kUserName{1, "VelmoraUserName"};
const Entry kPassword{2, "VelmoraPassword"};
const char* const kLastError = "VelmoraLastError"; // by name only, never by ordinal

EntryPoint resolveEntry(QLibrary& lib, const Entry& entry) {
#ifdef Q_OS_WIN
    // Windows: by ordinal, as the library is imported.
    const HMODULE module =
        GetModuleHandleW(reinterpret_cast<const wchar_t*>(lib.fileName().utf16()));
    if (!module)
        return nullptr;
    const FARPROC proc = GetProcAddress(module, MAKEINTRESOURCEA(entry.ordinal));
    return reinterpret_cast<EntryPoint>(reinterpret_cast<void (*)()>(proc));
#else
    return reinterpret_cast<EntryPoint>(lib.resolve(entry.name));
#endif
}

QString textOf(EntryPoint fn) {
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
        // Installed programs find it in their private folder (../lib/falquinas beside their
        // own), else on the system's library path.
        lib.setFileName(QDir(QCoreApplication::applicationDirPath())
                            .filePath(QStringLiteral("../lib/falquinas/velmora")));
        if (!lib.load()) {
            lib.setFileName(QStringLiteral("velmora"));
            lib.load();
        }
    }
    if (!lib.isLoaded()) {
        c.error = QStringLiteral("Biblioteca de credenciais (velmora) não encontrada: %1")
                      .arg(lib.errorString());
        return c;
    }
    const EntryPoint user = resolveEntry(lib, kUserName);
    const EntryPoint password = resolveEntry(lib, kPassword);
    if (!user || !password) {
        c.error = QStringLiteral("Biblioteca de credenciais inválida: %1").arg(lib.fileName());
        return c;
    }
    // Entry point 1, copied at once, then entry point 2.
    c.user = textOf(user);
    c.password = textOf(password);
    const QString libError = textOf(reinterpret_cast<EntryPoint>(lib.resolve(kLastError)));
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
