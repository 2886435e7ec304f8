#pragma once
// Purchases and repairs register ("Registo de Reparações em Clichés e Cortantes"): records each
// purchase of a new cliché or cutting die and each repair of one, with the requisition to the
// supplier, the supplier's invoice and the value, on the shared REPARACOES dataset.
//
// An entry starts with "&Inserir": a drawing (or, with the drawing box left empty, a cliché)
// is looked up by key, proposes its supplier and gives its client; the entry holds one new row
// whose number a new choice changes. The grid taking the focus is the save point: every box
// is read and checked there, a refused box writes nothing; closing saves the same way and only
// "&Cancelar" discards.
#include "codenames.h"
#include "recordeditor.h"
#include "registerrules.h"

#include <functional>
#include <memory>

namespace Ui {
class TCORTF031;
}

namespace falq {

class GridExporter;
class LookupMenu;
class Navigator;
class RegisterFiles;

class TCORTF031 : public RecordEditor {
    Q_OBJECT
public:
    explicit TCORTF031(Session& session, QWidget* parent = nullptr);
    ~TCORTF031() override;

    // The picker of "%" (default: the drawing or cliché picker) and "Imprimir" (default: the
    // purchases listing).
    void setPicker(std::function<QString(registers::ObjectKind)> picker);
    void setListingOpener(std::function<void()> opener);
    GridExporter& exporter() { return *m_exporter; }
    RegisterFiles* files() const { return m_files; }
    LookupMenu* supplierLookup() const { return m_supplierLookup; }

private:
    // The editor's rules.
    void FormActivate() override;
    void FormClose() override;
    void ReadAcessosUtil() override;
    void DisableAcessosBotoes() override;
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
    void afterLeave(QLineEdit* box, QWidget* now) override;
    void afterSave() override;

    // The drawing or cliché of the entry.
    Verdict Edit_NumberExit(registers::ObjectKind kind, QString* message);
    void chooseObject(registers::ObjectKind kind, const registers::ObjectRow& row);
    bool chosen() const { return !m_number.isEmpty(); }
    Verdict Edit_FornecedorExit(QString* message);
    void writeField(const QString& field, const QVariant& value);
    void pickInto(QLineEdit* box, registers::ObjectKind kind);
    void moveTo(QWidget* box);
    void setEntryEnabled(bool on);

    void BotInserirClick();
    void BotPrintClick();
    void BotExcelClick();

    std::unique_ptr<Ui::TCORTF031> ui;
    Dataset* m_repairs;
    Dataset* m_parger;
    Dataset* m_suppliersByCode;
    Dataset* m_suppliersByName;
    LookupMenu* m_supplierLookup = nullptr;
    CodeNames m_supplierName;
    Navigator* m_navigator = nullptr;
    RegisterFiles* m_files = nullptr;
    std::unique_ptr<GridExporter> m_exporter;
    std::function<QString(registers::ObjectKind)> m_picker;
    std::function<void()> m_listing;

    registers::ObjectKind m_kind = registers::ObjectKind::Drawing;
    QString m_number; // the chosen drawing or cliché ("" none)
};

} // namespace falq
