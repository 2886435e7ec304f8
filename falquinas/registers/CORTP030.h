#pragma once
// Usage register ("Registo de Movimentos de Clichés e Desenhos"): records each use of a
// drawing's cutting die or of a cliché on the machines (uses, rotations or strokes, order,
// date) on the shared MOVIMENTOS dataset, and sums the uses over a period. A movement that
// brings its tool to or past the warning limit of its forecast life ([VidaUtil] Aviso) shows
// a message after the save, every time; it never stops the save.
//
// Page "Registo de Dados" holds the movements and their entry (see RegisterEditor; the grid
// taking the focus saves). Pages "Utilização" and "Rotações/Batimentos" rank the drawings or
// the clichés by their summed uses or rotations in the period of "Seleccione a sua Consulta",
// largest first, with the selected row's movements below; "Relatório" and "Imprimir" hand the
// period, the patterns and the two options to the movement reports.
#include "movementreports.h"
#include "registereditor.h"

#include <functional>
#include <memory>

class QTableView;

namespace Ui {
class TCORTF030;
}

namespace falq {

class GridExporter;
class Navigator;

class TCORTF030 : public RegisterEditor {
    Q_OBJECT
public:
    explicit TCORTF030(Session& session, QWidget* parent = nullptr);
    ~TCORTF030() override;

    // The reports of "Relatório" and "Imprimir" (default: the movement reports).
    void setReportRunner(std::function<void(MovementReport, const MovementReportCriteria&)> runner);
    GridExporter& exporter() { return *m_exporter; }
    // The summary shown (page 2 or 3 and its inner page) and its rows and movements.
    Dataset* summaryRows() const;
    Dataset* summaryMovements() const;
    movements::MovementFilter period() const { return m_period; }

private:
    struct Summary {
        QTableView* grid;
        QTableView* detail;
        Dataset* rows;
        Dataset* movements;
        registers::ObjectKind kind;
        movements::Measure measure;
    };

    void FormActivate() override;
    void FormClose() override;
    void ReadAcessosUtil() override;
    void DisableAcessosBotoes() override;
    void showBoundFields() override;
    void recordDisplay() override { showRowFiles(); }
    QString listStatement(const QString& sortField) const override;
    const QList<SearchColumn>& gridColumns() const override;
    void objectChosen(registers::ObjectKind kind, const registers::ObjectRow& row) override;
    // After a movement is saved: the tool's life warning, when it has reached the limit.
    void afterSave() override;
    Verdict checkValue(QLineEdit* box, QString* message) override;
    void clearEntry() override;

    // Pages.
    void setUpPage();
    Summary* currentSummary();
    const Summary* currentSummary() const;
    void openSummary(Summary& s);
    void summaryRowChanged(Summary& s);
    // The period and patterns of the boxes, when they pass their checks (else the refused box
    // or the period says why and the last confirmed ones stay).
    bool readPeriod();
    void BotConsultaClick();
    void patternLeft(QLineEdit* box);

    void BotInserirClick();
    void BitPrintClick(); // "Relatório"
    void BotPrintClick(); // "Imprimir"
    void BotExcelClick();
    void runReport(MovementReport report);

    std::unique_ptr<Ui::TCORTF030> ui;
    Dataset* m_movements;
    Dataset* m_parger;
    QList<Summary> m_summaries; // "Utilização" drawings, clichés; "Rotações" drawings, clichés
    Navigator* m_navigator = nullptr;
    std::unique_ptr<GridExporter> m_exporter;
    std::function<void(MovementReport, const MovementReportCriteria&)> m_report;
    movements::MovementFilter m_period;
};

} // namespace falq
