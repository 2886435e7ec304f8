#pragma once
// The two workstation files that tie a computer to its PARAMUTIL row.
#include <QString>

namespace falq {

struct WorkstationFile {
    enum class Status { Ok, Missing, EmptyLine };
    Status status = Status::Ok;
    QString value; // the last line, cut to the kept width
    QString path;
};

// Reads a workstation file line by line as 8-bit text; every line overwrites the previous
// value and is cut to `width` characters. An empty file leaves `previous`.
WorkstationFile readWorkstationFile(const QString& path, int width, const QString& previous = {});

inline constexpr int kComputerNameWidth = 30;
inline constexpr int kComputerTypeWidth = 1;

QString computerNamePath(); // programas/Computador/Computador.txt under the plant root
QString computerTypePath(); // Programas/Computador/TipoComputador.txt under the plant root

} // namespace falq
