#pragma once
// Grids over datasets, as every register window shows them (datasetviews.h binds them):
// - sorting by a click on a column title: only the titles of the sortable fields answer, and
//   the title of the sort column is painted yellow;
// - the function keys F1, F2, ... that search a grid by one of its fields, and the grid's
//   context menu offering the same searches.
#include <QHeaderView>
#include <QStringList>
#include <functional>

class QMenu;
class QTableView;

namespace falq {

class Dataset;

// A column of a search dialog: its field and title.
struct SearchColumn {
    QString field;
    QString title;
};

// The columns with the column of `field` first and the others after it, in their order.
QList<SearchColumn> columnsStartingWith(const QList<SearchColumn>& columns, const QString& field);

// The header of a grid sorted by a click on a title. A click on the title of one of `fields`
// (field names compared in upper case) asks for that field as sort column; clicks on other
// titles do nothing. The window re-opens its list and then calls setSortField().
class TitleSortHeader : public QHeaderView {
    Q_OBJECT
public:
    TitleSortHeader(QTableView* grid, const QStringList& fields);

    void setSortField(const QString& field);
    QString sortField() const { return m_sortField; }
    // The sortable field shown in a column, or empty.
    QString sortableField(int logicalIndex) const;

    static QColor sortTitleColour() { return Qt::yellow; }

signals:
    void sortRequested(const QString& field);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    QStringList m_fields;
    QString m_sortField;
};

// F1, F2, ... on a grid and its context menu: the n-th key and the n-th item of the menu
// (`searches[n].title`, "Procurar por ...", shown with its key) search by the n-th field.
class GridSearchKeys : public QObject {
public:
    GridSearchKeys(QTableView* grid, const QList<SearchColumn>& searches,
                   std::function<void(const QString& field)> search);

    QMenu* menu() const { return m_menu; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList m_fields;
    std::function<void(const QString&)> m_search;
    QMenu* m_menu;
};

} // namespace falq
