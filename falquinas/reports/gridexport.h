#pragma once
// "Exportar para Excel": a grid's rows written to a new spreadsheet file (.xlsx), then
// opened with the desktop's spreadsheet program. Every window with a BotExcel passes its
// grid and its title.
//
// The sheet: row 1 the company's name, row 2 "BDE Alias: " and the invoicing alias, row 3
// the window's title, row 4 the grid's column titles (centred, on grey), then one row per
// row of the grid in its current order and a grey row. Each sheet column is as wide as the
// grid column (its pixel width over the screen width of "W", times 2, at most 100); numbers
// are right-aligned, and numbers with decimals show two.
#include "reportengine.h"

#include <QDateTime>
#include <QString>
#include <functional>

class QTableView;
class QWidget;

namespace falq {

class Session;

struct SpreadsheetHeading {
    QString company;
    QString invoicingAlias;
    QString title;
};

// The sheet column width for a grid column `pixels` wide when "W" is `wWidth` pixels wide.
int sheetColumnWidth(int pixels, int wWidth);

// Writes the grid to a new file in `folder` (never over an existing one). The result's path
// names the file; on failure no file is left.
reports::Result writeGridSpreadsheet(QTableView& grid, const SpreadsheetHeading& heading,
                                     const QString& folder, const reports::Progress& progress = {});

// Housekeeping after each export: the exported files in `folder` (by their names) last written
// more than `days` days before `now` are removed; how many were.
int removeOldExports(const QString& folder, const QDateTime& now, int days = 30);

// The user's private folder for exported files (created readable by the user only).
QString privateExportFolder();

class GridExporter {
public:
    explicit GridExporter(Session& session);

    void setFolder(const QString& folder) { m_folder = folder; }
    QString folder() const;
    // How the written file is opened (default: the desktop's program for .xlsx).
    void setOpener(std::function<bool(const QString& path)> opener) { m_open = std::move(opener); }

    // Exports with a progress indicator; says why when the file cannot be written. Returns
    // the file written (empty when none).
    QString exportGrid(QWidget* window, QTableView* grid, const QString& title);

private:
    Session& m_session;
    QString m_folder;
    std::function<bool(const QString&)> m_open;
};

} // namespace falq
