#pragma once
// Binding to the credential library (velmora), loaded at run time.
#include <QString>

namespace falq {

struct Credentials {
    bool ok = false;
    QString error;        // why the library or its values could not be had
    QString userLine;     // "USER NAME=" + user
    QString passwordLine; // "PASSWORD=" + password
    QString user;
    QString password;
};

// Loads the library from `libraryPath` (default: "velmora" beside the program, else on the
// system's library path), calls entry point 1 then 2 and builds the two login lines. A null
// result gives an empty value. On Windows the entry points are bound by ordinal (1 and 2), as
// the supplier's library exports them; elsewhere by name. Nothing else is required of the
// library; our own also tells why it has no values (entry "VelmoraLastError", by name).
Credentials readCredentials(const QString& libraryPath = {});

QString defaultCredentialLibraryPath();

} // namespace falq
