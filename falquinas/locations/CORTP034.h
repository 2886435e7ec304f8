#pragma once
// Where clichés and cutting dies are (TCORTF034, "Localização de Clichés e Cortantes"): tools
// read from their labels (a hand scanner types the label and Enter) gather in a list; reading a
// place, a machine or a supplier moves them all there in one transaction, as do the buttons for
// keyboard users. Searches: a tool's history, the tools in a place, the tools away from the
// store for too long; printed and exported like every grid. Rights of the "Localizacao"
// program: moves need the alter right, scrapping the delete right.
#include "locationqueries.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

class QStandardItemModel;

namespace Ui {
class TCORTF034;
}

namespace falq {

class GridExporter;
class Session;

class TCORTF034 : public QDialog {
    Q_OBJECT
public:
    explicit TCORTF034(Session& session, QWidget* parent = nullptr);
    ~TCORTF034() override;

    // What a button asks for: a place, a machine or a supplier code (default: a list to choose
    // from); nothing when cancelled.
    enum class Ask { Place, Machine, Supplier };
    using Chooser = std::function<std::optional<QString>(Ask what, QWidget* parent)>;
    void setChooser(Chooser chooser) { m_choose = std::move(chooser); }
    // Shows a printed list (default: the print preview, modal).
    using PreviewRunner = std::function<void(QDialog& preview)>;
    void setPreviewRunner(PreviewRunner run) { m_runPreview = std::move(run); }

    const QList<locations::ToolLine>& gathered() const { return m_lines; }
    QStandardItemModel* list() const { return m_list; }
    QStandardItemModel* found() const { return m_found; }
    GridExporter& exporter() { return *m_exporter; }

    // Takes one reading as the scanner types it (the text of Edit_Leitura and Enter).
    void read(const QString& typed);

    void BotGuardarClick();
    void BotMaquinaClick();
    void BotFornecedorClick();
    void BotAbaterClick();
    void BotLimparClick();
    void BotOndeEstaClick();
    void BotConteudoClick();
    void BotForaArmazemClick();
    void BitPrintClick();
    void BotExcelClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void readRights();
    void gather(const locations::Tool& tool);
    bool move(const locations::Destination& to, const QString& done);
    bool moveTo(locations::Reading::Type type, const QString& code);
    void refreshList();
    void say(const QString& text);
    void refuse(const QString& message);
    std::optional<QString> ask(Ask what);
    // A destination chosen from the list, then the gathered tools moved there.
    void askAndMove(Ask what, locations::Reading::Type type);
    std::optional<QString> chooseFromList(Ask what);
    // Fills DBGridHist with the rows of a search.
    enum class Search { History, Contents, Away };
    bool showSearch(Search search, const Statement& statement, const QString& title);
    // What a place holds; an unknown place is refused.
    void showContents(const QString& place);
    QString destinationText(const QString& state, const QVariant& place, const QVariant& machine,
                            const QVariant& supplier);

    std::unique_ptr<Ui::TCORTF034> ui;
    Session& m_session;
    QList<locations::ToolLine> m_lines;
    QStandardItemModel* m_list;
    QStandardItemModel* m_found;
    QString m_foundTitle;
    std::unique_ptr<GridExporter> m_exporter;
    Chooser m_choose;
    PreviewRunner m_runPreview;
    QHash<QString, QString> m_names; // "M2", "F9005": names already looked up
    int m_warningPercent = 90;
    bool m_canMove = false;
    bool m_canScrap = false;
    bool m_opened = false;
};

} // namespace falq
