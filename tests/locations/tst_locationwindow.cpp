// The location window driven as the plant drives it: a hand scanner typing labels and Enter, a
// batch of tools moved by reading a place, the buttons for keyboard users, the refusals that move
// nothing, rights, the searches (history, a place's contents, tools away) printed and exported.
#include "../shell/shellrun.h"
#include "CORTP010.h"
#include "CORTP011.h"
#include "CORTP020.h"
#include "CORTP021.h"
#include "CORTP033.h"
#include "CORTP034.h"
#include "CORTP035.h"
#include "gridexport.h"
#include "reportpreview.h"
#include "windows.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

using namespace falq;
using falq::test::Run;

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// Clichés C1 and C2 (one product bar code) and C3, drawing D1, supplier 9005; the installation
// has places A-01-01 ... B-02-04 and inactive Q-01, machines 1 to 6.
struct Station {
    explicit Station(const QStringList& sql = {}) {
        ok = inst.ok() &&
             inst.exec("main",
                       "INSERT INTO CLICHES (CLICHENRO, SIGLACLI, REFERENCIA, CODBARRAS, "
                       "ROTACOES_PREV, UTILIZA) VALUES ('C1', 'ACME', 'Caixa 1', "
                       "'5601234000017', 1000, 'S'), ('C2', 'ACME', 'Caixa 2', "
                       "'5601234000017', 0, 'S'), ('C3', 'BETA', 'Tabuleiro', '', 0, 'S')") &&
             inst.exec("main", "INSERT INTO DESENHOS (DESENHONRO, SIGLACLI, REFERENCIA, UTILIZA) "
                               "VALUES ('D1', 'BETA', 'Corte 1', 'S')") &&
             // Codes as the editors store them (the searches read the model and machine tables).
             inst.exec("main", "UPDATE CLICHES SET CLINRO = 0, FORNECEDOR = 0, MODELO = 1, "
                               "MAQUINA = 1, FICHASETUP = 0, CORTANTENRO = ''") &&
             inst.exec("main", "INSERT INTO MOVIMENTOS (DATA, CLICHENRO, DESENHONRO, NROUTIL, "
                               "ROTACOES) VALUES ('2026-12-01 00:00:00', 'C1', '', 1, "
                               "250)") &&
             inst.exec("fact", "INSERT INTO FORNECEDORES (CODIGO, NOME, SIGLA) VALUES "
                               "(9005, 'Gravuras do Norte', 'GRAV')");
        for (const QString& s : sql)
            ok = ok && inst.exec("main", s);
        ok = ok && run.start();
        if (!ok)
            return;
        window = std::make_unique<TCORTF034>(run.session, &run.menu);
        window->setChooser([this](TCORTF034::Ask what, QWidget*) {
            asked << what;
            return answer;
        });
        window->show();
        window->activateWindow();
        ok = QTest::qWaitForWindowActive(window.get());
        settle();
    }
    // Types each reading in the box and Enter, as a scanner does.
    void scan(const QStringList& readings) {
        auto* box = window->findChild<QLineEdit*>("Edit_Leitura");
        for (const QString& r : readings) {
            QTest::keyClicks(box, r);
            QTest::keyClick(box, Qt::Key_Return);
            settle();
        }
    }
    void click(const char* button) {
        window->findChild<QAbstractButton*>(button)->click();
        settle();
    }
    QString state(const char* kind, const char* number) {
        return inst
            .scalar("main",
                    "SELECT ESTADO || COALESCE(LOCAL, '') || COALESCE(CAST(MAQUINA AS "
                    "VARCHAR(6)), '') || COALESCE(CAST(FORNECEDOR AS VARCHAR(9)), '') FROM "
                    "LOCALIZACAO WHERE TIPOREG = ? AND NRO = ?",
                    {kind, number})
            .toString();
    }
    int count(const char* table) {
        return inst.scalar("main", QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt();
    }
    QStringList column(QStandardItemModel* model, int c) {
        QStringList texts;
        for (int r = 0; r < model->rowCount(); ++r)
            texts << model->item(r, c)->text();
        return texts;
    }
    test::Installation inst;
    Run run;
    std::unique_ptr<TCORTF034> window;
    QList<TCORTF034::Ask> asked;
    std::optional<QString> answer;
    bool ok = false;
};

QString focusName() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

} // namespace

class TestLocationWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void scannedBatchMovesInOneGo();
    void refusalsMoveNothing_data();
    void refusalsMoveNothing();
    void buttonsForTheKeyboard();
    void searchesPrintAndExport();
    void openedFromTheMenu();
    void whereTheWorkHappens();
    void labelsWindow();
};

void TestLocationWindow::scannedBatchMovesInOneGo() {
    Station s;
    QVERIFY(s.ok);
    QCOMPARE(focusName(), QStringLiteral("Edit_Leitura"));
    // Prefixes in any case, a bare drawing number, a product bar code naming two clichés (the
    // one already read is not read twice).
    s.scan({"CL:C3", "ds:d1", "5601234000017"});
    QVERIFY2(s.run.messages.shown.isEmpty(), qPrintable(s.run.messages.shown.join('\n')));
    QCOMPARE(s.column(s.window->list(), 0), (QStringList{"C3", "D1", "C1", "C2"}));
    QCOMPARE(s.column(s.window->list(), 5).value(0), QStringLiteral("Sem localização"));
    QCOMPARE(s.column(s.window->list(), 4).value(2), QStringLiteral("25%")); // 250 of 1000
    QCOMPARE(s.count("LOCALIZACAO"), 0);
    s.scan({"L:a-01-03"});
    QCOMPARE(s.window->gathered().size(), 0);
    QCOMPARE(s.window->list()->rowCount(), 0);
    for (const auto& [kind, number] :
         {std::pair{"CL", "C1"}, {"CL", "C2"}, {"CL", "C3"}, {"DS", "D1"}})
        QCOMPARE(s.state(kind, number), QStringLiteral("AA-01-03"));
    QCOMPARE(s.count("LOCALIZACAO_HIST"), 4);
    QCOMPARE(s.window->findChild<QLabel*>("LabelAviso")->text(),
             QStringLiteral("4 ferramenta(s) guardada(s) em A-01-03."));
    QCOMPARE(focusName(), QStringLiteral("Edit_Leitura"));
    // The next batch goes to a machine, then one tool to a supplier.
    s.scan({"CL:C1", "DS:D1", "M:2", "CL:C1", "F:9005"});
    QCOMPARE(s.state("CL", "C1"), QStringLiteral("F9005"));
    QCOMPARE(s.state("DS", "D1"), QStringLiteral("M2"));
    QCOMPARE(s.count("LOCALIZACAO_HIST"), 7);
    QVERIFY(s.run.messages.shown.isEmpty());
}

void TestLocationWindow::refusalsMoveNothing_data() {
    QTest::addColumn<QStringList>("sql");
    QTest::addColumn<QStringList>("readings");
    QTest::addColumn<QString>("message");
    const QStringList none;
    QTest::newRow("unknown tool") << none << QStringList{"CL:C404"} << "Cliché C404 não existe.";
    QTest::newRow("unknown bare number") << none << QStringList{"X-1"} << "X-1 não existe.";
    QTest::newRow("read twice") << none << QStringList{"CL:C1", "cl:c1"}
                                << "Cliché C1 foi lido(a) duas vezes.";
    QTest::newRow("unknown place")
        << none << QStringList{"CL:C1", "L:Z-99"} << "O local Z-99 não existe.";
    QTest::newRow("unknown place, nothing read")
        << none << QStringList{"L:Z-99"} << "O local Z-99 não existe.";
    QTest::newRow("product's clichés all read")
        << none << QStringList{"CL:C1", "CL:C2", "5601234000017"}
        << "Cliché C1 foi lido(a) duas vezes.";
    QTest::newRow("inactive place")
        << none << QStringList{"CL:C1", "L:Q-01"} << "O local Q-01 não está activo.";
    QTest::newRow("unknown machine")
        << none << QStringList{"CL:C1", "M:77"} << "A máquina 77 não existe.";
    QTest::newRow("machine code not a number")
        << none << QStringList{"CL:C1", "M:X"} << "Código inválido: X";
    QTest::newRow("unknown supplier")
        << none << QStringList{"CL:C1", "F:1"} << "O fornecedor 1 não existe.";
    QTest::newRow("scrapped tool")
        << QStringList{"INSERT INTO LOCALIZACAO (TIPOREG, NRO, ESTADO) VALUES ('CL', 'C2', 'X')"}
        << QStringList{"CL:C1", "CL:C2", "M:1"}
        << "Cliché C2 está abatido(a): só pode voltar ao "
           "armazém.";
    QTest::newRow("without the alter right")
        << QStringList{"UPDATE APLICACAODET SET ALTERAR = 'N' WHERE PROGRAMA = 'Localizacao'"}
        << QStringList{"CL:C1", "L:A-01-01"} << "Sem permissão para mover ferramentas.";
    QTest::newRow("without a rights row")
        << QStringList{"DELETE FROM APLICACAODET WHERE PROGRAMA = 'Localizacao'"}
        << QStringList{"CL:C1", "L:A-01-01"} << "Sem permissão para mover ferramentas.";
}

void TestLocationWindow::refusalsMoveNothing() {
    QFETCH(QStringList, sql);
    QFETCH(QStringList, readings);
    QFETCH(QString, message);
    Station s(sql);
    QVERIFY(s.ok);
    const int present = s.count("LOCALIZACAO");
    s.scan(readings);
    QCOMPARE(s.run.messages.shown, QStringList{message});
    QCOMPARE(s.count("LOCALIZACAO"), present);
    QCOMPARE(s.count("LOCALIZACAO_HIST"), 0);
    QCOMPARE(focusName(), QStringLiteral("Edit_Leitura"));
    // A refused destination keeps the list as read: the right place moves it.
    if (message.contains("não existe.") && readings.size() == 2 && !message.contains("C404")) {
        s.scan({"L:A-01-01"});
        QCOMPARE(s.state("CL", "C1"), QStringLiteral("AA-01-01"));
    }
}

void TestLocationWindow::buttonsForTheKeyboard() {
    Station s;
    QVERIFY(s.ok);
    s.scan({"CL:C1", "CL:C2"});
    s.answer = QStringLiteral("3");
    s.click("BotMaquina");
    QCOMPARE(s.asked, QList<TCORTF034::Ask>{TCORTF034::Ask::Machine});
    QCOMPARE(s.state("CL", "C2"), QStringLiteral("M3"));
    s.scan({"CL:C1", "CL:C2"});
    s.answer.reset(); // cancelled: nothing moves, the list stays
    s.click("BotFornecedor");
    QCOMPARE(s.window->gathered().size(), 2);
    s.answer = QStringLiteral("b-01-01");
    s.click("BotGuardar");
    QCOMPARE(s.state("CL", "C1"), QStringLiteral("AB-01-01"));
    // Scrapping asks first; "No" keeps everything.
    s.scan({"CL:C1", "CL:C2"});
    s.run.messages.answers = {false, true};
    s.click("BotAbater");
    QCOMPARE(s.run.messages.asked, QStringList{"Confirma o abate de 2 ferramentas ?"});
    QCOMPARE(s.state("CL", "C1"), QStringLiteral("AB-01-01"));
    s.click("BotAbater");
    QCOMPARE(s.state("CL", "C1"), QStringLiteral("X"));
    QCOMPARE(s.inst
                 .scalar("main", "SELECT OBS FROM LOCALIZACAO_HIST WHERE ESTADO = 'X' AND "
                                 "FERRAMENTA = 'C2'")
                 .toString(),
             QStringLiteral("Abate"));
    // "Limpar" empties the list; a scrapped tool goes back to the store on purpose.
    s.scan({"CL:C3"});
    s.click("BotLimpar");
    QCOMPARE(s.window->gathered().size(), 0);
    s.scan({"CL:C1", "L:A-02-02"});
    QCOMPARE(s.state("CL", "C1"), QStringLiteral("AA-02-02"));
    QCOMPARE(s.count("LOCALIZACAO_HIST"), 7);
    QVERIFY(s.run.messages.shown.isEmpty());
}

void TestLocationWindow::searchesPrintAndExport() {
    Station s;
    QVERIFY(s.ok);
    // C1 stored, then at machine 2 since 10 days ago (written as another workstation would);
    // C3 stored in the same place.
    s.scan({"CL:C1", "CL:C3", "L:A-01-02", "CL:C1", "M:2"});
    const SqlDialect d = SqlDialect::forDatabase(s.inst.open("main"));
    QVERIFY(s.inst.exec("main", "UPDATE LOCALIZACAO SET DATA = ? WHERE NRO = 'C1'",
                        {d.bindDateTime(QDateTime::currentDateTime().addDays(-10))}));
    // History, newest first, with the machine's name.
    s.scan({"CL:C1"});
    s.click("BotOndeEsta");
    QCOMPARE(s.column(s.window->found(), 2), (QStringList{"Máquina 2 - Flexo 4 Cores", "A-01-02"}));
    QVERIFY(s.window->findChild<QLabel*>("LabelPesquisa")->text().contains("na máquina 2"));
    // A tool typed in the box is the one asked about, whatever row the list is on.
    s.window->findChild<QLineEdit*>("Edit_Leitura")->setText("CL:C3");
    s.click("BotOndeEsta");
    QCOMPARE(s.column(s.window->found(), 2), QStringList{"A-01-02"});
    s.click("BotLimpar");
    // A place read with nothing gathered shows what it holds.
    s.scan({"L:A-01-02"});
    QCOMPARE(s.column(s.window->found(), 1), QStringList{"C3"});
    QCOMPARE(s.column(s.window->found(), 2), QStringList{"BETA"});
    // Away from the store for more than the days asked.
    auto* days = s.window->findChild<QSpinBox*>("Edit_Dias");
    QCOMPARE(days->value(), 7);
    s.click("BotForaArmazem");
    QCOMPARE(s.column(s.window->found(), 1), QStringList{"C1"});
    QCOMPARE(s.column(s.window->found(), 4), QStringList{"10"});
    days->setValue(11);
    s.click("BotForaArmazem");
    QCOMPARE(s.window->found()->rowCount(), 0);
    days->setValue(7);
    s.click("BotForaArmazem");
    // Printed through the report engine (its text export read back), exported as a spreadsheet.
    QTemporaryDir dir;
    QString printed;
    s.window->setPreviewRunner([&](QDialog& d) {
        auto& preview = static_cast<ReportPreview&>(d);
        preview.show();
        QTRY_COMPARE(preview.pageCount(), 1);
        preview.setFileChooser([&](QWidget*, const QString&, const QString&, const QString&) {
            return dir.filePath("fora");
        });
        QVERIFY(preview.exportTo(reports::FileFormat::Text));
        QFile f(dir.filePath("fora.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        printed = QString::fromUtf8(f.readAll());
    });
    s.click("BitPrint");
    QVERIFY(printed.contains("Fora do armazém há mais de 7 dias"));
    QVERIFY(printed.contains(QRegularExpression("C1 +Máquina 2 - Flexo 4 Cores")));
    s.window->exporter().setFolder(dir.path());
    s.window->exporter().setOpener([](const QString&) { return true; });
    s.click("BotExcel");
    QCOMPARE(QDir(dir.path()).entryList({"*.xlsx"}).size(), 1);
    QVERIFY2(s.run.messages.shown.isEmpty(), qPrintable(s.run.messages.shown.join('\n')));
}

void TestLocationWindow::openedFromTheMenu() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Run run;
    registerWindows(run.menu, run.session);
    QVERIFY(run.start());
    QVERIFY(run.menu.findChild<QAction*>("MOVIM005")->text().contains("Localização"));
    QVERIFY(run.menu.findChild<QAction*>("MOVIM006")->text().contains("Etiquetas"));
    const struct {
        const char* entry;
        const char* button;
        const char* caption;
    } entries[] = {{"MOVIM005", "BotMov005", "Localização de Clichés e Cortantes"},
                   {"MOVIM006", "BotMov006", "Etiquetas de Clichés, Cortantes e Locais"}};
    for (const auto& e : entries)
        for (bool viaButton : {false, true}) {
            QString caption;
            QTimer::singleShot(0, [&] {
                QWidget* w = QApplication::activeModalWidget();
                QVERIFY(w);
                caption = w->windowTitle();
                w->findChild<QPushButton*>("BitTerminar")->click();
            });
            if (viaButton)
                run.menu.findChild<QAbstractButton*>(e.button)->click();
            else
                run.menu.findChild<QAction*>(e.entry)->trigger();
            QCOMPARE(caption, QString::fromUtf8(e.caption));
        }
}

void TestLocationWindow::whereTheWorkHappens() {
    // The editors, the consultations and the tool life window show the current tool's place.
    Station s;
    QVERIFY(s.ok);
    s.scan({"CL:C1", "DS:D1", "M:2"});
    s.window->close();
    const QString since = QDate::currentDate().toString("dd/MM/yyyy");
    const QString atMachine =
        QStringLiteral("Localização : na máquina 2 - Flexo 4 Cores desde ") + since;
    const std::function<QDialog*()> windows[] = {
        [&] { return new TCORTF010(s.run.session, &s.run.menu); },
        [&] { return new TCORTF011(s.run.session, &s.run.menu); },
        [&] { return new TCORTF020(s.run.session, &s.run.menu); },
        [&] { return new TCORTF021(s.run.session, &s.run.menu); },
        [&] { return new TCORTF033(s.run.session, &s.run.menu); }};
    for (const auto& make : windows) {
        std::unique_ptr<QDialog> w(make());
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        auto* label = w->findChild<QLabel*>("Label_Localizacao");
        QVERIFY2(label, qPrintable(w->objectName()));
        QTRY_COMPARE(label->text(), atMachine); // C1 and D1 come first in their lists
        w->close();
    }
}

void TestLocationWindow::labelsWindow() {
    Station s;
    QVERIFY(s.ok);
    s.window->close();
    auto open = [&s] {
        auto w = std::make_unique<TCORTF035>(s.run.session, &s.run.menu);
        w->show();
        w->activateWindow();
        return QTest::qWaitForWindowActive(w.get()) ? std::move(w) : nullptr;
    };
    std::unique_ptr<TCORTF035> w = open();
    QVERIFY(w);
    auto barcodes = [&w] {
        QStringList codes;
        for (const locations::Label& l : w->labels())
            codes << l.barcode;
        return codes;
    };
    // Read one by one (a tool's data on its label), then gathered with the criteria pages.
    auto* box = w->findChild<QLineEdit*>("Edit_Leitura");
    for (const char* r : {"CL:C1", "d1", "l:a-01-01", "L:Z-99"}) {
        QTest::keyClicks(box, r);
        QTest::keyClick(box, Qt::Key_Return);
        settle();
    }
    QCOMPARE(s.run.messages.shown, QStringList{"O local Z-99 não existe."});
    QCOMPARE(barcodes(), (QStringList{"CL:C1", "DS:D1", "L:A-01-01"}));
    QCOMPARE(w->labels().first().lines, (QStringList{"ACME", "Caixa 1"}));
    w->findChild<QLineEdit*>("Edit_LocalDe")->setText("A-02-01");
    w->findChild<QLineEdit*>("Edit_LocalAte")->setText("A-02-04");
    auto* pages = w->findChild<QTabWidget*>("NBTipo");
    pages->setCurrentIndex(2);
    w->findChild<QPushButton*>("BotJuntar")->click();
    pages->setCurrentIndex(0);
    w->findChild<QPushButton*>("BotJuntar")->click();
    QCOMPARE(barcodes().mid(3), (QStringList{"L:A-02-01", "L:A-02-02", "L:A-02-03", "L:A-02-04",
                                             "CL:C1", "CL:C2", "CL:C3"}));
    // 10 labels after 20 used positions of an A4 sheet: two pages; the PDF written.
    w->findChild<QSpinBox*>("Edit_Inicio")->setValue(21);
    QCOMPARE(w->offset(), 20);
    QTemporaryDir dir;
    int shown = 0;
    w->setPreviewRunner([&](QDialog& d) {
        auto& preview = static_cast<ReportPreview&>(d);
        preview.show();
        QTRY_VERIFY(preview.pageCount() > 0);
        shown = preview.pageCount();
        preview.setFileChooser([&](QWidget*, const QString&, const QString&, const QString&) {
            return dir.filePath("etiquetas");
        });
        QVERIFY(preview.exportTo(reports::FileFormat::Pdf));
    });
    w->findChild<QPushButton*>("BitPrint")->click();
    QCOMPARE(shown, 2);
    QVERIFY(QFileInfo(dir.filePath("etiquetas.pdf")).size() > 0);
    // The roll: one label a page, no used positions; remembered for the next opening.
    auto* formats = w->findChild<QComboBox*>("ComboFormato");
    formats->setCurrentIndex(formats->findData("Rolo-62x29"));
    QVERIFY(!w->findChild<QSpinBox*>("Edit_Inicio")->isEnabled());
    QCOMPARE(w->offset(), 0);
    w->findChild<QPushButton*>("BitPrint")->click();
    QCOMPARE(shown, 10);
    w.reset();
    w = open();
    QVERIFY(w);
    QCOMPARE(w->format().key, QStringLiteral("Rolo-62x29"));
    QCOMPARE(s.run.messages.shown.size(), 1);
}

QTEST_MAIN(TestLocationWindow)
#include "tst_locationwindow.moc"
