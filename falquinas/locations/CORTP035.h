#pragma once
// Labels of clichés, dies and places (TCORTF035, "Etiquetas de Clichés, Cortantes e Locais"):
// the tools found with the pickers' criteria, or read one by one from their labels or numbers,
// and the places of a range of codes gather in a list; the list is printed on an A4 sheet of
// 3 x 8 labels (starting after the labels already used) or on a roll, with a preview, the
// printer and PDF. The format chosen is remembered. Rights of the "Etiquetas" program.
#include "labels.h"

#include <QDialog>
#include <functional>
#include <memory>

class QStandardItemModel;

namespace Ui {
class TCORTF035;
}

namespace falq {

class ClicheCriteriaPage;
class DrawingCriteriaPage;
class Session;

class TCORTF035 : public QDialog {
    Q_OBJECT
public:
    explicit TCORTF035(Session& session, QWidget* parent = nullptr);
    ~TCORTF035() override;

    const QList<locations::Label>& labels() const { return m_labels; }
    locations::LabelFormat format() const;
    int offset() const; // the positions left empty on the first sheet
    // Shows the preview of the labels (default: modal).
    void setPreviewRunner(std::function<void(QDialog& preview)> run) {
        m_runPreview = std::move(run);
    }

    void read(const QString& typed);
    void BotJuntarClick();
    void BotLimparClick();
    void BitPrintClick();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void add(const QList<locations::Label>& labels);
    void refuse(const QString& message);
    void formatChosen();

    std::unique_ptr<Ui::TCORTF035> ui;
    Session& m_session;
    ClicheCriteriaPage* m_cliches;
    DrawingCriteriaPage* m_drawings;
    QStandardItemModel* m_list;
    QList<locations::Label> m_labels;
    std::function<void(QDialog&)> m_runPreview;
    bool m_opened = false;
};

} // namespace falq
