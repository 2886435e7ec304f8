// "Registo de Reparações em Clichés e Cortantes": the rows an entry writes (a die repair, a
// cliché purchase), the proposed supplier and supplier 0, the field checks and their
// messages, the save reached with the mouse, one row per entry, a refused apply, the rights.
#include "CORTP031.h"
#include "lookupmenu.h"
#include "registerrun.h"

using namespace falq;
using test::settle;

namespace {
using Register = test::RegisterOn<TCORTF031>;

QString digits(const QDate& d) {
    return d.toString(QStringLiteral("ddMMyyyy"));
}
} // namespace

class TestRepairsRegister : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }

    void dieRepairStoresItsRow() {
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        QVERIFY(!e.w("Edit_Desenho")->isEnabled()); // browsing: the boxes only show
        e.insert("D-1");
        QCOMPARE(e.focused(), QStringLiteral("Edit_Tipo"));
        QVERIFY(!e.w("Edit_Cliche")->isEnabled());
        // The drawing's supplier is proposed.
        QCOMPARE(e.w("Edit_Fornecedor")->text(), QStringLiteral("5"));
        QCOMPARE(e.w("Edit_FornSigla")->text(), QStringLiteral("GRAV"));
        QCOMPARE(e.w("Edit_DatEnc")->text(),
                 e.run.session.context().workingDate.toString("dd/MM/yyyy"));
        e.fill("Edit_Tipo", "R");
        e.fill("Edit_EncNro", "77");
        e.fill("Edit_FacNro", "88");
        e.fill("Edit_Valor", "1.234,5");
        e.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 1);
        QCOMPARE(r.value("REPARACOES", "TIPO").toString(), QStringLiteral("R"));
        QCOMPARE(r.value("REPARACOES", "TIPOREG").toString(), QStringLiteral("DS"));
        QCOMPARE(r.value("REPARACOES", "DESENHONRO").toString(), QStringLiteral("D-1"));
        QCOMPARE(r.value("REPARACOES", "CLICHENRO").toString(), QString());
        QCOMPARE(r.value("REPARACOES", "CLICHENRO").isNull(), false);
        QCOMPARE(r.value("REPARACOES", "SIGLACLI").toString(), QStringLiteral("NORTE"));
        QCOMPARE(r.value("REPARACOES", "FORNECEDOR").toInt(), 5);
        QCOMPARE(r.value("REPARACOES", "FORNSIGLA").toString(), QStringLiteral("GRAV"));
        QCOMPARE(r.value("REPARACOES", "ENCNRO").toInt(), 77);
        QCOMPARE(r.value("REPARACOES", "FACNRO").toInt(), 88);
        QCOMPARE(r.value("REPARACOES", "VALOR").toDouble(), 1234.5);
        QCOMPARE(r.rows("REPARACOES", "FACDATA IS NULL"), 1);
        QVERIFY(e.messages.shown.isEmpty());
        // Browsing again: the boxes show the new row, invoice included, and are disabled.
        QCOMPARE(e.w("Edit_FacNro")->text(), QStringLiteral("88"));
        QVERIFY(!e.w("Edit_Tipo")->isEnabled());
    }

    void clichePurchaseWithSupplierZero() {
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        e.insert();
        QTest::keyClick(e.w("Edit_Desenho"), Qt::Key_Tab); // empty: on to the cliché
        settle();
        QCOMPARE(e.focused(), QStringLiteral("Edit_Cliche"));
        // Cut to 12 characters.
        QTest::keyClicks(e.w("Edit_Cliche"), "CL-123456789XYZ");
        e.tab("Edit_Cliche");
        QCOMPARE(e.focused(), QStringLiteral("Edit_Tipo"));
        QVERIFY(!e.w("Edit_Desenho")->isEnabled());
        QCOMPARE(e.w("Edit_FornSigla")->text(), QStringLiteral("POLI"));
        e.fill("Edit_Tipo", "C");
        e.fill("Edit_EncNro", "5");
        e.fill("Edit_FacNro", "6");
        e.fill("Edit_FacData", digits(QDate(2026, 2, 28)));
        e.fill("Edit_Fornecedor", "0");
        QCOMPARE(e.w("Edit_FornSigla")->text(), QString());
        e.type("Edit_Valor", "0,00"); // a value, although nothing is charged
        e.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 1);
        QCOMPARE(r.value("REPARACOES", "CLICHENRO").toString(), QStringLiteral("CL-123456789"));
        QCOMPARE(r.value("REPARACOES", "DESENHONRO").toString(), QString());
        QCOMPARE(r.value("REPARACOES", "TIPOREG").toString(), QStringLiteral("CL"));
        QCOMPARE(r.value("REPARACOES", "TIPO").toString(), QStringLiteral("C"));
        QCOMPARE(r.value("REPARACOES", "SIGLACLI").toString(), QStringLiteral("SUL"));
        QCOMPARE(r.value("REPARACOES", "FORNECEDOR").toInt(), 0);
        QCOMPARE(r.value("REPARACOES", "FORNSIGLA").toString(), QString());
        QCOMPARE(r.value("REPARACOES", "VALOR").toDouble(), 0.0);
        QCOMPARE(r.value("REPARACOES", "FACDATA").toDateTime().date(), QDate(2026, 2, 28));
    }

    void unknownNumbersAndSupplier() {
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        e.insert("D-9");
        QCOMPARE(e.messages.shown, QStringList{"Desenho Inexistente ..."});
        QCOMPARE(e.focused(), QStringLiteral("Edit_Desenho"));
        e.type("Edit_Desenho", "");
        e.tab("Edit_Desenho");
        QTest::keyClicks(e.w("Edit_Cliche"), "Z-1");
        e.tab("Edit_Cliche");
        QCOMPARE(e.messages.shown.last(), QStringLiteral("Cliche Inexistente ..."));
        QCOMPARE(e.focused(), QStringLiteral("Edit_Cliche"));
        e.type("Edit_Cliche", "A-100");
        e.tab("Edit_Cliche");
        e.fill("Edit_Tipo", "R");
        e.fill("Edit_EncNro", "1");
        e.fill("Edit_Fornecedor", "99");
        QCOMPARE(e.messages.shown.last(), QStringLiteral("Fornecedor Inexistente ..."));
        QCOMPARE(e.focused(), QStringLiteral("Edit_Fornecedor"));
        QCOMPARE(e.w("Edit_FornSigla")->text(), QString());
        QCOMPARE(r.rows("REPARACOES"), 0);
    }

    void refusedBoxesStopTheSave_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: a beep only
        QTest::newRow("value 0") << "Edit_Valor"
                                 << "0"
                                 << "Valor Inválido ...";
        QTest::newRow("value empty") << "Edit_Valor"
                                     << ""
                                     << "Valor Inválido ...";
        QTest::newRow("value text") << "Edit_Valor"
                                    << "doze"
                                    << "Valor Inválido ...";
        QTest::newRow("value with a decimal point") << "Edit_Valor"
                                                    << "1.5"
                                                    << "Valor Inválido ...";
        QTest::newRow("type X") << "Edit_Tipo"
                                << "X"
                                << "";
        QTest::newRow("requisition 0") << "Edit_EncNro"
                                       << "0"
                                       << "";
        QTest::newRow("requisition too large") << "Edit_EncNro"
                                               << "99999999999"
                                               << "Valor Inválido ...";
        QTest::newRow("invoice empty") << "Edit_FacNro"
                                       << ""
                                       << "";
        QTest::newRow("impossible date") << "Edit_FacData"
                                         << "31022026"
                                         << "Data Inválida ...";
        QTest::newRow("supplier text") << "Edit_Fornecedor"
                                       << "x5"
                                       << "Fornecedor Inexistente ...";
        QTest::newRow("requisition date empty") << "Edit_DatEnc"
                                                << ""
                                                << "";
    }
    void refusedBoxesStopTheSave() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        e.insert("D-2");
        e.type("Edit_Tipo", "R");
        e.type("Edit_EncNro", "1");
        e.type("Edit_FacNro", "2");
        e.type("Edit_Valor", "10");
        e.type(qPrintable(box), typed);
        const int beeps = e.messages.lonelyBeeps;
        e.clickGrid(); // the save reads and checks every box
        QCOMPARE(r.rows("REPARACOES"), 0);
        QCOMPARE(e.focused(), box);
        if (message.isEmpty()) {
            QVERIFY(e.messages.shown.isEmpty());
            QVERIFY(e.messages.lonelyBeeps > beeps);
        } else {
            QCOMPARE(e.messages.shown, QStringList{message});
        }
        // Corrected, the grid saves.
        e.type(qPrintable(box), box == "Edit_Tipo"         ? QStringLiteral("C")
                                : box == "Edit_Fornecedor" ? QStringLiteral("5")
                                : box.contains("Dat") || box.contains("Data")
                                    ? digits(QDate(2026, 3, 1))
                                    : QStringLiteral("3"));
        e.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 1);
    }

    // "1.500" is fifteen hundred, as the plant writes it.
    void valueReadWithTheDecimalComma() {
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        e.insert("D-1");
        e.type("Edit_Tipo", "C");
        e.type("Edit_EncNro", "1");
        e.type("Edit_FacNro", "2");
        e.type("Edit_Valor", "1.500");
        e.clickGrid();
        QCOMPARE(r.value("REPARACOES", "VALOR").toDouble(), 1500.0);
    }

    // A cliché typed and the grid clicked at once: the boxes the cliché made part of the row
    // are checked and read as they show.
    void saveChecksTheBoxesTheNumberOpened() {
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        e.insert();
        e.tab("Edit_Desenho");
        QTest::keyClicks(e.w("Edit_Cliche"), "A-100");
        e.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 0);
        QCOMPARE(e.focused(), QStringLiteral("Edit_Tipo")); // empty: a beep
        e.type("Edit_Tipo", "C");
        e.type("Edit_EncNro", "5");
        e.type("Edit_FacNro", "6");
        e.type("Edit_Valor", "12,5");
        e.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 1);
        QCOMPARE(r.value("REPARACOES", "CLICHENRO").toString(), QStringLiteral("A-100"));
        QCOMPARE(r.value("REPARACOES", "DATENC").toDateTime().date(),
                 e.run.session.context().workingDate);
        QCOMPARE(r.value("REPARACOES", "VALOR").toDouble(), 12.5);
    }

    // Emptying the chosen drawing drops it, its client and its proposed supplier.
    void emptiedNumberDropsTheChoice() {
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        e.insert("D-2"); // client SUL, supplier 6
        e.type("Edit_Tipo", "R");
        e.click("Edit_Desenho");
        e.type("Edit_Desenho", "");
        e.tab("Edit_Desenho");
        QCOMPARE(e.focused(), QStringLiteral("Edit_Cliche"));
        QVERIFY(e.w("Edit_Cliche")->isEnabled());
        QCOMPARE(e.w("Edit_Fornecedor")->text(), QString());
        QTest::keyClicks(e.w("Edit_Cliche"), "A-100"); // client NORTE, supplier 5
        e.tab("Edit_Cliche");
        QCOMPARE(e.focused(), QStringLiteral("Edit_Tipo"));
        QCOMPARE(e.w("Edit_FornSigla")->text(), QStringLiteral("GRAV"));
        e.type("Edit_EncNro", "1");
        e.type("Edit_FacNro", "1");
        e.type("Edit_Valor", "3");
        e.click("Edit_Valor");
        QTest::keyClick(e.w("Edit_Valor"), Qt::Key_Return); // Enter after the last box saves
        settle();
        QCOMPARE(r.rows("REPARACOES"), 1);
        QCOMPARE(r.value("REPARACOES", "TIPOREG").toString(), QStringLiteral("CL"));
        QCOMPARE(r.value("REPARACOES", "DESENHONRO").toString(), QString());
        QCOMPARE(r.value("REPARACOES", "SIGLACLI").toString(), QStringLiteral("NORTE"));
        QCOMPARE(r.value("REPARACOES", "FORNECEDOR").toInt(), 5);
    }

    void saveByMouseStoresTypedValues() {
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        e.insert("D-1");
        e.fill("Edit_Tipo", "R");
        e.fill("Edit_EncNro", "11");
        e.fill("Edit_FacNro", "12");
        e.type("Edit_Valor", "50");
        // Changed after leaving, then the grid clicked: the typed values are stored.
        e.type("Edit_EncNro", "21");
        e.type("Edit_Fornecedor", "6");
        e.type("Edit_Valor", "75,25");
        e.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 1);
        QCOMPARE(r.value("REPARACOES", "ENCNRO").toInt(), 21);
        QCOMPARE(r.value("REPARACOES", "VALOR").toDouble(), 75.25);
        QCOMPARE(r.value("REPARACOES", "FORNECEDOR").toInt(), 6);
        QCOMPARE(r.value("REPARACOES", "FORNSIGLA").toString(), QStringLiteral("POLI"));
    }

    void numberLeftTwiceHoldsOneRow() {
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        e.insert("D-1");
        e.click("Edit_Desenho");
        e.type("Edit_Desenho", "D-2");
        e.tab("Edit_Desenho");
        e.fill("Edit_Tipo", "C");
        e.fill("Edit_EncNro", "1");
        e.fill("Edit_FacNro", "1");
        e.fill("Edit_Valor", "9");
        e.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 1);
        QCOMPARE(r.value("REPARACOES", "DESENHONRO").toString(), QStringLiteral("D-2"));
        QCOMPARE(r.value("REPARACOES", "SIGLACLI").toString(), QStringLiteral("SUL"));
    }

    void bothNumbersEmptyAddNothing() {
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        e.insert();
        e.tab("Edit_Desenho");
        QCOMPARE(e.focused(), QStringLiteral("Edit_Cliche"));
        e.tab("Edit_Cliche");
        QCOMPARE(e.focused(), QStringLiteral("Edit_Desenho")); // back and forth
        e.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 0);
        QVERIFY(e.messages.shown.isEmpty());
        QCOMPARE(int(e.window->mode()), int(RecordEditor::Mode::Browse));
    }

    void pickerFillsTheBox() {
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        QList<registers::ObjectKind> asked;
        e.window->setPicker([&asked](registers::ObjectKind kind) {
            asked << kind;
            return QStringLiteral("D-2");
        });
        e.insert("%");
        QCOMPARE(asked.size(), 1);
        QCOMPARE(e.w("Edit_Desenho")->text(), QStringLiteral("D-2"));
        QCOMPARE(e.focused(), QStringLiteral("Edit_Desenho"));
        e.tab("Edit_Desenho");
        QCOMPARE(e.focused(), QStringLiteral("Edit_Tipo"));
        QCOMPARE(e.w("Edit_FornSigla")->text(), QStringLiteral("POLI"));
    }

    void refusedApplyWritesNothing() {
        Register r;
        QVERIFY(r.refuseAbove("REPARACOES", "VALOR", 1000));
        QVERIFY(r.open());
        auto& e = r.e;
        e.insert("D-1");
        e.fill("Edit_Tipo", "R");
        e.fill("Edit_EncNro", "1");
        e.fill("Edit_FacNro", "1");
        e.type("Edit_Valor", "5000");
        e.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 0);
        QCOMPARE(e.messages.shown.size(), 1);
        QVERIFY(e.messages.shown.first().contains("CK_LIMITE", Qt::CaseInsensitive));
        // The row stays to be corrected; no other entry starts meanwhile.
        QVERIFY(e.w("Edit_Valor")->isEnabled());
        e.button("BotInserir")->click();
        settle();
        QCOMPARE(int(e.window->mode()), int(RecordEditor::Mode::Browse));
        e.click("Edit_Valor");
        e.type("Edit_Valor", "500");
        e.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 1);
        QCOMPARE(r.value("REPARACOES", "VALOR").toDouble(), 500.0);
    }

    void cancelDiscardsAndDeleteAsks() {
        Register r;
        QVERIFY(r.inst.exec("main", "INSERT INTO REPARACOES (CLICHENRO, DESENHONRO, TIPO, ENCNRO, "
                                    "DATENC, FORNECEDOR, FORNSIGLA, VALOR, TIPOREG, SIGLACLI, "
                                    "FACNRO, FACDATA, ADEBITAR_CLIENTE) VALUES ('', 'D-1', 'R', 4, "
                                    "'2026-01-05 00:00:00', 5, 'GRAV', 30, 'DS', 'NORTE', 44, "
                                    "'2026-01-09 00:00:00', 'S')"));
        QVERIFY(r.open());
        auto& e = r.e;
        // The row display fills the invoice too.
        QCOMPARE(e.w("Edit_FacNro")->text(), QStringLiteral("44"));
        QCOMPARE(e.w("Edit_FacData")->text(), QStringLiteral("09/01/2026"));
        // "D.Cli." is a check box, as in the listing.
        const QModelIndex charged = e.grid()->model()->index(0, 10);
        QCOMPARE(e.grid()->model()->headerData(10, Qt::Horizontal).toString(),
                 QStringLiteral("D.Cli."));
        QCOMPARE(charged.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        e.insert("D-2");
        e.button("BotCancelar")->click();
        settle();
        QCOMPARE(r.rows("REPARACOES"), 1);
        // The boxes are cleared, the requisition date back to the working date.
        const QString working = e.run.session.context().workingDate.toString("dd/MM/yyyy");
        auto cleared = [&e, &working] {
            for (const char* box : {"Edit_Desenho", "Edit_Tipo", "Edit_EncNro", "Edit_FacNro",
                                    "Edit_Fornecedor", "Edit_FornSigla", "Edit_Valor"})
                if (!e.w(box)->text().isEmpty())
                    return false;
            return e.w("Edit_DatEnc")->text() == working;
        };
        QVERIFY(cleared());
        e.messages.answers = {false, true};
        e.button("BotDelete")->click();
        settle();
        QCOMPARE(e.messages.asked, QStringList{"ELIMINAÇÃO !!! Confirma ?"});
        QCOMPARE(r.rows("REPARACOES"), 1);
        QVERIFY(cleared());
        e.button("BotDelete")->click();
        settle();
        QCOMPARE(r.rows("REPARACOES"), 0);
        e.button("BotDelete")->click(); // no row: nothing asked
        settle();
        QCOMPARE(e.messages.asked.size(), 2);
    }

    void closingSavesTheEntry() {
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        e.insert("D-1");
        e.type("Edit_Tipo", "R");
        e.type("Edit_EncNro", "3");
        e.type("Edit_FacNro", "4");
        e.type("Edit_Valor", "");
        e.window->close();
        settle();
        QVERIFY(e.window->isVisible()); // refused: stays open
        QCOMPARE(e.messages.shown, QStringList{"Valor Inválido ..."});
        e.type("Edit_Valor", "8");
        e.window->close();
        settle();
        QVERIFY(!e.window->isVisible());
        QCOMPARE(r.rows("REPARACOES"), 1);
    }

    void rightsShowTheButtons() {
        Register r;
        QVERIFY(r.inst.exec("main", "UPDATE APLICACAODET SET INSERIR = 'N', IMPRIMIR = 'N' "
                                    "WHERE PROGRAMA = 'Registo de Reparacoes'"));
        QVERIFY(r.open());
        auto& e = r.e;
        QVERIFY(!e.button("BotInserir")->isVisible());
        QVERIFY(!e.button("BotCancelar")->isVisible());
        QVERIFY(!e.button("BotPrint")->isVisible());
        QVERIFY(e.button("BotDelete")->isVisible());
    }

    void printOpensTheListingAndTypeShowsItsPanel() {
        Register r;
        QVERIFY(r.open());
        auto& e = r.e;
        int opened = 0;
        e.window->setListingOpener([&opened] { ++opened; });
        e.button("BotPrint")->click();
        QCOMPARE(opened, 1);
        e.insert("D-1");
        QVERIFY(e.window->findChild<QWidget*>("PanelTipo")->isVisible());
        QCOMPARE(e.window->statusText(), QStringLiteral("Digite C, Compra de Novo, R, Reparação"));
        e.fill("Edit_Tipo", "R");
        QVERIFY(!e.window->findChild<QWidget*>("PanelTipo")->isVisible());
        e.fill("Edit_EncNro", "1");
        e.click("Edit_Fornecedor");
        QCOMPARE(
            e.window->statusText(),
            QStringLiteral("Tecla <INS> ... Procura Numérica, <CTRL+INS> Procura Alfabética ..."));
    }
};

QTEST_MAIN(TestRepairsRegister)
#include "tst_repairs_register.moc"
