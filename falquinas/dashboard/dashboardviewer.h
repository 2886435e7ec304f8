#pragma once
// The "Fotos" page of the main window while the dashboard is on: the two filter groups
// (Grupo_Tipo, Grupo_TipoReg) and the photo notebook NBFOTOS with the image of the record in
// the dashboard's current row (ML1), its documents (FileListBoxAnexo) and the document shown
// (OleContainerPag1). A click on the image opens the record's full viewer; a double click on a
// document shows it.
#include "dashboardqueries.h"
#include "imagefiles.h"

#include <QWidget>

class QGroupBox;
class QRadioButton;
class QTabWidget;

namespace falq {

class DocumentList;
class DocumentView;
class ImageControl;
class Session;

namespace dashboard {

class DashboardViewer : public QWidget {
    Q_OBJECT
public:
    DashboardViewer(Session& session, QWidget* parent);

    // Reads the image folders and type again (PARGER).
    void readParameters();
    // Forgets the record: no image, no documents, no document shown.
    void clear();
    // Shows the image and documents of a cliché ("CL") or drawing ("DS") row.
    void showRecord(const QString& kind, const QString& number);

    Filters filters() const;
    void resetFilters();
    void showFilters(bool type, bool kind);

    QString kind() const { return m_kind; }
    QString imagePath() const { return m_path; }
    QString number() const { return m_number; }

    // ML1 click: the record's full viewer, when an image is shown.
    void ML1Click();
    // Double click in the document list.
    void FileListBoxAnexoDblClick();

signals:
    // A filter button was checked.
    void filtersChanged();

private:
    Session& m_session;
    ImageParameters m_params;
    QString m_kind;
    QString m_path;
    QString m_number;
    QGroupBox* m_typeGroup;
    QGroupBox* m_kindGroup;
    QRadioButton* m_purchases;
    QRadioButton* m_repairs;
    QRadioButton* m_bothTypes;
    QRadioButton* m_cliches;
    QRadioButton* m_drawings;
    QRadioButton* m_bothKinds;
    QTabWidget* m_photos;
    ImageControl* m_image;
    DocumentList* m_documents;
    DocumentView* m_document;
};

} // namespace dashboard
} // namespace falq
