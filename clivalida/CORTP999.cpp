#include "CORTP999.h"

#include "ui_CORTP999.h"

namespace falq {

TCORTF999::TCORTF999(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TCORTF999>()) {
    ui->setupUi(this);
}

TCORTF999::~TCORTF999() = default;

} // namespace falq
