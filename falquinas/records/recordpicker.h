#pragma once
// What the cliché and drawing pickers share: the criteria page over a result grid of the
// window's own read-only query, a second grid with more of the current row, the photo of the
// current row beside them (a click opens the photo viewer) and the pick, the number of the
// row current when the window closes, however it closes ("&Terminar", Esc, the close box, or a
// double click on the grid in the registers' copies); empty when no row is listed.
//
// The opening runs once per showing: the criteria start from their defaults and the search
// runs; a viewer or a box closing over the window keeps the criteria and the result. After a
// viewer or a look-up the result grid takes the focus again (a box so left runs its search);
// a message closing over a refused box leaves the focus in that box. Enter moves on as Tab
// does. The picker never touches the shared datasets of its caller.
#include "grids.h"
#include "recordrules.h"
#include "recordsearch.h"
#include "rights.h"

#include <QDialog>
#include <memory>

class QLabel;
class QTableView;

namespace Ui {
class RecordPicker;
}

namespace falq {

class CriteriaPage;
class Dataset;
class ImageControl;
class Session;
struct FieldPresentation;
struct ImageParameters;

// Who opens a picker: the main window, or the usage or the purchases and repairs register.
enum class PickerCaller { MainWindow, UsageRegister, PurchasesRegister };

// The status text of the main window's pickers and the purchases register's.
inline const QString kPickerBranding = QStringLiteral("Velmora - Software de Gestão");
inline const QString kPickerSelectHint = QStringLiteral("Click 2 Vezes para Seleccionar");
inline const QString kPickerPhotoHint = QStringLiteral("Click 2 Vezes para Visualizar");

class RecordPicker : public QDialog {
    Q_OBJECT
public:
    ~RecordPicker() override;

    // The number of the current row (cut to the number's size); empty with no rows.
    QString pick() const { return m_pick; }
    PickerCaller caller() const { return m_caller; }
    Dataset* results() const { return m_records; }
    QString statusText() const;

    void reject() override; // Esc closes like the close box

    // What a kind of record gives the picker.
    struct Kind : RecordKind {
        QString caption;
        QString windowNames[3];     // per caller, in the order of PickerCaller
        QList<int> widths;          // of the result grid's columns, in characters
        QList<SearchColumn> detail; // the second grid's fields of the current row
        bool navigator = false;     // first, prior, next, last under the grids
    };

protected:
    RecordPicker(Session& session, PickerCaller caller, Kind kind, CriteriaPage* page,
                 QWidget* parent);
    // The statement of the criteria shown.
    virtual SearchStatement statement() const = 0;
    // The photo of a number.

    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

    void FormActivate();
    // The result grid takes the focus once the window is active again.
    void focusResultsAgain();
    void FormClose();
    void runSearch();
    void rowChanged();
    void previewClicked();

    Session& m_session;
    PickerCaller m_caller;
    Kind m_kind;
    std::unique_ptr<Ui::RecordPicker> ui;
    CriteriaPage* m_page;
    Dataset* m_records;
    ImageControl* m_preview;
    QLabel* m_status0;
    std::unique_ptr<ImageParameters> m_params;
    AccessRights m_rights;
    QString m_pick;
    bool m_opened = false;
    bool m_resultsOnActivation = false;
};

} // namespace falq
