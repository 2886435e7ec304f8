#include "movementregister.h"

#include "dialect.h"

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

} // namespace falq::test
