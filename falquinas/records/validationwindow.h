#pragma once
// What the validation windows (clichés, drawings) share: a list of records of one validity
// ("Só os Validados", "Só os não Validados", "Ambos") on a live dataset of the window's own,
// with a "Valida?" check box that one click toggles between "S" and "N". The toggles stay
// cached until "&Gravar" (then the list is read again, so a record that no longer matches the
// filter leaves it) or the window closes; a drawing's toggles are also written when the grid
// loses the focus. Only UTILIZA is written, by number, and only when it still holds the value
// read (another workstation's change of any other column is never undone).
//
// A failed write shows the server's message and keeps the toggles and the list as they are.
// Title clicks and F1 ... F6 sort the list; F1 ... F6 then search every record of any
// validity ("Localizar" over the shared dataset) and go to the chosen one when the list holds
// it. The opening runs once per showing: a dialog or viewer closing over the window changes
// nothing.
#include "grids.h"
#include "recordrules.h"
#include "rights.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QPushButton;
class QTabWidget;
class QTableView;
class QBoxLayout;

namespace falq {

class Dataset;
class DocumentsPage;
class ImageControl;
class Navigator;
class Session;
class TitleSortHeader;

// The filter box's choices, in its order.
enum class Validity { Valid, NotValid, Both };

// The list's statement: every column of `table`, the filter's condition on UTILIZA and the
// sort line of the field (the first of `fields` for any other field).
QString validationStatement(const QString& table, const QStringList& fields,
                            const QString& sortField, Validity filter);

struct ValidationKind : RecordKind {
    QString program;    // the rights row's program
    QList<int> widths;  // the grid's columns' widths in characters (the check box's last)
    QString viewerName; // the photo viewer's object name
    QString photoHint = QStringLiteral("Click 2 Vezes para Visualizar"); // the side photo's
    // Drawings: the toggles are written when the grid loses the focus and before the list
    // is read again for another filter or sort. Clichés: a new filter or sort drops them.
    bool writeOnLeavingGrid = false;
};

// The widgets of a validation window's form.
struct ValidationParts {
    QTableView* grid = nullptr;    // DBGrid1
    QComboBox* filter = nullptr;   // Edit_Valida
    QPushButton* save = nullptr;   // BotGravar
    QPushButton* close = nullptr;  // BitTerminar
    QTabWidget* book = nullptr;    // NB1: "Foto" and the documents page
    QBoxLayout* preview = nullptr; // where the photo goes
    QBoxLayout* documents = nullptr;
    QBoxLayout* navigator = nullptr;
};

class ValidationWindow : public QDialog {
    Q_OBJECT
public:
    ~ValidationWindow() override;

    Dataset* list() const { return m_list; }
    QString sortField() const { return m_sortField; }
    Validity filter() const;
    ImageControl* preview() const { return m_preview; }
    DocumentsPage* documents() const { return m_documents; }

    void reject() override; // Escape closes through the same steps as "&Terminar"

protected:
    ValidationWindow(Session& session, ValidationKind kind, QWidget* parent);
    void setUpParts(const ValidationParts& parts);

    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormActivate();
    void FormClose();
    void ReadAcessosUtil();
    bool OpenList();
    // Writes the toggles (none pending: true). A failure shows the server's message.
    bool applyToggles();
    void BotGravarClick();
    void Edit_ValidaChange(int index);
    void DBGrid1TitleButtonClick(const QString& field);
    void gridSearch(const QString& field);
    // Sorts by `field` (the toggles first written or dropped, as the kind says); false when
    // the toggles could not be written and nothing changed.
    bool sortBy(const QString& field);
    void toggle(int row);
    void recordDisplay();
    void previewClicked();
    void focusChanged(QWidget* old, QWidget* now);
    QString currentNumber() const;

    Session& m_session;
    ValidationKind m_kind;
    ValidationParts m_parts;
    Dataset* m_list;
    Dataset* m_shared; // every record, for "Localizar"
    Dataset* m_parger;
    TitleSortHeader* m_header = nullptr;
    Navigator* m_navigator = nullptr;
    ImageControl* m_preview = nullptr;
    DocumentsPage* m_documents = nullptr;
    QString m_folder;
    QString m_imageType;
    QString m_sortField;
    AccessRights m_rights;
    bool m_opened = false;
    int m_shownFilter = 1;
    int m_quiet = 0;
};

} // namespace falq
