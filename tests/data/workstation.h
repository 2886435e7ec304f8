#pragma once
// A workstation of the data tests: its own connection to the main database and its own data
// module DTFALQUINAS on it.
#include "testsupport.h"
#include "unitDtFalquinas.h"

#include <memory>
#include <optional>

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

// A fresh installation and, on it, the dataset `name` of the workstation on `connection`
// (its write errors to `handler`).
struct DatasetOn {
    explicit DatasetOn(const QString& name, UpdateErrorHandler* handler = nullptr,
                       const QString& connection = QStringLiteral("ws1")) {
        if (!inst.ok()) {
            qWarning("%s", qPrintable(inst.error()));
            return;
        }
        ws.emplace(inst, connection, handler);
        d = (*ws)(name);
    }
    // Reads the dataset.
    bool open() { return d && d->open(); }
    Installation inst;
    std::optional<Workstation> ws;
    Dataset* d = nullptr;
};

} // namespace falq::test
