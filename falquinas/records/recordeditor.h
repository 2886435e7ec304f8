#pragma once
// What the record editors (clichés, drawings) share: the grid as the save point. Leaving the
// grid for a box opens the current record for editing (the die number box takes the focus);
// coming back to it runs the pending box checks, writes the changes and re-opens the list on
// the same record. A refused box keeps the row in edit and writes nothing, whether the grid
// was reached with the keyboard or the mouse; closing saves the same way or stays open, and
// only "&Cancelar" discards what was typed. Title clicks and F1 ... F6 sort and search the
// list; "&Eliminar" deletes the row only.
//
// A window gives its widgets (setEditorParts) and its rules: the check of each box, the
// record display, the list's statement and the number typed on insert.
#include "grids.h"
#include "recordphotos.h"
#include "rights.h"

#include <QDialog>
#include <QPointer>
#include <QSet>
#include <functional>
#include <memory>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace falq {

class Dataset;
class DocumentsPage;
class Navigator;
class Scanner;
class Session;
class TitleSortHeader;

class RecordEditor : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Browse, Edit, Insert };

    ~RecordEditor() override;

    Mode mode() const { return m_mode; }
    QString statusText() const;
    QString sortField() const { return m_sortField; }

    void reject() override; // Escape closes through the save point

    // Asks for the picture of "Localizar" (default: the desktop's file dialog); empty:
    // cancelled.
    void setFileChooser(
        std::function<QString(QWidget*, const QString& caption, const QString& filter)> chooser);
    // The scanner of "Scanner" and "Sel.Scan" (default: SANE).
    void setScanner(std::unique_ptr<Scanner> scanner);
    DocumentsPage* documentsPage() const;

protected:
    enum class Verdict { Accepted, Refused, Duplicate };

    RecordEditor(Session& session, Dataset* records, const QString& numberField, QWidget* parent);
    // The browse grid DBGrid1 on the records: its titled columns sorted by a click on a title
    // and searched with F1 ... F6 (`sortFields` in the order of the columns). With `columns`
    // the grid shows only those fields under their titles (no title sort then).
    void setUpGrid(QTableView* grid, const QStringList& sortFields,
                   const QList<SearchColumn>& columns = {});
    // The number and die number boxes, "&Cancelar" and "&Eliminar", the controls enabled only
    // while browsing and the status panel of the notices.
    void setEditorParts(QLineEdit* numberBox, QLineEdit* dieBox, QPushButton* cancelButton,
                        QPushButton* deleteButton, QList<QWidget*> browseControls, QLabel* status);
    // The record's photo, scanner and documents (named by its number) with "Localizar" and
    // "Eli. Foto"; `places.status` is the status panel of the notices.
    void setUpPhotos(const RecordPhotoPlaces& places, RecordPhotoTexts texts,
                     QPushButton* locateButton, QPushButton* deleteImageButton);
    // The navigator (first, prior, next, last) on the records, put in `where`.
    void setUpNavigator(QBoxLayout* where);
    // The consultation of the records: `editingControls` hidden, every box read-only, the
    // documents shown only, no scanner; leaving the grid opens nothing for editing.
    void setConsultation(const QList<QWidget*>& editingControls);

    // The window's rules.
    virtual Verdict checkBox(QLineEdit* box, QString* message) = 0;
    virtual bool isRecordBox(const QWidget* widget) const = 0;
    // The boxes bound to the record's fields, in the window's order.
    virtual QList<QLineEdit*> recordBoxes() const = 0;
    virtual void showBoundFields() = 0;
    virtual void recordDisplay() = 0; // the record shown again (names, photo, documents)
    virtual void CleanLabels() = 0;
    virtual void FormActivate() = 0; // once per showing
    virtual void FormClose() = 0;
    virtual void ReadAcessosUtil() = 0;
    virtual void DisableAcessosBotoes() = 0;
    virtual QString listStatement(const QString& sortField) const = 0;
    virtual QString typedNumber(const QString& text) const = 0;
    virtual const QList<SearchColumn>& gridColumns() const = 0;
    // The status text while `box` has the focus (empty: none).
    virtual QString boxHint(const QWidget* box) const = 0;
    // After a box was left and checked; after a successful save, before the list re-opens.
    virtual void afterLeave(QLineEdit*, QWidget*) {}
    virtual void afterSave() {}
    // After "&Cancelar" has dropped the row's changes; before "&Eliminar" asks.
    virtual void afterCancel() {}
    virtual void aboutToDelete() {}

    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    void focusChanged(QWidget* old, QWidget* now);
    void DbGrid1Exit();
    void scheduleGridEnter(QWidget* left);
    bool DbGrid1Enter(QWidget* left);
    bool applyAndReopen();
    void setBrowsingControls(bool browsing);
    void focusGrid();
    void reopenSorted(const QString& field);
    void DBGrid1TitleButtonClick(const QString& field);
    void gridSearch(const QString& field);
    void leaveBox(QLineEdit* box, QWidget* now);
    void refuse(QLineEdit* box, const QString& message);
    bool runPendingChecks(QWidget* left);
    void dropInsert();
    void BotCancelarClick();
    void BotDeleteClick();

    Session& m_session;
    Dataset* m_records;
    const QString m_numberField;
    QTableView* m_grid = nullptr;
    QLineEdit* m_numberBox = nullptr;
    QLineEdit* m_dieBox = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QList<QWidget*> m_browseControls;
    TitleSortHeader* m_header = nullptr;
    QLabel* m_status0 = nullptr;
    Navigator* m_navigator = nullptr;
    RecordPhotos* m_photos = nullptr; // photo, scanner and documents

    Mode m_mode = Mode::Browse;
    bool m_insertFlag = false;
    bool m_cancelFlag = false;
    bool m_eventsOn = false;
    bool m_opened = false;
    bool m_consultation = false;
    bool m_gridEnterQueued = false;
    int m_quiet = 0; // record display held back while the list is re-opened
    QString m_remembered;
    QString m_sortField;
    AccessRights m_rights;
    QSet<QLineEdit*> m_dirty;
    QPointer<QWidget> m_lastLeft;
    QPointer<QLineEdit> m_refused; // the box whose refusal is putting the focus back
};

} // namespace falq
