#pragma once
// Sign-in of the validation station. The station file (Falquinas_Empre.dat) names, line by
// line, a user (columns 1-15) and a company (columns 16-17); each line is checked in turn
// against the general database and the last one decides. The general connection (DBGERAL)
// and the company's main connection (DBFALQUINAS) are opened read-only: the station never
// writes, and the engines refuse it any write.
#include <QDate>
#include <QString>
#include <QStringList>

namespace falq {

inline const QString kStationFileName = QStringLiteral("Falquinas_Empre.dat");
inline const QString kStationFolder = QStringLiteral("programas/clivalida");
// The station file's folder when it is not the default one: absolute, or in the plant root.
inline const char kStationFolderVariable[] = "CLIVALIDA_DIR";

inline const QString kMsgBadStationFile = QStringLiteral("Tabela de Config, mal parametrizada ...");
inline const QString kMsgNoAccess = QStringLiteral("Problemas com o acesso à empresa : ");
inline const QString kMsgEmptyLogin = QStringLiteral("Problemas com o acesso à empresa  : ");
inline constexpr int kStationUserWidth = 15;

// Empresa nº <field> Inexistente !!
QString noCompanyMessage(const QString& companyField);

// The station file: $CLIVALIDA_DIR/Falquinas_Empre.dat, else programas/clivalida in the
// plant root (names matched without regard to case).
QString stationFilePath();

// One line of the station file, its fields as written (8-bit text).
struct StationLine {
    QString userField;    // columns 1-15
    QString companyField; // columns 16-17
};

// The lines of the station file. False, with a message that names the file and the reason,
// when it cannot be read.
bool readStationFile(const QString& path, QList<StationLine>* lines, QString* error);

// The company of a line as a number; false when the field is empty or not a whole number.
bool companyNumberOf(const StationLine& line, int* company);

struct StationSignIn {
    bool ok = false;
    QString message; // why the station cannot start (when not ok)
    bool beep = false;
    QString userField; // the deciding line's
    int companyNumber = 0;
    QString companyName;
    QString mainAlias;
};

// The whole sign-in: the credential library's login of the general database, the station
// file, and for each line the company (EMPRESAS), the user's login there (UTILPASSWORD, the
// user compared without its trailing blanks and without regard to case) and the company's main
// database, opened with that login. Stops at the first failure with its one message.
StationSignIn signInStation(const QString& credentialLibrary, const QString& stationFile);

} // namespace falq
