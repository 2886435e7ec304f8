#pragma once
// The progress indicator of long work (reports, exports): appears once the work has taken
// half a second, and its "Cancelar" button stops the work. Short work never shows it and
// never lets other events in meanwhile.
#include "reportengine.h"

#include <QElapsedTimer>
#include <QPointer>
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
    QPointer<QWidget> m_parent;
    QString m_label;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace falq
