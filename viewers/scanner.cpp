#include "scanner.h"

#include <QByteArray>
#include <sane/sane.h>
#include <sane/saneopts.h>

namespace falq {

namespace {

QString statusText(SANE_Status status) {
    return QString::fromLocal8Bit(sane_strstatus(status));
}

// SANE is started at the first use: probing its backends takes time that a window opening
// should not wait for.
class SaneScanner : public Scanner {
public:
    SaneScanner() = default;
    ~SaneScanner() override {
        if (m_ready)
            sane_exit();
    }

    QStringList sources(QString* error) override {
        QStringList names;
        if (!start()) {
            *error = QStringLiteral("SANE não está disponível.");
            return names;
        }
        const SANE_Device** devices = nullptr;
        const SANE_Status status = sane_get_devices(&devices, SANE_FALSE);
        if (status != SANE_STATUS_GOOD) {
            *error = statusText(status);
            return names;
        }
        for (int i = 0; devices && devices[i]; ++i)
            names << QString::fromLocal8Bit(devices[i]->name);
        if (m_source.isEmpty() && !names.isEmpty())
            m_source = names.first();
        return names;
    }

    bool acquire(QImage* image, QString* error) override {
        if (!start()) {
            *error = QStringLiteral("SANE não está disponível.");
            return false;
        }
        if (m_source.isEmpty() && sources(error).isEmpty()) {
            if (error->isEmpty())
                *error = QStringLiteral("Nenhum scanner encontrado.");
            return false;
        }
        SANE_Handle handle = nullptr;
        SANE_Status status = sane_open(m_source.toLocal8Bit().constData(), &handle);
        if (status != SANE_STATUS_GOOD) {
            *error = QStringLiteral("%1: %2").arg(m_source, statusText(status));
            return false;
        }
        setResolution(handle, kResolutionDpi);
        const bool ok = scan(handle, image, error);
        sane_cancel(handle);
        sane_close(handle);
        return ok;
    }

private:
    bool start() {
        if (!m_started) {
            m_started = true;
            SANE_Int version = 0;
            m_ready = sane_init(&version, nullptr) == SANE_STATUS_GOOD;
        }
        return m_ready;
    }

    static constexpr int kResolutionDpi = 150; // enough for technical sheets, small enough to keep

    // Asks for the resolution the register keeps, where the device lets it be set.
    static void setResolution(SANE_Handle handle, int dpi) {
        for (SANE_Int i = 1;; ++i) {
            const SANE_Option_Descriptor* d = sane_get_option_descriptor(handle, i);
            if (!d)
                return;
            if (!d->name || qstrcmp(d->name, SANE_NAME_SCAN_RESOLUTION) != 0 ||
                !SANE_OPTION_IS_SETTABLE(d->cap))
                continue;
            SANE_Word value = d->type == SANE_TYPE_FIXED ? SANE_FIX(dpi) : dpi;
            if (d->type == SANE_TYPE_FIXED || d->type == SANE_TYPE_INT)
                sane_control_option(handle, i, SANE_ACTION_SET_VALUE, &value, nullptr);
            return;
        }
    }

    // Reads every frame of one page: one grey or RGB frame, or three single-colour frames.
    static bool scan(SANE_Handle handle, QImage* image, QString* error) {
        QImage result;
        bool last = false;
        while (!last) {
            SANE_Status status = sane_start(handle);
            if (status != SANE_STATUS_GOOD) {
                *error = statusText(status);
                return false;
            }
            SANE_Parameters p{};
            status = sane_get_parameters(handle, &p);
            if (status != SANE_STATUS_GOOD) {
                *error = statusText(status);
                return false;
            }
            QByteArray data;
            QByteArray buffer(64 * 1024, Qt::Uninitialized);
            while (true) {
                SANE_Int length = 0;
                status = sane_read(handle, reinterpret_cast<SANE_Byte*>(buffer.data()),
                                   buffer.size(), &length);
                if (status == SANE_STATUS_EOF)
                    break;
                if (status != SANE_STATUS_GOOD) {
                    *error = statusText(status);
                    return false;
                }
                data.append(buffer.constData(), length);
            }
            const int width = p.pixels_per_line;
            const int bpl = p.bytes_per_line;
            const int lines = bpl > 0 ? int(data.size() / bpl) : 0;
            if (width <= 0 || lines <= 0) {
                *error = QStringLiteral("O scanner não enviou imagem.");
                return false;
            }
            if (result.isNull())
                result = QImage(width, lines, QImage::Format_RGB32);
            for (int y = 0; y < lines && y < result.height(); ++y) {
                const auto* line =
                    reinterpret_cast<const uchar*>(data.constData()) + qsizetype(y) * bpl;
                auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
                for (int x = 0; x < width && x < result.width(); ++x) {
                    auto sample = [&](int channel, int channels) -> int {
                        if (p.depth == 1)
                            return (line[x / 8] & (0x80 >> (x % 8))) ? 0 : 255; // 1 is black
                        if (p.depth == 16)
                            return line[(x * channels + channel) * 2 +
                                        1]; // high byte, little-endian
                        return line[x * channels + channel];
                    };
                    QRgb px = out[x];
                    switch (p.format) {
                    case SANE_FRAME_GRAY: {
                        const int g = sample(0, 1);
                        px = qRgb(g, g, g);
                        break;
                    }
                    case SANE_FRAME_RGB:
                        px = qRgb(sample(0, 3), sample(1, 3), sample(2, 3));
                        break;
                    case SANE_FRAME_RED:
                        px = qRgb(sample(0, 1), qGreen(px), qBlue(px));
                        break;
                    case SANE_FRAME_GREEN:
                        px = qRgb(qRed(px), sample(0, 1), qBlue(px));
                        break;
                    case SANE_FRAME_BLUE:
                        px = qRgb(qRed(px), qGreen(px), sample(0, 1));
                        break;
                    }
                    out[x] = px;
                }
            }
            last = p.last_frame;
        }
        *image = result;
        return true;
    }

    bool m_started = false;
    bool m_ready = false;
};

} // namespace

std::unique_ptr<Scanner> createSaneScanner() {
    return std::make_unique<SaneScanner>();
}

} // namespace falq
