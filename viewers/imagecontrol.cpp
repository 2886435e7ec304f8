#include "imagecontrol.h"

#include "wholefile.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QImageWriter>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRubberBand>
#include <QScrollBar>
#include <QThread>

namespace falq {

namespace {

constexpr int kPreviewSide = 2048; // images larger than this get a smaller copy for small zooms

// Reads images in one worker thread shared by every control; the controls hear back through
// a queued signal, so a control closed meanwhile simply never hears.
class ImageLoader : public QObject {
    Q_OBJECT
public:
    static ImageLoader* instance() {
        static ImageLoader* loader = [] {
            auto* thread = new QThread;
            thread->setObjectName(QStringLiteral("image loader"));
            auto* l = new ImageLoader;
            l->moveToThread(thread);
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, thread, [thread] {
                thread->quit();
                thread->wait();
            });
            thread->start();
            return l;
        }();
        return loader;
    }

    Q_INVOKABLE void read(quint64 ticket, const QString& path, QObject* requester) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        reader.setAllocationLimit(1024); // MB: 8000x6000 and more

        QImage image = reader.read();
        QImage preview;
        QString error;
        if (image.isNull())
            error = reader.errorString();
        else if (image.width() > kPreviewSide || image.height() > kPreviewSide)
            preview = image.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio,
                                   Qt::SmoothTransformation);
        emit done(ticket, image, preview, path, error, requester);
    }

signals:
    void done(quint64 ticket, const QImage& image, const QImage& preview, const QString& path,
              const QString& error, QObject* requester);
};

} // namespace

// The widget inside the scroll box that paints the image at the current zoom, only the part
// that is exposed.
class ImageCanvas : public QWidget {
public:
    explicit ImageCanvas(ImageControl* owner) : QWidget(owner), m_owner(owner) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(false);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        p.fillRect(e->rect(), palette().color(QPalette::Base));
        const QImage& image = m_owner->m_image;
        if (image.isNull()) {
            if (!m_owner->m_text.isEmpty())
                p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_owner->m_text);
            return;
        }
        const double z = m_owner->zoom();
        const QRectF target(0, 0, image.width() * z, image.height() * z);
        const QRectF exposed = QRectF(e->rect()).intersected(target);
        if (exposed.isEmpty())
            return;
        // Draw from the smaller copy when the image is shown small.
        const QImage& source =
            (!m_owner->m_preview.isNull() && z * image.width() <= m_owner->m_preview.width())
                ? m_owner->m_preview
                : image;
        const double s = double(source.width()) / image.width();
        const QRectF from(exposed.x() / z * s, exposed.y() / z * s, exposed.width() / z * s,
                          exposed.height() / z * s);
        p.setRenderHint(QPainter::SmoothPixmapTransform, z < 1.0);
        p.drawImage(exposed, source, from);
        if (!m_owner->m_text.isEmpty())
            p.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignLeft | Qt::AlignTop,
                       m_owner->m_text);
    }

private:
    ImageControl* m_owner;
};

ImageControl::ImageControl(QWidget* parent)
    : QScrollArea(parent), m_canvas(new ImageCanvas(this)),
      m_band(new QRubberBand(QRubberBand::Rectangle, this)), m_menu(new QMenu(this)) {
    setObjectName(QStringLiteral("M1"));
    setToolTip(QStringLiteral("Faça ZOOM arrastando o mouse na imagem"));
    setWidget(m_canvas);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setStyleSheet(QStringLiteral("QScrollBar:vertical { width: 12px; }"));
    horizontalScrollBar()->setStyleSheet(QStringLiteral("QScrollBar:horizontal { height: 12px; }"));
    m_band->setParent(m_canvas);
    m_canvas->installEventFilter(this);
    viewport()->installEventFilter(this);

    m_menu->addAction(QStringLiteral("Limpar"), this, &ImageControl::limpar)
        ->setObjectName(QStringLiteral("Limpar"));
    m_menu->addAction(QStringLiteral("Tamanho Real"), this, &ImageControl::actualSize)
        ->setObjectName(QStringLiteral("TamanhoReal"));
    m_menu
        ->addAction(QStringLiteral("Stretch"), this,
                    [this] {
                        cancelRubberBand();
                        setStretch(true);
                    })
        ->setObjectName(QStringLiteral("Stretch"));
    m_menu->addAction(QStringLiteral("Zoom+"), this, &ImageControl::zoomIn)
        ->setObjectName(QStringLiteral("ZoomMais"));
    m_menu->addAction(QStringLiteral("Zoom-"), this, &ImageControl::zoomOut)
        ->setObjectName(QStringLiteral("ZoomMenos"));
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Imprimir"), this, &ImageControl::print)
        ->setObjectName(QStringLiteral("Imprimir"));

    connect(ImageLoader::instance(), &ImageLoader::done, this,
            [this](quint64 ticket, const QImage& image, const QImage& preview, const QString& path,
                   const QString& error, QObject* requester) {
                if (requester == this)
                    imageArrived(ticket, image, preview, path, error);
            });
    relayout();
}

ImageControl::~ImageControl() = default;

void ImageControl::load(const QString& path) {
    ++m_ticket;
    cancelRubberBand();
    if (path.isEmpty()) {
        m_loading = false;
        clear();
        emit loaded(false);
        return;
    }
    m_loading = true;
    QMetaObject::invokeMethod(ImageLoader::instance(), "read", Qt::QueuedConnection,
                              Q_ARG(quint64, m_ticket), Q_ARG(QString, path),
                              Q_ARG(QObject*, this));
}

bool ImageControl::loadAndWait(const QString& path, int timeoutMs) {
    load(path);
    QElapsedTimer t;
    t.start();
    while (m_loading && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(
            QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 20);
    return !m_loading && !m_image.isNull() && m_path == path;
}

void ImageControl::imageArrived(quint64 ticket, const QImage& image, const QImage& preview,
                                const QString& path, const QString& error) {
    if (ticket != m_ticket)
        return; // an older request
    m_loading = false;
    m_error = error;
    if (image.isNull()) {
        clear();
        emit loaded(false);
        return;
    }
    applyImage(image, preview, path);
    emit loaded(true);
}

void ImageControl::applyImage(const QImage& image, const QImage& preview, const QString& path) {
    m_image = image;
    m_preview = preview;
    m_path = path;
    m_text.clear();
    relayout();
}

void ImageControl::setImage(const QImage& image, const QString& path) {
    ++m_ticket;
    m_loading = false;
    QImage preview;
    if (image.width() > kPreviewSide || image.height() > kPreviewSide)
        preview =
            image.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    applyImage(image, preview, path);
}

void ImageControl::clear() {
    // An image still being read arrives too late: it no longer belongs here.
    ++m_ticket;
    m_loading = false;
    cancelRubberBand();
    m_image = QImage();
    m_preview = QImage();
    m_path.clear();
    relayout();
}

void ImageControl::setText(const QString& text) {
    m_text = text;
    m_canvas->update();
}

double ImageControl::fitZoom() const {
    if (m_image.isNull())
        return 1.0;
    const QSize area = maximumViewportSize() - QSize(4, 4);
    return qMax(0.01, qMin(double(area.width()) / m_image.width(),
                           double(area.height()) / m_image.height()));
}

double ImageControl::zoom() const {
    return m_stretch ? fitZoom() : m_zoom;
}

void ImageControl::setZoom(double factor) {
    m_stretch = false;
    m_zoom = qBound(0.01, factor, 32.0);
    relayout();
}

void ImageControl::setStretch(bool on) {
    m_stretch = on;
    relayout();
}

void ImageControl::actualSize() {
    cancelRubberBand();
    setZoom(1.0);
    ensureVisible(0, 0);
}

void ImageControl::zoomIn() {
    setZoom((qRound(zoom() * 100) + m_zoomStep) / 100.0);
}

void ImageControl::zoomOut() {
    setZoom(qMax(m_zoomStep, qRound(zoom() * 100) - m_zoomStep) / 100.0);
}

void ImageControl::limpar() {
    cancelRubberBand();
    setStretch(true);
}

void ImageControl::relayout() {
    if (m_image.isNull()) {
        m_canvas->resize(maximumViewportSize() - QSize(4, 4));
    } else {
        const double z = zoom();
        m_canvas->resize(qMax(1, qRound(m_image.width() * z)),
                         qMax(1, qRound(m_image.height() * z)));
    }
    m_canvas->update();
}

QPointF ImageControl::visibleImageOrigin() const {
    const double z = zoom();
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return QPointF(offset) / z;
}

void ImageControl::resizeEvent(QResizeEvent* e) {
    QScrollArea::resizeEvent(e);
    if (m_stretch || m_image.isNull())
        relayout();
}

void ImageControl::cancelRubberBand() {
    m_banding = false;
    m_band->hide();
}

bool ImageControl::rubberBandActive() const {
    return m_banding;
}

void ImageControl::finishRubberBand(const QRect& band) {
    cancelRubberBand();
    if (m_image.isNull() || band.width() < 4 || band.height() < 4) {
        emit clicked();
        return;
    }
    const double z = zoom();
    const QRectF part(band.x() / z, band.y() / z, band.width() / z, band.height() / z);
    const QSize area = maximumViewportSize() - QSize(4, 4);
    setZoom(qMin(area.width() / part.width(), area.height() / part.height()));
    horizontalScrollBar()->setValue(qRound(part.x() * m_zoom));
    verticalScrollBar()->setValue(qRound(part.y() * m_zoom));
}

bool ImageControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_canvas && watched != viewport())
        return QScrollArea::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton)
            return false;
        cancelRubberBand();
        m_bandOrigin = m_canvas->mapFrom(static_cast<QWidget*>(watched), me->position().toPoint());
        m_banding = true;
        m_band->setGeometry(QRect(m_bandOrigin, QSize()));
        m_band->show();
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_banding)
            return false;
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint at =
            m_canvas->mapFrom(static_cast<QWidget*>(watched), me->position().toPoint());
        m_band->setGeometry(QRect(m_bandOrigin, at).normalized());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton || !m_banding)
            return false;
        const QPoint at =
            m_canvas->mapFrom(static_cast<QWidget*>(watched), me->position().toPoint());
        finishRubberBand(QRect(m_bandOrigin, at).normalized());
        return true;
    }
    case QEvent::MouseButtonDblClick:
        cancelRubberBand();
        emit doubleClicked();
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && m_banding) {
            cancelRubberBand();
            return true;
        }
        return false;
    case QEvent::ContextMenu:
        m_menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    default:
        return QScrollArea::eventFilter(watched, event); // keeps the scroll bars in step
    }
}

bool ImageControl::save(const QString& path, const char* format, int quality,
                        QString* error) const {
    QString reason;
    if (m_image.isNull()) {
        reason = QStringLiteral("Não há imagem para gravar em %1.").arg(path);
    } else {
        WholeFileWriter file(path, ExistingFile::Refuse);
        if (file.create()) {
            QImageWriter writer(&file, format);
            writer.setQuality(quality);
            const QImage image = qstrcmp(format, "jpeg") == 0
                                     ? m_image.convertToFormat(QImage::Format_RGB32)
                                     : m_image;
            if (writer.write(image) && file.commit())
                return true;
            if (!file.failed())
                reason = QStringLiteral("Não foi possível gravar %1: %2")
                             .arg(path, writer.errorString());
        }
        if (reason.isEmpty())
            reason = file.error();
    }
    if (error)
        *error = reason;
    return false;
}

bool ImageControl::saveJpeg(const QString& path, int quality, QString* error) const {
    return save(path, "jpeg", quality, error);
}

bool ImageControl::saveBmp(const QString& path, QString* error) const {
    return save(path, "bmp", -1, error);
}

void ImageControl::printTo(QPrinter* printer) const {
    if (m_image.isNull())
        return;
    QPainter p(printer);
    const QRect page = p.viewport();
    const QSize size = m_image.size().scaled(page.size(), Qt::KeepAspectRatio);
    p.drawImage(QRect(page.topLeft(), size), m_image);
}

void ImageControl::print() {
    if (m_image.isNull())
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printTo(&printer);
}

} // namespace falq

#include "imagecontrol.moc"
