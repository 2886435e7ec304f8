#pragma once
// The documents page of the record editors ("PDF, Email, Video, Jpg, Word, Excel, Powerpoint,
// Corel"): the list of the record's own files (FileListBoxAnexo), attaching a file as
// number + its extension (BotAnexo, never over an existing file: one document per type),
// deleting the selected file after a question (BotDelAnexo), and a double click that shows the
// selected file (OleContainerPag1).
#include "messages.h"

#include <QWidget>
#include <functional>

class QPushButton;

namespace falq {

class DocumentList;
class DocumentView;

// The file types offered when attaching.
inline const QString kDocumentFilter =
    QStringLiteral("All Files (*.Pdf *.Msg *.Avi *.Mpg *.Wmv *.Jpg *.Doc *.Xls *.Pps *.Cdr)");
inline const QString kDeleteQuestion = QStringLiteral("ELIMINAÇÃO !!! Confirma ?");

class DocumentsPage : public QWidget {
    Q_OBJECT
public:
    explicit DocumentsPage(Messages& messages, QWidget* parent = nullptr);

    // Lists the files of the record `number` in `folder` (none for an empty number).
    void showRecord(const QString& folder, const QString& number);
    // Closes the document shown.
    void closeDocument();

    // Runs before attaching: the window's own checks (a number, a folder) with its messages.
    void setAttachCheck(std::function<bool()> check) { m_attachCheck = std::move(check); }
    // Asks for the file to attach (default: the desktop's file dialog); empty: cancelled.
    void setFileChooser(
        std::function<QString(QWidget*, const QString& caption, const QString& filter)> chooser) {
        m_chooseFile = std::move(chooser);
    }
    // Read-only pages (consultation, the validation station) have no attach and delete
    // buttons, and attach() and deleteSelected() change nothing.
    void setReadOnly(bool on);

    bool attach();
    bool deleteSelected();
    bool showSelected();

    DocumentList* list() const { return m_list; }
    DocumentView* view() const { return m_view; }
    QString folder() const { return m_folder; }
    QString number() const { return m_number; }

signals:
    void filesChanged();

private:
    Messages& m_messages;
    DocumentList* m_list;
    DocumentView* m_view;
    QPushButton* m_attach;
    QPushButton* m_delete;
    bool m_readOnly = false;
    QString m_folder;
    QString m_number;
    std::function<bool()> m_attachCheck;
    std::function<QString(QWidget*, const QString&, const QString&)> m_chooseFile;
};

} // namespace falq
