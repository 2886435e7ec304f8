#pragma once
// Cliché listing and printing ("Listagem de Clichés"): the valid clichés chosen by the
// search criteria, printed as "Listagem de Clichés" (TCORTFPR012A) or one "Ficha de
// Especificações Gráficas" (TCORTFPR012B) per cliché, and exported as "Tabela de Clichés".
#include "clichesearch.h"
#include "listingwindow.h"

#include <QHash>

namespace Ui {
class TCORTF012;
}

namespace falq {

class TCORTF012 : public ListingWindow {
    Q_OBJECT
public:
    explicit TCORTF012(Session& session, QWidget* parent = nullptr);
    ~TCORTF012() override;

    // The search's criteria; a new set searches again.
    const cliches::SearchCriteria& criteria() const { return m_criteria; }
    void setCriteria(const cliches::SearchCriteria& criteria);

private:
    QString refusedRange() const override;
    SearchStatement selection() const override;
    reports::Form reportForm(bool sheet, bool photos) const override;
    void showViewer(const QString& imagePath) override;
    void FormActivate() override;

    std::unique_ptr<Ui::TCORTF012> ui;
    cliches::SearchCriteria m_criteria;
    QHash<qint64, QString> m_colours;
};

} // namespace falq
