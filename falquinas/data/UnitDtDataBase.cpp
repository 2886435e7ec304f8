#include "UnitDtDataBase.h"

#include "connections.h"
#include "sessioncontext.h"

namespace falq {

TDTDATABASE::TDTDATABASE(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("DTDATABASE"));
}

TDTDATABASE::~TDTDATABASE() {
    closeConnection(kDbFacturacao);
    closeConnection(kDbFalquinas);
}

bool TDTDATABASE::connectDatabases(const SessionContext& ctx, QString* error) {
    const QString user = loginLineValue(ctx.companyUserLine);
    const QString password = loginLineValue(ctx.companyPasswordLine);
    return openAlias(kDbFacturacao, ctx.invoicingAlias, user, password, error) &&
           openAlias(kDbFalquinas, ctx.mainAlias, user, password, error);
}

} // namespace falq
