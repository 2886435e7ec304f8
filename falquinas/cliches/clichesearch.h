#pragma once
// The cliché search: its criteria with their defaults and the statement built from them, for
// the cliché picker, the listing and printing window and their reports. Only valid clichés
// (UTILIZA "S") whose model and machine exist in their tables are found; every value is bound.
#include "recordsearch.h"

namespace falq::cliches {

// The six sort orders of "Ordenar por", in the order of its buttons.
enum class SearchSort { Cliche, Die, Setup, Product, Client, Supplier };

struct SearchCriteria {
    QString clicheFrom;                                // WClicheNro1
    QString clicheTo = QStringLiteral("ZZZZZZZZZZZZ"); // WClicheNro2 (12 letters Z)
    QString dieFrom;                                   // WCortanteNro1
    QString dieTo = QStringLiteral("ZZZZZZZZZZZZZZZ"); // WCortanteNro2 (15 letters Z)
    qint64 setupFrom = 0, setupTo = 99999;             // WSetup1, WSetup2
    qint64 clientFrom = 0, clientTo = 999999999;       // WCliNro1, WCliNro2
    qint64 supplierFrom = 0, supplierTo = 999999999;   // WFrnNro1, WFrnNro2
    qint64 modelFrom = 0, modelTo = 99999;             // WModelo1, WModelo2
    qint64 machineFrom = 0, machineTo = 99999;         // WMaquina1, WMaquina2
    QString clientPattern = QStringLiteral("%");       // short name SIGLACLI
    QString supplierPattern = QStringLiteral("%");     // short name FORNSIGLA
    QString supplierRefPattern = QStringLiteral("%");  // REFER_FORN
    QString modelPattern = QStringLiteral("%");        // model designation
    QString machinePattern = QStringLiteral("%");      // machine designation
    SearchSort sort = SearchSort::Cliche;
};

// The column a sort order lists by (CLICHENRO, CORTANTENRO, FICHASETUP, PRODNRO, SIGLACLI,
// FORNSIGLA).
QString sortColumn(SearchSort sort);

// The search: the cliché's columns with MODELO_DES and MAQUINA_DES, joined to MODELOS and
// MAQUINAS, the criteria's conditions, in the sort's order (equal values by number).
SearchStatement searchStatement(const SearchCriteria& criteria, const SqlDialect& dialect);

// The consultation window's list: every column of the valid clichés, in the order of a sort
// field of the editor (equal values by number).
QString consultationStatement(const QString& sortField);

} // namespace falq::cliches
