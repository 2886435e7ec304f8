#pragma once
// The drawing search: its criteria with their defaults and the statement built from them, for
// the drawing picker, the drawing printing window and their reports. Only drawings in use
// (UTILIZA "S") whose machine, board and designer exist in their tables are found; every value
// is bound.
#include "grids.h"
#include "recordsearch.h"

namespace falq::drawings {

// The five sort orders of "Ordenar por", in the order of its buttons.
enum class SearchSort { Drawing, Die, Reference, Client, Supplier };
// "Direcção do Canal" and "Vista": "Ambas" adds no condition.
enum class Direction { Both, Vertical, Horizontal };
enum class View { Both, Exterior, Interior };

struct SearchCriteria {
    QString drawingFrom;                                        // WDesenho1
    QString drawingTo = QStringLiteral("ZZZZZZZZZZZZZZZZZZZZ"); // WDesenho2 (20 letters Z)
    QString dieFrom;                                            // WCortante1
    QString dieTo = QStringLiteral("ZZZZZZZZZZZZZZZ");          // WCortante2 (15 letters Z)
    qint64 designerFrom = 0, designerTo = 99999;                // WDesenhador1, 2
    qint64 boardFrom = 0, boardTo = 99999;                      // WCartao1, 2
    qint64 clientFrom = 0, clientTo = 999999999;                // WCliNro1, 2
    qint64 supplierFrom = 0, supplierTo = 999999999;            // WFrnNro1, 2
    qint64 salesmanFrom = 0, salesmanTo = 99999;                // WVndNro1, 2
    qint64 machineFrom = 0, machineTo = 99999;                  // WMaquina1, 2
    qint64 boardWidthFrom = 0, boardWidthTo = 9999;             // WLarg_Placa1, 2
    qint64 boardLengthFrom = 0, boardLengthTo = 9999;           // WCompr_Placa1, 2
    qint64 widthFrom = 0, widthTo = 9999;                       // WLargura1, 2
    qint64 lengthFrom = 0, lengthTo = 9999;                     // WCompr1, 2
    qint64 heightFrom = 0, heightTo = 9999;                     // WAltura1, 2
    QString referencePattern = QStringLiteral("%");             // REFERENCIA
    QString clientPattern = QStringLiteral("%");                // SIGLACLI (the drawing's copy)
    QString supplierPattern = QStringLiteral("%");              // SIGLAFORN
    QString salesmanPattern = QStringLiteral("%");              // VNDNOME
    QString boardPattern = QStringLiteral("%");                 // board designation
    QString machinePattern = QStringLiteral("%");               // machine designation
    QString designerPattern = QStringLiteral("%");              // designer name
    Direction direction = Direction::Both;
    View view = View::Both;
    SearchSort sort = SearchSort::Drawing;
};

// The small grid under the search's results: the current drawing's designer, board and
// machine ("Desenhador", "Cartão", "Máquina").
const QList<SearchColumn>& detailColumns();

// The column a sort order lists by (DESENHONRO, CORTANTENRO, REFERENCIA, SIGLACLI, SIGLAFORN).
QString sortColumn(SearchSort sort);

// The search: the drawing's columns with MAQUINA_DES, CARTAO_DES and DESENHADOR_DES, joined
// to MAQUINAS, CARTOES and DESENHADORES, the criteria's conditions, in the sort's order (equal
// values by number).
SearchStatement searchStatement(const SearchCriteria& criteria, const SqlDialect& dialect);

// The consultation window's list: every column of the drawings in use, in the order of a sort
// field of the editor (equal values by number).
QString consultationStatement(const QString& sortField);

} // namespace falq::drawings
