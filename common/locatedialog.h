#pragma once
// "Localizar": the incremental search dialog of the registers. It lists a set (a dataset of
// any size, read in pages) with the searched field in the first column and the other columns
// after it; each letter typed moves to the first row, in the set's order, whose searched field
// starts with the text. Enter or a double click takes the row; Esc (or "Cancelar") leaves it.
//
// Taken: the set stands on the chosen row. Cancelled: the set stands again on the row it stood
// on when the dialog opened, so the caller changes nothing.
#include "grids.h"
#include "messages.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableView;

namespace falq {

class Dataset;

class LocateDialog : public QDialog {
    Q_OBJECT
public:
    LocateDialog(Dataset* set, const QList<SearchColumn>& columns, Messages& messages,
                 QWidget* parent = nullptr);
    ~LocateDialog() override;

    // Shows the dialog modally; true when a row was taken.
    bool choose();

    QLineEdit* searchBox() const { return m_search; }
    QTableView* grid() const { return m_grid; }

    static QString caption() { return QStringLiteral("Localizar"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void searchTextEdited(const QString& text);

    Dataset* m_set;
    QList<SearchColumn> m_columns;
    Messages& m_messages;
    QLineEdit* m_search;
    QTableView* m_grid;
    QLabel* m_label;
    int m_startRow = -1;
};

} // namespace falq
