#pragma once
// What the start-up learns about the workstation, user and company, read by every window.
#include "schema.h"

#include <QDate>
#include <QString>

namespace falq {

struct SessionContext {
    QString moduleCode = QStringLiteral("FALQUINAS");
    QString version = schema::kProgramVersion;
    QString computerName; // at most 30 characters
    QString computerType; // one character
    QString userCode;
    int companyNumber = 0;
    QString companyName;
    QString logoFolder;
    QString invoicingAlias;
    QString accountingDatabase;
    QString invoicingShortCode;
    QString invoicingDisplayName;
    QString mainAlias;
    QDate workingDate;
    QString workingYear;         // four characters
    QString companyUserLine;     // "USER NAME=" + login of the user in the company
    QString companyPasswordLine; // "PASSWORD=" + its password
};

} // namespace falq
