#include "GERPVERSAO.h"

#include "UnitDtVersao.h"

#include "ui_GERPVERSAO.h"

#include <QTimer>

namespace falq {

TGERFVERSAO::TGERFVERSAO(QSqlDatabase db, int company, const QString& stored, const QString& target,
                         const QDate& workingDate, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TGERFVERSAO>()), m_db(db), m_company(company),
      m_stored(stored), m_target(target), m_workingDate(workingDate) {
    ui->setupUi(this);
}

TGERFVERSAO::~TGERFVERSAO() = default;

void TGERFVERSAO::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!m_started) {
        m_started = true;
        QTimer::singleShot(0, this, &TGERFVERSAO::FormActivate);
    }
}

void TGERFVERSAO::FormActivate() {
    ui->StatusBar1->setText(QStringLiteral("Processamento em curso ... "));
    ui->Frame->show();
    ui->LabelAnterior->show();
    ui->EditAnterior->setText(m_stored);
    ui->EditAnterior->show();
    ui->LabelSucesso1->hide();
    ui->LabelSucesso2->hide();
    ui->LabelNova->hide();
    ui->EditNova->hide();
    repaint();
    m_ok = dbversion::upgrade(
        m_db, m_company, m_stored, m_target, m_workingDate,
        [this](const QString& version) {
            ui->EditAnterior->setText(version);
            ui->EditAnterior->repaint();
        },
        &m_error);
    ui->StatusBar1->clear();
    if (m_ok) {
        ui->LabelAnterior->hide();
        ui->EditAnterior->hide();
        ui->LabelSucesso1->show();
        ui->LabelSucesso2->show();
        ui->LabelNova->show();
        ui->EditNova->setText(m_target);
        ui->EditNova->show();
        accept();
    } else {
        reject();
    }
}

} // namespace falq
