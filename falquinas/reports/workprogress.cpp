#include "workprogress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace falq {

namespace {
constexpr int kShowAfterMs = 500;
} // namespace

WorkProgress::WorkProgress(QWidget* parent, const QString& label)
    : m_parent(parent), m_label(label) {
    m_clock.start();
}

WorkProgress::~WorkProgress() = default;

bool WorkProgress::update(int done, int expected) {
    if (!m_dialog) {
        if (m_clock.elapsed() < kShowAfterMs)
            return true;
        m_dialog = std::make_unique<QProgressDialog>(m_label, QStringLiteral("&Cancelar"), 0, 0,
                                                     m_parent.data());
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoReset(false);
        m_dialog->setAutoClose(false);
        m_dialog->show();
    }
    if (expected > 0) {
        if (m_dialog->maximum() != expected)
            m_dialog->setMaximum(expected);
        m_dialog->setValue(qMin(done, expected));
    }
    // Lets the dialog paint and its button be pressed.
    QCoreApplication::processEvents();
    return !m_dialog->wasCanceled();
}

bool WorkProgress::cancelled() const {
    return m_dialog && m_dialog->wasCanceled();
}

} // namespace falq
