#pragma once
// The colour table filled with many rows, for the tests that read it in pages or search it.
#include "testsupport.h"

#include <QSqlQuery>
#include <functional>

namespace falq::test {

// Replaces the colours by the codes 1..count, each named `name(code)` and numbered code % 7,
// in one transaction.
inline void fillColours(Installation& inst, int count, const std::function<QString(int)>& name) {
    QVERIFY(inst.exec("main", "DELETE FROM CORES"));
    QSqlDatabase db = inst.open("main");
    QVERIFY(db.transaction());
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO CORES (CODIGO, DESIGNACAO, NUMERO) VALUES (?, ?, ?)"));
    for (int i = 1; i <= count; ++i) {
        q.addBindValue(i);
        q.addBindValue(name(i));
        q.addBindValue(QString::number(i % 7));
        FALQ_VERIFY_SQL(q, q.exec());
    }
    QVERIFY(db.commit());
}

} // namespace falq::test
