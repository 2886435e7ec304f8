#pragma once
// Drawing record editor ("Abertura e Alteração de Desenhos"): creates, changes and deletes
// the technical sheets of cutting dies on the shared DESENHOS dataset, with their photo and
// attached documents in the drawings image folder and, on request, their commercial article
// in the invoicing database.
//
// The grid is the save point: leaving it for a field opens the current drawing for editing
// (the die number box takes the focus); coming back to it runs the pending field checks,
// writes the changes and re-opens the list on the same drawing. A refused box keeps the row
// in edit and writes nothing, whether the grid was reached with the keyboard or the mouse;
// closing saves the same way, and only "&Cancelar" discards what was typed.
#include "codenames.h"
#include "recordeditor.h"

#include <functional>
#include <memory>

class QLineEdit;
class QLabel;
class QTableView;

namespace Ui {
class TCORTF020;
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

class TCORTF020 : public RecordEditor {
    Q_OBJECT
public:
    enum class CodeTableKind { Machines, Boards, Designers };

    explicit TCORTF020(Session& session, QWidget* parent = nullptr);
    ~TCORTF020() override;

protected:
    // The consultation "Consulta de Desenhos" (TCORTF021): the drawings in use on a list of its
    // own, read-only.
    TCORTF020(Session& session, bool consultation, QWidget* parent);

public:
    // "Exportar para Excel" of the hidden grid DBGrid3 ("Tabela de Desenhos").
    GridExporter& exporter() { return *m_exporter; }

private:
    // A box bound to a field of DESENHOS.
    struct Box {
        QLineEdit* edit;
        QString field;
        enum Kind { Text, Number, Quantity, Code, Letter, Date, ReadOnly } kind;
    };

    // Opening and closing.
    void FormActivate() override;
    void FormClose() override;
    void ReadAcessosUtil() override;
    void DisableAcessosBotoes() override;
    void OpenDesenhos();
    void openLookupSets();
    void closeLookupSets();
    void buildSearches();

    // The record and the grid.
    void Edit_DesenhoNro1Change(); // the record display
    void recordDisplay() override { Edit_DesenhoNro1Change(); }
    void showBoundFields() override;
    void showWords();
    void CleanLabels() override;
    QString listStatement(const QString& sortField) const override;
    QString typedNumber(const QString& text) const override;
    const QList<SearchColumn>& gridColumns() const override;
    QString boxHint(const QWidget* box) const override;
    QList<QLineEdit*> recordBoxes() const override;

    // Field checks.
    const Box* boxOf(const QWidget* widget) const;
    bool isRecordBox(const QWidget* widget) const override;
    Verdict checkBox(QLineEdit* box, QString* message) override;
    Verdict Edit_DesenhoNroExit(QString* message);
    Verdict checkCode(const Box& box, QString* message);
    Verdict checkLetter(const Box& box, QString* message);
    void writeField(const QString& field, const QVariant& value);

    // Buttons.
    void BotInserirClick();
    void BotAbrirArtigoClick();
    void BotExcelClick();
    void codeTableClick(CodeTableKind kind);

    std::unique_ptr<Ui::TCORTF020> ui;
    Dataset* m_drawings;
    Dataset* m_parger;
    Dataset* m_boards;
    Dataset* m_machines;
    Dataset* m_designers;
    QMap<QString, Dataset*> m_lookupSets; // CLIENTES, CLIENTESALFA, ..., DESENHADORESALFA
    QList<Box> m_boxes;
    QList<LookupMenu*> m_lookups;
    CodeNames m_clientName;
    CodeNames m_supplierName;
    CodeNames m_salesmanName;
    CodeNames m_boardName;
    CodeNames m_machineName;
    CodeNames m_designerName;
    std::unique_ptr<ImageParameters> m_params;
    QLabel* m_status1 = nullptr;

    std::unique_ptr<GridExporter> m_exporter;
};

} // namespace falq
