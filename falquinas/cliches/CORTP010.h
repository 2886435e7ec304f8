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
#include "recordeditor.h"

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

class TCORTF010 : public RecordEditor {
    Q_OBJECT
public:
    enum class CodeTableKind { Models, Machines, Colours };

    explicit TCORTF010(Session& session, QWidget* parent = nullptr);
    ~TCORTF010() override;

protected:
    // The consultation "Consulta de Clichés" (TCORTF011): the valid clichés on a list of its
    // own, read-only.
    TCORTF010(Session& session, bool consultation, QWidget* parent);

public:
    // "Exportar para Excel" of the hidden grid DBGrid3 ("Tabela de Clichés").
    GridExporter& exporter() { return *m_exporter; }

private:
    // A box bound to a field of CLICHES.
    struct Box {
        QLineEdit* edit;
        QString field;
        enum Kind { Text, Number, Code, Date, ReadOnly } kind;
    };

    // Opening and closing.
    void FormActivate() override;
    void FormClose() override;
    void ReadAcessosUtil() override;
    void DisableAcessosBotoes() override;
    void OpenCliches();
    bool runQueryNull();
    void openLookupSets();
    void closeLookupSets();
    void buildSearches();

    // The record and the grid.
    void Edit_ClicheNro1Change(); // the record display
    void recordDisplay() override { Edit_ClicheNro1Change(); }
    void showBoundFields() override;
    void CleanLabels() override;
    QString listStatement(const QString& sortField) const override;
    QString typedNumber(const QString& text) const override;
    const QList<SearchColumn>& gridColumns() const override;
    QString boxHint(const QWidget* box) const override;
    QList<QLineEdit*> recordBoxes() const override;
    void afterLeave(QLineEdit* box, QWidget* now) override;
    void afterSave() override;

    // Field checks.
    const Box* boxOf(const QWidget* widget) const;
    bool isRecordBox(const QWidget* widget) const override;
    Verdict checkBox(QLineEdit* box, QString* message) override;
    Verdict Edit_ClicheNroExit(QString* message);
    Verdict checkCode(const Box& box, QString* message);
    void writeField(const QString& field, const QVariant& value);

    // Buttons.
    void BotInserirClick();
    void BotAbrirArtigoClick();
    void BotExcelClick();
    void codeTableClick(CodeTableKind kind);

    std::unique_ptr<Ui::TCORTF010> ui;
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
    std::unique_ptr<ImageParameters> m_params;
    QLabel* m_status1 = nullptr;

    std::unique_ptr<GridExporter> m_exporter;
};

} // namespace falq
