#pragma once
// DTEMPRESAS: the session row PARAMTMP and the users query UTIL, opened when the module is
// created. The access-rights look-up is in rights.h.
#include "datamodule.h"

namespace falq {

// Write errors of the session row go to `handler` (the write-error window); those of the
// users hand back the server's message.
DataModule* createDtEmpresas(UpdateErrorHandler* handler, QObject* parent, QString* error);

// The module's other companions on the invoicing database: the yearly invoicing parameters
// (DTTABELAS: FACPARGER), the commercial articles (DTFILES: ARTIGOSCLS, whose write errors
// hand back the server's message) and the yearly stock parameters (DTSTKPRD: STKPARGER).
// None is open at creation.
DataModule* createDtTabelas(QObject* parent);
DataModule* createDtFiles(QObject* parent);
DataModule* createDtStkPrd(QObject* parent);

} // namespace falq
