#pragma once
// Drawings written straight into a test installation, as another program would.
#include "testsupport.h"

#include <QMap>

namespace falq::test {

// A drawing as another program would write it; unnamed columns get plain values.
inline void addDrawing(Installation& inst, const QString& number,
                       const QMap<QString, QVariant>& values = {}) {
    QMap<QString, QVariant> row = {{"DESENHONRO", number}, {"CORTANTENRO", "CT-" + number.left(10)},
                                   {"PRODNRO", "P12"},     {"CLIENTE", 1},
                                   {"SIGLACLI", "NORTE"},  {"REFERENCIA", "Ref " + number},
                                   {"MAQUINA", 2},         {"FORNECEDOR", 5},
                                   {"SIGLAFORN", "GRAV"},  {"LARGURA", 200},
                                   {"COMPRIM", 300},       {"ALTURA", 150},
                                   {"LARG_PLACA", 600},    {"COMP_PLACA", 1100},
                                   {"QUANTID", 500},       {"CARTAO", 1},
                                   {"DESENHADOR", 2},      {"VNDNRO", 0},
                                   {"VNDNOME", ""},        {"DIR_CANAL", "V"},
                                   {"GOLPES_CAIXA", 2},    {"VISTA", "E"},
                                   {"ROTACOES_PREV", 0},   {"UTILIZA", "S"},
                                   {"COMERCIALNRO", ""}};
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        row[it.key()] = it.value();
    QStringList marks;
    for (int i = 0; i < row.size(); ++i)
        marks << "?";
    QVERIFY(inst.exec("main",
                      QStringLiteral("INSERT INTO DESENHOS (%1) VALUES (%2)")
                          .arg(row.keys().join(", "), marks.join(", ")),
                      row.values()));
}

} // namespace falq::test
