#pragma once
// The session of the main program: the context filled by the start-up and the data modules,
// created in a fixed order once the company and its login are known and freed when the
// main window closes (DTDATABASE last, which disconnects the company databases).
#include "datamodule.h"
#include "messages.h"
#include "rights.h"
#include "sessioncontext.h"

#include <QPointer>
#include <QVariantMap>
#include <memory>

namespace falq {

class TDTDATABASE;

class Session {
public:
    explicit Session(Messages& messages);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    SessionContext& context() { return m_context; }
    const SessionContext& context() const { return m_context; }
    Messages& messages() { return m_messages; }

    // The write-error window; set once at program start.
    void setUpdateErrorHandler(UpdateErrorHandler* handler) { m_handler = handler; }
    UpdateErrorHandler* updateErrorHandler() const { return m_handler; }

    // Creates DTDATABASE (connecting both company databases), DTMENU, DTMENU1, DTEMPRESAS,
    // DTVERSAO, DTFALQUINAS, DTTABELAS, DTFILES and DTSTKPRD, freeing any earlier set first.
    bool openModules(QString* error);
    // Frees DTEMPRESAS, DTMENU, DTMENU1, DTVERSAO, DTFALQUINAS, DTTABELAS, DTFILES, DTSTKPRD
    // and last DTDATABASE.
    void closeModules();
    bool modulesExist() const { return m_modulesExist; }

    // What a window keeps from one opening to the next during the run (as the code table
    // windows keep the code last inserted or edited), by a key of the window's own.
    QVariant remembered(const QString& key) const { return m_remembered.value(key); }
    void remember(const QString& key, const QVariant& value) { m_remembered.insert(key, value); }

    DataModule* module(const QString& name) const;
    // A dataset of any module by name (CLICHES, PARAMTMP, ARTIGOSCLS, ...).
    Dataset* dataset(const QString& name) const;

    // The signed-in user's rights on a program of the register, in the signed-in company.
    AccessRights rights(const QString& chapter, const QString& program,
                        QString* error = nullptr) const;

private:
    Messages& m_messages;
    SessionContext m_context;
    UpdateErrorHandler* m_handler = nullptr;
    std::unique_ptr<TDTDATABASE> m_database;
    QList<DataModule*> m_modules; // in creation order
    bool m_modulesExist = false;
    QVariantMap m_remembered;
};

} // namespace falq
