#pragma once
// Users of the register: opens new users and keeps their name, password (upper case, shown
// as "*"), title and the right to run program updates; deletes a user with his rights in
// every company. The boxes edit the user under the grid's cursor; the grid taking the focus
// back, or closing, is the save point.
#include "admindata.h"

#include <QDialog>
#include <memory>

class QLineEdit;

namespace Ui {
class TFALQADMINUTIL;
}

namespace falq {

class TFALQADMINUTIL : public QDialog {
    Q_OBJECT
public:
    explicit TFALQADMINUTIL(AdminSession& session, QWidget* parent = nullptr);
    ~TFALQADMINUTIL() override;

    bool inserting() const { return m_inserting; }

    void reject() override; // Escape closes through the save point

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A box that refuses its value: the box, its message (none: a beep alone), and whether
    // the new row goes (a user that exists already).
    struct Refusal {
        QLineEdit* box = nullptr;
        QString message;
        bool dropRow = false;
        explicit operator bool() const { return box != nullptr; }
    };

    void BotInserirClick();
    void BotCancelarClick();
    void BotEliminarClick();
    void focusChanged(QWidget* old, QWidget* now);
    void Edit_UtilNroExit(QWidget* now);
    void DBGridUtilExit();
    bool DBGridUtilEnter(); // the save point; false when a check refused or the write failed
    Refusal checkBox(QLineEdit* box);
    Refusal checkRow();
    void refuse(const Refusal& refusal);
    void dropNewRow();
    void setEditing(bool editing);
    void showRow();
    void bindBox(QLineEdit* box, const QString& field);
    QLineEdit* firstBox() const;

    std::unique_ptr<Ui::TFALQADMINUTIL> ui;
    AdminSession& m_session;
    std::unique_ptr<Dataset> m_users;
    bool m_inserting = false;
    bool m_editing = false; // the grid was left for the boxes
    bool m_holdRow = false; // the last save point refused: the grid keeps its row
    bool m_saving = false;  // a save point is running (its messages and windows take focus)
    bool m_closed = false;
    Qt::FocusReason m_leaveReason = Qt::OtherFocusReason; // of the last box left
};

} // namespace falq
