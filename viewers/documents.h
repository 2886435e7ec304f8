#pragma once
// The documents of a cliché or drawing: the list of the files of its folder that start with
// its number (FileListBoxAnexo) and the area that shows one of them (OleContainerPag1):
// images and PDF files inside the window, plain text too; any other file is opened with the
// desktop's program.
#include "messages.h"

#include <QListWidget>
#include <QStackedWidget>
#include <QUrl>
#include <functional>

class QPdfDocument;
class QPdfView;
class QPlainTextEdit;

namespace falq {

class ImageControl;

class DocumentList : public QListWidget {
    Q_OBJECT
public:
    explicit DocumentList(QWidget* parent = nullptr);
    // Lists the files of `folder` that belong to `number`; none for a number that is no safe
    // file name (imagefiles.h).
    void showRecord(const QString& folder, const QString& number);
    QString folder() const { return m_folder; }
    // Full path of the selected file; empty when none is selected.
    QString selectedPath() const;

private:
    QString m_folder;
};

class DocumentView : public QStackedWidget {
    Q_OBJECT
public:
    enum class Kind { Empty, Image, Pdf, Text, External };

    explicit DocumentView(QWidget* parent = nullptr);
    ~DocumentView() override;

    // Shows `path` inside (image, PDF, text) or hands it to the desktop. False with a reason
    // when the file cannot be shown or opened.
    bool showDocument(const QString& path, QString* error);
    void clear();
    Kind kind() const { return m_kind; }
    QString path() const { return m_path; }

    ImageControl* imageControl() const { return m_image; }
    QPdfView* pdfView() const { return m_pdfView; }
    QPdfDocument* pdfDocument() const { return m_pdf; }
    QPlainTextEdit* textView() const { return m_text; }

    // Opens files of other types (default: the desktop's program; tests record instead).
    void setExternalOpener(std::function<bool(const QUrl&)> opener) {
        m_openExternal = std::move(opener);
    }

private:
    Kind m_kind = Kind::Empty;
    QString m_path;
    QWidget* m_empty;
    ImageControl* m_image;
    QPdfDocument* m_pdf;
    QPdfView* m_pdfView;
    QPlainTextEdit* m_text;
    std::function<bool(const QUrl&)> m_openExternal;
};

inline const QString kSelectDocumentFirst =
    QStringLiteral("Seleccione 1º o Ficheiro que Deseja ...");

// Shows the list's selected document in the view; with nothing selected, or a file that is
// gone, says "Seleccione 1º o Ficheiro que Deseja ...".
bool showSelectedDocument(const DocumentList& list, DocumentView& view, Messages& messages);

} // namespace falq
