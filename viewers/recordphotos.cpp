#include "recordphotos.h"

#include "documentspage.h"
#include "imagecontrol.h"
#include "imagefiles.h"
#include "scanner.h"
#include "scannerbar.h"

#include <QBoxLayout>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace falq {

namespace {
const QString kNoFolder = QStringLiteral("Ainda não parametrizou a localização para Arquivo ...");
const QString kImageExists = QStringLiteral("Esta Fotografia já existe, Elimine primeiro ...");
const QString kDeleteImage = QStringLiteral("Eliminação Fotografia !!! Confirma ?");
const QString kPhotoFilter = QStringLiteral("All Files (*.Jpg)");
const QString kLocateCaption = QStringLiteral("Localizar Fotografia");
} // namespace

RecordPhotos::RecordPhotos(Messages& messages, const RecordPhotoPlaces& places,
                           RecordPhotoTexts texts, std::function<QString()> number, QWidget* window)
    : QObject(window), m_messages(messages), m_places(places), m_texts(std::move(texts)),
      m_number(std::move(number)), m_window(window), m_scanner(createSaneScanner()) {
    m_large = new ImageControl(window);
    m_large->setObjectName(QStringLiteral("M1"));
    m_large->setFocusPolicy(Qt::NoFocus);
    places.large->addWidget(m_large);
    m_preview = new ImageControl(window);
    m_preview->setObjectName(QStringLiteral("ML1"));
    m_preview->setFocusPolicy(Qt::NoFocus);
    m_preview->setToolTip(QStringLiteral("Click 2 Vezes para Visualizar"));
    places.preview->addWidget(m_preview);
    connect(m_preview, &ImageControl::clicked, this, &RecordPhotos::previewClicked);
    buildScannerBar();
    m_documents = new DocumentsPage(messages, window);
    m_documents->setAttachCheck([this] { return fileActionAllowed(false); });
    places.documents->addWidget(m_documents);
    m_chooseFile = [](QWidget* parent, const QString& caption, const QString& filter) {
        QFileDialog dialog(parent, caption, QString(), filter);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::ReadOnly);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
}

RecordPhotos::~RecordPhotos() = default;

void RecordPhotos::buildScannerBar() {
    // The bar keeps a reference to the scanner: a new scanner gets a new bar.
    auto* bar = new ScannerBar(*m_scanner, m_large, m_messages, m_window);
    bar->scanButton()->setObjectName(QStringLiteral("BotScan"));
    bar->scanButton()->setToolTip(QStringLiteral("Digitalizar"));
    bar->selectButton()->setObjectName(QStringLiteral("BotScanSelect"));
    bar->selectButton()->setToolTip(QStringLiteral("Seleccionar Scanner"));
    for (QPushButton* b : {bar->scanButton(), bar->selectButton()}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setVisible(m_scannerVisible); // shown with the scanner right
    }
    bar->setScanCheck([this] { return scanCheck(); });
    connect(bar, &ScannerBar::scanned, this, &RecordPhotos::scanned);
    if (m_scanBar) {
        m_places.scanner->replaceWidget(m_scanBar, bar);
        delete m_scanBar;
    } else {
        m_places.scanner->addWidget(bar);
    }
    m_scanBar = bar;
}

void RecordPhotos::setFolder(const QString& folder, const QString& imageType) {
    m_folder = folder;
    m_imageType = imageType;
}

void RecordPhotos::setFileChooser(
    std::function<QString(QWidget*, const QString&, const QString&)> chooser) {
    m_chooseFile = chooser;
    m_documents->setFileChooser(std::move(chooser));
}

void RecordPhotos::setScanner(std::unique_ptr<Scanner> scanner) {
    // The old bar refers to the old scanner: the scanner goes after its bar.
    m_scanner.swap(scanner);
    buildScannerBar();
}

void RecordPhotos::setScannerVisible(bool on) {
    m_scannerVisible = on;
    m_scanBar->scanButton()->setVisible(on);
    m_scanBar->selectButton()->setVisible(on);
}

QString RecordPhotos::imagePath() const {
    const QString number = m_number();
    if (number.isEmpty() || !numberIsSafeFileName(number))
        return {};
    return falq::imagePath(m_folder, number, m_imageType);
}

bool RecordPhotos::fileActionAllowed(bool boxMessage) {
    const QString number = m_number();
    if (number.isEmpty()) {
        if (boxMessage) {
            m_messages.show(m_texts.notReferencedBox, true);
        } else {
            m_messages.beep();
            m_places.status->setText(m_texts.notReferencedStatus);
        }
        return false;
    }
    if (m_folder.trimmed().isEmpty()) {
        m_messages.show(kNoFolder, true);
        return false;
    }
    if (!numberIsSafeFileName(number) || !numberIsSafeFileName(number + m_imageType)) {
        m_messages.show(unsafeNumberMessage(number), true);
        return false;
    }
    return true;
}

void RecordPhotos::showRecord() {
    const QString number = m_number();
    m_documents->closeDocument();
    m_documents->showRecord(m_folder, numberIsSafeFileName(number) ? number : QString());
    m_large->clear();
    m_preview->clear();
    const QString path = imagePath();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    m_preview->load(path);
    if (m_places.book->currentWidget() == m_places.photoPage)
        m_large->load(path);
}

void RecordPhotos::clearForInsert() {
    m_large->clear();
    m_preview->clear();
    m_documents->closeDocument();
    m_documents->showRecord(m_folder, QString());
}

void RecordPhotos::locate() {
    if (!fileActionAllowed(false))
        return;
    if (QFileInfo::exists(imagePath())) {
        m_messages.show(kImageExists);
        return;
    }
    const QString chosen = m_chooseFile(m_window, kLocateCaption, kPhotoFilter);
    if (chosen.isEmpty())
        return;
    QString error;
    const QString copied = copyIntoFolder(chosen, m_folder, m_number(), m_imageType, &error);
    if (copied.isEmpty()) {
        m_messages.show(error, true);
        return;
    }
    m_preview->clear();
    m_preview->load(copied);
    m_places.book->setCurrentWidget(m_places.photoPage);
    m_large->load(copied);
    m_documents->showRecord(m_folder, m_number());
}

void RecordPhotos::previewClicked() {
    const QString path = imagePath();
    if (m_preview->isEmpty() || path.isEmpty() || !QFileInfo::exists(path))
        return;
    m_places.book->setCurrentWidget(m_places.photoPage);
    m_large->load(path);
}

void RecordPhotos::deletePhoto() {
    const QString number = m_number();
    if (!number.isEmpty() && !numberIsSafeFileName(number)) {
        m_messages.show(unsafeNumberMessage(number), true);
        return;
    }
    if (!m_messages.ask(kDeleteImage))
        return;
    const QString name = m_large->path();
    if (name.isEmpty() || !QFileInfo::exists(name)) {
        m_messages.show(QStringLiteral("Ficheiro : ") + name +
                        QStringLiteral(", Não foi encontrado"));
        return;
    }
    if (!QFile::remove(name)) {
        m_messages.show(QStringLiteral("Não foi possível eliminar ") + name, true);
        return;
    }
    m_large->clear();
    if (m_preview->path() == name)
        m_preview->clear();
    m_documents->showRecord(m_folder, number);
}

bool RecordPhotos::scanCheck() {
    if (!fileActionAllowed(true))
        return false;
    if (QFileInfo::exists(imagePath())) {
        m_messages.show(kImageExists);
        return false; // nothing is scanned over an existing image
    }
    return true;
}

void RecordPhotos::scanned() {
    const QString path = imagePath();
    if (!m_large->saveJpeg(path, 25)) {
        m_messages.show(QStringLiteral("Não foi possível gravar ") + path, true);
        return;
    }
    m_large->load(path);
    m_preview->load(path);
    m_documents->showRecord(m_folder, m_number());
}

} // namespace falq
