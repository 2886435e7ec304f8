#include "registerfiles.h"

#include "documentspage.h"
#include "entertab.h"
#include "imagecontrol.h"
#include "viewerwindow.h"

#include <QBoxLayout>
#include <QFileInfo>
#include <QTabWidget>

namespace falq {

RegisterFiles::RegisterFiles(Messages& messages, QBoxLayout* photoPlace, QBoxLayout* documentsPlace,
                             QWidget* window)
    : QObject(window), m_photo(new ImageControl(window)),
      m_documents(new DocumentsPage(messages, window)), m_window(window) {
    m_photo->setObjectName(QStringLiteral("ML1"));
    m_photo->setToolTip(QStringLiteral("Click 2 Vezes para Visualizar"));
    m_photo->setStretch(true);
    m_photo->setFocusPolicy(Qt::NoFocus);
    photoPlace->addWidget(m_photo);
    m_documents->setReadOnly(true);
    documentsPlace->addWidget(m_documents);
    connect(m_photo, &ImageControl::clicked, this, &RegisterFiles::openViewer);
    // The notebook of the photo and documents stands beside the entry: Enter after the last
    // box goes to the grid, never to its tabs.
    for (QWidget* w = photoPlace->parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<QTabWidget*>(w)) {
            EnterAsTab::keepOutOfEntry(w);
            break;
        }
}

void RegisterFiles::show(registers::ObjectKind kind, const QString& number) {
    m_kind = kind;
    const bool drawing = kind == registers::ObjectKind::Drawing;
    const QString folder = drawing ? m_params.drawingFolder : m_params.clicheFolder;
    m_path = drawing ? drawingImagePath(m_params, number) : clicheImagePath(m_params, number);
    if (!m_path.isEmpty() && QFileInfo::exists(m_path))
        m_photo->load(m_path);
    else
        m_photo->clear();
    m_documents->showRecord(folder, number);
}

void RegisterFiles::clear() {
    m_path.clear();
    m_photo->clear();
    m_documents->closeDocument();
    m_documents->showRecord(QString(), QString());
}

void RegisterFiles::openViewer() {
    if (m_path.isEmpty())
        return;
    TFotoViewer viewer(m_path, m_window);
    viewer.exec();
}

} // namespace falq
