#pragma once
// DTEMPRESAS: the session row PARAMTMP and the users query UTIL, opened when the module is
// created. The access-rights look-up is in rights.h.
#include "datamodule.h"

namespace falq {

DataModule* createDtEmpresas(UpdateErrorHandler* handler, QObject* parent, QString* error);

// The module's other companions on the invoicing database: the yearly invoicing parameters
// (DTTABELAS: FACPARGER), the commercial articles (DTFILES: ARTIGOSCLS) and the yearly stock
// parameters (DTSTKPRD: STKPARGER). None is open at creation.
DataModule* createDtTabelas(QObject* parent);
DataModule* createDtFiles(UpdateErrorHandler* handler, QObject* parent);
DataModule* createDtStkPrd(QObject* parent);

} // namespace falq
