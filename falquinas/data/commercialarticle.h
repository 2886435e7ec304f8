#pragma once
// The commercial article of a cliché or a die: one new ARTIGOSCLS row in the company's
// invoicing database, its code kept in the record's COMERCIALNRO, and a BMP copy of the
// record's picture in the invoicing application's photo folder.
//
// The article and the record live in two databases, so no transaction holds both writes. The
// article is written first and the record's link after it: a failure of the first writes
// nothing, a failure of the second leaves an article that the record does not name yet (its
// change stays cached, to be written at the next save) and the caller says so.
#include <QDateTime>
#include <QImage>
#include <QMap>
#include <QString>
#include <QVariant>

namespace falq {

class Dataset;

namespace article {

// The first 16 characters of the stock prefix followed by the product number, cut to 16.
QString articleCode(const QString& prefix, const QString& productNumber);
// lead + product number + ", " + short name, cut to 40 ("Cliché, CA123, CLIENTE").
QString articleDescription(const QString& lead, const QString& productNumber,
                           const QString& shortName);

struct ArticleData {
    QString code;
    QString description;
    QString family;                // "CLICHÉS", "CORTANTES"
    QString reference;             // the record's REFERENCIA (VOSREF)
    QDateTime opened;              // DTABERTURA: the computer's date and time
    QMap<QString, QVariant> extra; // values of further columns (a die's measures)
};

// Every value the new article receives; texts are cut to their columns. Columns not named
// stay empty.
QMap<QString, QVariant> articleRow(const ArticleData& data);

enum class Outcome { Created, AlreadyExists, ArticleFailed, LinkFailed };

struct Result {
    Outcome outcome = Outcome::Created;
    QString error;        // the server's message when a write failed (empty when aborted)
    bool aborted = false; // the user aborted the write in the write-error window
};

// Creates the article in `articles` (ARTIGOSCLS, opened and closed here) unless its code
// exists there (compared as the key is, without regard to case), then writes the code into
// `linkField` of the current row of `record` and applies it.
Result createArticle(Dataset& articles, Dataset& record, const QString& linkField,
                     const ArticleData& data);

// The photo of the article: folder + separator + code + "1" + ".BMP".
QString photoPath(const QString& folder, const QString& code);
// Writes `image` as a BMP file at photoPath(); false with the reason (no folder, a code that
// is no safe file name, an empty picture, a failed write) and no file.
bool savePhoto(const QImage& image, const QString& folder, const QString& code, QString* error);

} // namespace article
} // namespace falq
