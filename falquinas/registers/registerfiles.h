#pragma once
// The photo and the attached documents of the drawing or cliché of a register's current row:
// the side photo ML1 (hint "Click 2 Vezes para Visualizar"; a click opens "Visualização de
// Fotos") and the read-only documents page. Files are named by the number in the kind's image
// folder; a number that cannot name a file shows nothing.
#include "imagefiles.h"
#include "registerrules.h"

#include <QObject>

class QBoxLayout;

namespace falq {

class DocumentsPage;
class ImageControl;
class Messages;

class RegisterFiles : public QObject {
    Q_OBJECT
public:
    RegisterFiles(Messages& messages, QBoxLayout* photoPlace, QBoxLayout* documentsPlace,
                  QWidget* window);

    void setParameters(const ImageParameters& parameters) { m_params = parameters; }
    // Shows the photo (when its file exists) and lists the documents of the number.
    void show(registers::ObjectKind kind, const QString& number);
    // Nothing shown; the document viewer released.
    void clear();

    QString photoPath() const { return m_path; }
    registers::ObjectKind kind() const { return m_kind; }
    ImageControl* photo() const { return m_photo; }
    DocumentsPage* documents() const { return m_documents; }
    void openViewer();

private:
    ImageControl* m_photo;
    DocumentsPage* m_documents;
    QWidget* m_window;
    ImageParameters m_params;
    QString m_path;
    registers::ObjectKind m_kind = registers::ObjectKind::Drawing;
};

} // namespace falq
