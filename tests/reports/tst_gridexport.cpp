// "Exportar para Excel": the written .xlsx opened as the zip of XML it is: rows 1 to 4, the
// rows in the grid's order, number formats, widths and alignment; a new file every time; a
// folder that cannot be written.
#include "../shell/shellrun.h"
#include "filecheck.h"
#include "gridexport.h"
#include "unitDtFalquinas.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>

using namespace falq;
using falq::test::Run;

namespace {

// Three purchases/repairs, their dates in another order than their numbers.
bool addRepairs(test::Installation& inst) {
    const char* sql = "INSERT INTO REPARACOES (CLICHENRO, DESENHONRO, TIPO, ENCNRO, DATENC, "
                      "FORNECEDOR, FORNSIGLA, VALOR, TIPOREG, SIGLACLI, FACNRO, FACDATA, "
                      "ADEBITAR_CLIENTE) VALUES (?, '', 'C', ?, ?, 3, 'GRAVOPRESS', ?, 'CL', "
                      "'CLI01', 0, NULL, 'N')";
    return inst.exec("main", sql, {"C-100", 11, "2025-02-10 00:00:00", 12.5}) &&
           inst.exec("main", sql, {"C-200", 12, "2025-06-01 00:00:00", 1234.567}) &&
           inst.exec("main", sql, {"C-300", 13, "2025-04-15 00:00:00", 80.0});
}

int column(const QTableView& grid, const char* field) {
    auto* d = qobject_cast<Dataset*>(grid.model());
    for (int c = 0; c < d->columnCount(); ++c)
        if (d->headerData(c, Qt::Horizontal).toString() == QLatin1String(field))
            return c;
    return -1;
}

// A fresh installation (which a test may fill first) and a run of the main program on it, one
// of its datasets read and presented in a grid.
struct GridOn {
    bool open(const QString& name) {
        if (!inst.ok()) {
            qWarning("%s", qPrintable(inst.error()));
            return false;
        }
        if (!run.start())
            return false;
        Dataset* rows = run.session.dataset(name);
        if (!rows->open())
            return false;
        grid.setModel(rows);
        rows->presentIn(&grid);
        return true;
    }
    test::Installation inst;
    Run run;
    QTableView grid;
};

} // namespace

class TestGridExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void widthRule();
    void sheetOfAGrid();
    void everyExportIsANewFile();
    void exportsOlderThanAMonthAreRemoved();
    void folderThatCannotBeWrittenSaysWhy();
};

void TestGridExport::widthRule() {
    QCOMPARE(sheetColumnWidth(7 * 11, 11), 14);
    QCOMPARE(sheetColumnWidth(10 * 11 + 3, 11), 21); // 20.5 rounds up
    QCOMPARE(sheetColumnWidth(80 * 11, 11), 100);    // never above 100
}

void TestGridExport::sheetOfAGrid() {
    GridOn g;
    QVERIFY2(g.inst.ok(), qPrintable(g.inst.error()));
    QVERIFY(addRepairs(g.inst));
    QVERIFY(g.open(ds::REPARACOES));
    QTableView& grid = g.grid;
    grid.show();
    const int w = grid.fontMetrics().horizontalAdvance(QLatin1Char('W'));
    grid.setColumnWidth(column(grid, "CLICHENRO"), 7 * w);
    grid.setColumnWidth(column(grid, "VALOR"), 80 * w);
    // The user's order: the amount moved first; the supplier's code hidden.
    grid.horizontalHeader()->moveSection(
        grid.horizontalHeader()->visualIndex(column(grid, "VALOR")), 0);
    grid.setColumnHidden(column(grid, "FORNSIGLA"), true);

    QTemporaryDir dir;
    GridExporter exporter(g.run.session);
    exporter.setFolder(dir.path());
    QStringList opened;
    exporter.setOpener([&](const QString& path) {
        opened << path;
        return true;
    });
    const QString path =
        exporter.exportGrid(nullptr, &grid, QStringLiteral("Compras e Reparações"));
    QVERIFY(!path.isEmpty());
    QCOMPARE(opened, QStringList{path});
    QVERIFY(path.startsWith(dir.path()));
    QVERIFY(g.run.messages.shown.isEmpty());

    const test::Sheet sheet = test::readSheet(path);
    QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
    QCOMPARE(sheet.at(1, 1).text, QStringLiteral("Cartonagem do Vale, Lda"));
    QCOMPARE(sheet.at(2, 1).text, QStringLiteral("BDE Alias: FACTURA01"));
    QCOMPARE(sheet.at(3, 1).text, QStringLiteral("Compras e Reparações"));
    // Row 4: the titles in the grid's order, centred on grey.
    const int columns = grid.model()->columnCount() - 1;
    QCOMPARE(sheet.at(4, 1).text, QStringLiteral("VALOR"));
    QCOMPARE(sheet.at(4, 2).text, QStringLiteral("NRO"));
    for (int c = 1; c <= columns; ++c) {
        QVERIFY(sheet.at(4, c).grey);
        QCOMPARE(sheet.at(4, c).align, QStringLiteral("center"));
        QVERIFY(sheet.at(4, c).text != QLatin1String("FORNSIGLA"));
    }
    QVERIFY(sheet.at(4, columns + 1).text.isEmpty());
    // The rows in the grid's order (latest order date first).
    const int cliche = 1 + grid.horizontalHeader()->visualIndex(column(grid, "CLICHENRO")) -
                       (grid.horizontalHeader()->visualIndex(column(grid, "FORNSIGLA")) <
                                grid.horizontalHeader()->visualIndex(column(grid, "CLICHENRO"))
                            ? 1
                            : 0);
    QCOMPARE(sheet.at(5, cliche).text, QStringLiteral("C-200"));
    QCOMPARE(sheet.at(6, cliche).text, QStringLiteral("C-300"));
    QCOMPARE(sheet.at(7, cliche).text, QStringLiteral("C-100"));
    QVERIFY(sheet.at(8, 1).grey); // the closing grey row
    QCOMPARE(sheet.lastRow, 8);
    // Amounts: numbers with two decimals, right-aligned; whole numbers right-aligned; text not.
    QVERIFY(sheet.at(5, 1).number);
    QCOMPARE(sheet.at(5, 1).text.toDouble(), 1234.567);
    QCOMPARE(sheet.at(5, 1).numberFormat, QStringLiteral("0.00"));
    QCOMPARE(sheet.at(5, 1).align, QStringLiteral("right"));
    QVERIFY(sheet.at(5, 2).number);
    QCOMPARE(sheet.at(5, 2).align, QStringLiteral("right"));
    QVERIFY(sheet.at(5, 2).numberFormat != QLatin1String("0.00"));
    QVERIFY(!sheet.at(5, cliche).number);
    QVERIFY(sheet.at(5, cliche).align.isEmpty());
    // Widths: 7 "W" wide gives 14; 80 "W" wide stops at 100.
    QCOMPARE(int(sheet.widths.value(cliche)), 14);
    QCOMPARE(int(sheet.widths.value(1)), 100);
}

void TestGridExport::everyExportIsANewFile() {
    GridOn g;
    QVERIFY(g.open(ds::CORES));
    QTableView& grid = g.grid;
    QTemporaryDir dir;
    GridExporter exporter(g.run.session);
    exporter.setFolder(dir.path());
    exporter.setOpener([](const QString&) { return true; });
    const QString first = exporter.exportGrid(nullptr, &grid, QStringLiteral("Tabela de Côres"));
    QVERIFY(!first.isEmpty());
    QFile f(first);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    // The first file may still be open in the spreadsheet program: never written over.
    const QString second = exporter.exportGrid(nullptr, &grid, QStringLiteral("Tabela de Côres"));
    QVERIFY(!second.isEmpty());
    QVERIFY(second != first);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    QCOMPARE(test::readSheet(second).at(5, 3).text, QStringLiteral("Preto"));
}

void TestGridExport::exportsOlderThanAMonthAreRemoved() {
    GridOn g;
    QVERIFY(g.open(ds::CORES));
    QTemporaryDir dir;
    const QDateTime now = QDateTime::currentDateTime();
    const struct {
        const char* name;
        int daysOld;
        bool kept;
    } files[] = {{"Tabela de Côres_20261001_101010.xlsx", 31, false},
                 {"Mapa de Custos_20261001_101010_2.xlsx", 45, false},
                 {"Tabela de Côres_20261110_080000.xlsx", 29, true},
                 {"orcamento.xlsx", 90, true}, // not an export's name
                 {"Tabela_20261001_101010.pdf", 90, true}};
    for (const auto& f : files) {
        QFile file(dir.filePath(QString::fromUtf8(f.name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setFileTime(now.addDays(-f.daysOld), QFileDevice::FileModificationTime));
    }
    GridExporter exporter(g.run.session);
    exporter.setFolder(dir.path());
    exporter.setOpener([](const QString&) { return true; });
    const QString written =
        exporter.exportGrid(nullptr, &g.grid, QStringLiteral("Tabela de Côres"));
    QVERIFY(QFileInfo::exists(written));
    for (const auto& f : files)
        QVERIFY2(QFileInfo::exists(dir.filePath(QString::fromUtf8(f.name))) == f.kept, f.name);
}

void TestGridExport::folderThatCannotBeWrittenSaysWhy() {
    GridOn g;
    QVERIFY(g.open(ds::CORES));
    QTableView& grid = g.grid;
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.txt");
    {
        QFile f(plain);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    GridExporter exporter(g.run.session);
    exporter.setFolder(plain + "/exportacoes");
    bool opened = false;
    exporter.setOpener([&](const QString&) { return opened = true; });
    QVERIFY(exporter.exportGrid(nullptr, &grid, QStringLiteral("Tabela de Côres")).isEmpty());
    QVERIFY(!opened);
    QCOMPARE(g.run.messages.shown.size(), 1);
    QVERIFY(g.run.messages.shown[0].startsWith("Não foi possível exportar para Excel.\n"));
    QVERIFY(g.run.messages.shown[0].contains(plain));
    QCOMPARE(g.run.messages.beeps, QList<bool>{true});
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"plain.txt"});
}

QTEST_MAIN(TestGridExport)
#include "tst_gridexport.moc"
