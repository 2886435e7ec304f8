#pragma once
// Tool life of clichés and cutting dies (TCORTF033, "Vida Útil de Clichés e Cortantes"): how far
// each cliché or drawing's die has worn against its forecast life, when it will wear out at its
// recent pace, which tools are no longer used; the forecast life of the current tool is set
// here (with the alter right of the tool's editor), the list printed and exported. Rights of
// the usage register's program.
#include "backgroundread.h"
#include "imagefiles.h"
#include "messages.h"
#include "preparedreport.h"
#include "toollifemodel.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLineEdit;

namespace Ui {
class TCORTF033;
}

namespace falq {

class CodeNames;
class DocumentsPage;
class GridExporter;
class ImageControl;
class Session;

class TCORTF033 : public QDialog {
    Q_OBJECT
public:
    explicit TCORTF033(Session& session, QWidget* parent = nullptr);
    ~TCORTF033() override;

    movements::ToolLifeModel* rows() const { return m_model; }
    movements::ToolLifeFilter filter() const { return m_filter; }
    movements::ItemKind kind() const { return m_kind; }
    int currentRow() const;
    ImageControl* picture() const { return m_ML1; }
    DocumentsPage* documents() const { return m_documents; }
    GridExporter& exporter() { return *m_exporter; }

    // Shows a prepared list (default: the print preview, modal).
    void setPreviewRunner(std::function<void(movements::PreparedReport&)> run) {
        m_runPreview = std::move(run);
    }
    // Shows a tool's viewer (default: modal).
    void setViewerRunner(std::function<void(QDialog&)> run) { m_runViewer = std::move(run); }

    // Runs a read of every tool of a kind (a filter on the figures, or the tools left before
    // a sort, a print or an export); default: in the background with the progress box, whose
    // "Cancelar" stops it. A stopped read leaves the list, its filter and its order as shown.
    using BackgroundRunner = std::function<BackgroundRead::Outcome(
        const QString& label, const BackgroundRead::Work& work, QString* error)>;
    void setBackgroundRunner(BackgroundRunner run);
    // Tools read a page at a time when the filter allows it (default 200).
    void setPageSize(int rows) { m_pageSize = qMax(1, rows); }
    // Rebuilds the list from the boxes; false when a box is refused or the statement failed.
    bool rebuild();
    void BotGravarVidaClick();
    void BotPrintClick();
    void BotExcelClick();
    void DBGrid1DblClick();

protected:
    bool event(QEvent* e) override;
    void done(int result) override;

private:
    void FormActivate();
    void focusChanged(QWidget* old, QWidget* now);
    void rowChanged();
    void kindChanged(int page);
    // Reads the filter boxes; false (message shown, focus put back) when one is refused.
    bool readFilter();
    // Puts a filter back in the boxes (after a read of a new one was stopped).
    void showFilter(const movements::ToolLifeFilter& filter);
    // Puts the page tab back on the kind of the list shown.
    void showKind();
    // The tool's row with its figures read again; the tool as read (nothing when it is gone).
    std::optional<movements::ToolLife> refreshRow(const QString& number);
    // Whether the user may set the life of the tools listed (its editor's alter right), and
    // the life box and button enabled accordingly.
    bool mayAlterLife() const;
    void showLifeRight();
    // Every tool of `filter` through the background runner; Failed with the engine's message.
    BackgroundRead::Outcome readAll(movements::ItemKind kind,
                                    const movements::ToolLifeFilter& filter,
                                    QVector<movements::ToolLife>& rows, QString* error);
    QStringList criteria() const;

    Session& m_session;
    std::unique_ptr<Ui::TCORTF033> ui;
    movements::ToolLifeModel* m_model = nullptr;
    movements::ToolLifeFilter m_filter;
    movements::ToolLifeLimits m_limits;
    movements::ItemKind m_kind = movements::ItemKind::Cliche;
    ImageControl* m_ML1 = nullptr;
    DocumentsPage* m_documents = nullptr;
    std::unique_ptr<GridExporter> m_exporter;
    ImageParameters m_images;
    QLineEdit* m_refused = nullptr;
    bool m_initialised = false;
    bool m_sized = false;
    bool m_alterCliches = false;
    FailureNotice m_rightsNotice; // a failed read of the rights, told once
    bool m_alterDrawings = false;
    std::unique_ptr<CodeNames> m_machineName;
    bool m_reading = false;
    int m_pageSize = 200;
    QString m_picturePath;
    std::function<void(movements::PreparedReport&)> m_runPreview;
    std::function<void(QDialog&)> m_runViewer;
    BackgroundRunner m_runInBackground;
};

} // namespace falq
