#pragma once
// Texts that the movement reports and the purchases lists print in their criteria.
#include <QDate>
#include <QString>

namespace falq::movements {

// "Limite de Datas : 01/03/2026 a 31/03/2026"
inline QString periodCriterion(const QDate& from, const QDate& to) {
    return QStringLiteral("Limite de Datas : %1 a %2")
        .arg(from.toString(QStringLiteral("dd/MM/yyyy")),
             to.toString(QStringLiteral("dd/MM/yyyy")));
}
inline QString supplierCriterion(const QString& pattern) {
    return QStringLiteral("Fornecedor(es) : ") + pattern;
}
inline QString clientCriterion(const QString& pattern) {
    return QStringLiteral("Cliente(s) : ") + pattern;
}

} // namespace falq::movements
