#pragma once
// Every message box of the programs goes through one Messages service: a plain box with one
// OK button (with or without a short beep first) and the Yes/No question. Tests put a
// recorder in its place that keeps the texts and answers the questions.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace falq {

// The refusals of boxes that have no message of their own: a text that is no date that exists,
// a text that is no number the box can hold.
inline const QString kBadDate = QStringLiteral("Data Inválida ...");
inline const QString kBadValue = QStringLiteral("Valor Inválido ...");
// The refusals of code boxes whose code is in no row of the client, supplier or machine table.
inline const QString kNoClient = QStringLiteral("Cliente Inexistente ...");
inline const QString kNoSupplier = QStringLiteral("Fornecedor Inexistente ...");
inline const QString kNoMachine = QStringLiteral("Máquina Inexistente ...");

class Messages {
public:
    virtual ~Messages() = default;

    // A plain box with one OK button; `beep` sounds a short beep first.
    virtual void show(const QString& text, bool beep = false) = 0;
    // A Yes/No question; true for Yes.
    virtual bool ask(const QString& text) = 0;
    virtual void beep() = 0;

    // For field checks run when a box loses focus: shows the message once the focus change
    // has finished, then puts the focus back in `field` and calls `after`.
    void showForField(QWidget* field, const QString& text, bool beep = true,
                      std::function<void()> after = {});
    // For field checks that refuse with a beep alone: beeps once the focus change has
    // finished and puts the focus back in `field`.
    void beepForField(QWidget* field);
};

// A read that a window repeats on every activation (its list, the user's rights) and that
// fails tells why once: a message box closing activates the window again, and the same
// failure told again would never let the user close it. The failure is told again only once
// the read succeeded or its criteria changed.
class FailureNotice {
public:
    // After a read of `criteria`: shows `error` (with a beep) unless the same criteria failed
    // last; an empty `error` (the read succeeded) forgets the failure.
    void report(Messages& messages, const QString& criteria, const QString& error);
    // The next failure is told whatever its criteria (the user asked for the read again).
    void forget() { m_failed = false; }

private:
    bool m_failed = false;
    QString m_criteria;
};

// The real boxes, captioned with the application's title (the program's name when none is
// given).
class BoxMessages : public Messages {
public:
    explicit BoxMessages(QString title = {}) : m_title(std::move(title)) {}
    QString title() const;

    void show(const QString& text, bool beep = false) override;
    bool ask(const QString& text) override;
    void beep() override;

private:
    QString m_title;
};

} // namespace falq
