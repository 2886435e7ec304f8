#pragma once
// What the two purchases and repairs listing windows share (TCORTF031C, opened by the
// register, and TCORTF032, "Mapa de Custos"): the requisition dates, the supplier pattern (and
// the client pattern where the form has one), the kind of cost and of item, the list of rows
// rebuilt on every option click, on leaving a filter box and on every activation (a failed read
// told once per change of criteria), the current row's picture and documents, its viewer, and
// the previews of the printed lists.
//
// The form supplies the boxes by name: Edit_DatEnc1, Edit_DatEnc2, Edit_Fornecedor,
// Edit_Cliente (optional), RadCompras, RadReparacoes, RadAmbosTipo, RadCliches, RadDesenhos,
// RadAmbosObjecto, ChkImpFoto, DBGrid1, NBFoto with the layouts FotoLayout and AnexosLayout,
// BotPrint and BitTerminar.
#include "dataset.h"
#include "imagefiles.h"
#include "messages.h"
#include "preparedreport.h"
#include "purchaseslists.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLineEdit;
class QRadioButton;
class QTableView;

namespace falq {

class DocumentsPage;
class ImageControl;
class Session;
class ViewerWindow;

// The viewer of a drawing or cliché (its record read by number) on its image; null when the
// item is no longer there or has no image.
std::unique_ptr<ViewerWindow> itemViewer(bool drawing, const QString& number,
                                         const QString& imagePath, QWidget* parent);

class PurchasesWindow : public QDialog {
    Q_OBJECT
public:
    ~PurchasesWindow() override;

    Dataset* rows() const { return m_rows; }
    movements::PurchasesFilter filter() const { return m_filter; }
    ImageControl* picture() const { return m_ML1; }
    DocumentsPage* documents() const { return m_documents; }
    // The item (drawing or cliché) of the current row whose picture is shown; empty when none.
    QString pictureItem() const { return m_pictureItem; }

    // Shows a prepared list (default: the print preview, modal).
    void setPreviewRunner(std::function<void(movements::PreparedReport&)> run) {
        m_runPreview = std::move(run);
    }
    // Shows an item's viewer (default: modal).
    void setViewerRunner(std::function<void(QDialog&)> run) { m_runViewer = std::move(run); }

    void ML1Click(); // a click on the picture: the item's viewer

protected:
    // What a click on the picture opens.
    enum class PictureViewer {
        Record, // the item's record viewer on its picture, when the picture and the record exist
        Photo,  // "Visualização de Fotos" on the item's image path (empty when no file)
    };

    PurchasesWindow(Session& session, QWidget* parent);
    // Once the form is set up: finds its boxes, the picture and documents, the grid's columns.
    void setUpListing(const QList<FieldPresentation>& columns, PictureViewer viewer);

    // The first activation's defaults of the window's own options (dates, patterns, kinds).
    virtual void applyDefaults() = 0;
    // The first step of every rebuild: what the options show or hide.
    virtual void showOptions() {}
    // Every activation, before the rebuild (the rights).
    virtual void everyActivation() {}

    // Rebuilds the list from the boxes; false when the statement failed (its message shown
    // unless the same criteria failed last).
    bool rebuild();
    // The next failure of the list is told even on the same criteria (a print asked for).
    void tellNextFailure() { m_listFailure.forget(); }
    // Prepares a list on the current filter and shows it.
    void previewList(movements::PurchasesList list, movements::TotalsOrder order, bool photos);
    void setDates(const QDate& from, const QDate& to);
    void setPatterns(const QString& pattern);

    bool event(QEvent* e) override;
    void done(int result) override;

    template <class T> T* child(const char* name) const {
        return findChild<T*>(QLatin1String(name));
    }

    Session& m_session;
    movements::PurchasesFilter m_filter;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QLineEdit* m_supplier = nullptr;
    QLineEdit* m_client = nullptr;

private:
    void FormActivate();
    void focusChanged(QWidget* old, QWidget* now);
    void leaveBox(QLineEdit* box);
    void rowChanged();
    void clearItem();

    Dataset* m_rows = nullptr;
    ImageControl* m_ML1 = nullptr;
    DocumentsPage* m_documents = nullptr;
    ImageParameters m_images;
    QTableView* m_grid = nullptr;
    QLineEdit* m_refused = nullptr; // the box the focus is being put back into
    bool m_initialised = false;
    bool m_sized = false; // the grid's columns fitted to the first rows
    PictureViewer m_viewer = PictureViewer::Record;
    FailureNotice m_listFailure;
    // The current row's item: its number, kind and image path (the picture shown when the
    // file exists: m_pictureItem).
    QString m_itemNumber;
    bool m_itemDrawing = false;
    QString m_itemPath;
    QString m_pictureItem;
    std::function<void(movements::PreparedReport&)> m_runPreview;
    std::function<void(QDialog&)> m_runViewer;
};

// Date boxes: dd/mm/yyyy typed in a mask.
void setUpDateBox(QLineEdit* box);
QDate typedDate(const QLineEdit* box); // invalid when the text is no date (kBadDate)

} // namespace falq
