#include "registerlinks.h"

#include "dataset.h"
#include "recordpickers.h"
#include "session.h"
#include "unitDtFalquinas.h"

namespace falq::registers {

QString pickNumber(Session& session, ObjectKind kind, PickerCaller caller, QWidget* parent) {
    return falq::pickNumber(kind == ObjectKind::Drawing ? ds::DESENHOS : ds::CLICHES, session,
                            caller, parent);
}

void setStatement(Dataset* dataset, const movements::Statement& statement) {
    // Each "?" outside a quoted text becomes a named value, in order.
    QString sql;
    int n = 0;
    bool quoted = false;
    for (const QChar c : statement.sql) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (c == QLatin1Char('?') && !quoted)
            sql += QStringLiteral(":v%1").arg(n++, 3, 10, QLatin1Char('0'));
        else
            sql += c;
    }
    dataset->clearBindings();
    for (int i = 0; i < statement.binds.size(); ++i)
        dataset->bindValue(QStringLiteral(":v%1").arg(i, 3, 10, QLatin1Char('0')),
                           statement.binds.at(i));
    dataset->setStatement(sql);
}

} // namespace falq::registers
