#include "sqlrun.h"

#include <QSqlError>

namespace falq {

bool runStatement(QSqlQuery& query, const QString& sql, const QVariantList& binds, QString* error) {
    bool ok;
    if (binds.isEmpty()) {
        ok = query.exec(sql);
    } else {
        ok = query.prepare(sql);
        for (const QVariant& v : binds)
            query.addBindValue(v);
        ok = ok && query.exec();
    }
    if (!ok && error)
        *error = query.lastError().text();
    return ok;
}

} // namespace falq
