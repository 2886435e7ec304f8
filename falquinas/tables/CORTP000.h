#pragma once
// General parameters: the folders of the cliché and drawing images and the image type,
// kept in the one PARGER row (CODIGO 1). Written when the window closes.
#include <QDialog>
#include <functional>
#include <memory>

class QLineEdit;

namespace Ui {
class TCORTF000;
}

namespace falq {

class Dataset;
class Session;

class TCORTF000 : public QDialog {
    Q_OBJECT
public:
    explicit TCORTF000(Session& session, QWidget* parent = nullptr);
    ~TCORTF000() override;

    // Asks for a folder (default: the desktop's folder picker); empty when cancelled.
    void setFolderChooser(
        std::function<QString(QWidget*, const QString& title, const QString& start)> chooser) {
        m_chooseFolder = std::move(chooser);
    }
    QString statusText() const;

    void reject() override; // Escape closes through the same checks

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void BotClicheClick();
    void BotDesenhoClick();
    void chooseFolder(const QString& field, QLineEdit* edit, const QString& title);

    std::unique_ptr<Ui::TCORTF000> ui;
    Session& m_session;
    Dataset* m_parger;
    bool m_closed = false;
    std::function<QString(QWidget*, const QString&, const QString&)> m_chooseFolder;
};

} // namespace falq
