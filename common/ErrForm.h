#pragma once
// Write-error window: shows the row that the server refused (kind of update, server message,
// new and old value of every field) and lets the user retry with edited new values, ignore
// the row or abort the whole apply. Created once at program start.
#include "dataset.h"

#include <QDialog>
#include <memory>

namespace Ui {
class TUpdateErrorForm;
}

namespace falq {

class TUpdateErrorForm : public QDialog, public UpdateErrorHandler {
    Q_OBJECT
public:
    explicit TUpdateErrorForm(QWidget* parent = nullptr);
    ~TUpdateErrorForm() override;

    UpdateAction handleUpdateError(UpdateError& error) override;

    // Fills the window for one failed row (used by handleUpdateError).
    void showError(const UpdateError& error);
    // The user's edits after the window closed.
    void collectEdits(UpdateError& error) const;

private:
    void RetryButtonClick();
    void SkipButtonClick();
    void AbortButtonClick();
    void UpdateDataCellChanged(int row, int column);

    std::unique_ptr<Ui::TUpdateErrorForm> ui;
    UpdateAction m_action = UpdateAction::Abort;
    bool m_filling = false;
    QList<bool> m_edited;
};

} // namespace falq
