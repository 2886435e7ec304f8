#pragma once
// Cliché record editor ("Abertura e Alteração de Clichés"): creates, changes and deletes
// clichés on the shared CLICHES dataset, with their image and attached documents in the
// cliché image folder and, on request, their commercial article in the invoicing database.
//
// The grid is the save point: leaving it for a field opens the current cliché for editing
// (the die number box takes the focus); coming back to it runs the pending field checks,
// writes the changes, normalises missing die and set-up numbers and re-opens the list on the
// same cliché. A refused box keeps the row in edit and writes nothing, whether the grid was
// reached with the keyboard or the mouse; closing saves the same way, and only "&Cancelar"
// discards what was typed.
#include "codenames.h"
#include "rights.h"

#include <QDialog>
#include <QPointer>
#include <QSet>
#include <functional>
#include <memory>

class QLineEdit;
class QLabel;
class QTableView;

namespace Ui {
class TCORTF010;
}

namespace falq {

class Dataset;
class DocumentsPage;
class GridExporter;
class LookupMenu;
class Navigator;
class Scanner;
class RecordPhotos;
class Session;
class TitleSortHeader;
struct ImageParameters;

class TCORTF010 : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Browse, Edit, Insert };
    enum class CodeTableKind { Models, Machines, Colours };

    explicit TCORTF010(Session& session, QWidget* parent = nullptr);
    ~TCORTF010() override;

    // "Exportar para Excel" of the hidden grid DBGrid3 ("Tabela de Clichés").
    GridExporter& exporter() { return *m_exporter; }
    // Asks for the picture of "Localizar" (default: the desktop's file dialog); empty:
    // cancelled.
    void setFileChooser(
        std::function<QString(QWidget*, const QString& caption, const QString& filter)> chooser);
    // The scanner of "Scanner" and "Sel.Scan" (default: SANE).
    void setScanner(std::unique_ptr<Scanner> scanner);

    Mode mode() const { return m_mode; }
    QString statusText() const;
    QString sortField() const { return m_sortField; }
    DocumentsPage* documentsPage() const;

    void reject() override; // Escape closes through the save point

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A box bound to a field of CLICHES.
    struct Box {
        QLineEdit* edit;
        QString field;
        enum Kind { Text, Number, Code, Date, ReadOnly } kind;
    };
    enum class Verdict { Accepted, Refused, Duplicate };

    // Opening and closing.
    void FormActivate();
    void FormClose();
    void ReadAcessosUtil();
    void DisableAcessosBotoes();
    void OpenCliches();
    bool runQueryNull();
    void openLookupSets();
    void closeLookupSets();
    void buildSearches();

    // The record and the grid.
    void Edit_ClicheNro1Change(); // the record display
    void showBoundFields();
    void CleanLabels();
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

    // Field checks.
    const Box* boxOf(const QWidget* widget) const;
    bool isRecordBox(const QWidget* widget) const;
    Verdict checkBox(QLineEdit* box, QString* message);
    Verdict Edit_ClicheNroExit(QString* message);
    Verdict checkCode(const Box& box, QString* message);
    void leaveBox(QLineEdit* box, QWidget* now);
    void refuse(QLineEdit* box, const QString& message);
    bool runPendingChecks(QWidget* left);
    void dropInsert();
    void writeField(const QString& field, const QVariant& value);

    // Buttons.
    void BotInserirClick();
    void BotCancelarClick();
    void BotDeleteClick();
    void BotAbrirArtigoClick();
    void BotExcelClick();
    void codeTableClick(CodeTableKind kind);

    std::unique_ptr<Ui::TCORTF010> ui;
    Session& m_session;
    Dataset* m_cliches;
    Dataset* m_parger;
    Dataset* m_models;
    Dataset* m_machines;
    Dataset* m_colours;
    QMap<QString, Dataset*> m_lookupSets; // CLIENTES, CLIENTESALFA, ..., CORESNUM
    QList<Box> m_boxes;
    QList<LookupMenu*> m_lookups;
    CodeNames m_clientName;
    CodeNames m_supplierName;
    CodeNames m_modelName;
    CodeNames m_machineName;
    CodeNames m_colourNames[6];
    TitleSortHeader* m_header = nullptr;
    Navigator* m_navigator = nullptr;
    RecordPhotos* m_photos = nullptr; // photo, scanner and documents
    std::unique_ptr<ImageParameters> m_params;
    QLabel* m_status0 = nullptr;
    QLabel* m_status1 = nullptr;

    Mode m_mode = Mode::Browse;
    bool m_insertFlag = false;
    bool m_cancelFlag = false;
    bool m_eventsOn = false;
    bool m_opened = false;
    bool m_gridEnterQueued = false;
    int m_quiet = 0; // record display held back while the list is re-opened
    QString m_remembered;
    QString m_sortField;
    AccessRights m_rights;
    QSet<QLineEdit*> m_dirty;
    QPointer<QWidget> m_lastLeft;
    QPointer<QLineEdit> m_refused; // the box whose refusal is putting the focus back

    std::unique_ptr<GridExporter> m_exporter;
};

} // namespace falq
