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

// Types a repair's type, requisition, invoice and value, as many as given; with `leave`, each
// box is left with Tab (its check runs), as a user does.
void typeRow(test::EditorOf<TCORTF031>& r, const QStringList& values, bool leave = false) {
    const char* const boxes[] = {"Edit_Tipo", "Edit_EncNro", "Edit_FacNro", "Edit_Valor"};
    for (int i = 0; i < values.size(); ++i) {
        if (leave)
            r.fill(boxes[i], values[i]);
        else
            r.type(boxes[i], values[i]);
    }
}
} // namespace

class TestRepairsRegister : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }

    void dieRepairStoresItsRow() {
        Register r;
        QVERIFY(r.open());
        QVERIFY(!r.w("Edit_Desenho")->isEnabled()); // browsing: the boxes only show
        r.insert("D-1");
        QCOMPARE(r.focused(), QStringLiteral("Edit_Tipo"));
        QVERIFY(!r.w("Edit_Cliche")->isEnabled());
        // The drawing's supplier is proposed.
        QCOMPARE(r.w("Edit_Fornecedor")->text(), QStringLiteral("5"));
        QCOMPARE(r.w("Edit_FornSigla")->text(), QStringLiteral("GRAV"));
        QCOMPARE(r.w("Edit_DatEnc")->text(),
                 r.run.session.context().workingDate.toString("dd/MM/yyyy"));
        typeRow(r, {"R", "77", "88", "1.234,5"}, true);
        r.clickGrid();
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
        QVERIFY(r.messages.shown.isEmpty());
        // Browsing again: the boxes show the new row, invoice included, and are disabled.
        QCOMPARE(r.w("Edit_FacNro")->text(), QStringLiteral("88"));
        QVERIFY(!r.w("Edit_Tipo")->isEnabled());
    }

    void clichePurchaseWithSupplierZero() {
        Register r;
        QVERIFY(r.open());
        r.insertCliche(); // the drawing empty: on to the cliché
        QCOMPARE(r.focused(), QStringLiteral("Edit_Cliche"));
        // Cut to 12 characters.
        QTest::keyClicks(r.w("Edit_Cliche"), "CL-123456789XYZ");
        r.tab("Edit_Cliche");
        QCOMPARE(r.focused(), QStringLiteral("Edit_Tipo"));
        QVERIFY(!r.w("Edit_Desenho")->isEnabled());
        QCOMPARE(r.w("Edit_FornSigla")->text(), QStringLiteral("POLI"));
        typeRow(r, {"C", "5", "6"}, true);
        r.fill("Edit_FacData", digits(QDate(2026, 2, 28)));
        r.fill("Edit_Fornecedor", "0");
        QCOMPARE(r.w("Edit_FornSigla")->text(), QString());
        r.type("Edit_Valor", "0,00"); // a value, although nothing is charged
        r.clickGrid();
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
        r.insert("D-9");
        QCOMPARE(r.messages.shown, QStringList{"Desenho Inexistente ..."});
        QCOMPARE(r.focused(), QStringLiteral("Edit_Desenho"));
        r.type("Edit_Desenho", "");
        r.tab("Edit_Desenho");
        QTest::keyClicks(r.w("Edit_Cliche"), "Z-1");
        r.tab("Edit_Cliche");
        QCOMPARE(r.messages.shown.last(), QStringLiteral("Cliche Inexistente ..."));
        QCOMPARE(r.focused(), QStringLiteral("Edit_Cliche"));
        r.type("Edit_Cliche", "A-100");
        r.tab("Edit_Cliche");
        r.fill("Edit_Tipo", "R");
        r.fill("Edit_EncNro", "1");
        r.fill("Edit_Fornecedor", "99");
        QCOMPARE(r.messages.shown.last(), QStringLiteral("Fornecedor Inexistente ..."));
        QCOMPARE(r.focused(), QStringLiteral("Edit_Fornecedor"));
        QCOMPARE(r.w("Edit_FornSigla")->text(), QString());
        QCOMPARE(r.rows("REPARACOES"), 0);
    }

    void refusedBoxesStopTheSave_data() {
        test::refusalColumns();
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
        const test::Refusal refusal = test::fetchRefusal();
        const QString& box = refusal.box;
        Register r;
        QVERIFY(r.open());
        r.insert("D-2");
        typeRow(r, {"R", "1", "2", "10"});
        r.saveRefused("REPARACOES", refusal);
        // Corrected, the grid saves.
        r.type(qPrintable(box), box == "Edit_Tipo"         ? QStringLiteral("C")
                                : box == "Edit_Fornecedor" ? QStringLiteral("5")
                                : box.contains("Dat") || box.contains("Data")
                                    ? digits(QDate(2026, 3, 1))
                                    : QStringLiteral("3"));
        r.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 1);
    }

    // "1.500" is fifteen hundred, as the plant writes it.
    void valueReadWithTheDecimalComma() {
        Register r;
        QVERIFY(r.open());
        r.insert("D-1");
        typeRow(r, {"C", "1", "2", "1.500"});
        r.clickGrid();
        QCOMPARE(r.value("REPARACOES", "VALOR").toDouble(), 1500.0);
    }

    // A cliché typed and the grid clicked at once: the boxes the cliché made part of the row
    // are checked and read as they show.
    void saveChecksTheBoxesTheNumberOpened() {
        Register r;
        QVERIFY(r.open());
        r.insertCliche("A-100");
        r.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 0);
        QCOMPARE(r.focused(), QStringLiteral("Edit_Tipo")); // empty: a beep
        typeRow(r, {"C", "5", "6", "12,5"});
        r.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 1);
        QCOMPARE(r.value("REPARACOES", "CLICHENRO").toString(), QStringLiteral("A-100"));
        QCOMPARE(r.value("REPARACOES", "DATENC").toDateTime().date(),
                 r.run.session.context().workingDate);
        QCOMPARE(r.value("REPARACOES", "VALOR").toDouble(), 12.5);
    }

    // Emptying the chosen drawing drops it, its client and its proposed supplier.
    void emptiedNumberDropsTheChoice() {
        Register r;
        QVERIFY(r.open());
        r.insert("D-2"); // client SUL, supplier 6
        r.type("Edit_Tipo", "R");
        r.click("Edit_Desenho");
        r.type("Edit_Desenho", "");
        r.tab("Edit_Desenho");
        QCOMPARE(r.focused(), QStringLiteral("Edit_Cliche"));
        QVERIFY(r.w("Edit_Cliche")->isEnabled());
        QCOMPARE(r.w("Edit_Fornecedor")->text(), QString());
        QTest::keyClicks(r.w("Edit_Cliche"), "A-100"); // client NORTE, supplier 5
        r.tab("Edit_Cliche");
        QCOMPARE(r.focused(), QStringLiteral("Edit_Tipo"));
        QCOMPARE(r.w("Edit_FornSigla")->text(), QStringLiteral("GRAV"));
        r.type("Edit_EncNro", "1");
        r.type("Edit_FacNro", "1");
        r.type("Edit_Valor", "3");
        r.click("Edit_Valor");
        QTest::keyClick(r.w("Edit_Valor"), Qt::Key_Return); // Enter after the last box saves
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
        r.insert("D-1");
        typeRow(r, {"R", "11", "12"}, true);
        r.type("Edit_Valor", "50");
        // Changed after leaving, then the grid clicked: the typed values are stored.
        r.type("Edit_EncNro", "21");
        r.type("Edit_Fornecedor", "6");
        r.type("Edit_Valor", "75,25");
        r.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 1);
        QCOMPARE(r.value("REPARACOES", "ENCNRO").toInt(), 21);
        QCOMPARE(r.value("REPARACOES", "VALOR").toDouble(), 75.25);
        QCOMPARE(r.value("REPARACOES", "FORNECEDOR").toInt(), 6);
        QCOMPARE(r.value("REPARACOES", "FORNSIGLA").toString(), QStringLiteral("POLI"));
    }

    void numberLeftTwiceHoldsOneRow() {
        Register r;
        QVERIFY(r.open());
        r.insert("D-1");
        r.click("Edit_Desenho");
        r.type("Edit_Desenho", "D-2");
        r.tab("Edit_Desenho");
        typeRow(r, {"C", "1", "1", "9"}, true);
        r.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 1);
        QCOMPARE(r.value("REPARACOES", "DESENHONRO").toString(), QStringLiteral("D-2"));
        QCOMPARE(r.value("REPARACOES", "SIGLACLI").toString(), QStringLiteral("SUL"));
    }

    void bothNumbersEmptyAddNothing() {
        Register r;
        QVERIFY(r.open());
        r.insertCliche();
        QCOMPARE(r.focused(), QStringLiteral("Edit_Cliche"));
        r.tab("Edit_Cliche");
        QCOMPARE(r.focused(), QStringLiteral("Edit_Desenho")); // back and forth
        r.clickGrid();
        QCOMPARE(r.rows("REPARACOES"), 0);
        QVERIFY(r.messages.shown.isEmpty());
        QCOMPARE(int(r.window->mode()), int(RecordEditor::Mode::Browse));
    }

    void pickerFillsTheBox() {
        Register r;
        QVERIFY(r.open());
        QList<registers::ObjectKind> asked;
        r.window->setPicker([&asked](registers::ObjectKind kind) {
            asked << kind;
            return QStringLiteral("D-2");
        });
        r.insert("%");
        QCOMPARE(asked.size(), 1);
        QCOMPARE(r.w("Edit_Desenho")->text(), QStringLiteral("D-2"));
        QCOMPARE(r.focused(), QStringLiteral("Edit_Desenho"));
        r.tab("Edit_Desenho");
        QCOMPARE(r.focused(), QStringLiteral("Edit_Tipo"));
        QCOMPARE(r.w("Edit_FornSigla")->text(), QStringLiteral("POLI"));
    }

    void refusedApplyWritesNothing() {
        Register r;
        QVERIFY(r.refuseAbove("REPARACOES", "VALOR", 1000));
        QVERIFY(r.open());
        r.insert("D-1");
        typeRow(r, {"R", "1", "1"}, true);
        r.type("Edit_Valor", "5000");
        r.clickGrid();
        r.refusedByServer("REPARACOES");
        // The row stays to be corrected; no other entry starts meanwhile.
        QVERIFY(r.w("Edit_Valor")->isEnabled());
        r.button("BotInserir")->click();
        settle();
        QCOMPARE(int(r.window->mode()), int(RecordEditor::Mode::Browse));
        r.click("Edit_Valor");
        r.type("Edit_Valor", "500");
        r.clickGrid();
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
        // The row display fills the invoice too.
        QCOMPARE(r.w("Edit_FacNro")->text(), QStringLiteral("44"));
        QCOMPARE(r.w("Edit_FacData")->text(), QStringLiteral("09/01/2026"));
        // "D.Cli." is a check box, as in the listing.
        const QModelIndex charged = r.grid()->model()->index(0, 10);
        QCOMPARE(r.grid()->model()->headerData(10, Qt::Horizontal).toString(),
                 QStringLiteral("D.Cli."));
        QCOMPARE(charged.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        r.insert("D-2");
        r.button("BotCancelar")->click();
        settle();
        QCOMPARE(r.rows("REPARACOES"), 1);
        // The boxes are cleared, the requisition date back to the working date.
        const QString working = r.run.session.context().workingDate.toString("dd/MM/yyyy");
        auto cleared = [&r, &working] {
            for (const char* box : {"Edit_Desenho", "Edit_Tipo", "Edit_EncNro", "Edit_FacNro",
                                    "Edit_Fornecedor", "Edit_FornSigla", "Edit_Valor"})
                if (!r.w(box)->text().isEmpty())
                    return false;
            return r.w("Edit_DatEnc")->text() == working;
        };
        QVERIFY(cleared());
        r.messages.answers = {false, true};
        r.button("BotDelete")->click();
        settle();
        QCOMPARE(r.messages.asked, QStringList{"ELIMINAÇÃO !!! Confirma ?"});
        QCOMPARE(r.rows("REPARACOES"), 1);
        QVERIFY(cleared());
        r.button("BotDelete")->click();
        settle();
        QCOMPARE(r.rows("REPARACOES"), 0);
        r.button("BotDelete")->click(); // no row: nothing asked
        settle();
        QCOMPARE(r.messages.asked.size(), 2);
    }

    void closingSavesTheEntry() {
        Register r;
        QVERIFY(r.open());
        r.insert("D-1");
        typeRow(r, {"R", "3", "4", ""});
        r.window->close();
        settle();
        QVERIFY(r.window->isVisible()); // refused: stays open
        QCOMPARE(r.messages.shown, QStringList{"Valor Inválido ..."});
        r.type("Edit_Valor", "8");
        r.window->close();
        settle();
        QVERIFY(!r.window->isVisible());
        QCOMPARE(r.rows("REPARACOES"), 1);
    }

    void rightsShowTheButtons() {
        Register r;
        QVERIFY(r.withRights("Registo de Reparacoes", "INSERIR = 'N', IMPRIMIR = 'N'"));
        QVERIFY(r.open());
        r.showsButtons({{"BotInserir", false},
                        {"BotCancelar", false},
                        {"BotPrint", false},
                        {"BotDelete", true}});
    }

    void printOpensTheListingAndTypeShowsItsPanel() {
        Register r;
        QVERIFY(r.open());
        int opened = 0;
        r.window->setListingOpener([&opened] { ++opened; });
        r.button("BotPrint")->click();
        QCOMPARE(opened, 1);
        r.insert("D-1");
        QVERIFY(r.window->findChild<QWidget*>("PanelTipo")->isVisible());
        QCOMPARE(r.window->statusText(), QStringLiteral("Digite C, Compra de Novo, R, Reparação"));
        r.fill("Edit_Tipo", "R");
        QVERIFY(!r.window->findChild<QWidget*>("PanelTipo")->isVisible());
        r.fill("Edit_EncNro", "1");
        r.click("Edit_Fornecedor");
        QCOMPARE(
            r.window->statusText(),
            QStringLiteral("Tecla <INS> ... Procura Numérica, <CTRL+INS> Procura Alfabética ..."));
    }
};

QTEST_MAIN(TestRepairsRegister)
#include "tst_repairs_register.moc"
