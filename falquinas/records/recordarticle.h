#pragma once
// The "Artigo" button of the record editors: the commercial article of the current cliché or
// die created in the invoicing database (stock prefix of the working year + product number),
// its code linked in the record, and the record's photo copied as the article's photo, with
// the messages of each refusal.
#include <QImage>
#include <QStringList>
#include <functional>

class QLabel;

namespace falq {

class Dataset;
class Session;

struct RecordArticleKind {
    QString prefixColumn; // STKPARGER's prefix: COD_CLICHES, COD_CORTANTES
    QString lead;         // of the description: "Cliché, CA", "Cortante, CA"
    QString family;       // "CLICHÉS", "CORTANTES"
    QString recordWord;   // "Cliché", "Desenho" (the message of a link not written)
    QString noStockYear;  // the message without a stock year, followed by the year
    QStringList measures; // columns copied as whole numbers; with them MEDIDAS is "S"
    // The photo is saved for an article that already exists too (clichés); drawings save it
    // only with the article they create.
    bool photoForExisting = false;
};

// Runs "Artigo" on the current row of `record` (its number in `numberField`). `status` shows
// the progress text; `refresh` shows the record again once its link was written (or not).
void openRecordArticle(Session& session, Dataset& record, const QString& numberField,
                       const RecordArticleKind& kind, const QImage& photo, QLabel* status,
                       const std::function<void()>& refresh);

} // namespace falq
