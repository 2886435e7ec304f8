#pragma once
// The report engine: lays a form out over its rows and hands the lines to an output. Pages
// are produced one after the other and never held, so a long report costs the memory of one
// page. Outputs: a paint device (printer, PDF), plain text, a spreadsheet (.xlsx) and an
// OpenDocument text (.odt); the last two get the report as one long page.
//
// Every file output is written completely or not at all: a failed or cancelled render leaves
// no file behind and an earlier file of that name untouched.
#include "reportform.h"

#include <QIODevice>
#include <QString>

class QPagedPaintDevice;

namespace falq::reports {

enum class LineKind {
    Title,
    Criteria,
    Blank,
    ColumnHeader,
    Rule,
    Detail,
    SubLine,
    Picture,
    Boxes, // cells framed one by one
    GroupHeader,
    GroupFooter,
    Summary,
    Footer
};

struct Cell {
    int start = 0; // character position on the line
    int width = 0; // characters
    Qt::Alignment align = Qt::AlignLeft;
    QString text;
    QVariant value; // the value behind a column's text (numbers and dates for spreadsheets)
    ValueFormat format = ValueFormat::Text;
    int column = -1; // the form's column, -1 for free text
};

struct Line {
    LineKind kind = LineKind::Blank;
    int height = 1; // in lines of the page grid
    QVector<Cell> cells;
    QImage picture;
};

// The page grid: characters across and lines down an A4 page.
struct PageGrid {
    int chars = 0;
    int lines = 0;
};
PageGrid pageGrid(QPageLayout::Orientation orientation);
// A4 with the margins every report prints with.
QPageLayout pageLayout(QPageLayout::Orientation orientation);

// Where the lines go.
class Sink {
public:
    virtual ~Sink() = default;
    // False: the report is one long page (no page breaks, one header, one footer, no page
    // number).
    virtual bool paginated() const { return true; }
    virtual bool beginPage(int number) = 0;
    // `top`: the line's first line on the page grid.
    virtual void write(const Line& line, int top) = 0;
    virtual bool endPage() = 0;
    virtual bool finish() = 0;
    virtual QString error() const { return {}; }
};

struct Result {
    bool ok = false;
    bool cancelled = false;
    QString error;
    int pages = 0;
    int rows = 0;
    QString path; // the file written
};

// Called as rows are laid out; returning false cancels the report.
using Progress = std::function<bool(int rowsDone, int rowsExpected)>;

// Lays the form out over every row of `source` (from its first) into `sink`.
Result render(const Form& form, Source& source, const Context& context, Sink& sink,
              const Progress& progress = {});

// On a printer or PDF writer (the device gets the form's page layout unless told not to:
// a printer whose layout the user chose keeps it).
Result renderToDevice(const Form& form, Source& source, const Context& context,
                      QPagedPaintDevice* device, const Progress& progress = {},
                      bool setLayout = true);
// Plain text, UTF-8, one text line per grid line, pages separated by a form feed.
Result renderToText(const Form& form, Source& source, const Context& context, QIODevice& out,
                    const Progress& progress = {});

enum class FileFormat { Pdf, Text, Xlsx, Odt };
QString fileSuffix(FileFormat format); // ".pdf", ...
// Renders into the file `path` (replacing an earlier one only when the whole file is done).
Result renderToFile(const Form& form, Source& source, const Context& context, FileFormat format,
                    const QString& path, const Progress& progress = {});

} // namespace falq::reports
