#include "gerp002.h"

#include "ui_gerp002.h"

namespace falq {

TGERF002::TGERF002(const QString& company, const QDate& date, const QString& user, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TGERF002>()) {
    ui->setupUi(this);
    // No caption text. (An empty title would make the window system show the program's name.)
    setWindowTitle(QStringLiteral(" "));
    ui->Edit_EmpNom->setText(company);
    ui->Edit_Data->setText(date.toString(QStringLiteral("dd/MM/yyyy")));
    ui->Edit_Util->setText(user.toUpper());
    connect(ui->BotSair, &QPushButton::clicked, this, &QDialog::accept);
}

TGERF002::~TGERF002() = default;

} // namespace falq
