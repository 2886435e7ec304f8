#include "documents.h"

#include "imagecontrol.h"
#include "imagefiles.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfView>
#include <QPlainTextEdit>

namespace falq {

namespace {
constexpr qint64 kMaxTextBytes = 4 * 1024 * 1024;

bool isTextSuffix(const QString& suffix) {
    static const QStringList text = {"txt", "csv", "log", "ini", "xml", "json", "md"};
    return text.contains(suffix);
}
} // namespace

DocumentList::DocumentList(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("FileListBoxAnexo"));
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void DocumentList::showRecord(const QString& folder, const QString& number) {
    m_folder = folder;
    clear();
    // A number that gives no file name of the folder has no documents in it.
    if (numberIsSafeFileName(number))
        addItems(listRecordFiles(folder, number));
}

QString DocumentList::selectedPath() const {
    const QList<QListWidgetItem*> items = selectedItems();
    if (items.isEmpty())
        return {};
    return QDir(m_folder).filePath(items.first()->text());
}

DocumentView::DocumentView(QWidget* parent)
    : QStackedWidget(parent), m_empty(new QLabel(this)), m_image(new ImageControl(this)),
      m_pdf(new QPdfDocument(this)), m_pdfView(new QPdfView(this)),
      m_text(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("OleContainerPag1"));
    m_image->setObjectName(QStringLiteral("ImagemDocumento")); // not the record's own M1
    m_pdfView->setDocument(m_pdf);
    m_pdfView->setPageMode(QPdfView::PageMode::MultiPage);
    m_pdfView->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_text->setReadOnly(true);
    addWidget(m_empty);
    addWidget(m_image);
    addWidget(m_pdfView);
    addWidget(m_text);
    m_openExternal = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

DocumentView::~DocumentView() = default;

void DocumentView::clear() {
    m_kind = Kind::Empty;
    m_path.clear();
    m_image->clear();
    m_pdf->close();
    m_text->clear();
    setCurrentWidget(m_empty);
}

bool DocumentView::showDocument(const QString& path, QString* error) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        *error = QStringLiteral("O ficheiro %1 não existe.").arg(path);
        return false;
    }
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("pdf")) {
        m_pdf->close();
        if (m_pdf->load(path) != QPdfDocument::Error::None) {
            *error = QStringLiteral("Não foi possível abrir o PDF %1.").arg(path);
            return false;
        }
        m_kind = Kind::Pdf;
        setCurrentWidget(m_pdfView);
    } else if (QImageReader::supportedImageFormats().contains(suffix.toLatin1())) {
        if (!m_image->loadAndWait(path)) {
            *error = QStringLiteral("Não foi possível abrir a imagem %1: %2")
                         .arg(path, m_image->lastError());
            return false;
        }
        m_kind = Kind::Image;
        setCurrentWidget(m_image);
    } else if (isTextSuffix(suffix)) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            *error = f.errorString();
            return false;
        }
        m_text->setPlainText(QString::fromUtf8(f.read(kMaxTextBytes)));
        m_kind = Kind::Text;
        setCurrentWidget(m_text);
    } else {
        if (!m_openExternal(QUrl::fromLocalFile(info.absoluteFilePath()))) {
            *error = QStringLiteral("Não há programa para abrir %1.").arg(path);
            return false;
        }
        m_kind = Kind::External;
    }
    m_path = path;
    return true;
}

bool showSelectedDocument(const DocumentList& list, DocumentView& view, Messages& messages) {
    const QString path = list.selectedPath();
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        messages.show(kSelectDocumentFirst, true);
        return false;
    }
    QString error;
    if (!view.showDocument(path, &error)) {
        messages.show(error, true);
        return false;
    }
    return true;
}

} // namespace falq
