#pragma once
// Cliché record editor ("Abertura e Alteração de Clichés"): creates, changes and deletes
// clichés on the shared CLICHES dataset, with their image and attached documents in the
// cliché image folder and, on request, their commercial article in the invoicing database.
// The grid is the save point, as in every card; each save normalises the missing die and
// set-up numbers of every cliché. Leaving the third colour goes on to the colours 4 to 6.
#include "cardeditor.h"

#include <memory>

namespace Ui {
class TCORTF010;
}

namespace falq {

class TCORTF010 : public CardEditor {
    Q_OBJECT
public:
    explicit TCORTF010(Session& session, QWidget* parent = nullptr);
    ~TCORTF010() override;

protected:
    // The consultation "Consulta de Clichés" (TCORTF011): the valid clichés on a list of its
    // own, read-only.
    TCORTF010(Session& session, bool consultation, QWidget* parent);

private:
    void afterLeave(QLineEdit* box, QWidget* now) override;
    void afterSave() override;
    void beforeListOpens() override;
    void numberTaken(bool first) override;
    bool runQueryNull();

    std::unique_ptr<Ui::TCORTF010> ui;
    Dataset* m_models;
    Dataset* m_colours;
    CodeNames m_modelName;
    CodeNames m_colourNames[6];
};

} // namespace falq
