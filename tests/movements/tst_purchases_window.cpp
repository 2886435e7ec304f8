// The purchases and repairs listing windows driven by their boxes: defaults, the rebuild on
// options, boxes left and activation, the refused period, a failed read told once, the options
// each kind of list shows, the print right, the current row's picture and viewer, and the lists
// they preview.
#include "../cliches/editorrun.h"
#include "CORTP031C.h"
#include "CORTP032.h"
#include "connections.h"
#include "dataset.h"
#include "documents.h"
#include "documentspage.h"
#include "imagecontrol.h"
#include "movementregister.h"
#include "viewerwindow.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QRadioButton>

using namespace falq;

namespace {

const QString kBadPeriod = QStringLiteral("Limite de Datas Invalida ...");

template <class Window> struct ListingOn {
    ListingOn() {
        if (inst.ok()) {
            test::writeMovementRegister(inst);
            test::writePurchasesRegister(inst);
        }
    }
    // Opens the session and the window, shown and active, with the previews and viewers
    // recorded instead of shown.
    bool open() {
        if (!inst.ok() || !e.run.start() || !e.run.menu.sessionOpen())
            return false;
        e.reopen();
        e.window->setPreviewRunner([this](movements::PreparedReport& r) {
            previews << r.form.name;
            criteria << r.form.criteria;
        });
        e.window->setViewerRunner([this](QDialog& viewer) {
            viewers << QStringLiteral("%1:%2").arg(
                viewer.metaObject()->className(),
                QFileInfo(static_cast<ViewerWindow&>(viewer).imagePath()).baseName());
        });
        return e.window->isActiveWindow();
    }
    // The requisition numbers listed, in order.
    QList<int> requisitions() const {
        Dataset* rows = e.window->rows();
        rows->fetchAll();
        QList<int> out;
        for (int i = 0; i < rows->rowCount(); ++i)
            out << rows->value(i, QStringLiteral("ENCNRO")).toInt();
        return out;
    }
    // Types a period of March 2026 into the date boxes (each box left with Tab).
    void march() {
        e.fill("Edit_DatEnc1", QStringLiteral("01032026"));
        e.fill("Edit_DatEnc2", QStringLiteral("31032026"));
    }
    // A window over this one opens and closes, as a viewer or a preview does.
    bool reactivate() { return e.reactivate(); }
    void clickRadio(const char* name) {
        QTest::mouseClick(e.template w<QRadioButton>(name), Qt::LeftButton);
        test::settle();
    }
    test::Installation inst;
    test::EditorOf<Window> e;
    QStringList previews;
    QList<QStringList> criteria;
    QStringList viewers;
};

} // namespace

class TestPurchasesWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void listingDefaultsAndOptions();
    void boxesLeftRebuild();
    void invertedPeriodRefused();
    void activationRebuildsDefaultsOnce();
    void failedReadToldOnce_data();
    void failedReadToldOnce();
    void printRightAndLists();
    void pictureAndViewer_data();
    void pictureAndViewer();
    void registerListing();
};

void TestPurchasesWindow::initTestCase() {
    FALQ_REQUIRE_ENGINE();
}

void TestPurchasesWindow::listingDefaultsAndOptions() {
    ListingOn<TCORTF032> l;
    QVERIFY(l.open());
    const QDate today = l.e.run.session.context().workingDate;
    QCOMPARE(l.e.w("Edit_DatEnc1")->text(), QDate(today.year(), 1, 1).toString("dd/MM/yyyy"));
    QCOMPARE(l.e.w("Edit_DatEnc2")->text(), today.toString("dd/MM/yyyy"));
    QCOMPARE(l.e.w("Edit_Fornecedor")->text(), QStringLiteral("%"));
    QCOMPARE(l.e.w("Edit_Cliente")->text(), QStringLiteral("%"));
    QVERIFY(l.e.template w<QRadioButton>("RadDetalhar")->isChecked());
    QVERIFY(l.e.template w<QRadioButton>("RadAmbosTipo")->isChecked());
    QVERIFY(l.e.template w<QRadioButton>("RadAmbosObjecto")->isChecked());
    QVERIFY(!l.e.template w<QGroupBox>("GrpOrdenacao")->isVisible());
    QVERIFY(l.e.template w<QCheckBox>("ChkImpFoto")->isVisible());
    l.march();
    QCOMPARE(l.requisitions(), (QList<int>{102, 107, 106, 103, 105, 104, 101}));
    // The totals show their order and hide the picture; every click rebuilds.
    l.clickRadio("RadTotCliente");
    QVERIFY(l.e.template w<QGroupBox>("GrpOrdenacao")->isVisible());
    QVERIFY(!l.e.template w<QCheckBox>("ChkImpFoto")->isVisible());
    l.clickRadio("RadCompras");
    QCOMPARE(l.requisitions(), (QList<int>{107, 106, 104, 101}));
    l.clickRadio("RadDesenhos");
    QCOMPARE(l.requisitions(), (QList<int>{107, 101}));
    l.clickRadio("RadDetalhar");
    QVERIFY(!l.e.template w<QGroupBox>("GrpOrdenacao")->isVisible());
    QVERIFY(l.e.template w<QCheckBox>("ChkImpFoto")->isVisible());
    QVERIFY(l.e.run.messages.shown.isEmpty());
}

void TestPurchasesWindow::boxesLeftRebuild() {
    ListingOn<TCORTF032> l;
    QVERIFY(l.open());
    l.march();
    l.e.fill("Edit_Fornecedor", QStringLiteral("f%"));
    QCOMPARE(l.requisitions(), (QList<int>{106, 103, 104}));
    l.e.fill("Edit_Cliente", QStringLiteral("b%"));
    QCOMPARE(l.requisitions(), (QList<int>{104}));
    // An emptied pattern is "%" again, and NULL short names come back with it.
    l.e.fill("Edit_Fornecedor", QString());
    QCOMPARE(l.e.w("Edit_Fornecedor")->text(), QStringLiteral("%"));
    QCOMPARE(l.requisitions(), (QList<int>{105, 104}));
    // The last day at 23:59 is in, the first day at midnight too.
    l.e.fill("Edit_Cliente", QStringLiteral("ALFA"));
    QCOMPARE(l.requisitions(), (QList<int>{102, 103, 101}));
    l.e.fill("Edit_DatEnc2", QStringLiteral("30032026"));
    QCOMPARE(l.requisitions(), (QList<int>{103, 101}));
}

void TestPurchasesWindow::invertedPeriodRefused() {
    ListingOn<TCORTF032> l;
    QVERIFY(l.open());
    l.march();
    const QList<int> before = l.requisitions();
    l.e.fill("Edit_DatEnc2", QStringLiteral("28022026"));
    QCOMPARE(l.e.run.messages.shown, QStringList{kBadPeriod});
    QCOMPARE(l.e.focused(), QStringLiteral("Edit_DatEnc1"));
    QCOMPARE(l.e.window->filter().to, QDate(2026, 3, 31));
    QCOMPARE(l.requisitions(), before);
    // A text that is no date stays in its box with its message.
    l.e.run.messages.shown.clear();
    l.e.fill("Edit_DatEnc1", QStringLiteral("31022026"));
    QCOMPARE(l.e.run.messages.shown, QStringList{"Data Inválida ..."});
    QCOMPARE(l.e.focused(), QStringLiteral("Edit_DatEnc1"));
    QCOMPARE(l.e.window->filter().from, QDate(2026, 3, 1));
}

void TestPurchasesWindow::activationRebuildsDefaultsOnce() {
    ListingOn<TCORTF032> l;
    QVERIFY(l.open());
    l.march();
    l.clickRadio("RadReparacoes");
    QCOMPARE(l.requisitions(), (QList<int>{102, 103, 105}));
    const SqlDialect d = SqlDialect::forDatabase(l.inst.open("main"));
    QVERIFY(l.inst.exec("main",
                        "INSERT INTO REPARACOES (CLICHENRO, DESENHONRO, TIPO, ENCNRO, DATENC, "
                        "FORNSIGLA, VALOR, TIPOREG, SIGLACLI) VALUES ('C2', '', 'R', 110, ?, "
                        "'FLEXO', 10, 'CL', 'BETA')",
                        {d.bindDateTime(QDateTime(QDate(2026, 3, 30), QTime(12, 0)))}));
    // A window over it closing (a viewer, a preview) activates it again: the list is read
    // again on the same filter, the boxes keep what was typed.
    QVERIFY(l.reactivate());
    QCOMPARE(l.e.w("Edit_DatEnc1")->text(), QStringLiteral("01/03/2026"));
    QVERIFY(l.e.template w<QRadioButton>("RadReparacoes")->isChecked());
    QCOMPARE(l.requisitions(), (QList<int>{102, 110, 103, 105}));
}

void TestPurchasesWindow::failedReadToldOnce_data() {
    QTest::addColumn<bool>("registerListing");
    QTest::addColumn<QString>("broken");
    QTest::addColumn<QString>("mended");
    QTest::addColumn<QString>("missing"); // what the engine's message names
    QTest::addColumn<bool>("listFails");
    const QString column = "ALTER TABLE REPARACOES RENAME COLUMN %1 TO %2";
    QTest::newRow("list") << false << column.arg("DATENC", "DATENC_X")
                          << column.arg("DATENC_X", "DATENC") << "DATENC" << true;
    QTest::newRow("register's list") << true << column.arg("DATENC", "DATENC_X")
                                     << column.arg("DATENC_X", "DATENC") << "DATENC" << true;
    QTest::newRow("rights") << false << "ALTER TABLE APLICACAODET RENAME TO APLICACAODET_X"
                            << "ALTER TABLE APLICACAODET_X RENAME TO APLICACAODET"
                            << "APLICACAODET" << false;
}

// Every activation reads again; the message box closing is one. A read that keeps failing is
// told once per change of criteria, the window stays usable and closes.
template <class Window>
void failingReads(const QString& broken, const QString& mended, const QString& missing,
                  bool listFails) {
    ListingOn<Window> l;
    QVERIFY(l.open());
    l.march();
    const QList<int> march = l.requisitions();
    QVERIFY(!march.isEmpty());
    QVERIFY(l.inst.exec("main", broken));
    for (int i = 0; i < 3; ++i)
        QVERIFY(l.reactivate());
    QCOMPARE(l.e.run.messages.shown.size(), 1);
    QVERIFY2(l.e.run.messages.shown[0].contains(missing, Qt::CaseInsensitive),
             qPrintable(l.e.run.messages.shown[0]));
    QCOMPARE(l.requisitions().isEmpty(), listFails);
    // Other criteria are read, and told, again.
    l.clickRadio("RadCompras");
    QVERIFY(l.reactivate());
    QCOMPARE(l.e.run.messages.shown.size(), listFails ? 2 : 1);
    QVERIFY(l.inst.exec("main", mended));
    l.clickRadio("RadAmbosTipo");
    QCOMPARE(l.requisitions(), march);
    l.e.button("BitTerminar")->click();
    QVERIFY(!l.e.window->isVisible());
}

void TestPurchasesWindow::failedReadToldOnce() {
    QFETCH(bool, registerListing);
    QFETCH(QString, broken);
    QFETCH(QString, mended);
    QFETCH(QString, missing);
    QFETCH(bool, listFails);
    if (registerListing)
        failingReads<TCORTF031C>(broken, mended, missing, listFails);
    else
        failingReads<TCORTF032>(broken, mended, missing, listFails);
}

void TestPurchasesWindow::printRightAndLists() {
    ListingOn<TCORTF032> l;
    QVERIFY(l.inst.exec("main", "UPDATE APLICACAODET SET IMPRIMIR = 'N' WHERE PROGRAMA = 'Mapa "
                                "de Custos'"));
    QVERIFY(l.open());
    QVERIFY(!l.e.button("BotPrint")->isVisible());
    QVERIFY(l.inst.exec("main", "UPDATE APLICACAODET SET IMPRIMIR = 'S' WHERE PROGRAMA = 'Mapa "
                                "de Custos'"));
    QVERIFY(l.reactivate());
    QVERIFY(l.e.button("BotPrint")->isVisible());
    l.march();
    l.e.button("BotPrint")->click();
    l.clickRadio("RadTotFornec");
    l.clickRadio("RadValor");
    l.e.button("BotPrint")->click();
    l.clickRadio("RadTotCliente");
    l.clickRadio("RadAlfabetica");
    l.e.button("BotPrint")->click();
    QCOMPARE(l.previews, (QStringList{"TCORTFPR032", "TCORTFPR032B", "TCORTFPR032A"}));
    QVERIFY(l.criteria[1].contains("Tipo de Ordenação : Valor de + para -"));
    QVERIFY(l.criteria[2].contains("Tipo de Ordenação : Alfabética"));
    QVERIFY(l.criteria[0].contains("Limite de Datas : 01/03/2026 a 31/03/2026"));
}

void TestPurchasesWindow::pictureAndViewer_data() {
    QTest::addColumn<bool>("registerListing");
    QTest::addColumn<QStringList>("viewers");
    // Rows: the drawing D2's repair (picture), D4's (picture, drawing no longer in the
    // register) and the cliché C3's (no picture file). "Mapa de Custos" opens the record's
    // viewer on a picture shown; the register's list opens the photo viewer on the row's image.
    QTest::newRow("Mapa de Custos") << false << QStringList{"falq::TDesenhoViewer:D2"};
    QTest::newRow("register's list")
        << true
        << QStringList{"falq::TFotoViewer:D2", "falq::TFotoViewer:D4", "falq::TFotoViewer:C3"};
}

template <class Window> void clickPictures(const QStringList& expected) {
    ListingOn<Window> l;
    QVERIFY(l.inst.ok());
    const ImageParameters images = readImageParameters(l.inst.open("main"));
    QDir().mkpath(images.drawingFolder);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(drawingImagePath(images, QStringLiteral("D2")), "JPG"));
    QVERIFY(picture.save(drawingImagePath(images, QStringLiteral("D4")), "JPG"));
    QFile sheet(QDir(images.drawingFolder).filePath(QStringLiteral("D2_ficha.pdf")));
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.write("%PDF-1.4\n");
    sheet.close();
    QVERIFY(l.open());
    l.march();
    QVERIFY(l.inst.exec("main", "DELETE FROM DESENHOS WHERE DESENHONRO = 'D4'"));
    const QStringList shown{"D2", "D4", ""};
    for (int row = 0; row < 3; ++row) {
        l.e.window->rows()->setCurrentRow(row);
        QCOMPARE(l.e.window->pictureItem(), shown[row]);
        // A single click on the picture.
        QTest::mouseClick(l.e.window->picture()->viewport(), Qt::LeftButton);
        if (row == 0) {
            // Its documents are listed; showing one with none selected asks for a choice.
            QCOMPARE(l.e.window->documents()->list()->count(), 2);
            QVERIFY(!l.e.window->documents()->showSelected());
            QCOMPARE(l.e.run.messages.shown,
                     QStringList{"Seleccione 1º o Ficheiro que Deseja ..."});
        }
    }
    QCOMPARE(l.viewers, expected);
}

void TestPurchasesWindow::pictureAndViewer() {
    QFETCH(bool, registerListing);
    QFETCH(QStringList, viewers);
    if (registerListing)
        clickPictures<TCORTF031C>(viewers);
    else
        clickPictures<TCORTF032>(viewers);
}

void TestPurchasesWindow::registerListing() {
    ListingOn<TCORTF031C> l;
    QVERIFY(l.open());
    const QDate today = l.e.run.session.context().workingDate;
    QCOMPARE(l.e.w("Edit_DatEnc1")->text(), today.toString("dd/MM/yyyy"));
    QCOMPARE(l.e.w("Edit_DatEnc2")->text(), today.toString("dd/MM/yyyy"));
    QVERIFY(!l.e.window->findChild<QLineEdit*>("Edit_Cliente"));
    l.march();
    l.clickRadio("RadCompras");
    l.clickRadio("RadDesenhos");
    QCOMPARE(l.requisitions(), (QList<int>{107, 101}));
    l.e.fill("Edit_DatEnc2", QStringLiteral("01012026"));
    QCOMPARE(l.e.run.messages.shown, QStringList{kBadPeriod});
    QCOMPARE(l.e.focused(), QStringLiteral("Edit_DatEnc1"));
    l.e.button("BotPrint")->click();
    QCOMPARE(l.previews, QStringList{"TCORTFPR031A"});
    QVERIFY(l.criteria[0].contains("Compra"));
    QVERIFY(l.criteria[0].contains("Desenhos"));
    QVERIFY(!l.criteria[0].join(' ').contains("Cliente(s)"));
}

QTEST_MAIN(TestPurchasesWindow)
#include "tst_purchases_window.moc"
