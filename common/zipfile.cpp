#include "zipfile.h"

#include <QFile>
#include <QtEndian>
#include <zlib.h>

namespace falq {

namespace {

constexpr qint64 kPiece = 64 * 1024;

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint64 u64(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint64>(b.constData() + at);
}

struct Member {
    QString name;
    int method = 0;
    quint32 crc = 0;
    quint64 packed = 0;
    quint64 size = 0;
    quint64 local = 0;
};

// The members named by the central directory.
bool directory(QFile& file, QList<Member>* members, QString* error) {
    const qint64 fileSize = file.size();
    const qint64 tail = qMin<qint64>(fileSize, 22 + 65535);
    if (!file.seek(fileSize - tail)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray end = file.read(tail);
    qsizetype eocd = -1;
    for (qsizetype i = end.size() - 22; i >= 0; --i)
        if (u32(end, i) == 0x06054b50) {
            eocd = i;
            break;
        }
    if (eocd < 0) {
        *error = QStringLiteral("não é um ficheiro zip");
        return false;
    }
    quint64 entries = u16(end, eocd + 10);
    quint64 dirSize = u32(end, eocd + 12);
    quint64 dirStart = u32(end, eocd + 16);
    // Zip64: the real numbers are in the zip64 end record the locator points at.
    if (eocd >= 20 && u32(end, eocd - 20) == 0x07064b50) {
        const quint64 at = u64(end, eocd - 20 + 8);
        if (!file.seek(qint64(at))) {
            *error = file.errorString();
            return false;
        }
        const QByteArray z = file.read(56);
        if (z.size() < 56 || u32(z, 0) != 0x06064b50) {
            *error = QStringLiteral("o diretório do zip está danificado");
            return false;
        }
        entries = u64(z, 32);
        dirSize = u64(z, 40);
        dirStart = u64(z, 48);
    }
    if (dirStart + dirSize > quint64(fileSize) || !file.seek(qint64(dirStart))) {
        *error = QStringLiteral("o diretório do zip está danificado");
        return false;
    }
    const QByteArray dir = file.read(qint64(dirSize));
    qsizetype at = 0;
    for (quint64 n = 0; n < entries; ++n) {
        if (at + 46 > dir.size() || u32(dir, at) != 0x02014b50) {
            *error = QStringLiteral("o diretório do zip está danificado");
            return false;
        }
        Member m;
        m.method = u16(dir, at + 10);
        m.crc = u32(dir, at + 16);
        m.packed = u32(dir, at + 20);
        m.size = u32(dir, at + 24);
        const int nameLength = u16(dir, at + 28);
        const int extraLength = u16(dir, at + 30);
        const int commentLength = u16(dir, at + 32);
        m.local = u32(dir, at + 42);
        m.name = QString::fromUtf8(dir.mid(at + 46, nameLength));
        // Zip64 sizes and offset, where the plain fields are full.
        qsizetype x = at + 46 + nameLength;
        const qsizetype xEnd = qMin(x + extraLength, dir.size());
        while (x + 4 <= xEnd) {
            const int id = u16(dir, x);
            const int len = u16(dir, x + 2);
            qsizetype p = x + 4;
            if (id == 0x0001) {
                if (m.size == 0xffffffffu && p + 8 <= xEnd) {
                    m.size = u64(dir, p);
                    p += 8;
                }
                if (m.packed == 0xffffffffu && p + 8 <= xEnd) {
                    m.packed = u64(dir, p);
                    p += 8;
                }
                if (m.local == 0xffffffffu && p + 8 <= xEnd)
                    m.local = u64(dir, p);
            }
            x += 4 + len;
        }
        members->append(m);
        at += 46 + nameLength + extraLength + commentLength;
    }
    return true;
}

} // namespace

bool readZipMembers(const QString& path, const ZipPieces& take, QString* error) {
    QString why;
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    QList<Member> members;
    if (!directory(file, &members, &why))
        return fail(why);
    for (const Member& m : std::as_const(members)) {
        const QString damaged = QStringLiteral("o membro %1 do zip está danificado").arg(m.name);
        if (!file.seek(qint64(m.local)))
            return fail(damaged);
        const QByteArray header = file.read(30);
        if (header.size() < 30 || u32(header, 0) != 0x04034b50 ||
            !file.seek(qint64(m.local) + 30 + u16(header, 26) + u16(header, 28)))
            return fail(damaged);
        if (m.method != 0 && m.method != 8)
            return fail(damaged);
        z_stream z{};
        if (m.method == 8 && inflateInit2(&z, -MAX_WBITS) != Z_OK)
            return fail(damaged);
        quint64 left = m.packed;
        quint64 produced = 0;
        uLong crc = crc32(0, nullptr, 0);
        bool first = true;
        bool ok = true;
        bool stopped = false;
        QByteArray out;
        bool streamEnded = m.method == 0;
        while (ok && !stopped) {
            const QByteArray in = file.read(qint64(qMin<quint64>(left, kPiece)));
            if (qint64(in.size()) != qint64(qMin<quint64>(left, kPiece))) {
                ok = false;
                break;
            }
            left -= quint64(in.size());
            const bool lastInput = left == 0;
            if (m.method == 0) {
                out = in;
            } else {
                out.clear();
                z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
                z.avail_in = uInt(in.size());
                do {
                    const qsizetype before = out.size();
                    out.resize(before + kPiece);
                    z.next_out = reinterpret_cast<Bytef*>(out.data() + before);
                    z.avail_out = uInt(kPiece);
                    const int rc = inflate(&z, Z_NO_FLUSH);
                    out.resize(before + kPiece - qsizetype(z.avail_out));
                    if (rc == Z_STREAM_END) {
                        streamEnded = true;
                        break;
                    }
                    if (rc != Z_OK && rc != Z_BUF_ERROR) {
                        ok = false;
                        break;
                    }
                    if (rc == Z_BUF_ERROR && z.avail_in == 0)
                        break;
                } while (z.avail_in > 0 || z.avail_out == 0);
            }
            if (!ok)
                break;
            produced += quint64(out.size());
            crc = crc32(crc, reinterpret_cast<const Bytef*>(out.constData()), uInt(out.size()));
            const bool last = lastInput || streamEnded;
            if (last && (!streamEnded || produced != m.size || crc != m.crc)) {
                ok = false;
                break;
            }
            if (!take(m.name, out, first, last))
                stopped = true;
            first = false;
            if (last)
                break;
        }
        if (m.method == 8)
            inflateEnd(&z);
        if (!ok)
            return fail(damaged);
        if (stopped) {
            if (error)
                error->clear();
            return false;
        }
    }
    return true;
}

} // namespace falq
