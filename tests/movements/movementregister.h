#pragma once
// A small register of drawings, clichés and movements whose sums are worked out by hand in
// the tests: March 2026 holds the period's movements, with rows on the edges of the month.
#include "reportform.h"
#include "testsupport.h"

namespace falq::test {

// Writes the drawings, clichés and movements; false (with the test failed) on error.
//
// Drawings (client, supplier): D1 (ALFA, CORTEX), D2 (ALFA, DIEMAX), D3 (BETA, NULL),
// D4 (NULL, CORTEX). Clichés: C1 (ALFA, FLEXO), C2 (BETA, FLEXO), C3 (AMARO, NULL) and a
// cliché numbered D2 (GAMA, FLEXO).
//
// Movements of March 2026 (uses / rotations): D1 2/100 on the 1st at 00:00 and 1/50 on the
// 31st at 23:59; D2 3/40; D3 4/500 and 1/10; D4 1/5; DX (no such drawing) 9/900. Clichés:
// C1 6/600, C2 2/300, C3 2/300, cliché D2 10/1. Outside: D1 7/700 on 28 February at 23:59
// and 5/999 on 1 April at 00:00.
bool writeMovementRegister(Installation& inst);

// Writes purchases and repairs (REPARACOES) of March 2026, with rows on the edges of the month:
//
//   requisition       kind item       supplier client  value   requisition nº
//   01/03 00:00       C    DS D1      CORTEX   ALFA    1200,50 101
//   31/03 23:59       R    DS D2      DIEMAX   ALFA     300,25 102
//   15/03             R    CL C1      FLEXO    ALFA      80,00 103
//   10/03             C    CL C2      FLEXO    BETA     450,00 104
//   12/03             R    DS D3      NULL     BETA     100,10 105
//   20/03             C    CL C3      FLEXO    NULL     450,00 106
//   25/03             C    DS D4      ACME     GAMA     300,25 107
//   outside: 01/04 00:00 C DS D1 CORTEX ALFA 5000,00; 28/02 23:59 R CL C1 FLEXO ALFA 7000,00
bool writePurchasesRegister(Installation& inst);

// The company and the printing time of every reference text.
reports::Context fixedReportContext();
// A reference text of these tests.
QString goldenFile(const QString& name);

} // namespace falq::test
