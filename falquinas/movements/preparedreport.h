#pragma once
// A report ready to render or preview: its form, its rows and the preview window's caption.
#include "reportform.h"

#include <memory>

namespace falq::movements {

struct PreparedReport {
    reports::Form form;
    std::unique_ptr<reports::Source> source;
    QString caption;
};

} // namespace falq::movements
