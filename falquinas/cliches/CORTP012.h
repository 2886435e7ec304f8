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

class ClicheCriteriaPage;

class TCORTF012 : public ListingWindow {
    Q_OBJECT
public:
    explicit TCORTF012(Session& session, QWidget* parent = nullptr);
    ~TCORTF012() override;

    // The criteria shown.
    cliches::SearchCriteria criteria() const;

private:
    SearchStatement selection() const override;
    reports::Form reportForm(bool sheet, bool photos) const override;
    void showViewer(const QString& imagePath) override;
    void FormActivate() override;

    std::unique_ptr<Ui::TCORTF012> ui;
    ClicheCriteriaPage* m_page;
    QHash<qint64, QString> m_colours;
};

} // namespace falq
