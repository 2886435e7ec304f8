#pragma once
// Cliché consultation ("Consulta de Clichés"): the cliché editor's window with nothing that
// changes a cliché or its files, over a list of its own of the valid clichés. The grid, title
// sort, F1 ... F6, the navigator, the record display, the photo (zoom only), the documents
// (shown by a double click) and the export "Tabela de Clichés" work as in the editor; the
// opening runs once per showing, so the record found stays current after a dialog closes.
#include "CORTP010.h"

namespace falq {

class TCORTF011 : public TCORTF010 {
    Q_OBJECT
public:
    explicit TCORTF011(Session& session, QWidget* parent = nullptr)
        : TCORTF010(session, true, parent) {}
};

} // namespace falq
