#include "FALQADMIN.h"

#include "ui_FALQADMIN.h"

namespace falq {

TFALQADMIN::TFALQADMIN(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TFALQADMIN>()) {
    ui->setupUi(this);
}

TFALQADMIN::~TFALQADMIN() = default;

} // namespace falq
