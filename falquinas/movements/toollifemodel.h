#pragma once
// The rows of the tool life window: one tool a row, the figures worked out for the working
// date, sortable by any title (numbers and dates as such), the wear % column banded from the
// warning limit and from 100 %; and the printed list of the rows in the order shown.
#include "imagefiles.h"
#include "preparedreport.h"
#include "toollife.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QVector>
#include <functional>

namespace falq::movements {

class ToolLifeModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Number,
        Client,
        Reference,
        Machine,
        Life,
        Wear,
        WearPercent,
        Uses,
        LastUse,
        WearOut,
        Cost,
        ColumnCount
    };

    explicit ToolLifeModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // Replaces the rows (read for `workingDate`, banded from `warningPercent`).
    void setRows(ItemKind kind, QVector<ToolLife> rows, const QDate& workingDate,
                 int warningPercent);
    // Rows read a page at a time: `next` appends the next page and says whether more follow;
    // `rest`, when given, appends every tool after the pages read at once (false when that
    // read was stopped or failed: nothing is appended).
    using PageReader = std::function<bool(QVector<ToolLife>& rows)>;
    void setPageReader(PageReader next, bool more, PageReader rest = {});
    bool canFetchMore(const QModelIndex& parent = {}) const override;
    void fetchMore(const QModelIndex& parent = {}) override;
    // Reads every tool left (before a sort, a print or an export); false when that was
    // stopped, the list then stays as it was.
    bool fetchAll();
    // Replaces one tool's figures (after its life was set); false when it is not listed.
    bool updateRow(const ToolLife& tool);

    ItemKind kind() const { return m_kind; }
    const ToolLife& tool(int row) const { return m_rows.at(row); }
    int warningPercent() const { return m_warning; }
    QDate workingDate() const { return m_working; }
    // The value a column sorts on: text, or a number (dates as numbers; none below all).
    QVariant sortKey(int row, int column) const;
    // What a cell shows (also the printed list's text).
    QString text(int row, int column) const;
    // A cell's value as such (the spreadsheet's): numbers, dates, texts; none where the cell
    // is empty. Wear % is the whole percent shown; a worn tool's end is "esgotada".
    QVariant value(int row, int column) const;
    static QColor warningColour() { return QColor(255, 224, 130); }
    static QColor wornColour() { return QColor(240, 128, 128); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Reads every tool left first; when that is stopped the rows keep their order and
    // sortStopped() says so (the title's arrow goes back to sortColumn()).
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

signals:
    void sortStopped();

private:
    ItemKind m_kind = ItemKind::Cliche;
    QVector<ToolLife> m_rows;
    QDate m_working;
    int m_warning = 90;
    PageReader m_next;
    PageReader m_rest;
    bool m_more = false;
    // While the tools left are read in the background the grid asks for no page: that page
    // would come again with the rest.
    bool m_fetchingAll = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

// The list "Vida Útil de Clichés e Cortantes" of the model's rows in their order, with the
// criteria in the header and, when asked, each tool's picture.
PreparedReport prepareToolLifeList(const ToolLifeModel& model, const QStringList& criteria,
                                   const ImageParameters& images, bool photos);

} // namespace falq::movements
