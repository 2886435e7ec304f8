#pragma once
// Information window "Empresa e Data": the company and date of the session row and the user.
#include <QDate>
#include <QDialog>
#include <memory>

namespace Ui {
class TGERF002;
}

namespace falq {

class TGERF002 : public QDialog {
    Q_OBJECT
public:
    TGERF002(const QString& company, const QDate& date, const QString& user,
             QWidget* parent = nullptr);
    ~TGERF002() override;

private:
    std::unique_ptr<Ui::TGERF002> ui;
};

} // namespace falq
