#pragma once
// Main window of the administration utility: users and their access rights per company.
#include <QMainWindow>
#include <memory>

namespace Ui {
class TFALQADMIN;
}

namespace falq {

class TFALQADMIN : public QMainWindow {
    Q_OBJECT
public:
    explicit TFALQADMIN(QWidget* parent = nullptr);
    ~TFALQADMIN() override;

private:
    std::unique_ptr<Ui::TFALQADMIN> ui;
};

} // namespace falq
