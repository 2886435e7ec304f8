#pragma once
// Where the images and documents of clichés and drawings live, and how files get there.
//
// A record's image is  folder + separator + number + image type  (the folders and the type
// come from the general parameters, PARGER). The number is used as stored, trailing blanks
// included; a folder stored with its own trailing separator gives a doubled separator, which
// the file system takes as one. Documents share the folder and start with the number.
//
// A number gives a file name only when the name stays inside its folder (the safe-name rule
// below); every path built from a number, for reading as for writing, goes through
// imagePath(), which gives no path at all for any other number.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace falq {

struct ImageParameters {
    QString clicheFolder;  // PATHCLICHE
    QString drawingFolder; // PATHDESENHO
    QString imageType;     // TIPOIMAGEM, as ".JPG"
};

// The first PARGER row in code order (empty values when there is none, or when it cannot be
// read: then `error`, when given, says why); a relative folder lies in the plant root.
ImageParameters readImageParameters(const QSqlDatabase& db, QString* error = nullptr);

// folder + native separator + number + type; empty when number + type is not a safe file
// name (numberIsSafeFileName), so that nothing outside the folder is ever read or written.
QString imagePath(const QString& folder, const QString& number, const QString& imageType);
QString clicheImagePath(const ImageParameters& p, const QString& clicheNumber);
QString drawingImagePath(const ImageParameters& p, const QString& drawingNumber);

// The record's own files in `folder` (its image and every document), sorted by name: those
// whose stem is `number`, or that start with `number` + "_" and a suffix, without regard to
// case; never those of a longer number. Wildcard characters in the number are plain
// characters.
QStringList listRecordFiles(const QString& folder, const QString& number);

// True when a file named after `number` stays inside its folder: not empty, no path
// separators or drive colon, not "." or "..", no control characters, and not a device name
// of Windows workstations (CON, NUL, COM1...), with or without an extension.
bool numberIsSafeFileName(const QString& number);
// What every file action says of a number that is no safe file name.
QString unsafeNumberMessage(const QString& number);

// Copies `source` into `folder` as number + `suffix` (as ".JPG" or "_ficha.pdf"), never over
// an existing file (the target is created exclusively) and completely or not at all (a copy
// cut short leaves no file). Returns the new file's path, or an empty text with the reason in
// `error`.
QString copyIntoFolder(const QString& source, const QString& folder, const QString& number,
                       const QString& suffix, QString* error);

} // namespace falq
