#pragma once
// A workstation of the data tests: its own connection to the main database and its own data
// module DTFALQUINAS on it.
#include "testsupport.h"
#include "unitDtFalquinas.h"

#include <memory>

namespace falq::test {

struct Workstation {
    Workstation(Installation& inst, const QString& connection,
                UpdateErrorHandler* handler = nullptr) {
        inst.open(QStringLiteral("main"), connection);
        module.reset(createDtFalquinas(handler, nullptr, connection));
    }
    Dataset* operator()(const QString& name) const { return module->dataset(name); }
    std::unique_ptr<DataModule> module;
};

} // namespace falq::test
