#pragma once
// Where the images and documents of clichés and drawings live, and how files get there.
//
// A record's image is  folder + separator + number + image type  (the folders and the type
// come from the general parameters, PARGER). The number is used as stored, trailing blanks
// included; a folder stored with its own trailing separator gives a doubled separator, which
// the file system takes as one. Documents share the folder and start with the number.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace falq {

struct ImageParameters {
    QString clicheFolder;  // PATHCLICHE
    QString drawingFolder; // PATHDESENHO
    QString imageType;     // TIPOIMAGEM, as ".JPG"
};

// The first PARGER row in code order (empty values when there is none).
ImageParameters readImageParameters(const QSqlDatabase& db);

// folder + native separator + number + type.
QString imagePath(const QString& folder, const QString& number, const QString& imageType);
QString clicheImagePath(const ImageParameters& p, const QString& clicheNumber);
QString drawingImagePath(const ImageParameters& p, const QString& drawingNumber);

// The files of `folder` whose names start with `number` (the image and every document of the
// record), sorted by name. Wildcard characters in the number are plain characters.
QStringList listRecordFiles(const QString& folder, const QString& number);

// True when a file named after `number` stays inside its folder: no path separators, no
// "." or ".." and no control characters.
bool numberIsSafeFileName(const QString& number);
// What every file action says of a number that is no safe file name.
QString unsafeNumberMessage(const QString& number);

// Copies `source` into `folder` as number + `suffix` (as ".JPG" or "_ficha.pdf"), never over
// an existing file (the target is created exclusively). Returns the new file's path, or an
// empty text with the reason in `error`.
QString copyIntoFolder(const QString& source, const QString& folder, const QString& number,
                       const QString& suffix, QString* error);

} // namespace falq
