#include "stationsignin.h"

#include "connections.h"
#include "credentials.h"
#include "plantroot.h"
#include "sqlrun.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace falq {

namespace {

StationSignIn failure(const QString& message, bool beep) {
    StationSignIn result;
    result.message = message;
    result.beep = beep;
    return result;
}

QString trimmedRight(QString text) {
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

} // namespace

QString noCompanyMessage(const QString& companyField) {
    return QStringLiteral("Empresa nº ") + companyField + QStringLiteral(" Inexistente !!");
}

QString stationFilePath() {
    const QString folder = qEnvironmentVariable(kStationFolderVariable);
    if (folder.isEmpty())
        return resolveInRoot(kStationFolder + QLatin1Char('/') + kStationFileName);
    return resolveCaseInsensitive(resolveFolder(folder), kStationFileName);
}

bool readStationFile(const QString& path, QList<StationLine>* lines, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Não foi possível ler o ficheiro de configuração da estação %1: %2")
                     .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    QList<QByteArray> raw = file.readAll().split('\n');
    if (!raw.isEmpty() && raw.last().isEmpty()) // the newline that ends the last line
        raw.removeLast();
    lines->clear();
    for (QByteArray line : std::as_const(raw)) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QString text = QString::fromLatin1(line); // 8-bit text
        lines->append({text.left(kStationUserWidth), text.mid(kStationUserWidth, 2)});
    }
    return true;
}

bool companyNumberOf(const StationLine& line, int* company) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    const QString field = line.companyField.trimmed();
    if (!digits.match(field).hasMatch())
        return false;
    *company = field.toInt();
    return true;
}

StationSignIn signInStation(const QString& credentialLibrary, const QString& stationFile) {
    const Credentials credentials = readCredentials(credentialLibrary);
    if (!credentials.ok)
        return failure(credentials.error, true);
    QString error;
    if (!openAlias(kDbGeral, QStringLiteral("ZELGERAL"), loginLineValue(credentials.userLine),
                   loginLineValue(credentials.passwordLine), &error, ConnectionAccess::ReadOnly))
        return failure(error, true);
    QList<StationLine> lines;
    if (!readStationFile(stationFile, &lines, &error))
        return failure(error, true);
    if (lines.isEmpty())
        return failure(kMsgBadStationFile, false);

    const QSqlDatabase general = QSqlDatabase::database(kDbGeral, false);
    StationSignIn result;
    for (const StationLine& line : std::as_const(lines)) {
        int company = 0;
        if (line.userField.trimmed().isEmpty() || !companyNumberOf(line, &company))
            return failure(kMsgBadStationFile, false);

        QSqlQuery empresas(general);
        if (!runStatement(empresas, QStringLiteral("SELECT * FROM EMPRESAS WHERE EMPNRO = :EmpNro"),
                          {company}, &error))
            return failure(error, true);
        if (!empresas.next())
            return failure(noCompanyMessage(line.companyField), true);
        result.companyNumber = company;
        result.companyName = empresas.value(QStringLiteral("NOME")).toString();
        result.mainAlias = empresas.value(QStringLiteral("BDESPECIF02")).toString().trimmed();
        empresas.finish();

        // The user as the plant's server compared it: trailing blanks do not count.
        QSqlQuery login(general);
        if (!runStatement(login,
                          QStringLiteral("SELECT * FROM UTILPASSWORD"
                                         " WHERE UPPER(RTRIM(UTIL)) = UPPER(:XUtil)"
                                         " AND EMPRESA = :WEmpNro"),
                          {trimmedRight(line.userField), company}, &error))
            return failure(error, true);
        if (!login.next())
            return failure(kMsgNoAccess + line.companyField, true);
        const QString user = login.value(QStringLiteral("BDUSERNAME")).toString();
        const QString password = login.value(QStringLiteral("BDPASSWORD")).toString();
        login.finish();
        if (user.isEmpty())
            return failure(kMsgEmptyLogin + line.companyField, true);
        if (!openAlias(kDbFalquinas, result.mainAlias, user, password, &error,
                       ConnectionAccess::ReadOnly))
            return failure(error, true);
        result.userField = line.userField;
    }
    result.ok = true;
    return result;
}

} // namespace falq
