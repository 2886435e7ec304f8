#pragma once
// A small register of drawings, clichés and movements whose sums are worked out by hand in
// the tests: March 2026 holds the period's movements, with rows on the edges of the month.
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

} // namespace falq::test
