#pragma once
// A small register of purchases, repairs and movements whose figures are worked out by hand
// in the dashboard's tests.
#include "dialect.h"
#include "testsupport.h"

#include <QDateTime>

namespace falq::test {

inline QVariant at(const QSqlDatabase& db, const QString& when) {
    return SqlDialect::forDatabase(db).bindDateTime(
        QDateTime::fromString(when, QStringLiteral("yyyy-MM-dd HH:mm")));
}

// Records as the editors write them: codes that their tables hold, empty codes as 0.

// A purchase ("C") or repair ("R"); cliché rows have no drawing number and the reverse.
inline bool addRepair(Installation& inst, const QString& cliche, const QString& drawing,
                      const QString& type, int requisition, const QString& when,
                      const QString& supplier, double value, const QVariant& client) {
    const QSqlDatabase db = inst.open(QStringLiteral("main"));
    return inst.exec(QStringLiteral("main"),
                     QStringLiteral("INSERT INTO REPARACOES (CLICHENRO, DESENHONRO, TIPO, ENCNRO, "
                                    "DATENC, FORNSIGLA, VALOR, TIPOREG, SIGLACLI) VALUES "
                                    "(?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     {cliche, drawing, type, requisition, at(db, when), supplier, value,
                      cliche.isEmpty() ? QStringLiteral("DS") : QStringLiteral("CL"), client});
}

inline bool addMovement(Installation& inst, const QString& cliche, const QString& drawing,
                        int rotations, const QString& order, const QString& when) {
    const QSqlDatabase db = inst.open(QStringLiteral("main"));
    return inst.exec(
        QStringLiteral("main"),
        QStringLiteral("INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, "
                       "ROTACOES, ENCOMENDA, DATA, TIPOREG) VALUES (?, ?, 1, ?, ?, ?, ?)"),
        {drawing, cliche, rotations, order, at(db, when),
         cliche.isEmpty() ? QStringLiteral("DS") : QStringLiteral("CL")});
}

inline bool addCliche(Installation& inst, const QString& number, const QString& client,
                      const QString& product) {
    return inst.exec(QStringLiteral("main"),
                     QStringLiteral("INSERT INTO CLICHES (CLICHENRO, SIGLACLI, PRODNRO, UTILIZA, "
                                    "CORTANTENRO, FICHASETUP, CLINRO, FORNECEDOR, MODELO, MAQUINA) "
                                    "VALUES (?, ?, ?, 'S', '', 0, 0, 0, 1, 2)"),
                     {number, client, product});
}

inline bool addDrawing(Installation& inst, const QString& number, const QString& client) {
    return inst.exec(QStringLiteral("main"),
                     QStringLiteral("INSERT INTO DESENHOS (DESENHONRO, SIGLACLI, UTILIZA, "
                                    "CORTANTENRO, DESENHADOR, CARTAO, CLIENTE, FORNECEDOR, VNDNRO, "
                                    "MAQUINA, LARG_PLACA, COMP_PLACA, LARGURA, COMPRIM, ALTURA) "
                                    "VALUES (?, ?, 'S', '', 2, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0)"),
                     {number, client});
}

// The register of the tests:
//   1  cliché C1   purchase  req 101  2024-01-01 00:00  FA  100  ALFA
//   2  cliché C1   repair    req 102  2024-03-31 23:59  FB   50  ALFA
//   3  drawing D1  purchase  req 103  2024-03-15 10:00  FA  300  BETA
//   4  drawing D1  repair    no req   2024-03-20 00:00  FB   40  BETA
//   5  cliché C2   repair    req 104  2023-12-31 23:59  FA   70  (no client)
//   6  cliché C2   purchase  req 105  2024-04-01 00:00  FB   20  GAMA
//   7  drawing D2  repair    req 106  2024-03-10 08:00  FC  150  AAA
// Movements: C1 1000 (2024-02-01), C1 500 (2024-02-02 23:59), C2 300 (2024-02-03),
// D1 700 (2024-02-01), C1 9999 (2023-05-05).
inline bool fillRegister(Installation& inst) {
    return addRepair(inst, "C1", "", "C", 101, "2024-01-01 00:00", "FA", 100, "ALFA") &&
           addRepair(inst, "C1", "", "R", 102, "2024-03-31 23:59", "FB", 50, "ALFA") &&
           addRepair(inst, "", "D1", "C", 103, "2024-03-15 10:00", "FA", 300, "BETA") &&
           addRepair(inst, "", "D1", "R", 0, "2024-03-20 00:00", "FB", 40, "BETA") &&
           addRepair(inst, "C2", "", "R", 104, "2023-12-31 23:59", "FA", 70, QVariant()) &&
           addRepair(inst, "C2", "", "C", 105, "2024-04-01 00:00", "FB", 20, "GAMA") &&
           addRepair(inst, "", "D2", "R", 106, "2024-03-10 08:00", "FC", 150, "AAA") &&
           addCliche(inst, "C1", "ALFA", "P-1") && addCliche(inst, "C2", "GAMA", "P-2") &&
           addDrawing(inst, "D1", "BETA") && addDrawing(inst, "D2", "AAA") &&
           addMovement(inst, "C1", "", 1000, "E1", "2024-02-01 00:00") &&
           addMovement(inst, "C1", "", 500, "E2", "2024-02-02 23:59") &&
           addMovement(inst, "C2", "", 300, "E3", "2024-02-03 00:00") &&
           addMovement(inst, "", "D1", 700, "E4", "2024-02-01 00:00") &&
           addMovement(inst, "C1", "", 9999, "E5", "2023-05-05 00:00");
}

} // namespace falq::test
