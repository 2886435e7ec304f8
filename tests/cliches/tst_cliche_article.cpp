// The commercial article of a cliché ("Artigo"): its code, description and values, the stock
// year, the link written back to the cliché, the photo copy, and what the user is told when
// one of the two databases refuses its write.
#include "commercialarticle.h"
#include "editorrun.h"
#include "imagecontrol.h"

#include <QFile>
#include <QPainter>

using namespace falq;
using test::settle;

namespace {

const QString kProcessing = QStringLiteral("Processamento em Curso ... Aguarde por favor ...");

QString year() {
    return QString::number(QDate::currentDate().year());
}

QString photoFolder(test::Installation& inst) {
    return resolveFolder(
        inst.scalar("fact", "SELECT PATHFOTO FROM PARGER WHERE ANO = ?", {year()}).toString(),
        inst.root());
}

void writePicture(const QString& path) {
    QImage image(160, 100, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(path, "JPG"));
}

int articles(test::Installation& inst) {
    return inst.scalar("fact", "SELECT COUNT(*) FROM ARTIGOSCLS").toInt();
}

} // namespace

class TestClicheArticle : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void codeAndDescription();
    void valuesOfTheNewArticle();
    void createdLinkedWithPhotoAndOnlyOnce();
    void stockYearMissing();
    void productNumberMissing();
    void productNumberThatCannotNameAFile();
    void noPictureNoPhoto();
    void articleRefusedNothingLinked();
    void linkRefusedArticleWithoutLinkIsTold();
};

void TestClicheArticle::codeAndDescription() {
    QCOMPARE(article::articleCode("CLI", "12345678"), QStringLiteral("CLI12345678"));
    QCOMPARE(article::articleCode("ABCDEFGHIJKLMNOPQR", "77"), QStringLiteral("ABCDEFGHIJKLMNOP"));
    QCOMPARE(article::articleCode("CLICHES", "1234567890"), QStringLiteral("CLICHES123456789"));
    QCOMPARE(article::articleDescription("Cliché, CA", "P1", "NORTE"),
             QStringLiteral("Cliché, CAP1, NORTE"));
    const QString longName =
        article::articleDescription("Cliché, CA", "12345678", "Cartonagem Norte e Sul, Lda");
    QCOMPARE(longName.size(), 40);
    QVERIFY(longName.startsWith("Cliché, CA12345678, Cartonagem"));
}

void TestClicheArticle::valuesOfTheNewArticle() {
    article::ArticleData data;
    data.code = "CLIP1";
    data.description = "Cliché, CAP1, NORTE";
    data.family = "CLICHÉS";
    data.reference = "Caixa de 12 garrafas de vinho"; // longer than VOSREF holds
    data.opened = QDateTime(QDate(2026, 3, 4), QTime(10, 11, 12));
    const QMap<QString, QVariant> row = article::articleRow(data);
    QCOMPARE(row.value("CODIGO").toString(), QStringLiteral("CLIP1"));
    QCOMPARE(row.value("DESIGNACAO"), row.value("DESIGNACAO1"));
    QCOMPARE(row.value("TIPOARTIGO").toString(), QStringLiteral("9"));
    QCOMPARE(row.value("FAMILIA").toString(), QStringLiteral("CLICHÉS"));
    for (const char* unit : {"UNVENDA", "UNCOMPRA", "UNCONV"})
        QCOMPARE(row.value(unit).toString(), QStringLiteral("Und"));
    QCOMPARE(row.value("VOSREF").toString(), QStringLiteral("Caixa de 12 gar"));
    QCOMPARE(row.value("CODIVA").toInt(), 1);
    QCOMPARE(row.value("NROFOTOS").toInt(), 1);
    for (const char* flag : {"DESCONTINUADO", "MEDIDAS", "GRELHA", "ROTURA", "FICTEC", "USA_EXIST"})
        QCOMPARE(row.value(flag).toString(), QStringLiteral("N"));
    for (const char* empty : {"CCUSTO", "POSPAUTAL", "CORDES", "TAMDES", "FICHABASE", "LOTE"}) {
        QVERIFY2(row.contains(empty), empty);
        QCOMPARE(row.value(empty).toString(), QString());
    }
    for (const char* zero : {"PESO", "PRECO4", "STKMAX", "VALOR_PMC", "CUSTOM9", "NEFIO"})
        QCOMPARE(row.value(zero).toDouble(), 0.0);
    QCOMPARE(row.value("DTABERTURA").toDateTime(), data.opened);
    for (const char* left : {"DTULTENT", "DTULTSAI", "DTULTDEV", "DTULTINV", "DATAACTPRECOS"})
        QVERIFY2(!row.contains(left), left);
}

void TestClicheArticle::createdLinkedWithPhotoAndOnlyOnce() {
    test::EditorOn t(QStringList{});
    auto& [inst, e] = t;
    test::addCliche(inst, "A-100", {{"PRODNRO", "P123"}, {"REFERENCIA", "Tabuleiro"}});
    writePicture(QDir(test::clicheFolder(inst)).filePath("A-100.JPG"));
    QVERIFY(t.open());
    QTRY_VERIFY(!e.w<ImageControl>("ML1")->isLoading() && !e.w<ImageControl>("ML1")->isEmpty());
    QCOMPARE(e.button("BotAbrirArtigo")->toolTip(),
             QStringLiteral("Abrir Artigo na Gestão Comercial"));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    e.button("BotAbrirArtigo")->click();
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    QVERIFY2(e.messages.shown.isEmpty(), qPrintable(e.messages.shown.join('|')));
    QCOMPARE(articles(inst), 1);
    QSqlDatabase fact = inst.open("fact");
    QSqlQuery q(fact);
    QVERIFY(q.exec("SELECT CODIGO, DESIGNACAO, DESIGNACAO1, FAMILIA, VOSREF, DTABERTURA, "
                   "TIPOARTIGO, DTULTENT FROM ARTIGOSCLS") &&
            q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("CLIP123"));
    QCOMPARE(q.value(1).toString(), QStringLiteral("Cliché, CAP123, NORTE"));
    QCOMPARE(q.value(2).toString(), QStringLiteral("Cliché, CAP123, NORTE"));
    QCOMPARE(q.value(3).toString(), QStringLiteral("CLICHÉS"));
    QCOMPARE(q.value(4).toString(), QStringLiteral("Tabuleiro"));
    const QDateTime opened = parseDateTime(q.value(5));
    QVERIFY2(opened >= before && opened <= after, qPrintable(opened.toString(Qt::ISODate)));
    QCOMPARE(q.value(6).toString(), QStringLiteral("9"));
    QVERIFY(q.value(7).isNull());
    // Linked back, shown at once.
    QCOMPARE(inst.scalar("main", "SELECT COMERCIALNRO FROM CLICHES").toString(),
             QStringLiteral("CLIP123"));
    QCOMPARE(e.w("DBEdit1")->text(), QStringLiteral("CLIP123"));
    QCOMPARE(e.window->statusText(), QString());
    // The preview as a BMP file in the invoicing photo folder.
    QFile photo(QDir(photoFolder(inst)).filePath("CLIP1231.BMP"));
    QVERIFY(photo.open(QIODevice::ReadOnly));
    QCOMPARE(photo.read(2), QByteArray("BM"));
    photo.close();
    QCOMPARE(QImage(photo.fileName()).size(), QSize(160, 100));
    // The second time it exists; the photo is saved again all the same.
    QVERIFY(photo.remove());
    e.button("BotAbrirArtigo")->click();
    QCOMPARE(e.messages.shown, QStringList{"Artigo Já Existe na Gestão Comercial"});
    QCOMPARE(e.messages.beeps, QList<bool>{true});
    QCOMPARE(articles(inst), 1);
    QVERIFY(photo.exists());
}

void TestClicheArticle::stockYearMissing() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(inst.exec("fact", "DELETE FROM STKPARGER"));
    QVERIFY(t.open());
    e.button("BotAbrirArtigo")->click();
    QCOMPARE(e.messages.shown,
             QStringList{"Aplicação de Stocks não está inicializado no Ano de : " + year()});
    QCOMPARE(e.messages.beeps, QList<bool>{true});
    QCOMPARE(articles(inst), 0);
    QVERIFY(!e.run.session.dataset("STKPARGER")->isOpen());
}

void TestClicheArticle::productNumberMissing() {
    test::EditorOn t(QStringList{});
    auto& [inst, e] = t;
    test::addCliche(inst, "A-100", {{"PRODNRO", ""}});
    QVERIFY(t.open());
    e.button("BotAbrirArtigo")->click();
    QCOMPARE(e.messages.shown, QStringList{"Preencha o Nº do Produto 1º"});
    QCOMPARE(articles(inst), 0);
    QCOMPARE(inst.scalar("main", "SELECT COMERCIALNRO FROM CLICHES").toString(), QString());
}

void TestClicheArticle::productNumberThatCannotNameAFile() {
    test::EditorOn t(QStringList{});
    auto& [inst, e] = t;
    test::addCliche(inst, "A-100", {{"PRODNRO", "7/8"}});
    writePicture(QDir(test::clicheFolder(inst)).filePath("A-100.JPG"));
    QVERIFY(t.open());
    QTRY_VERIFY(!e.w<ImageControl>("ML1")->isLoading() && !e.w<ImageControl>("ML1")->isEmpty());
    e.button("BotAbrirArtigo")->click();
    QCOMPARE(articles(inst), 1);
    QCOMPARE(inst.scalar("main", "SELECT COMERCIALNRO FROM CLICHES").toString(),
             QStringLiteral("CLI7/8"));
    QCOMPARE(e.messages.shown.size(), 1);
    QVERIFY2(e.messages.shown.value(0).contains("ficou sem fotografia"),
             qPrintable(e.messages.shown.value(0)));
    QCOMPARE(QDir(photoFolder(inst)).entryList(QDir::Files), QStringList());
}

void TestClicheArticle::noPictureNoPhoto() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.button("BotAbrirArtigo")->click();
    QVERIFY2(e.messages.shown.isEmpty(), qPrintable(e.messages.shown.join('|')));
    QCOMPARE(articles(inst), 1);
    QCOMPARE(QDir(photoFolder(inst)).entryList(QDir::Files), QStringList());
}

void TestClicheArticle::articleRefusedNothingLinked() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    // The invoicing database refuses the article (here: its table is gone).
    QVERIFY(inst.exec("fact", "DROP TABLE ARTIGOSCLS"));
    e.button("BotAbrirArtigo")->click();
    QCOMPARE(e.messages.shown.size(), 1);
    QVERIFY2(e.messages.shown.value(0).startsWith("O Artigo CLIPA-100 não foi criado"),
             qPrintable(e.messages.shown.value(0)));
    QCOMPARE(inst.scalar("main", "SELECT COMERCIALNRO FROM CLICHES").toString(), QString());
    QVERIFY(!e.run.session.dataset("CLICHES")->hasPendingUpdates());
}

void TestClicheArticle::linkRefusedArticleWithoutLinkIsTold() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    // Another workstation deletes the cliché meanwhile: the link finds no row.
    QVERIFY(inst.exec("main", "DELETE FROM CLICHES"));
    e.button("BotAbrirArtigo")->click();
    QCOMPARE(articles(inst), 1);
    QCOMPARE(e.messages.shown.size(), 1);
    QVERIFY2(e.messages.shown.value(0).startsWith("O Artigo CLIPA-100 foi criado na Gestão "
                                                  "Comercial, mas o Cliché A-100 ainda não ficou "
                                                  "ligado a ele"),
             qPrintable(e.messages.shown.value(0)));
    // The link stays to be written; closing tries again and stays open, "&Cancelar" drops it.
    QVERIFY(e.run.session.dataset("CLICHES")->hasPendingUpdates());
    QVERIFY(!e.window->close());
    QCOMPARE(e.messages.shown.size(), 2);
    e.button("BotCancelar")->click();
    settle();
    QVERIFY(e.window->close());
}

QTEST_MAIN(TestClicheArticle)
#include "tst_cliche_article.moc"
