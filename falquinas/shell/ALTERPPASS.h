#pragma once
// Password change: the signed-in user types the new password twice (upper case, shown as
// "#", at most 15 characters); the main window writes it when the change is confirmed.
#include "messages.h"

#include <QDialog>
#include <memory>

class QLineEdit;
class QProxyStyle;

namespace Ui {
class TALTERFPASS;
}

namespace falq {

class TALTERFPASS : public QDialog {
    Q_OBJECT
public:
    enum Outcome { Confirmed = 0, Cancelled = 1, Open = 9 };

    explicit TALTERFPASS(Messages& messages, QWidget* parent = nullptr);
    ~TALTERFPASS() override;

    int outcome() const { return m_outcome; }
    QString newPassword() const { return m_pass1; }

    void reject() override; // Escape cancels, as "&Anular" does

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool checkPass1(bool leaving);
    bool checkPass2(bool leaving);
    bool refuse(QLineEdit* field, const QString& text, bool leaving);
    void BitTerminarClick();
    void BotCancelarClick();
    void detachHandlers();

    std::unique_ptr<Ui::TALTERFPASS> ui;
    std::unique_ptr<QProxyStyle> m_hashEcho;
    Messages& m_messages;
    int m_outcome = Open;
    QString m_pass1;
    QString m_pass2;
    bool m_attached = false;
    bool m_messagePending = false;
};

} // namespace falq
