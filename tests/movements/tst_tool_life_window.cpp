// The tool life window driven by its boxes: the rows and their colour bands, the drawings'
// page, the filters (the machine's searches and name), sorting by a title, setting a tool's
// forecast life (refused for text and negative numbers, written for a whole number, a conflict
// with another workstation's change), the rights, the printed list and the viewer.
#include "../cliches/editorrun.h"
#include "CORTP033.h"
#include "backgroundread.h"
#include "connections.h"
#include "documents.h"
#include "documentspage.h"
#include "filecheck.h"
#include "gridexport.h"
#include "imagecontrol.h"
#include "imagefiles.h"
#include "locatedialog.h"
#include "unitDtFalquinas.h"

#include "reportengine.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabBar>
#include <QTimer>

using namespace falq;
using namespace falq::movements;

namespace {

const QString kBadLife = QStringLiteral("Vida Prevista Inválida ...");
const QString kLifeChanged =
    QStringLiteral("A vida prevista foi alterada noutro posto de trabalho.");

struct ToolLifeOn {
    ToolLifeOn() {
        if (!inst.ok())
            return;
        e.run.session.setUpdateErrorHandler(&handler);
    }
    // Writes the register for the session's working date, opens the window (previews and
    // viewers recorded), shown and active.
    bool open() {
        if (!inst.ok() || !e.run.start() || !e.run.menu.sessionOpen())
            return false;
        const QDate w = e.run.session.context().workingDate;
        auto cliche = [this](const char* n, const QVariant& life, const char* client,
                             const char* valid = "S") {
            return inst.exec("main",
                             "INSERT INTO CLICHES (CLICHENRO, SIGLACLI, REFERENCIA, FORNSIGLA, "
                             "MAQUINA, ROTACOES_PREV, UTILIZA) VALUES (?, ?, 'Ref', 'FLEXO', 1, ?, "
                             "?)",
                             {QString::fromLatin1(n), QString::fromLatin1(client), life,
                              QString::fromLatin1(valid)});
        };
        auto movement = [this, w](const char* cl, const char* ds, int rotations, int daysBack) {
            const SqlDialect d = SqlDialect::forDatabase(inst.open("main"));
            return inst.exec("main",
                             "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, "
                             "ENCOMENDA, DATA, TIPOREG) VALUES (?, ?, 1, ?, '', ?, ?)",
                             {QString::fromLatin1(ds), QString::fromLatin1(cl), rotations,
                              d.bindDateTime(QDateTime(w.addDays(-daysBack), QTime(9, 0))),
                              *cl ? QStringLiteral("CL") : QStringLiteral("DS")});
        };
        // T1 95 % (warning band), T2 110 % (worn band), T3 50 %, T4 never used (BETA), T5
        // withdrawn.
        const bool written =
            cliche("T1", 1000, "ALFA") && movement("T1", "", 950, 3) &&
            cliche("T2", 1000, "ALFA") && movement("T2", "", 1100, 1) &&
            cliche("T3", 1000, "ALFA") && movement("T3", "", 500, 0) &&
            cliche("T4", 1000, "BETA") && cliche("T5", 1000, "ALFA", "N") &&
            inst.exec("main", "INSERT INTO DESENHOS (DESENHONRO, SIGLACLI, REFERENCIA, SIGLAFORN, "
                              "MAQUINA, ROTACOES_PREV, UTILIZA) VALUES ('X1', 'GAMA', 'Caixa', "
                              "'CORTEX', 2, 0, 'S')") &&
            movement("", "X1", 40, 0);
        if (!written)
            return false;
        e.reopen();
        e.window->setPreviewRunner([this](PreparedReport& r) {
            previews << r.form.name;
            criteria = r.form.criteria;
            // The characters the columns take across, a blank between two.
            across = -1;
            for (const reports::Column& c : r.form.columns)
                across += c.width + 1;
            pageChars = reports::pageGrid(r.form.orientation).chars;
            listed = 0;
            r.source->rewind();
            while (r.source->next())
                ++listed;
            // The list as printed: text here, PDF kept in FALQ_PDF_DIR when it is set.
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            r.source->rewind();
            reports::renderToText(r.form, *r.source, {QStringLiteral("Empresa"), {}}, buffer);
            text = QString::fromUtf8(buffer.data());
            const QString dir = qEnvironmentVariableIsEmpty("FALQ_PDF_DIR")
                                    ? pdfDir.path()
                                    : qEnvironmentVariable("FALQ_PDF_DIR");
            r.source->rewind();
            pdf = reports::renderToFile(r.form, *r.source, {QStringLiteral("Empresa"), {}},
                                        reports::FileFormat::Pdf,
                                        QDir(dir).filePath(QStringLiteral("VIDAUTIL.pdf")))
                      .ok;
        });
        e.window->setViewerRunner(
            [this](QDialog& viewer) { viewers << viewer.metaObject()->className(); });
        return e.window->isActiveWindow();
    }
    QStringList numbers() const {
        QStringList out;
        for (int r = 0; r < e.window->rows()->rowCount(); ++r)
            out << e.window->rows()->tool(r).number;
        return out;
    }
    void select(const QString& number) {
        for (int r = 0; r < e.window->rows()->rowCount(); ++r)
            if (e.window->rows()->tool(r).number == number)
                e.clickGrid(r);
    }
    QVariant life(const char* number) {
        return inst.scalar("main", "SELECT ROTACOES_PREV FROM CLICHES WHERE CLICHENRO = ?",
                           {QString::fromLatin1(number)});
    }
    void setLife(const QString& text) {
        e.click("Edit_RotacoesPrev");
        e.type("Edit_RotacoesPrev", text);
        e.button("BotGravarVida")->click();
        test::settle();
    }

    test::Installation inst;
    test::ScriptedHandler handler;
    test::EditorOf<TCORTF033> e;
    QStringList previews;
    QStringList criteria;
    int across = 0;
    int pageChars = 0;
    int listed = 0;
    QString text;
    bool pdf = false;
    QTemporaryDir pdfDir;
    QStringList viewers;
};

} // namespace

class TestToolLifeWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void rowsBandsAndPages();
    void filtersAndSorting();
    void machineSearchAndName();
    void settingTheLife();
    void lifeConflict();
    void lifeChangedSinceTheListWasRead();
    void boxesLeftAndPagesChanged();
    void failedRightsToldOnce();
    void rightsAndPrinting();
    void pagesOfTools();
    void stoppedReadsKeepTheList();
    void progressBoxOverTheWindow();
    void noPageWhileTheRestIsRead();
    void spreadsheetOfTheList();
    void pictureDocumentsAndViewer();
};

void TestToolLifeWindow::initTestCase() {
    FALQ_REQUIRE_ENGINE();
}

void TestToolLifeWindow::rowsBandsAndPages() {
    ToolLifeOn t;
    QVERIFY(t.open());
    QCOMPARE(t.e.window->windowTitle(), QStringLiteral("Vida Útil de Clichés e Cortantes"));
    QCOMPARE(t.e.w("Edit_Cliente")->text(), QStringLiteral("%"));
    QCOMPARE(t.e.w("Edit_Meses")->text(), QStringLiteral("24"));
    // Valid tools only, to start with.
    QVERIFY(t.e.w<QCheckBox>("ChkValidos")->isChecked());
    QCOMPARE(t.numbers(), (QStringList{"T1", "T2", "T3", "T4"}));
    ToolLifeModel* m = t.e.window->rows();
    const int pct = ToolLifeModel::WearPercent;
    QCOMPARE(m->index(0, pct).data().toString(), QStringLiteral("95%"));
    QCOMPARE(m->index(0, pct).data(Qt::BackgroundRole).value<QColor>(),
             ToolLifeModel::warningColour());
    QCOMPARE(m->index(1, pct).data(Qt::BackgroundRole).value<QColor>(),
             ToolLifeModel::wornColour());
    QVERIFY(!m->index(2, pct).data(Qt::BackgroundRole).isValid());
    // A worn tool's end says so; a never used one has none.
    QCOMPARE(m->index(1, ToolLifeModel::WearOut).data().toString(), QStringLiteral("esgotada"));
    QCOMPARE(m->index(3, ToolLifeModel::WearOut).data().toString(), QString());
    t.e.w<QCheckBox>("ChkValidos")->click();
    test::settle();
    QCOMPARE(t.numbers(), (QStringList{"T1", "T2", "T3", "T4", "T5"}));
    t.e.w<QCheckBox>("ChkValidos")->click();
    test::settle();
    QCOMPARE(m->headerData(pct, Qt::Horizontal).toString(), QStringLiteral("% Desgaste"));
    // The drawings' page: the die's strokes, its life unknown.
    auto* pages = t.e.w<QTabBar>("NBTipo");
    QCOMPARE(pages->tabText(0), QStringLiteral("Clichés"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Desenhos"));
    pages->setCurrentIndex(1);
    test::settle();
    QCOMPARE(t.numbers(), QStringList{"X1"});
    QCOMPARE(m->index(0, ToolLifeModel::Wear).data().toString(), QStringLiteral("40"));
    QCOMPARE(m->index(0, pct).data().toString(), QString());
}

void TestToolLifeWindow::filtersAndSorting() {
    ToolLifeOn t;
    QVERIFY(t.open());
    t.e.fill("Edit_Cliente", "b%");
    QCOMPARE(t.numbers(), QStringList{"T4"});
    t.e.fill("Edit_Cliente", "%");
    t.e.fill("Edit_Desgaste1", "90");
    QCOMPARE(t.numbers(), (QStringList{"T1", "T2"}));
    // The printed list names the bounds as typed.
    t.e.button("BotPrint")->click();
    QVERIFY2(t.criteria.contains(QStringLiteral("% Desgaste : 90 a ...")),
             qPrintable(t.criteria.join('|')));
    QCOMPARE(t.listed, 2);
    // An upper bound below the lower one is refused; the list stays.
    t.e.fill("Edit_Desgaste2", "10");
    QCOMPARE(t.e.messages.shown.value(0), QStringLiteral("Limite de Desgaste Inválido ..."));
    QCOMPARE(t.numbers(), (QStringList{"T1", "T2"}));
    t.e.type("Edit_Desgaste2", "");
    t.e.type("Edit_Desgaste1", "");
    t.e.w("Edit_Cliente")->setFocus();
    test::settle();
    t.e.w<QCheckBox>("ChkNuncaUsados")->click();
    test::settle();
    QVERIFY2(t.e.w<QCheckBox>("ChkNuncaUsados")->isChecked(),
             qPrintable(t.e.messages.shown.join('|')));
    QCOMPARE(t.numbers(), QStringList{"T4"});
    t.e.w<QCheckBox>("ChkNuncaUsados")->click();
    test::settle();
    // A click on the title sorts: wear % from the most worn. The current tool stays current,
    // with its life in the box.
    t.select("T1");
    QHeaderView* header = t.e.grid()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(ToolLifeModel::WearPercent) + 5, 5));
    test::settle();
    if (header->sortIndicatorOrder() == Qt::AscendingOrder)
        QCOMPARE(t.numbers(), (QStringList{"T4", "T3", "T1", "T2"}));
    else
        QCOMPARE(t.numbers(), (QStringList{"T2", "T1", "T3", "T4"}));
    QCOMPARE(t.e.window->rows()->tool(t.e.window->currentRow()).number, QStringLiteral("T1"));
    t.e.messages.shown.clear();
    t.setLife("1500");
    QCOMPARE(t.life("T1").toInt(), 1500);
    QCOMPARE(t.life("T2").toInt(), 1000);
}

void TestToolLifeWindow::machineSearchAndName() {
    ToolLifeOn t;
    QVERIFY(t.open());
    // Insert: the machines by number; the one taken is the filter, its name beside it.
    t.e.click("Edit_Maquina");
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        auto* dialog = qobject_cast<LocateDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        QTest::keyClicks(dialog->searchBox(), "3");
        QTest::keyClick(dialog->searchBox(), Qt::Key_Enter);
    });
    QTest::keyClick(t.e.w("Edit_Maquina"), Qt::Key_Insert);
    test::settle();
    QVERIFY(seen);
    QCOMPARE(t.e.w("Edit_Maquina")->text(), QStringLiteral("3"));
    QCOMPARE(t.e.window->filter().machine, 3);
    QCOMPARE(t.e.w<QLabel>("Label_Maquina")->text(), QStringLiteral("Casemaker"));
    QCOMPARE(t.numbers(), QStringList());
    // A machine the table lacks is refused and named so; the list stays.
    QVERIFY(t.e.activate());
    t.e.fill("Edit_Maquina", "99");
    QCOMPARE(t.e.messages.shown.value(0), QStringLiteral("Máquina Inexistente ..."));
    QCOMPARE(t.e.window->filter().machine, 3);
    t.e.type("Edit_Maquina", "1");
    t.e.w("Edit_Cliente")->setFocus();
    test::settle();
    QCOMPARE(t.e.w<QLabel>("Label_Maquina")->text(), QStringLiteral("Flexo 2 Cores"));
    QCOMPARE(t.numbers(), (QStringList{"T1", "T2", "T3", "T4"}));
}

void TestToolLifeWindow::settingTheLife() {
    ToolLifeOn t;
    QVERIFY(t.open());
    t.select("T3");
    QCOMPARE(t.e.w("Edit_RotacoesPrev")->text(), QStringLiteral("1000"));
    for (const QString& refused : {QStringLiteral("abc"), QStringLiteral("-1")}) {
        t.e.messages.shown.clear();
        t.setLife(refused);
        QCOMPARE(t.e.messages.shown, QStringList{kBadLife});
        QCOMPARE(t.life("T3").toInt(), 1000);
    }
    t.e.messages.shown.clear();
    t.setLife("250000");
    QCOMPARE(t.e.messages.shown, QStringList());
    QCOMPARE(t.life("T3").toInt(), 250000);
    QCOMPARE(t.e.window->rows()->tool(t.e.window->currentRow()).life, qint64(250000));
    QCOMPARE(t.handler.errors.size(), 0);
}

void TestToolLifeWindow::lifeConflict() {
    ToolLifeOn t;
    QVERIFY(t.open());
    t.select("T1");
    t.setLife("2000"); // the shared list has read the tools
    QCOMPARE(t.life("T1").toInt(), 2000);
    // Another workstation changes the life after the shared list was read: the write is
    // refused, its value stays and is shown, with the window's own message (the write-error
    // window, whose "Ignorar" would keep the typed life cached, never comes up).
    t.handler.actions = {UpdateAction::Skip};
    QVERIFY(t.inst.exec("main", "UPDATE CLICHES SET ROTACOES_PREV = 7777 WHERE CLICHENRO = 'T1'"));
    t.e.messages.shown.clear();
    t.setLife("3000");
    QCOMPARE(t.handler.errors.size(), 0);
    QCOMPARE(t.e.messages.shown.size(), 1);
    QVERIFY2(t.e.messages.shown.first().startsWith(kLifeChanged),
             qPrintable(t.e.messages.shown.first()));
    QCOMPARE(t.life("T1").toInt(), 7777);
    QCOMPARE(t.e.window->rows()->tool(t.e.window->currentRow()).life, qint64(7777));
    QCOMPARE(t.e.w("Edit_RotacoesPrev")->text(), QStringLiteral("3000"));
    // Nothing of it stays in the shared list: the editor's next save of another tool is written.
    Dataset* cliches = t.e.run.session.dataset(ds::CLICHES);
    QVERIFY(!cliches->hasPendingUpdates());
    QVERIFY(cliches->locate({QStringLiteral("CLICHENRO")}, {QStringLiteral("T3")}));
    cliches->edit();
    cliches->setFieldValue(QStringLiteral("REFERENCIA"), QStringLiteral("Nova"));
    cliches->post();
    QVERIFY(cliches->applyUpdates().ok);
    QCOMPARE(
        t.inst.scalar("main", "SELECT REFERENCIA FROM CLICHES WHERE CLICHENRO = 'T3'").toString(),
        QStringLiteral("Nova"));
    QCOMPARE(t.life("T1").toInt(), 7777);
    QCOMPARE(t.handler.errors.size(), 0);
}

void TestToolLifeWindow::lifeChangedSinceTheListWasRead() {
    ToolLifeOn t;
    QVERIFY(t.open());
    t.select("T3"); // the list shows 1000
    // Another workstation sets 7777 before this one saves: the shared list, read now, would
    // see 7777 and let 3000 replace a value the user never saw.
    QVERIFY(t.inst.exec("main", "UPDATE CLICHES SET ROTACOES_PREV = 7777 WHERE CLICHENRO = 'T3'"));
    t.setLife("3000");
    QCOMPARE(t.life("T3").toInt(), 7777);
    QCOMPARE(t.e.messages.shown.size(), 1);
    QVERIFY(t.e.messages.shown.first().startsWith(
        QStringLiteral("A vida prevista foi alterada noutro posto de trabalho.")));
    QCOMPARE(t.e.window->rows()->tool(t.e.window->currentRow()).life, qint64(7777));
    // Saved again, knowingly: written.
    t.e.button("BotGravarVida")->click();
    test::settle();
    QCOMPARE(t.life("T3").toInt(), 3000);
    QCOMPARE(t.handler.errors.size(), 0);
}

void TestToolLifeWindow::boxesLeftAndPagesChanged() {
    ToolLifeOn t;
    QVERIFY(t.open());
    int reads = 0;
    t.e.window->setBackgroundRunner(
        [&](const QString& label, const BackgroundRead::Work& work, QString* error) {
            ++reads;
            return readWithProgress(t.e.window.get(), label, kDbFalquinas, work, error);
        });
    t.e.fill("Edit_Desgaste1", "90,5");
    QCOMPARE(reads, 1);
    QCOMPARE(t.numbers(), (QStringList{"T1", "T2"}));
    // A box left unchanged reads nothing again.
    t.e.click("Edit_Cliente");
    t.e.clickGrid(0);
    QCOMPARE(reads, 1);
    // The bound prints as typed.
    t.e.button("BotPrint")->click();
    QVERIFY2(t.criteria.contains(QStringLiteral("% Desgaste : 90,5 a ...")),
             qPrintable(t.criteria.join('|')));
    // A refused box when the page changes: the page stays that of the list shown.
    t.e.type("Edit_Maquina", "abc");
    t.e.w<QTabBar>("NBTipo")->setCurrentIndex(1);
    test::settle();
    QCOMPARE(t.e.messages.shown.value(0), QStringLiteral("Máquina Inválida ..."));
    QCOMPARE(t.e.w<QTabBar>("NBTipo")->currentIndex(), 0);
    QCOMPARE(t.e.window->kind(), ItemKind::Cliche);
    QCOMPARE(t.numbers(), (QStringList{"T1", "T2"}));
    // The months count only for the dormant tools.
    t.e.type("Edit_Maquina", "0");
    t.e.type("Edit_Meses", "0");
    t.e.messages.shown.clear();
    t.e.w<QCheckBox>("ChkNuncaUsados")->click();
    test::settle();
    QCOMPARE(t.e.messages.shown, QStringList());
    QCOMPARE(t.numbers(), QStringList());
    t.e.w<QCheckBox>("ChkInactivos")->click();
    test::settle();
    QCOMPARE(t.e.messages.shown, QStringList{"Número de Meses Inválido ..."});
}

// The rights' table cannot be read: told once, not again at every activation the box's
// closing brings, and the window still closes.
void TestToolLifeWindow::failedRightsToldOnce() {
    ToolLifeOn t;
    QVERIFY(t.inst.exec("main", "ALTER TABLE APLICACAODET RENAME TO APLICACAODET_X"));
    QVERIFY(t.open());
    // Said when the window opened (the main window's menu says it too).
    QVERIFY(!t.e.messages.shown.isEmpty());
    QVERIFY2(t.e.messages.shown.last().contains("APLICACAODET", Qt::CaseInsensitive),
             qPrintable(t.e.messages.shown.last()));
    t.e.messages.shown.clear();
    for (int i = 0; i < 3; ++i) {
        // A box over the window closes: the window is active again.
        QVERIFY(t.e.reactivate());
    }
    QVERIFY2(t.e.messages.shown.isEmpty(), qPrintable(t.e.messages.shown.join('|')));
    QVERIFY(!t.e.button("BotGravarVida")->isEnabled());
    QVERIFY(t.e.window->close());
}

void TestToolLifeWindow::rightsAndPrinting() {
    ToolLifeOn t;
    // A life is set with the alter right of the tool's editor (here the clichés' only), not
    // with the usage register's insert right.
    QVERIFY(t.inst.exec("main", "UPDATE APLICACAODET SET ALTERAR = 'N' WHERE CAPITULO = "
                                "'Cliches' AND PROGRAMA = 'Abertura e Alteracao'"));
    QVERIFY(t.inst.exec("main", "UPDATE APLICACAODET SET INSERIR = 'N' WHERE PROGRAMA = "
                                "'Utiliz.Cliches e Desenhos'"));
    QVERIFY(t.open());
    QVERIFY(!t.e.button("BotGravarVida")->isEnabled());
    QVERIFY(!t.e.w("Edit_RotacoesPrev")->isEnabled());
    t.e.w<QTabBar>("NBTipo")->setCurrentIndex(1);
    test::settle();
    QVERIFY(t.e.button("BotGravarVida")->isEnabled());
    QVERIFY(t.e.w("Edit_RotacoesPrev")->isEnabled());
    t.e.w<QTabBar>("NBTipo")->setCurrentIndex(0);
    test::settle();
    QVERIFY(!t.e.button("BotGravarVida")->isEnabled());
    QVERIFY(t.e.button("BotPrint")->isVisible());
    QVERIFY(t.e.w<QCheckBox>("ChkImpFoto")->isVisible());
    t.e.button("BotPrint")->click();
    QCOMPARE(t.previews, QStringList{"VIDAUTIL"});
    QCOMPARE(t.listed, 4);
    // Every column within the landscape page.
    QVERIFY2(t.across <= t.pageChars, qPrintable(QString::number(t.across)));
    QVERIFY(t.criteria.contains(QStringLiteral("Cliente(s) : %")));
    QVERIFY(t.criteria.contains(QStringLiteral("Clichés")));
    QVERIFY(t.text.contains(QStringLiteral("Vida Útil de Clichés e Cortantes")));
    QVERIFY(t.text.contains(QStringLiteral("% Desgaste")));
    QVERIFY(t.text.contains(QStringLiteral("110%")));
    QVERIFY(t.pdf);
    // Without the print right: no print, no pictures to print; the export stays.
    QVERIFY(t.inst.exec("main", "UPDATE APLICACAODET SET IMPRIMIR = 'N' WHERE PROGRAMA = "
                                "'Utiliz.Cliches e Desenhos'"));
    // A window over this one closes: the rights are read again.
    QVERIFY(t.e.reactivate());
    QVERIFY(!t.e.button("BotPrint")->isVisible());
    QVERIFY(!t.e.w<QCheckBox>("ChkImpFoto")->isVisible());
    QVERIFY(t.e.button("BotExcel")->isVisible());
}

void TestToolLifeWindow::pagesOfTools() {
    ToolLifeOn t;
    QVERIFY(t.open());
    t.e.window->setPageSize(2);
    QVERIFY(t.e.window->rebuild());
    ToolLifeModel* m = t.e.window->rows();
    QCOMPARE(t.numbers().mid(0, 2), (QStringList{"T1", "T2"}));
    QVERIFY(m->rowCount() == 2 || m->rowCount() == 4);
    m->fetchMore();
    QCOMPARE(t.numbers(), (QStringList{"T1", "T2", "T3", "T4"}));
    // The page's sums are those of the whole list.
    QCOMPARE(m->index(0, ToolLifeModel::WearPercent).data().toString(), QStringLiteral("95%"));
    QCOMPARE(m->index(2, ToolLifeModel::Wear).data().toString(), QStringLiteral("500"));
    m->fetchAll();
    QVERIFY(!m->canFetchMore());
    QCOMPARE(m->rowCount(), 4);
    // A sort reads every page first.
    t.e.window->setPageSize(1);
    QVERIFY(t.e.window->rebuild());
    QVERIFY(m->rowCount() < 4 && m->canFetchMore()); // the grid reads the pages it shows
    m->sort(ToolLifeModel::WearPercent, Qt::DescendingOrder);
    QCOMPARE(t.numbers(), (QStringList{"T2", "T1", "T3", "T4"}));
    // A filter on the figures reads the whole list at once.
    t.e.w<QCheckBox>("ChkNuncaUsados")->click();
    test::settle();
    QCOMPARE(t.numbers(), QStringList{"T4"});
    QVERIFY(!m->canFetchMore());
}

void TestToolLifeWindow::stoppedReadsKeepTheList() {
    ToolLifeOn t;
    QVERIFY(t.open());
    // Every read of the whole list goes through the background read; here the user presses
    // "Cancelar" on its progress box.
    QStringList labels;
    bool stop = true;
    t.e.window->setBackgroundRunner(
        [&](const QString& label, const BackgroundRead::Work& work, QString* error) {
            labels << label;
            if (stop)
                return BackgroundRead::Outcome::Cancelled;
            return readWithProgress(t.e.window.get(), label, kDbFalquinas, work, error);
        });
    t.e.window->setPageSize(1);
    QVERIFY(t.e.window->rebuild());
    ToolLifeModel* m = t.e.window->rows();
    // Before the grid asks for more pages: a sort, a print and an export need the tools
    // left. Stopped, nothing changes and the title's arrow stays off.
    const QStringList firstPage = t.numbers();
    QVERIFY(m->canFetchMore());
    QHeaderView* header = t.e.grid()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(ToolLifeModel::WearPercent) + 5, 5));
    QCOMPARE(labels, QStringList{"A calcular a vida útil dos clichés ..."});
    QCOMPARE(header->sortIndicatorSection(), -1);
    QCOMPARE(t.numbers(), firstPage);
    t.e.window->BotPrintClick();
    QCOMPARE(t.previews, QStringList());
    QCOMPARE(labels.size(), 2);
    QCOMPARE(t.numbers(), firstPage);
    test::settle();

    // A filter on the figures: the boxes and the list go back to what was shown.
    const QStringList shown = t.numbers();
    t.e.fill("Edit_Desgaste1", "90");
    QCOMPARE(labels.size(), 3);
    QCOMPARE(t.e.w("Edit_Desgaste1")->text(), QString());
    QVERIFY(!t.e.window->filter().wearFrom);
    QCOMPARE(t.numbers(), shown);
    t.e.w<QCheckBox>("ChkNuncaUsados")->click();
    test::settle();
    QCOMPARE(labels.size(), 4);
    QVERIFY(!t.e.w<QCheckBox>("ChkNuncaUsados")->isChecked());
    QCOMPARE(t.numbers(), shown);

    // Not stopped: the tools left come in one read and the sort applies.
    stop = false;
    QVERIFY(t.e.window->rebuild());
    QVERIFY(m->canFetchMore());
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(ToolLifeModel::WearPercent) + 5, 5));
    test::settle();
    QCOMPARE(labels.size(), 5);
    QCOMPARE(header->sortIndicatorSection(), int(ToolLifeModel::WearPercent));
    QVERIFY(!m->canFetchMore());
    QCOMPARE(t.numbers().size(), 4);
    QCOMPARE(t.numbers().first(), header->sortIndicatorOrder() == Qt::AscendingOrder ? "T4" : "T2");
    // With a sort on, another page or filter reads every tool before the list changes:
    // stopped, the page, the list and its order stay.
    stop = true;
    const QStringList sorted = t.numbers();
    t.e.w<QTabBar>("NBTipo")->setCurrentIndex(1);
    test::settle();
    QCOMPARE(labels.last(), QStringLiteral("A calcular a vida útil dos desenhos ..."));
    QCOMPARE(t.e.w<QTabBar>("NBTipo")->currentIndex(), 0);
    QCOMPARE(t.e.window->kind(), ItemKind::Cliche);
    QCOMPARE(t.numbers(), sorted);
    QCOMPARE(header->sortIndicatorSection(), int(ToolLifeModel::WearPercent));
    stop = false;
    // On the drawings' page, a figure filter reads the drawings.
    t.e.w<QTabBar>("NBTipo")->setCurrentIndex(1);
    test::settle();
    t.e.fill("Edit_Desgaste1", "1");
    QCOMPARE(labels.last(), QStringLiteral("A calcular a vida útil dos desenhos ..."));
    QCOMPARE(t.numbers(), QStringList());
    // Back to the clichés' page, stopped: the drawings' page and list stay.
    stop = true;
    t.e.w<QTabBar>("NBTipo")->setCurrentIndex(0);
    test::settle();
    QCOMPARE(t.e.window->kind(), ItemKind::Drawing);
    QCOMPARE(t.e.w<QTabBar>("NBTipo")->currentIndex(), 1);
    QCOMPARE(t.e.window->rows()->kind(), ItemKind::Drawing);
}

void TestToolLifeWindow::progressBoxOverTheWindow() {
    ToolLifeOn t;
    QVERIFY(t.open());
    // The window's own read, made slow: the box comes up over the window and its "Cancelar"
    // stops the engine's statement.
    t.e.window->setBackgroundRunner(
        [&](const QString& label, const BackgroundRead::Work& work, QString* error) {
            return readWithProgress(
                t.e.window.get(), label, kDbFalquinas,
                [work](QSqlDatabase& db, QString* why) {
                    QSqlQuery slow(db);
                    if (!slow.exec(test::slowStatement())) {
                        *why = slow.lastError().text();
                        return false;
                    }
                    return work(db, why);
                },
                error);
        });
    QString shown;
    QTimer press;
    press.setInterval(50);
    connect(&press, &QTimer::timeout, this, [&] {
        auto* box = t.e.window->findChild<QProgressDialog*>(QStringLiteral("LeituraProgresso"));
        if (!box || !box->isVisible() || !shown.isEmpty())
            return;
        shown = box->labelText();
        if (QPushButton* cancel = box->findChild<QPushButton*>())
            cancel->click();
    });
    press.start();
    const QStringList before = t.numbers();
    t.e.fill("Edit_Desgaste1", "90");
    press.stop();
    QVERIFY2(shown.startsWith(QStringLiteral("A calcular a vida útil dos clichés ...\n")),
             qPrintable(shown));
    QCOMPARE(t.e.w("Edit_Desgaste1")->text(), QString());
    QCOMPARE(t.numbers(), before);
    QCOMPARE(t.e.messages.shown, QStringList());
    // The window goes on (active again once the box is gone): the same filter read at its
    // own pace.
    QVERIFY(t.e.activate());
    t.e.window->setBackgroundRunner({});
    t.e.fill("Edit_Desgaste1", "90");
    QCOMPARE(t.numbers(), (QStringList{"T1", "T2"}));
}

void TestToolLifeWindow::noPageWhileTheRestIsRead() {
    ToolLifeModel m;
    const auto tool = [](const char* number) {
        ToolLife t;
        t.number = QString::fromLatin1(number);
        return t;
    };
    m.setRows(ItemKind::Cliche, {tool("A")}, QDate(2026, 1, 5), 90);
    int pages = 0;
    bool moreOffered = true;
    m.setPageReader(
        [&](QVector<ToolLife>& rows) {
            ++pages;
            rows << tool("B");
            return true;
        },
        true,
        [&](QVector<ToolLife>& rows) {
            // The grid, painted while the rest is read, asks for its next page.
            moreOffered = m.canFetchMore();
            m.fetchMore();
            rows << tool("B") << tool("C");
            return true;
        });
    QVERIFY(m.fetchAll());
    QVERIFY(!moreOffered);
    QCOMPARE(pages, 0);
    QStringList numbers;
    for (int r = 0; r < m.rowCount(); ++r)
        numbers << m.tool(r).number;
    QCOMPARE(numbers, (QStringList{"A", "B", "C"}));
    QVERIFY(!m.canFetchMore());
}

void TestToolLifeWindow::spreadsheetOfTheList() {
    ToolLifeOn t;
    QVERIFY(t.open());
    QTemporaryDir dir;
    QString opened;
    t.e.window->exporter().setFolder(dir.path());
    t.e.window->exporter().setOpener([&opened](const QString& path) {
        opened = path;
        return true;
    });
    t.e.button("BotExcel")->click();
    test::settle();
    QVERIFY2(!opened.isEmpty(), qPrintable(t.e.messages.shown.join('|')));
    const test::Sheet sheet = test::readSheet(opened);
    QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
    // Titles on row 4, then a row a tool in the grid's order, its figures as numbers.
    QCOMPARE(sheet.at(4, 1).text, QStringLiteral("Cliché Nº"));
    QCOMPARE(sheet.at(4, 7).text, QStringLiteral("% Desgaste"));
    QStringList numbers;
    for (int row = 5; row <= 8; ++row)
        numbers << sheet.at(row, 1).text;
    QCOMPARE(numbers, t.numbers());
    const int t2 = 5 + int(t.numbers().indexOf(QStringLiteral("T2")));
    QCOMPARE(sheet.at(t2, 2).text, QStringLiteral("ALFA"));
    QVERIFY(sheet.at(t2, 5).number);
    QCOMPARE(sheet.at(t2, 5).text, QStringLiteral("1000"));
    QCOMPARE(sheet.at(t2, 6).text, QStringLiteral("1100"));
    QCOMPARE(sheet.at(t2, 7).text, QStringLiteral("110"));
    QVERIFY(sheet.at(t2, 9).number); // last use: a date
    QCOMPARE(sheet.at(t2, 10).text, QStringLiteral("esgotada"));
    // T4, never used: no last use, no wear-out date.
    const int t4 = 5 + int(t.numbers().indexOf(QStringLiteral("T4")));
    QCOMPARE(sheet.at(t4, 9).text, QString());
    QCOMPARE(sheet.at(t4, 10).text, QString());
}

void TestToolLifeWindow::pictureDocumentsAndViewer() {
    ToolLifeOn t;
    QVERIFY(t.inst.ok());
    const ImageParameters images = readImageParameters(t.inst.open("main"));
    QDir().mkpath(images.clicheFolder);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(clicheImagePath(images, QStringLiteral("T2")), "JPG"));
    QFile sheet(QDir(images.clicheFolder).filePath(QStringLiteral("T2_ficha.pdf")));
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.write("%PDF-1.4\n");
    sheet.close();
    QVERIFY(t.open());
    // T1 has no picture: nothing to view.
    t.select("T1");
    emit t.e.grid()->doubleClicked(t.e.grid()->currentIndex());
    QCOMPARE(t.viewers, QStringList());
    t.select("T2");
    QVERIFY(!t.e.window->picture()->isEmpty());
    QCOMPARE(t.e.window->documents()->list()->count(), 2); // the picture and the sheet
    emit t.e.grid()->doubleClicked(t.e.grid()->currentIndex());
    QCOMPARE(t.viewers, QStringList{"falq::TClicheViewer"});
}

QTEST_MAIN(TestToolLifeWindow)
#include "tst_tool_life_window.moc"
