#pragma once
// What the editors of a record's card (clichés, drawings) share beyond the save point: the
// boxes bound to the record's fields and their checks, the codes with their names beside them
// and their searches, the code tables opened from the card, the photo and documents, the
// commercial article, the export of the hidden grid and the consultation over a read-only
// list of its own. A kind's window gives its form, its boxes and what only it checks.
#include "codenames.h"
#include "lookupmenu.h"
#include "lookups.h"
#include "recordarticle.h"
#include "recordeditor.h"
#include "recordrules.h"

#include <QMap>
#include <functional>
#include <memory>

class QStatusBar;

namespace falq {

class GridExporter;
class LookupMenu;

// What a kind of record is to its editor, beyond what every window knows of it.
struct CardKind : RecordKind {
    QList<int> widths;         // the grid's columns' widths in characters
    QStringList exportColumns; // the hidden grid's, in the order the export writes them
    std::function<QString(const QString& sortField)> listStatement;
    std::function<QString(const QString& sortField)> consultationStatement;
    QString consultationName;    // TCORTF011, TCORTF021
    QString consultationCaption; // "Consulta de Clichés"
    RecordPhotoTexts notReferenced;
    RecordArticleKind article;
    bool numbersStartAtZero = false; // a new record's number boxes hold 0 (else NULL)
};

// The widgets every card's form has, by the same names.
struct CardParts {
    QLineEdit* number = nullptr;
    QLineEdit* die = nullptr;
    QTableView* grid = nullptr;       // DBGrid1
    QTableView* exportGrid = nullptr; // DBGrid3
    QStatusBar* statusBar = nullptr;
    QTabWidget* book = nullptr; // NB
    QWidget* identification = nullptr;
    QLabel* selection = nullptr; // LabelSeleccione
    RecordPhotoPlaces photos;
    QPushButton *insert = nullptr, *cancel = nullptr, *remove = nullptr, *close = nullptr,
                *article = nullptr, *excel = nullptr, *locate = nullptr, *deleteImage = nullptr;
    QBoxLayout* navigator = nullptr;
    QList<QWidget*> editingPanels; // hidden in the consultation
};

// The parts of a form generated from a card's .ui.
template <class Form> CardParts cardParts(Form* ui, QLineEdit* number) {
    CardParts p;
    p.number = number;
    p.die = ui->Edit_CortanteNro;
    p.grid = ui->DBGrid1;
    p.exportGrid = ui->DBGrid3;
    p.statusBar = ui->StatusBar1;
    p.book = ui->NB;
    p.identification = ui->TabIdentificacao;
    p.selection = ui->LabelSeleccione;
    p.photos = {ui->NB,         ui->TabFotografia,   ui->imageLayout, ui->previewLayout,
                ui->scanLayout, ui->documentsLayout, nullptr};
    p.insert = ui->BotInserir;
    p.cancel = ui->BotCancelar;
    p.remove = ui->BotDelete;
    p.close = ui->BitTerminar;
    p.article = ui->BotAbrirArtigo;
    p.excel = ui->BotExcel;
    p.locate = ui->BotLocalizar;
    p.deleteImage = ui->BotDeleteImage;
    p.navigator = ui->navigatorLayout;
    p.editingPanels = {ui->PainelBotoes, ui->PanelComercial};
    return p;
}

class CardEditor : public RecordEditor {
    Q_OBJECT
public:
    ~CardEditor() override;

    // "Exportar para Excel" of the hidden grid DBGrid3.
    GridExporter& exporter() { return *m_exporter; }

protected:
    // A box bound to a field of the record.
    struct Box {
        QLineEdit* edit;
        QString field;
        enum Kind { Text, Number, Quantity, Code, Letter, Date, ReadOnly } kind;
    };
    // A code box's rule: the names shown beside it and what a code found writes with it.
    struct CodeField {
        QString field;
        CodeNames* names;
        QString missing;           // the refusal of a code not found (empty: kept, its names blank)
        QString shortField;        // written with the code's SIGLA (blanked when not found)
        QString nameField;         // written with the code's NOME, cut to the column
        bool zeroClears = false;   // code 0 clears the code, its short name and these
        QStringList clearedByZero; // fields with their boxes
    };
    // A code table opened from the card: its button, its rights program, the table's member
    // and the sets read again after its window.
    struct CodeTableButton {
        QPushButton* button;
        QString program;
        int member;
        Dataset* shared;
        QString alphabetic;
    };
    // A lookup set of the window's own (opened with the window unless `onDemand`).
    struct LookupSet {
        const char* name;
        LookupDef def;
        bool byName;
        bool onDemand = false;
    };

    CardEditor(Session& session, CardKind kind, bool consultation, QWidget* parent);

    // After the form is set up: its boxes, its parts, the code tables opened from it and the
    // shared code sets the card reads. The client, supplier and machine boxes, names and
    // searches are every card's.
    void setUpCard(const CardParts& parts, QList<Box> boxes, QList<CodeTableButton> tables,
                   QList<Dataset*> codeSets);
    // The client (CLINRO/CLIENTE), supplier and machine boxes every card has, with the labels
    // of their names and the column of the supplier's short name.
    struct CommonCodes {
        QLineEdit* client;
        QString clientField;
        QLabel* clientName;
        QLineEdit* supplier;
        QLabel* supplierName;
        QString supplierShort;
        QStringList clearedWithSupplier;
        QLineEdit* machine;
        QLabel* machineName;
    };
    void setUpCommonCodes(const CommonCodes& codes);
    void addCodeField(CodeField field) { m_codeFields << std::move(field); }
    void addLookupSets(const QList<LookupSet>& sets);
    // The two searches of a code box (F2, the context menu); the code taken is checked at once.
    LookupMenu* addSearch(QLineEdit* box, const LookupSearch& numeric,
                          const LookupSearch& alphabetic);
    // A lookup set of the window's own, or a shared one, as a search opens it.
    std::function<Dataset*()> ownSet(const QString& name) const;
    static std::function<Dataset*()> sharedSet(Dataset* set);

    void writeField(const QString& field, const QVariant& value);
    const Box* boxOf(const QWidget* widget) const;

    // Label_Localizacao: where the record's tool is now.
    void showLocation();

    // The kind's own rules.
    virtual Verdict checkOwnBox(const Box&, QString*) { return Verdict::Accepted; }
    virtual QString ownHint(const QWidget*) const { return {}; }
    virtual void showOwnLabels(bool /*blank*/) {}
    // A new number accepted (`first`: the row had none yet), written before its box shows it.
    virtual void numberTaken(bool /*first*/) {}
    virtual void beforeListOpens() {}

    Dataset* m_parger;
    QMap<QString, Dataset*> m_lookupSets;
    QList<LookupMenu*> m_lookups;
    CodeNames m_clientName;
    CodeNames m_supplierName;
    CodeNames m_machineName;
    Dataset* m_machines;
    QLabel* m_status1 = nullptr;
    QLabel* m_location = nullptr; // Label_Localizacao

private:
    void FormActivate() override;
    void FormClose() override;
    void ReadAcessosUtil() override;
    void DisableAcessosBotoes() override;
    void openList();
    void showBoundFields() override;
    void recordDisplay() override;
    void CleanLabels() override;
    QString listStatement(const QString& sortField) const override;
    QString typedNumber(const QString& text) const override;
    const QList<SearchColumn>& gridColumns() const override;
    QString boxHint(const QWidget* box) const override;
    QList<QLineEdit*> recordBoxes() const override;
    bool isRecordBox(const QWidget* widget) const override;
    Verdict checkBox(QLineEdit* box, QString* message) override;
    Verdict checkNumber(QString* message);
    Verdict checkCode(const Box& box, QString* message);
    void BotInserirClick();
    void BotAbrirArtigoClick();
    void codeTableClick(const CodeTableButton& table);

    const CardKind m_kind;
    CardParts m_parts;
    QList<Box> m_boxes;
    QList<CodeField> m_codeFields;
    QList<CodeTableButton> m_tables;
    QList<Dataset*> m_codeSets;
    QStringList m_onDemand;
    std::unique_ptr<GridExporter> m_exporter;
};

} // namespace falq
