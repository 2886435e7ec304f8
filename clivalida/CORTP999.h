#pragma once
// Validation station: the shop-floor operator types or picks a cliché or drawing number and
// sees whether it is in the register and valid, with its data, image and documents. It never
// writes: its connections are read-only.
#include <QMainWindow>
#include <memory>

class QLabel;
class QLineEdit;
class QTableView;

namespace Ui {
class TCORTF999;
}

namespace falq {

class Dataset;
class DocumentsPage;
class ImageControl;
class Messages;

class TCORTF999 : public QMainWindow {
    Q_OBJECT
public:
    explicit TCORTF999(Messages& messages, QWidget* parent = nullptr);
    ~TCORTF999() override;

    static QString applicationTitle() {
        return QStringLiteral("clivalida - Visualização de Cliches e Cortantes");
    }

    void setCredentialLibraryPath(const QString& path) { m_credentialLibrary = path; }
    // The start-up ran (successfully or not), and whether it ended the program.
    bool startUpDone() const { return m_startUpDone; }
    bool programEnded() const { return m_ended; }

    QString statusText() const;
    ImageControl* preview() const { return m_ML1; }
    DocumentsPage* documents() const { return m_documents; }
    // The record found by the current entry of each page (empty sets when none).
    Dataset* clicheSet() const { return m_cliche.found; }
    Dataset* drawingSet() const { return m_drawing.found; }
    // The image the preview shows and a click opens in the viewer; empty when none.
    QString viewerPath() const { return m_viewerPath; }
    // The tool life line of each page ("" until a number is found).
    QString clicheLife() const;
    QString drawingLife() const;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the two pages share: a number box, the box after it whose focus shows the record,
    // the grid and boxes of the record found, and its set.
    struct Page {
        QWidget* tab = nullptr;
        QLineEdit* box = nullptr;
        QLineEdit* next = nullptr;
        QTableView* grid = nullptr;
        QList<QPair<QLineEdit*, QString>> fields; // read-only boxes and their columns
        Dataset* found = nullptr;
        QString numberField;
        QString param;
        QString status;   // status panel while the box has the focus
        QString notFound; // message of a number not found
        bool isCliche = true;
        bool foundInEntry = false; // the entry since the box was entered found its record
        QLabel* life = nullptr;    // wear %, last use and wear-out date of the record found
        QLabel* place = nullptr;   // where the tool of the record found is
    };

    void FormActivate();
    void endProgram(const QString& message, bool beep);
    void FormClose();

    void boxEnter(Page& page);
    void boxExit(Page& page);
    // A label of the other kind read on a page ("DS:..." on the clichés): that page takes it.
    void readOnOtherPage(Page& page, const QString& number);
    void nextEnter(Page& page);
    void localizar(Page& page);
    void showRecord(Page& page);
    void clearRecordDisplay();
    void showToolLife(Page& page, const QString& number);
    void NBChange(int index);
    void ML1Click();
    Page* currentPage();
    // The found record's number, its folder and its image file (empty when there is none).
    struct RecordFiles {
        QString number;
        QString folder;
        QString image;
    };
    RecordFiles filesOf(const Page& page) const;

    std::unique_ptr<Ui::TCORTF999> ui;
    Messages& m_messages;
    QString m_credentialLibrary;
    Page m_cliche;
    Page m_drawing;
    ImageControl* m_ML1 = nullptr;
    DocumentsPage* m_documents = nullptr;
    QLabel* m_status0 = nullptr;
    QString m_viewerPath;
    bool m_startUpDone = false;
    bool m_ended = false;
    bool m_open = false;
};

} // namespace falq
