#include "session.h"

#include "connections.h"

#include "UnitDTEmpr.h"
#include "UnitDtDataBase.h"
#include "unitDtFalquinas.h"

namespace falq {

Session::Session(Messages& messages) : m_messages(messages) {}

Session::~Session() {
    closeModules();
}

bool Session::openModules(QString* error) {
    if (m_modulesExist)
        closeModules();
    m_database = std::make_unique<TDTDATABASE>();
    if (!m_database->connectDatabases(m_context, error)) {
        m_database.reset();
        return false;
    }
    m_modules << new DataModule(QStringLiteral("DTMENU"))
              << new DataModule(QStringLiteral("DTMENU1"));
    DataModule* empresas = createDtEmpresas(m_handler, nullptr, error);
    if (!empresas) {
        closeModules();
        return false;
    }
    m_modules << empresas << new DataModule(QStringLiteral("DTVERSAO"))
              << createDtFalquinas(m_handler) << createDtTabelas(nullptr) << createDtFiles(nullptr)
              << createDtStkPrd(nullptr);
    m_modulesExist = true;
    return true;
}

void Session::closeModules() {
    static const QStringList order = {QStringLiteral("DTEMPRESAS"),  QStringLiteral("DTMENU"),
                                      QStringLiteral("DTMENU1"),     QStringLiteral("DTVERSAO"),
                                      QStringLiteral("DTFALQUINAS"), QStringLiteral("DTTABELAS"),
                                      QStringLiteral("DTFILES"),     QStringLiteral("DTSTKPRD")};
    for (const QString& name : order) {
        if (DataModule* m = module(name)) {
            m_modules.removeOne(m);
            delete m;
        }
    }
    qDeleteAll(m_modules);
    m_modules.clear();
    m_database.reset();
    m_modulesExist = false;
}

DataModule* Session::module(const QString& name) const {
    for (DataModule* m : m_modules)
        if (m->objectName() == name)
            return m;
    return nullptr;
}

AccessRights Session::rights(const QString& chapter, const QString& program, QString* error) const {
    return lookupRights(QSqlDatabase::database(kDbFalquinas, false), m_context.moduleCode, chapter,
                        program, m_context.userCode, m_context.companyNumber, error);
}

Dataset* Session::dataset(const QString& name) const {
    for (DataModule* m : m_modules)
        if (Dataset* d = m->dataset(name))
            return d;
    return nullptr;
}

} // namespace falq
