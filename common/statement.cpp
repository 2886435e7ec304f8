#include "statement.h"

#include <QSqlError>
#include <QSqlQuery>

namespace falq {

QString Statement::bind(const QVariant& value) {
    const QString name = QStringLiteral(":V%1").arg(binds.size() + 1, 3, 10, QLatin1Char('0'));
    binds << qMakePair(name, value);
    return name;
}

void Statement::bind(const QString& name, const QVariant& value) {
    binds << qMakePair(name, value);
}

QVariant Statement::bound(const QString& name) const {
    for (const auto& [param, value] : binds)
        if (param == name)
            return value;
    return {};
}

QVariantList Statement::values() const {
    QVariantList all;
    for (const auto& b : binds)
        all << b.second;
    return all;
}

bool runStatement(QSqlQuery& query, const Statement& statement, QString* error) {
    bool ok = query.prepare(statement.sql);
    for (const auto& [name, value] : statement.binds)
        query.bindValue(name, value);
    ok = ok && query.exec();
    if (!ok && error)
        *error = query.lastError().text();
    return ok;
}

} // namespace falq
