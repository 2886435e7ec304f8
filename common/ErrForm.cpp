#include "ErrForm.h"

#include "ui_ErrForm.h"

#include <QHeaderView>

namespace falq {

TUpdateErrorForm::TUpdateErrorForm(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TUpdateErrorForm>()) {
    ui->setupUi(this);
    ui->UpdateData->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(ui->RetryButton, &QPushButton::clicked, this, &TUpdateErrorForm::RetryButtonClick);
    connect(ui->SkipButton, &QPushButton::clicked, this, &TUpdateErrorForm::SkipButtonClick);
    connect(ui->AbortButton, &QPushButton::clicked, this, &TUpdateErrorForm::AbortButtonClick);
    connect(ui->UpdateData, &QTableWidget::cellChanged, this,
            &TUpdateErrorForm::UpdateDataCellChanged);
}

TUpdateErrorForm::~TUpdateErrorForm() = default;

void TUpdateErrorForm::showError(const UpdateError& error) {
    m_filling = true;
    ui->UpdateType->setText(updateKindText(error.kind));
    ui->ErrorText->setText(error.message);
    ui->UpdateData->clearContents();
    ui->UpdateData->setRowCount(error.fields.size());
    m_edited = QList<bool>(error.fields.size(), false);
    for (int i = 0; i < error.fields.size(); ++i) {
        ui->UpdateData->setVerticalHeaderItem(i, new QTableWidgetItem(error.fields[i]));
        ui->UpdateData->setItem(i, 0, new QTableWidgetItem(error.newValues.value(i)));
        auto* old = new QTableWidgetItem(error.oldValues.value(i));
        old->setFlags(old->flags() & ~Qt::ItemIsEditable);
        ui->UpdateData->setItem(i, 1, old);
    }
    m_filling = false;
    m_action = UpdateAction::Abort; // closing the window aborts
}

void TUpdateErrorForm::collectEdits(UpdateError& error) const {
    for (int i = 0; i < error.fields.size() && i < m_edited.size(); ++i) {
        if (!m_edited[i])
            continue;
        error.newValues[i] = ui->UpdateData->item(i, 0)->text();
        error.edited[i] = true;
    }
}

UpdateAction TUpdateErrorForm::handleUpdateError(UpdateError& error) {
    showError(error);
    exec();
    if (m_action == UpdateAction::Retry)
        collectEdits(error);
    return m_action;
}

void TUpdateErrorForm::UpdateDataCellChanged(int row, int column) {
    if (m_filling || column != 0 || row >= m_edited.size())
        return;
    m_edited[row] = true;
    QTableWidgetItem* header = ui->UpdateData->verticalHeaderItem(row);
    if (header && !header->text().startsWith(QLatin1Char('*')))
        header->setText(QStringLiteral("* ") + header->text());
}

void TUpdateErrorForm::RetryButtonClick() {
    m_action = UpdateAction::Retry;
    accept();
}

void TUpdateErrorForm::SkipButtonClick() {
    m_action = UpdateAction::Skip;
    accept();
}

void TUpdateErrorForm::AbortButtonClick() {
    m_action = UpdateAction::Abort;
    reject();
}

} // namespace falq
