#pragma once
// The print preview of every printed list: opens maximised on the report's pages and offers
// the printer (through the printer dialog) and export to PDF, plain text, spreadsheet (.xlsx)
// and OpenDocument text (.odt).
#include "reportengine.h"

#include <QDialog>
#include <QPrinter>
#include <functional>

class QLabel;
class QPrintPreviewWidget;

namespace falq {

class Messages;
class Session;

// The page footer's company and time for a report printed now in this session.
reports::Context reportContext(Session& session);

// Pages that are not a form's (sheets of labels): how they are painted on a printer or PDF
// writer, and written to a file; only PDF is offered then.
struct PreviewPages {
    QString title;
    QPageLayout layout;
    std::function<reports::Result(QPagedPaintDevice* device, const reports::Progress& progress)>
        paint;
    std::function<reports::Result(const QString& pdfPath, const reports::Progress& progress)>
        writePdf;
};

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(const reports::Form& form, reports::Source& source,
                  const reports::Context& context, Messages& messages, QWidget* parent = nullptr);
    ReportPreview(PreviewPages pages, Messages& messages, QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Asks where an export goes (default: the desktop's save dialog); empty when cancelled.
    using FileChooser = std::function<QString(QWidget* parent, const QString& caption,
                                              const QString& suggested, const QString& filter)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    // Lets the user choose the printer (default: the printer dialog); false when cancelled.
    void setPrinterChooser(std::function<bool(QPrinter*, QWidget*)> chooser) {
        m_choosePrinter = std::move(chooser);
    }

    int pageCount() const;
    // True when the user cancelled the preparation of the pages.
    bool cancelled() const { return m_cancelled; }
    QPrintPreviewWidget* view() const { return m_view; }

    // The toolbar's actions.
    void print();
    bool exportTo(reports::FileFormat format);

private:
    void build(bool formats);
    void paintPages(QPrinter* printer);
    void showPageNumber();

    PreviewPages m_pages;
    // The file written for each format (a form writes every format, other pages PDF only).
    std::function<reports::Result(reports::FileFormat, const QString&, const reports::Progress&)>
        m_writeFile;
    Messages& m_messages;
    QPrinter m_printer;
    QPrintPreviewWidget* m_view = nullptr;
    QLabel* m_pageLabel = nullptr;
    bool m_cancelled = false;
    bool m_painting = false;
    FileChooser m_chooseFile;
    std::function<bool(QPrinter*, QWidget*)> m_choosePrinter;
};

} // namespace falq
