#include "ALTERPPASS.h"

#include "boxes.h"
#include "entertab.h"

#include "ui_ALTERPPASS.h"

#include <QApplication>
#include <QFocusEvent>
#include <QProxyStyle>

namespace falq {

namespace {
constexpr int kMaxLength = 15;
const QString kInvalid = QStringLiteral("Palavra passe inválida ...");
const QString kTooLong = QStringLiteral("Excedeu o Nº de caracteres = 15 ...");
const QString kMismatch =
    QStringLiteral("Confirmação <> da nova palavra passe, tente novamente ...");

// Password boxes echo "#".
class HashEchoStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '#';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
} // namespace

TALTERFPASS::TALTERFPASS(Messages& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TALTERFPASS>()), m_hashEcho(std::make_unique<HashEchoStyle>()),
      m_messages(messages) {
    ui->setupUi(this);
    for (QLineEdit* edit : {ui->Edit_Pass1, ui->Edit_Pass2}) {
        edit->setStyle(m_hashEcho.get());
        forceUpperCase(edit);
        edit->installEventFilter(this);
    }
    connect(ui->BitTerminar, &QPushButton::clicked, this, &TALTERFPASS::BitTerminarClick);
    connect(ui->BotCancelar, &QPushButton::clicked, this, &TALTERFPASS::BotCancelarClick);
    EnterAsTab::install(this);
    m_outcome = Open;
    m_attached = true;
    ui->Edit_Pass1->setFocus();
}

TALTERFPASS::~TALTERFPASS() {
    detachHandlers();
}

void TALTERFPASS::detachHandlers() {
    m_attached = false;
    for (QLineEdit* edit : {ui->Edit_Pass1, ui->Edit_Pass2})
        edit->removeEventFilter(this);
}

bool TALTERFPASS::eventFilter(QObject* watched, QEvent* event) {
    if (!m_attached || (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut))
        return QDialog::eventFilter(watched, event);
    QLabel* label = watched == ui->Edit_Pass1 ? ui->LabelPass1 : ui->LabelPass2;
    QPalette pal = label->palette();
    if (event->type() == QEvent::FocusIn) {
        pal.setColor(QPalette::Window,
                     QColor(255, 255, 192)); // light yellow while the field is in use
        label->setPalette(pal);
        return false;
    }
    label->setPalette(palette());
    // A button clicked decides: "&Confirmar" runs both checks, "&Anular" runs none.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (buttonDecides(QApplication::focusWidget(), reason))
        return false;
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || m_messagePending)
        return false;
    if (watched == ui->Edit_Pass1)
        checkPass1(true);
    else
        checkPass2(true);
    return false;
}

bool TALTERFPASS::refuse(QLineEdit* field, const QString& text, bool leaving) {
    if (leaving) {
        m_messagePending = true;
        m_messages.showForField(field, text, true, [this] { m_messagePending = false; });
    } else {
        m_messages.show(text, true);
        field->setFocus();
    }
    return false;
}

bool TALTERFPASS::checkPass1(bool leaving) {
    if (m_outcome == Cancelled)
        return true;
    const QString text = ui->Edit_Pass1->text();
    m_pass1 = text.left(kMaxLength);
    if (m_pass1.isEmpty())
        return refuse(ui->Edit_Pass1, kInvalid, leaving);
    if (text.size() > kMaxLength)
        return refuse(ui->Edit_Pass1, kTooLong, leaving);
    return true;
}

bool TALTERFPASS::checkPass2(bool leaving) {
    if (m_outcome == Cancelled)
        return true;
    const QString text = ui->Edit_Pass2->text();
    m_pass2 = text.left(kMaxLength);
    if (m_pass2.isEmpty())
        return refuse(ui->Edit_Pass2, kInvalid, leaving);
    if (text.size() > kMaxLength)
        return refuse(ui->Edit_Pass2, kTooLong, leaving);
    if (m_pass2 != m_pass1)
        return refuse(ui->Edit_Pass1, kMismatch, leaving);
    return true;
}

void TALTERFPASS::BitTerminarClick() {
    if (!checkPass1(false) || !checkPass2(false))
        return;
    m_outcome = Confirmed;
    detachHandlers();
    accept();
}

void TALTERFPASS::BotCancelarClick() {
    m_outcome = Cancelled;
    detachHandlers();
    QDialog::reject();
}

void TALTERFPASS::reject() {
    BotCancelarClick();
}

} // namespace falq
