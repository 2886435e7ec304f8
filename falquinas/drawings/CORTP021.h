#pragma once
// Drawing consultation ("Consulta de Desenhos"): the drawing editor's window with nothing that
// changes a drawing or its files, over a list of its own of the drawings in use. The grid,
// title sort, F1 ... F6, the navigator, the record display, the photo (zoom only), the
// documents (shown by a double click) and the export "Tabela de Desenhos" work as in the
// editor; the opening runs once per showing, so the record found stays current after a dialog
// closes.
#include "CORTP020.h"

namespace falq {

class TCORTF021 : public TCORTF020 {
    Q_OBJECT
public:
    explicit TCORTF021(Session& session, QWidget* parent = nullptr)
        : TCORTF020(session, true, parent) {}
};

} // namespace falq
