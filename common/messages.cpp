#include "messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace falq {

void Messages::showForField(QWidget* field, const QString& text, bool withBeep,
                            std::function<void()> after) {
    // Tied to the field: a window closed meanwhile takes its pending message with it.
    QTimer::singleShot(0, field, [this, field, text, withBeep, after] {
        show(text, withBeep);
        field->setFocus(Qt::OtherFocusReason);
        if (after)
            after();
    });
}

void Messages::beepForField(QWidget* field) {
    QTimer::singleShot(0, field, [this, field] {
        beep();
        field->setFocus(Qt::OtherFocusReason);
    });
}

void FailureNotice::report(Messages& messages, const QString& criteria, const QString& error) {
    if (error.isEmpty()) {
        m_failed = false;
        return;
    }
    if (m_failed && m_criteria == criteria)
        return;
    m_failed = true;
    m_criteria = criteria;
    messages.show(error, true);
}

QString BoxMessages::title() const {
    return m_title.isEmpty() ? QApplication::applicationName() : m_title;
}

void BoxMessages::show(const QString& text, bool withBeep) {
    if (withBeep)
        beep();
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool BoxMessages::ask(const QString& text) {
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QAbstractButton* yes = box.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void BoxMessages::beep() {
    QApplication::beep();
}

} // namespace falq
