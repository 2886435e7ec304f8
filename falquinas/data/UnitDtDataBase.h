#pragma once
// DTDATABASE: the two company connections, DBFALQUINAS (the register) and DBPRDXFACTUR (the
// company's invoicing database). Connected when created, disconnected when freed.
#include <QObject>

namespace falq {

struct SessionContext;

class TDTDATABASE : public QObject {
    Q_OBJECT
public:
    explicit TDTDATABASE(QObject* parent = nullptr);
    ~TDTDATABASE() override;

    // Points DbFacturacao at the invoicing alias and DbFalquinas at the main alias, with the
    // company login lines, and connects both (invoicing first).
    bool connectDatabases(const SessionContext& ctx, QString* error);
};

} // namespace falq
