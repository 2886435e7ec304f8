#pragma once
// The image control of every preview and viewer (M1, ML1): shows one image in a scroll box.
//
// - load(path): reads JPEG, BMP, PNG, TIFF... in a worker thread, so large images (8000x6000)
//   never freeze the window; an empty path empties the control; path() is the file shown;
// - stretch (the image fitted to the control, proportions kept), actual size, zoom in and
//   out by a step (10 percent points by default), scroll bars when the image is larger;
// - rubber-band zoom: drag with the left button (the rectangle shows while dragging); on
//   release the dragged part fills the control; cancelRubberBand() or Escape drops a band
//   in progress;
// - save as JPEG (quality 25 by default) or BMP, never over an existing file and completely
//   or not at all; setImage() for scanned pictures; print;
// - the context menu "Limpar", "Tamanho Real", "Stretch", "Zoom+", "Zoom-", "Imprimir".
#include <QImage>
#include <QScrollArea>

class QMenu;
class QPrinter;
class QRubberBand;

namespace falq {

class ImageCanvas;

class ImageControl : public QScrollArea {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent = nullptr);
    ~ImageControl() override;

    // Starts loading `path` (empty: empties the control). loaded() tells when it is shown.
    void load(const QString& path);
    // Loads and waits (for callers that need the image at once).
    bool loadAndWait(const QString& path, int timeoutMs = 30000);
    QString path() const { return m_path; }
    bool isLoading() const { return m_loading; }
    QString lastError() const { return m_error; }

    void setImage(const QImage& image, const QString& path = {});
    QImage image() const { return m_image; }
    bool isEmpty() const { return m_image.isNull(); }
    // Empties the control; an image still being read is dropped when it arrives.
    void clear();
    void setText(const QString& text);
    QString text() const { return m_text; }

    void setStretch(bool on);
    bool stretch() const { return m_stretch; }
    void actualSize();
    void zoomIn();
    void zoomOut();
    void setZoomStep(int percent) { m_zoomStep = percent; }
    int zoomStep() const { return m_zoomStep; }
    // Current scale: 1.0 is actual size.
    double zoom() const;
    void setZoom(double factor);
    // The part of the image shown at the top left of the visible area, in image pixels.
    QPointF visibleImageOrigin() const;

    void cancelRubberBand();
    bool rubberBandActive() const;
    // The "Limpar" step: drops a band in progress and fits the image to the control.
    void limpar();

    // Writes the image as a new file; false, with the reason in `error` and no file, when there
    // is no image, the file exists, or any write fails.
    bool saveJpeg(const QString& path, int quality = 25, QString* error = nullptr) const;
    bool saveBmp(const QString& path, QString* error = nullptr) const;
    // Prints the image fitted to the page; print() asks for the printer first.
    void printTo(QPrinter* printer) const;
    void print();

    QMenu* contextMenu() const { return m_menu; }

signals:
    void loaded(bool ok);
    void doubleClicked();
    void clicked();

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ImageCanvas;
    void imageArrived(quint64 ticket, const QImage& image, const QImage& preview,
                      const QString& path, const QString& error);
    void applyImage(const QImage& image, const QImage& preview, const QString& path);
    void relayout();
    double fitZoom() const;
    void finishRubberBand(const QRect& band);
    bool save(const QString& path, const char* format, int quality, QString* error) const;

    ImageCanvas* m_canvas;
    QRubberBand* m_band;
    QMenu* m_menu;
    QImage m_image;
    QImage m_preview; // a smaller copy for drawing large images small
    QString m_path;
    QString m_error;
    QString m_text;
    bool m_loading = false;
    quint64 m_ticket = 0;
    bool m_stretch = true;
    double m_zoom = 1.0;
    int m_zoomStep = 10;
    QPoint m_bandOrigin;
    bool m_banding = false;
};

} // namespace falq
