#include "commercialarticle.h"

#include "dataset.h"
#include "imagefiles.h"
#include "schema.h"
#include "wholefile.h"

#include <QImageWriter>

namespace falq::article {

namespace {
const QString kTable = QStringLiteral("ARTIGOSCLS");
const QString kCode = QStringLiteral("CODIGO");
} // namespace

QString articleCode(const QString& prefix, const QString& productNumber) {
    return (prefix.left(16) + productNumber).left(16);
}

QString articleDescription(const QString& lead, const QString& productNumber,
                           const QString& shortName) {
    return (lead + productNumber + QStringLiteral(", ") + shortName).left(40);
}

QMap<QString, QVariant> articleRow(const ArticleData& data) {
    QMap<QString, QVariant> row;
    row[kCode] = data.code;
    row[QStringLiteral("DESIGNACAO")] = data.description;
    row[QStringLiteral("DESIGNACAO1")] = data.description;
    row[QStringLiteral("TIPOARTIGO")] = QStringLiteral("9");
    row[QStringLiteral("FAMILIA")] = data.family;
    for (const char* unit : {"UNVENDA", "UNCOMPRA", "UNCONV"})
        row[QLatin1String(unit)] = QStringLiteral("Und");
    row[QStringLiteral("VOSREF")] = data.reference;
    row[QStringLiteral("CODIVA")] = 1;
    row[QStringLiteral("NROFOTOS")] = 1;
    for (const char* flag : {"DESCONTINUADO", "MEDIDAS", "GRELHA", "ROTURA", "FICTEC", "USA_EXIST"})
        row[QLatin1String(flag)] = QStringLiteral("N");
    row[QStringLiteral("DTABERTURA")] = data.opened;
    for (const char* empty :
         {"CCUSTO", "POSPAUTAL", "CORDES", "TAMDES", "FICHABASE", "CODGRUPO", "LOTE"})
        row[QLatin1String(empty)] = QString(QLatin1String(""));
    for (const char* zero :
         {"PESO",       "VOLUME",    "COMPRIM",   "LARGURA",     "ALTURA",       "PRECO1",
          "PRECO2",     "PRECO3",    "PRECO4",    "FACTCONV",    "PTOENC",       "STKMIN",
          "STKMAX",     "PMCUSTO",   "PULENTRA",  "CUSTOPADRAO", "EXIQTD",       "EXIVAL",
          "QTDCALCULO", "VALOR_CUP", "VALOR_PUE", "VALOR_PMC",   "CODIGOGRELHA", "COMISSAO",
          "COMPOSICAO", "CUSTOM1",   "CUSTOM2",   "CUSTOM3",     "CUSTOM4",      "CUSTOM5",
          "CUSTOM6",    "CUSTOM7",   "CUSTOM8",   "CUSTOM9",     "NEFIO"})
        row[QLatin1String(zero)] = 0;
    for (auto it = data.extra.cbegin(); it != data.extra.cend(); ++it)
        row[it.key()] = it.value();
    // Texts as long as their columns take.
    if (const TableDef* table = schema::findTable(kTable))
        for (auto it = row.begin(); it != row.end(); ++it)
            if (const ColumnDef* c = table->column(it.key()))
                if (c->type == ColumnType::Text && c->size > 0)
                    it.value() = it.value().toString().left(c->size);
    return row;
}

Result createArticle(Dataset& articles, Dataset& record, const QString& linkField,
                     const ArticleData& data) {
    Result result;
    QString error;
    if (!articles.isOpen() && !articles.open(&error)) {
        result.outcome = Outcome::ArticleFailed;
        result.error = error;
        return result;
    }
    if (articles.locate({kCode}, {data.code})) {
        articles.close();
        result.outcome = Outcome::AlreadyExists;
        return result;
    }
    articles.append();
    const QMap<QString, QVariant> row = articleRow(data);
    for (auto it = row.cbegin(); it != row.cend(); ++it)
        articles.setFieldValue(it.key(), it.value());
    articles.post();
    const ApplyResult written = articles.applyUpdates();
    articles.close(); // a failed insert is not kept: nothing of it was written
    if (!written.ok) {
        result.outcome = Outcome::ArticleFailed;
        result.error = written.error;
        result.aborted = written.aborted;
        return result;
    }
    record.edit();
    record.setFieldValue(linkField, data.code);
    record.post();
    const ApplyResult linked = record.applyUpdates();
    if (!linked.ok) {
        result.outcome = Outcome::LinkFailed;
        result.error = linked.error;
        result.aborted = linked.aborted;
    }
    return result;
}

QString photoPath(const QString& folder, const QString& code) {
    return imagePath(folder, code + QStringLiteral("1"), QStringLiteral(".BMP"));
}

bool savePhoto(const QImage& image, const QString& folder, const QString& code, QString* error) {
    error->clear();
    if (image.isNull())
        return false; // nothing to copy: no file, nothing to say
    if (folder.trimmed().isEmpty()) {
        *error = QStringLiteral("A pasta das fotografias da Gestão Comercial não está definida: "
                                "o artigo ficou sem fotografia.");
        return false;
    }
    if (!numberIsSafeFileName(code + QStringLiteral("1.BMP"))) {
        *error = QStringLiteral("O código \"%1\" não pode dar nome a um ficheiro: o artigo ficou "
                                "sem fotografia.")
                     .arg(code);
        return false;
    }
    const QString path = photoPath(folder, code);
    WholeFileWriter file(path, ExistingFile::Replace);
    if (!file.create()) {
        *error = file.error();
        return false;
    }
    QImageWriter writer(&file, "bmp");
    if (writer.write(image) && file.commit())
        return true;
    *error = file.failed() ? file.error() : writeFailure(path, writer.errorString());
    return false;
}

} // namespace falq::article
