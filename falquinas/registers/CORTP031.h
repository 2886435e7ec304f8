#pragma once
// Purchases and repairs register ("Registo de Reparações em Clichés e Cortantes"): records each
// purchase of a new cliché or cutting die and each repair of one, with the requisition to the
// supplier, the supplier's invoice and the value, on the shared REPARACOES dataset.
//
// The chosen drawing or cliché proposes its supplier and gives its client's short name; the
// supplier box stores its code with the supplier's short name. The grid taking the focus is
// the save point (see RegisterEditor); "Imprimir" opens the purchases and repairs listing.
#include "codenames.h"
#include "registereditor.h"

#include <functional>
#include <memory>

namespace Ui {
class TCORTF031;
}

namespace falq {

class GridExporter;
class LookupMenu;
class Navigator;

class TCORTF031 : public RegisterEditor {
    Q_OBJECT
public:
    explicit TCORTF031(Session& session, QWidget* parent = nullptr);
    ~TCORTF031() override;

    // "Imprimir" (default: the purchases and repairs listing).
    void setListingOpener(std::function<void()> opener);
    GridExporter& exporter() { return *m_exporter; }
    LookupMenu* supplierLookup() const { return m_supplierLookup; }

private:
    void FormActivate() override;
    void FormClose() override;
    void ReadAcessosUtil() override;
    void DisableAcessosBotoes() override;
    void showBoundFields() override;
    void recordDisplay() override { showRowFiles(); }
    QString listStatement(const QString& sortField) const override;
    const QList<SearchColumn>& gridColumns() const override;
    QString boxHint(const QWidget* box) const override;
    void objectChosen(registers::ObjectKind kind, const registers::ObjectRow& row) override;
    Verdict checkValue(QLineEdit* box, QString* message) override;
    void objectDropped() override;
    void clearEntry() override;
    Verdict Edit_FornecedorExit(QString* message);

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
    std::unique_ptr<GridExporter> m_exporter;
    std::function<void()> m_listing;
};

} // namespace falq
