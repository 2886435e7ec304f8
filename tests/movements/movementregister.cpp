#include "movementregister.h"

#include "dialect.h"

#include <QDir>

namespace falq::test {

namespace {

struct Movement {
    const char* drawing;
    const char* cliche;
    int uses;
    int rotations;
    const char* order;
    QDateTime at;
};

QDateTime at(int month, int day, int hour = 10, int minute = 0) {
    return QDateTime(QDate(2026, month, day), QTime(hour, minute));
}

} // namespace

bool writeMovementRegister(Installation& inst) {
    const QVariant null;
    const QList<QVariantList> drawings = {{"D1", "ALFA", "CORTEX", "Caixa de fruta"},
                                          {"D2", "ALFA", "DIEMAX", "Tabuleiro"},
                                          {"D3", "BETA", null, "Caixa de vinho"},
                                          {"D4", null, "CORTEX", "Divisória"}};
    for (const QVariantList& d : drawings)
        if (!inst.exec("main",
                       "INSERT INTO DESENHOS (DESENHONRO, SIGLACLI, SIGLAFORN, REFERENCIA, "
                       "UTILIZA) VALUES (?, ?, ?, ?, 'S')",
                       d))
            return false;
    const QList<QVariantList> cliches = {{"C1", "ALFA", "FLEXO", "Logótipo"},
                                         {"C2", "BETA", "FLEXO", "Texto lateral"},
                                         {"C3", "AMARO", null, "Código de barras"},
                                         {"D2", "GAMA", "FLEXO", "Marca"}};
    for (const QVariantList& c : cliches)
        if (!inst.exec("main",
                       "INSERT INTO CLICHES (CLICHENRO, SIGLACLI, FORNSIGLA, REFERENCIA, UTILIZA) "
                       "VALUES (?, ?, ?, ?, 'S')",
                       c))
            return false;
    const QList<Movement> movements = {{"D1", "", 2, 100, "E-101", at(3, 1, 0, 0)},
                                       {"D1", "", 1, 50, "E-102", at(3, 31, 23, 59)},
                                       {"D1", "", 7, 700, "E-100", at(2, 28, 23, 59)},
                                       {"D1", "", 5, 999, "E-103", at(4, 1, 0, 0)},
                                       {"D2", "", 3, 40, "E-201", at(3, 10)},
                                       {"D3", "", 4, 500, "E-301", at(3, 15)},
                                       {"D3", "", 1, 10, "E-302", at(3, 16)},
                                       {"D4", "", 1, 5, "E-401", at(3, 20)},
                                       {"DX", "", 9, 900, "E-901", at(3, 5)},
                                       {"", "C1", 6, 600, "E-501", at(3, 2)},
                                       {"", "C2", 2, 300, "E-601", at(3, 3)},
                                       {"", "C3", 2, 300, "E-701", at(3, 4)},
                                       {"", "D2", 10, 1, "E-801", at(3, 6)}};
    QSqlDatabase db = inst.open("main");
    const SqlDialect dialect = SqlDialect::forDatabase(db);
    for (const Movement& m : movements)
        if (!inst.exec("main",
                       "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, "
                       "ENCOMENDA, DATA, TIPOREG) VALUES (?, ?, ?, ?, ?, ?, ?)",
                       {QString::fromLatin1(m.drawing), QString::fromLatin1(m.cliche), m.uses,
                        m.rotations, QString::fromLatin1(m.order), dialect.bindDateTime(m.at),
                        QString::fromLatin1(*m.drawing ? "DS" : "CL")}))
            return false;
    return true;
}

bool writePurchasesRegister(Installation& inst) {
    const SqlDialect dialect = SqlDialect::forDatabase(inst.open("main"));
    const QVariant null;
    struct Purchase {
        QDateTime at;
        const char* kind;
        const char* item;
        const char* number;
        QVariant supplier;
        QVariant client;
        double value;
        int requisition;
    };
    const QList<Purchase> purchases = {
        {at(3, 1, 0, 0), "C", "DS", "D1", "CORTEX", "ALFA", 1200.50, 101},
        {at(3, 31, 23, 59), "R", "DS", "D2", "DIEMAX", "ALFA", 300.25, 102},
        {at(3, 15), "R", "CL", "C1", "FLEXO", "ALFA", 80.00, 103},
        {at(3, 10), "C", "CL", "C2", "FLEXO", "BETA", 450.00, 104},
        {at(3, 12), "R", "DS", "D3", null, "BETA", 100.10, 105},
        {at(3, 20), "C", "CL", "C3", "FLEXO", null, 450.00, 106},
        {at(3, 25), "C", "DS", "D4", "ACME", "GAMA", 300.25, 107},
        {at(4, 1, 0, 0), "C", "DS", "D1", "CORTEX", "ALFA", 5000.00, 108},
        {at(2, 28, 23, 59), "R", "CL", "C1", "FLEXO", "ALFA", 7000.00, 109}};
    for (const Purchase& p : purchases) {
        const bool drawing = qstrcmp(p.item, "DS") == 0;
        const QString number = QString::fromLatin1(p.number);
        if (!inst.exec("main",
                       "INSERT INTO REPARACOES (CLICHENRO, DESENHONRO, TIPO, ENCNRO, DATENC, "
                       "FORNECEDOR, FORNSIGLA, VALOR, TIPOREG, SIGLACLI, FACNRO, FACDATA, "
                       "ADEBITAR_CLIENTE) VALUES (?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, 'N')",
                       {drawing ? QStringLiteral("") : number,
                        drawing ? number : QStringLiteral(""), QString::fromLatin1(p.kind),
                        p.requisition, dialect.bindDateTime(p.at), p.supplier, p.value,
                        QString::fromLatin1(p.item), p.client, p.requisition + 9000,
                        dialect.bindDateTime(p.at.addDays(2))}))
            return false;
    }
    return true;
}

reports::Context fixedReportContext() {
    return {QStringLiteral("Cartonagem do Vale, Lda"), QDateTime(QDate(2026, 4, 2), QTime(9, 15))};
}

QString goldenFile(const QString& name) {
    return QDir(QStringLiteral(GOLDEN_DIR)).filePath(name);
}

} // namespace falq::test
