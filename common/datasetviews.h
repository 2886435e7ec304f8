#pragma once
// Widgets that show a dataset: a grid whose current row is the dataset's current row, line
// edits bound to a field of the current row, and the navigator (first, previous, next and
// last row).
#include "grids.h"

#include <QAbstractTableModel>
#include <QString>
#include <QWidget>

class QAbstractItemModel;
class QLineEdit;
class QTableView;
class QToolButton;

namespace falq {

class Dataset;

// Shows the dataset's presented columns in `grid` (read-only, whole rows selected) and keeps
// the grid's current row and the dataset's in step, also when the dataset is reopened.
void bindGrid(QTableView* grid, Dataset* dataset);

// The same for a grid showing `model`: a model of the dataset's rows with columns of its own
// (the search dialogs show chosen fields under their own titles).
void bindGridRows(QTableView* grid, Dataset* dataset, QAbstractItemModel* model);

// A column a window shows: the dataset's field, at least `chars` average characters wide (0:
// the grid's default width) and never narrower than its title.
struct GridColumn {
    QString field;
    int chars = 0;
};
// The window's presentation of a grid on the dataset's own columns: only `columns`, in their
// order, at their widths. It is applied now and again after every re-open of the dataset (a
// re-open resets the grid's header); calling it again replaces the earlier presentation.
void presentColumns(QTableView* grid, Dataset* dataset, const QList<GridColumn>& columns);

// Shows `columns` of the dataset's current row, under their titles, as the one row of `grid`
// (no row when there is no current row): the small grid of names under a result grid.
void bindCurrentRowGrid(QTableView* grid, Dataset* dataset, const QList<SearchColumn>& columns);

// Shows `field` of the current row in `edit`; what the user types goes into the field.
void bindField(QLineEdit* edit, Dataset* dataset, const QString& field);

// The rows of a dataset with a chosen set of its fields as columns, under their own titles
// (the search dialogs, the registers' grids).
class FieldColumnsModel : public QAbstractTableModel {
public:
    FieldColumnsModel(Dataset* set, const QList<SearchColumn>& columns, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    Dataset* m_set;
    QList<SearchColumn> m_columns;
};

class Navigator : public QWidget {
    Q_OBJECT
public:
    explicit Navigator(QWidget* parent = nullptr);
    void setDataset(Dataset* dataset) { m_dataset = dataset; }

    void first();
    void prior();
    void next();
    void last();

private:
    QToolButton* addButton(const char* name, const QString& hint, int icon);
    Dataset* m_dataset = nullptr;
};

} // namespace falq
