#pragma once
// Reading the members of a zip file (.xlsx, .odt) one after the other, each in pieces, so a
// large member is never held whole. Every member is checked against the length and checksum
// the archive gives it.
#include <QByteArray>
#include <QString>

#include <functional>

namespace falq {

// Called with each member's content in pieces: `first` on its first piece, `last` on its last
// (a member may come in one piece, empty or not). Returning false stops the reading.
using ZipPieces =
    std::function<bool(const QString& member, const QByteArray& piece, bool first, bool last)>;

// Reads every member of the zip file `path` in the order of its directory. False with the
// reason in `error` when the file cannot be read, is no zip file or is damaged; false with an
// empty `error` when `take` stopped the reading.
bool readZipMembers(const QString& path, const ZipPieces& take, QString* error);

} // namespace falq
