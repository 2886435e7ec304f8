#include "UnitDTEmpr.h"

#include "connections.h"
#include "unitDtFalquinas.h"

namespace falq {

DataModule* createDtEmpresas(UpdateErrorHandler* handler, QObject* parent, QString* error) {
    auto* module = new DataModule(QStringLiteral("DTEMPRESAS"), parent);
    auto* paramTmp = module->add(
        new Dataset(ds::PARAMTMP, kDbFalquinas, QStringLiteral("SELECT * FROM PARAMTMP"),
                    UpdateObject{QStringLiteral("PARAMTMP"), {"UTIL", "APLICACAO"}, {}}));
    paramTmp->setErrorHandler(handler);
    auto* users = module->add(
        new Dataset(ds::UTIL, kDbFalquinas, QStringLiteral("Select *  From UTILIZADORES"),
                    UpdateObject{QStringLiteral("UTILIZADORES"), {"NRO"}, {}}));
    users->setErrorMode(Dataset::ErrorMode::ServerMessage);
    if (!paramTmp->open(error)) {
        delete module;
        return nullptr;
    }
    return module;
}

DataModule* createDtTabelas(QObject* parent) {
    auto* module = new DataModule(QStringLiteral("DTTABELAS"), parent);
    module->add(new Dataset(ds::FACPARGER, kDbFacturacao,
                            QStringLiteral("Select * from PARGER Order By ANO"),
                            UpdateObject{QStringLiteral("PARGER"), {"ANO"}, {}}));
    return module;
}

DataModule* createDtFiles(QObject* parent) {
    auto* module = new DataModule(QStringLiteral("DTFILES"), parent);
    auto* articles = module->add(new Dataset(
        ds::ARTIGOSCLS, kDbFacturacao, QStringLiteral("SELECT * FROM ARTIGOSCLS ORDER BY CODIGO"),
        UpdateObject{QStringLiteral("ARTIGOSCLS"), {"CODIGO"}, {}}));
    articles->setErrorMode(Dataset::ErrorMode::ServerMessage);
    return module;
}

DataModule* createDtStkPrd(QObject* parent) {
    auto* module = new DataModule(QStringLiteral("DTSTKPRD"), parent);
    module->add(new Dataset(ds::STKPARGER, kDbFacturacao, QStringLiteral("Select * from STKPARGER"),
                            UpdateObject{QStringLiteral("STKPARGER"), {"ANO"}, {}}));
    return module;
}

} // namespace falq
