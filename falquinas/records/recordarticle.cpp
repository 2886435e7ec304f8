#include "recordarticle.h"

#include "codenames.h"

#include "commercialarticle.h"
#include "dataset.h"
#include "plantroot.h"
#include "session.h"
#include "unitDtFalquinas.h"

#include <QLabel>

namespace falq {

namespace {
const QString kFillProduct = QStringLiteral("Preencha o Nº do Produto 1º");
const QString kProcessing = QStringLiteral("Processamento em Curso ... Aguarde por favor ...");
const QString kArticleExists = QStringLiteral("Artigo Já Existe na Gestão Comercial");

} // namespace

void openRecordArticle(Session& session, Dataset& record, const QString& numberField,
                       const RecordArticleKind& kind, const QImage& photo, QLabel* status,
                       const std::function<void()>& refresh) {
    Messages& messages = session.messages();
    const QString year = session.context().workingYear;
    Dataset* stock = session.dataset(ds::STKPARGER);
    stock->open();
    if (!stock->locate({QStringLiteral("ANO")}, {year})) {
        stock->close();
        messages.show(kind.noStockYear + year, true);
        return;
    }
    const QString prefix = fieldText(stock->fieldValue(kind.prefixColumn));
    stock->close();
    const QString product = fieldText(record.fieldValue(QStringLiteral("PRODNRO")));
    article::ArticleData data;
    data.code = article::articleCode(prefix, product);
    data.description = article::articleDescription(
        kind.lead, product, fieldText(record.fieldValue(QStringLiteral("SIGLACLI"))));
    if (product.isEmpty()) {
        messages.show(kFillProduct, true);
        return;
    }
    data.family = kind.family;
    for (const QString& measure : kind.measures)
        data.extra.insert(measure, record.fieldValue(measure).toInt());
    if (!kind.measures.isEmpty())
        data.extra.insert(QStringLiteral("MEDIDAS"), QStringLiteral("S"));
    data.reference = fieldText(record.fieldValue(QStringLiteral("REFERENCIA")));
    data.opened = QDateTime::currentDateTime();
    status->setText(kProcessing);
    status->repaint();
    const QString number = fieldText(record.fieldValue(numberField));
    const article::Result result = article::createArticle(*session.dataset(ds::ARTIGOSCLS), record,
                                                          QStringLiteral("COMERCIALNRO"), data);
    refresh();
    switch (result.outcome) {
    case article::Outcome::AlreadyExists:
        status->clear();
        messages.show(kArticleExists, true);
        if (!kind.photoForExisting)
            return;
        break;
    case article::Outcome::ArticleFailed:
        status->clear();
        if (!result.aborted)
            messages.show(QStringLiteral("O Artigo %1 não foi criado na Gestão Comercial: %2")
                              .arg(data.code, result.error),
                          true);
        return;
    case article::Outcome::LinkFailed:
        messages.show(QStringLiteral("O Artigo %1 foi criado na Gestão Comercial, mas o %2 "
                                     "%3 ainda não ficou ligado a ele%4. A ligação é gravada "
                                     "quando voltar à grelha ou fechar a janela.")
                          .arg(data.code, kind.recordWord, number,
                               result.error.isEmpty() ? QString()
                                                      : QStringLiteral(" (%1)").arg(result.error)),
                      true);
        break;
    case article::Outcome::Created:
        break;
    }
    // The photo of the article: the record's photo as a BMP file in the invoicing photo folder.
    Dataset* invoicing = session.dataset(ds::FACPARGER);
    invoicing->open();
    if (invoicing->locate({QStringLiteral("ANO")}, {year})) {
        QString error;
        if (!article::savePhoto(photo, resolveFolder(fieldText(invoicing->fieldValue("PATHFOTO"))),
                                data.code, &error) &&
            !error.isEmpty())
            messages.show(error, true);
    }
    invoicing->close();
    status->clear();
}

} // namespace falq
