#pragma once
// The progress indicator of long work (reports, exports): appears when the work takes more
// than half a second, and its "Cancelar" button stops the work.
#include "reportengine.h"

#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace falq {

class WorkProgress {
public:
    WorkProgress(QWidget* parent, const QString& label);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // Shows `done` of `expected` (-1: not known); false once the user has cancelled.
    bool update(int done, int expected);
    reports::Progress callback() {
        return [this](int done, int expected) { return update(done, expected); };
    }
    bool cancelled() const;

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace falq
