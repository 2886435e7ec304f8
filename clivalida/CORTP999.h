#pragma once
// Main window of the shop-floor validation station.
#include <QMainWindow>
#include <memory>

namespace Ui {
class TCORTF999;
}

namespace falq {

class TCORTF999 : public QMainWindow {
    Q_OBJECT
public:
    explicit TCORTF999(QWidget* parent = nullptr);
    ~TCORTF999() override;

private:
    std::unique_ptr<Ui::TCORTF999> ui;
};

} // namespace falq
