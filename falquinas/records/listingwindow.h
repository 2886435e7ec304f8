#pragma once
// What the printing windows (clichés, drawings) share: the valid records chosen by the
// search's criteria pages (the pickers' criteria: defaults at each showing, checks, a search
// after each change), listed with the current one's photo ("Foto") and documents; "&Imprimir"
// prints them as a list ("Listagem Simples ?") or one sheet each ("Ficha Completa ?"), with
// their photos when "Impr.Fotografia?" is ticked, in the maximised preview; the spreadsheet
// export writes the kind's own columns.
//
// "&Imprimir" checks every range again first (a refused range shows its message and prints
// nothing), prints
// nothing for an empty selection, and searches again afterwards. It is shown only with the
// print right of the kind's "Impressao" program.
#include "grids.h"
#include "imagefiles.h"
#include "recordrules.h"
#include "recordsearch.h"
#include "reportform.h"
#include "rights.h"

#include <QDialog>
#include <QVariant>
#include <memory>

class QBoxLayout;
class QLabel;
class QCheckBox;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;

namespace falq {

class CriteriaPage;
class Dataset;
class DocumentsPage;
class GridExporter;
class ImageControl;
class Session;

struct ListingKind : RecordKind {
    QList<SearchColumn> detail; // the small grid's fields of the current row (none: no grid)
    QStringList exportColumns;  // the spreadsheet's columns, in order
};

struct ListingParts {
    CriteriaPage* page = nullptr;     // the search's criteria
    QBoxLayout* criteria = nullptr;   // where they go
    QTableView* grid = nullptr;       // DBGrid1
    QTableView* exportGrid = nullptr; // DBGrid3 (hidden)
    QRadioButton* simple = nullptr;   // RadSimples
    QRadioButton* complete = nullptr; // RadCompleta
    QCheckBox* photos = nullptr;      // ChkImpFoto
    QPushButton* print = nullptr;     // BitPrint
    QPushButton* excel = nullptr;     // BotExcel
    QPushButton* close = nullptr;     // BitTerminar
    QTabWidget* book = nullptr;       // NB1
    QBoxLayout* preview = nullptr;
    QBoxLayout* documents = nullptr;
    QTableView* detail = nullptr; // DBGrid2, the small grid (kinds with `detail`)
};

class ListingWindow : public QDialog {
    Q_OBJECT
public:
    ~ListingWindow() override;

    Dataset* list() const { return m_list; }
    ImageControl* preview() const { return m_preview; }
    GridExporter& exporter() { return *m_exporter; }
    const AccessRights& rights() const { return m_rights; }

    // "&Imprimir": false when nothing was previewed (a refused range, an empty selection).
    bool BitPrintClick();
    // Searches again with the current criteria.
    bool OpenList();

    void reject() override; // Escape closes as "&Terminar" does

protected:
    ListingWindow(Session& session, ListingKind kind, QWidget* parent);
    void setUpParts(const ListingParts& parts);

    // The kind's criteria and reports.
    virtual SearchStatement selection() const = 0; // the search's builder, on the criteria
    virtual reports::Form reportForm(bool sheet, bool photos) const = 0;
    virtual void showViewer(const QString& imagePath) = 0; // the row's viewer
    virtual void FormActivate() {}                         // the kind's own opening steps

    QString imagePath() const; // the current record's photo
    const ImageParameters& images() const { return m_images; }

    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

    Session& m_session;
    ListingKind m_kind;
    ListingParts m_parts;

private:
    void openSteps();
    void ReadAcessosUtil();
    void recordDisplay();
    void previewClicked();
    void BotExcelClick();

    Dataset* m_list;
    Dataset* m_parger;
    ImageControl* m_preview = nullptr;
    DocumentsPage* m_documents = nullptr;
    std::unique_ptr<GridExporter> m_exporter;
    ImageParameters m_images;
    AccessRights m_rights;
    QLabel* m_status = nullptr;
    bool m_opened = false;
};

} // namespace falq
