#include "registerlinks.h"

#include "dialect.h"
#include "session.h"

namespace falq::registers {

QString pickNumber(Session& session, ObjectKind kind, Register caller, QWidget* parent) {
    Q_UNUSED(session)
    Q_UNUSED(kind)
    Q_UNUSED(caller)
    Q_UNUSED(parent)
    return {};
}

BuiltStatement usageRanking(const SqlDialect& dialect, ObjectKind kind, bool rotations,
                            const UsagePeriod& period) {
    const bool drawing = kind == ObjectKind::Drawing;
    const QString number = numberColumn(kind);
    const QString sum = rotations ? QStringLiteral("ROTACOES") : QStringLiteral("UTIL_NRO");
    const QString table = drawing ? QStringLiteral("DESENHOS") : QStringLiteral("CLICHES");
    const QString supplier = drawing ? QStringLiteral("SIGLAFORN") : QStringLiteral("FORNSIGLA");
    BuiltStatement s;
    // Summed by number first, then joined by key: the join touches one row per number.
    s.sql = QStringLiteral("SELECT MOV.%1, MOV.%2, OBJ.REFERENCIA, OBJ.SIGLACLI, OBJ.%3 FROM "
                           "(SELECT %1, SUM(%4) AS %2 FROM MOVIMENTOS WHERE %5 = '' AND %6 "
                           "GROUP BY %1) MOV JOIN %7 OBJ ON OBJ.%1 = MOV.%1")
                .arg(number, sum, supplier,
                     rotations ? QStringLiteral("ROTACOES") : QStringLiteral("NROUTIL"),
                     otherNumberColumn(kind),
                     dialect.dayRange(QStringLiteral("DATA"), QStringLiteral(":WData1"),
                                      QStringLiteral(":WData2")),
                     table);
    s.binds = {{QStringLiteral(":WData1"), dialect.dayStart(period.from)},
               {QStringLiteral(":WData2"), dialect.dayAfter(period.to)}};
    QStringList conditions;
    if (!SqlDialect::matchesEverything(period.clientPattern)) {
        conditions << dialect.like(QStringLiteral("OBJ.SIGLACLI"), QStringLiteral(":WCliente"));
        s.binds << qMakePair(QStringLiteral(":WCliente"), QVariant(period.clientPattern));
    }
    if (!SqlDialect::matchesEverything(period.supplierPattern)) {
        conditions << dialect.like(QStringLiteral("OBJ.") + supplier,
                                   QStringLiteral(":WFornecedor"));
        s.binds << qMakePair(QStringLiteral(":WFornecedor"), QVariant(period.supplierPattern));
    }
    if (!conditions.isEmpty())
        s.sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    s.sql += QStringLiteral(" ORDER BY MOV.%1 DESC, MOV.%2").arg(sum, number);
    return s;
}

void showUsageReport(Session& session, const UsageReportRequest& request, QWidget* parent) {
    Q_UNUSED(session)
    Q_UNUSED(request)
    Q_UNUSED(parent)
}

void openPurchasesList(Session& session, QWidget* parent) {
    Q_UNUSED(session)
    Q_UNUSED(parent)
}

} // namespace falq::registers
