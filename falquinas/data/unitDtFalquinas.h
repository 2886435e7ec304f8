#pragma once
// DTFALQUINAS: one live dataset per table of the register, shared by every window.
#include "datamodule.h"

namespace falq {

// Dataset names.
namespace ds {
inline const QString DESENHADORES = QStringLiteral("DESENHADORES");
inline const QString CORES = QStringLiteral("CORES");
inline const QString MAQUINAS = QStringLiteral("MAQUINAS");
inline const QString CLICHES = QStringLiteral("CLICHES");
inline const QString CARTOES = QStringLiteral("CARTOES");
inline const QString PARGER = QStringLiteral("PARGER");
inline const QString MODELOS = QStringLiteral("MODELOS");
inline const QString DESENHOS = QStringLiteral("DESENHOS");
inline const QString MOVIMENTOS = QStringLiteral("MOVIMENTOS");
inline const QString REPARACOES = QStringLiteral("REPARACOES");
inline const QString LOCAIS = QStringLiteral("LOCAIS");
inline const QString PARAMTMP = QStringLiteral("PARAMTMP");
inline const QString UTIL = QStringLiteral("UTIL");
inline const QString FACPARGER = QStringLiteral("FACPARGER");
inline const QString ARTIGOSCLS = QStringLiteral("ARTIGOSCLS");
inline const QString STKPARGER = QStringLiteral("STKPARGER");
} // namespace ds

// Creates the module with its datasets (none open). Write errors of every dataset but
// MOVIMENTOS and REPARACOES go to `handler`; those two hand back the server's message.
// The datasets work on DBFALQUINAS unless another connection is named.
DataModule* createDtFalquinas(UpdateErrorHandler* handler, QObject* parent = nullptr,
                              const QString& connection = QStringLiteral("DBFALQUINAS"));

// A window's own read-only copy of a shared dataset: the same statement, key and presentation
// on the same connection, never written (the consultation windows list from it).
Dataset* createReadOnlyCopy(const QString& dataset, QObject* parent,
                            const QString& connection = QStringLiteral("DBFALQUINAS"));

// The default statement of a shared dataset (windows that search replace it).
QString defaultStatement(const QString& dataset);

} // namespace falq
