#pragma once
// Drawing record editor ("Abertura e Alteração de Desenhos"): creates, changes and deletes
// the technical sheets of cutting dies on the shared DESENHOS dataset, with their photo and
// attached documents in the drawings image folder and, on request, their commercial article
// in the invoicing database.
// The grid is the save point, as in every card. The first number accepted proposes the date
// and the quantity; the channel direction and the view are one letter each, shown in words.
#include "cardeditor.h"

#include <memory>

namespace Ui {
class TCORTF020;
}

namespace falq {

class TCORTF020 : public CardEditor {
    Q_OBJECT
public:
    explicit TCORTF020(Session& session, QWidget* parent = nullptr);
    ~TCORTF020() override;

protected:
    // The consultation "Consulta de Desenhos" (TCORTF021): the drawings in use on a list of its
    // own, read-only.
    TCORTF020(Session& session, bool consultation, QWidget* parent);

private:
    Verdict checkOwnBox(const Box& box, QString* message) override;
    QString ownHint(const QWidget* box) const override;
    void showOwnLabels(bool blank) override;
    void numberTaken(bool first) override;

    std::unique_ptr<Ui::TCORTF020> ui;
    Dataset* m_boards;
    Dataset* m_designers;
    CodeNames m_salesmanName;
    CodeNames m_boardName;
    CodeNames m_designerName;
};

} // namespace falq
