#include "workprogress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace falq {

WorkProgress::WorkProgress(QWidget* parent, const QString& label)
    : m_dialog(
          std::make_unique<QProgressDialog>(label, QStringLiteral("&Cancelar"), 0, 0, parent)) {
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(500);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setValue(0);
}

WorkProgress::~WorkProgress() = default;

bool WorkProgress::update(int done, int expected) {
    if (expected > 0 && m_dialog->maximum() != expected)
        m_dialog->setMaximum(expected);
    if (expected > 0)
        m_dialog->setValue(qMin(done, expected));
    // Lets the dialog appear and its button be pressed.
    QCoreApplication::processEvents();
    return !m_dialog->wasCanceled();
}

bool WorkProgress::cancelled() const {
    return m_dialog->wasCanceled();
}

} // namespace falq
