#pragma once
// The photo and the attached documents of a record in the editors (a cliché, a drawing): the
// small copy beside the grid (ML1), the large one on the "Fotografia" page (M1, rubber-band
// zoom), its buttons ("Localizar", "Eli. Foto", "Scanner", "Sel.Scan") and the documents page.
// The record's files are named by its number in the record kind's image folder; a number
// that cannot name a file is refused by every file action with its message.
#include "messages.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QBoxLayout;
class QLabel;
class QTabWidget;

namespace falq {

class DocumentsPage;
class ImageControl;
class Scanner;
class ScannerBar;

struct RecordPhotoPlaces {
    QTabWidget* book = nullptr;      // the notebook NB
    QWidget* photoPage = nullptr;    // its "Fotografia" page
    QBoxLayout* large = nullptr;     // where M1 goes
    QBoxLayout* preview = nullptr;   // where ML1 goes
    QBoxLayout* scanner = nullptr;   // where "Sel.Scan" and "Scanner" go
    QBoxLayout* documents = nullptr; // the documents page's layout
    QLabel* status = nullptr;        // the status panel of the notices
};

// What a record kind says when it has no number yet: a status notice and a box.
struct RecordPhotoTexts {
    QString notReferencedStatus;
    QString notReferencedBox;
};

class RecordPhotos : public QObject {
    Q_OBJECT
public:
    // `number` gives the current record's number (empty: none yet).
    RecordPhotos(Messages& messages, const RecordPhotoPlaces& places, RecordPhotoTexts texts,
                 std::function<QString()> number, QWidget* window);
    ~RecordPhotos() override;

    // The record kind's image folder (resolved) and the photos' extension (".JPG").
    void setFolder(const QString& folder, const QString& imageType);
    QString folder() const { return m_folder; }
    // Asks for the file of "Localizar" and of an attachment (default: the desktop's dialog).
    void setFileChooser(
        std::function<QString(QWidget*, const QString& caption, const QString& filter)> chooser);
    // The scanner of "Scanner" and "Sel.Scan" (default: SANE).
    void setScanner(std::unique_ptr<Scanner> scanner);
    void setScannerVisible(bool on);

    ImageControl* large() const { return m_large; }
    ImageControl* preview() const { return m_preview; }
    DocumentsPage* documents() const { return m_documents; }

    // The photo of the current record (empty when its number cannot name a file).
    QString imagePath() const;
    // A number, a folder and a number that can name a file; otherwise the message (for a
    // missing number a status notice, or a box when `boxMessage`).
    bool fileActionAllowed(bool boxMessage);

    // The record display: its documents listed, its photo beside the grid (and large when
    // its page is shown).
    void showRecord();
    // A new record: nothing shown, no documents.
    void clearForInsert();

    void locate();         // "Localizar"
    void previewClicked(); // a click on ML1
    void deletePhoto();    // "Eli. Foto"

private:
    void buildScannerBar();
    bool scanCheck();
    void scanned();

    Messages& m_messages;
    RecordPhotoPlaces m_places;
    RecordPhotoTexts m_texts;
    std::function<QString()> m_number;
    QWidget* m_window;
    QString m_folder;
    QString m_imageType;
    ImageControl* m_large = nullptr;
    ImageControl* m_preview = nullptr;
    DocumentsPage* m_documents = nullptr;
    std::unique_ptr<Scanner> m_scanner;
    QPointer<ScannerBar> m_scanBar;
    bool m_scannerVisible = false;
    std::function<QString(QWidget*, const QString&, const QString&)> m_chooseFile;
};

} // namespace falq
