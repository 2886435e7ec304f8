// falqbench: times what the plant's users wait for on a register of a chosen size, beside
// the time the database engine itself needs for the same SQL.
#include "CORTP010.h"
#include "CORTP013.h"
#include "CORTP023.h"
#include "CORTP030.h"
#include "CORTP031.h"
#include "CORTP033.h"
#include "UnitFacMenu.h"
#include "aliases.h"
#include "clicherules.h"
#include "clichesearch.h"
#include "connections.h"
#include "dashboard.h"
#include "drawingrules.h"
#include "drawingsearch.h"
#include "engineclient.h"
#include "imagecontrol.h"
#include "listingbench.h"
#include "localtime.h"
#include "locationbench.h"
#include "movementbench.h"
#include "movementqueries.h"
#include "registerlinks.h"
#include "reportbench.h"
#include "session.h"
#include "toollife.h"
#include "unitDtFalquinas.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <functional>

using namespace falq;

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

class PrintedMessages : public Messages {
public:
    void show(const QString& text, bool) override {
        QTextStream(stderr) << "message: " << text << "\n";
    }
    bool ask(const QString& text) override {
        QTextStream(stderr) << "question (answered no): " << text << "\n";
        return false;
    }
    void beep() override {}
};

struct Scenario {
    QString name;
    QString description;
    std::function<void()> prepare;    // before each timed run, not timed
    std::function<void()> run;        // timed
    std::function<QStringList()> sql; // the same work for the engine's client, one run
    // For a scenario whose statement was rewritten: the statement before (the engine's
    // reference), timed in the engine's client beside the new one.
    std::function<QStringList()> before = {};
};

struct Result {
    QString name;
    QList<double> ms;
    QList<double> engine;
    QString note;
    QList<double> before = {};
};

double median(QList<double> v) {
    if (v.isEmpty())
        return std::nan("");
    std::sort(v.begin(), v.end());
    const int n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

QString ms(double v) {
    return std::isnan(v) ? QStringLiteral("-") : QString::number(v, 'f', v < 10 ? 2 : 1);
}

QString quoted(const QString& s) {
    return QLatin1Char('\'') + QString(s).replace('\'', "''") + QLatin1Char('\'');
}

// Resident and peak resident memory of this process (Linux), in kB.
qint64 statusKb(const char* field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    return 0;
}
qint64 residentKb() {
    return statusKb("VmRSS:");
}
qint64 peakKb() {
    return statusKb("VmHWM:");
}

bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Opens a session the way the main program does; the time until the session is usable.
double startSession(Messages& messages, std::unique_ptr<Session>& session,
                    std::unique_ptr<TFACFMENU>& menu) {
    QElapsedTimer t;
    t.start();
    session = std::make_unique<Session>(messages);
    menu = std::make_unique<TFACFMENU>(*session);
    menu->show();
    menu->activateWindow();
    if (!waitFor([&] { return menu->sessionOpen() || menu->programEnded(); }, 60000) ||
        !menu->sessionOpen())
        return std::nan("");
    return t.nsecsElapsed() / 1e6;
}

// The dataset a dashboard grid shows.
Dataset* dashboardGrid(QWidget* within, const char* name) {
    auto* view = within->findChild<QTableView*>(QString::fromLatin1(name));
    return view ? qobject_cast<Dataset*>(view->model()) : nullptr;
}

void printTable(const QList<Result>& results) {
    const bool before = std::any_of(results.begin(), results.end(),
                                    [](const Result& r) { return !r.before.isEmpty(); });
    out() << QStringLiteral("%1 %2 %3 %4 %5 %6")
                 .arg("scenario", -16)
                 .arg("median ms", 10)
                 .arg("min ms", 9)
                 .arg("max ms", 9)
                 .arg("engine ms", 10)
                 .arg("ratio", 8)
          << (before ? QStringLiteral("  engine ms, statement before") : QString()) << "\n";
    for (const Result& r : results) {
        const double m = median(r.ms);
        const double e = median(r.engine);
        const double lo =
            r.ms.isEmpty() ? std::nan("") : *std::min_element(r.ms.begin(), r.ms.end());
        const double hi =
            r.ms.isEmpty() ? std::nan("") : *std::max_element(r.ms.begin(), r.ms.end());
        out() << QStringLiteral("%1 %2 %3 %4 %5 %6")
                     .arg(r.name, -16)
                     .arg(ms(m), 10)
                     .arg(ms(lo), 9)
                     .arg(ms(hi), 9)
                     .arg(ms(e), 10)
                     .arg(std::isnan(e) || e <= 0 ? QStringLiteral("-")
                                                  : QString::number(m / e, 'f', 2) + 'x',
                          8);
        if (!r.before.isEmpty())
            out() << QStringLiteral("  %1").arg(ms(median(r.before)), 10);
        if (!r.note.isEmpty())
            out() << "  (" << r.note << ")";
        out() << "\n";
    }
}

} // namespace

int main(int argc, char* argv[]) {
    falq::readLocalTimeZoneOnce();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("falqbench"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Times scenarios of the register on an installation (falqsetup create + generate --size "
        "...).\n"
        "Each scenario runs after warm-up runs; the median, the fastest and the slowest run are\n"
        "printed, beside the median time the engine's own client (sqlite3 or psql) needs for the\n"
        "same SQL on the same data, and the ratio of the two.\n\n"
        "Scenarios:\n"
        "  startup         start-up to a usable main window: workstation files, credentials, "
        "general\n"
        "                  database, company and user, data modules, session row, null clean-up\n"
        "  open-cliches    open the shared CLICHES dataset sorted by number and paint a grid of "
        "its\n"
        "                  first rows (engine: the same first page and the row count)\n"
        "  open-desenhos   the same for DESENHOS\n"
        "  locate-cliche   find a number near the end of the open CLICHES dataset (engine: the "
        "row\n"
        "                  by its key and its position, counted from the nearer end)\n"
        "  last-cliche     show the last rows of the open CLICHES dataset in the grid, as Ctrl+End "
        "or\n"
        "                  the scroll bar dragged to the end do (engine: the last page)\n"
        "  last-movement   the same for MOVIMENTOS (newest first, 3 million rows at the large "
        "size)\n"
        "  apply-change    apply one changed cliché (engine: the same UPDATE in a transaction)\n"
        "  apply-movement  insert one movement into the open MOVIMENTOS dataset and apply it\n"
        "                  (engine: the same INSERT in a transaction)\n"
        "  editor-open     open the cliché editor (TCORTF010) until it shows its grid and first\n"
        "                  record: missing die and set-up numbers set, list, parameters, code\n"
        "                  tables, look-up sets, names beside codes, picture and documents\n"
        "  editor-locate   in the open editor, find a number near the end as the \"Localizar\"\n"
        "                  search does when the whole number is typed, and show that record\n"
        "  editor-save     in the open editor, the return to the grid after a change: checks,\n"
        "                  write, missing numbers set, list re-opened on the cliché, record shown\n"
        "  picker-cliche, picker-drawing\n"
        "                  the cliché and drawing pickers' default search on their own\n"
        "                  dataset, its first rows painted (engine: the same statement's first\n"
        "                  page and its row count)\n"
        "  picker-cliche-client, picker-cliche-die, picker-drawing-client, picker-drawing-board\n"
        "                  the same narrowed to one client, one die or one board size\n"
        "  picker-cliche-prefix, picker-drawing-prefix\n"
        "                  the same with a client short-name pattern \"AB%\" (two letters)\n"
        "  consult-cliche-<column>, consult-drawing-<column>\n"
        "                  the consultation windows' list of valid records in each of their six\n"
        "                  sort orders (column in lower case: clichenro, cortantenro, ...)\n"
        "  report-pdf-10k  a listing of 10,000 generated rows (groups, sums) rendered to PDF,\n"
        "                  with the rise of the peak memory while it runs (no installation\n"
        "                  needed for the report and export scenarios)\n"
        "  report-text-10k the same listing to plain text\n"
        "  report-pdf-100k, report-text-100k  the same with 100,000 rows\n"
        "  xlsx-100k       a grid of 100,000 rows and 25 columns exported to .xlsx\n"
        "  rank-uses-d-1y, rank-uses-c-1y, rank-rot-d-1y, rank-rot-c-1y  the four rankings\n"
        "                  (drawings, clichés by uses and by rotations) over the newest year,\n"
        "                  every row read; -all: over all years\n"
        "  movlist-d-1y, movlist-c-1y (-all)  the movement lists, every row read\n"
        "  purch-grid-1y (-all)  the purchases listing's rows opened, first rows read\n"
        "  purch-detail-1y, purch-totcli-1y, purch-totfrn-1y (-all)  the detailed list's rows\n"
        "                  and the totals per client and per supplier\n"
        "  life-c, life-d  tool life of every cliché / drawing (wear, uses, last use, recent\n"
        "                  rotations, cost) in one statement per kind, every row read\n"
        "  life-bg-c, life-bg-d  the same read as the window and the dashboard read it: on a\n"
        "                  connection of its own in a worker thread, every row made a tool\n"
        "  life-page-c, life-page-d  the tool life window's first page (200 numbers, their sums)\n"
        "  life-warn-c, life-warn-d  one tool's life sums (the warning after a movement)\n"
        "  location-move-1 one tool read, moved to a place (one transaction, its history row) and\n"
        "                  its list line read again\n"
        "  location-where  \"Onde está ?\": a tool's present place and its history\n"
        "  location-move-500  500 gathered tools moved to a place in one transaction\n"
        "  labels-1000     1,000 clichés' labels read and written to PDF (A4, 3 x 8; kept in\n"
        "                  --shots DIR); the moves write to the register, between two places\n"
        "                  (run only when named; \"locations\" names them all)\n"
        "  rank-pdf-1y     the drawings' uses ranking of the newest year with the movements of\n"
        "                  each drawing, rendered to PDF\n"
        "                  (these last are run only when named; \"movements\" names them all)\n"
        "  usage-drawings-year, usage-cliches-year, rotations-drawings-year,\n"
        "  rotations-cliches-year   a usage summary of the usage register over the newest\n"
        "                  year: movements summed by number, joined to their drawing or cliché,\n"
        "                  largest first, its first rows shown (engine: the same statement)\n"
        "  usage-drawings-all, ... the same four over all years\n"
        "  usage-detail    the movements of the most used drawing, all years, first rows\n"
        "  register030-open, register031-open   open the usage register or the purchases and\n"
        "                  repairs register until its grid and first row show\n"
        "  life-window-open  open \"Vida Útil de Clichés e Cortantes\" until its first page of\n"
        "                  clichés shows (engine: the parameters, the page and its sums)\n"
        "  movement-insert a new movement written (and rolled back inside its transaction)\n"
        "                  and the movements re-opened on their first rows\n"
        "  cliche-list-pdf-10k, cliche-list-text-10k, cliche-list-pdf-100k, cliche-list-text-100k\n"
        "                  \"Listagem de Clichés\" of generated clichés to PDF and text\n"
        "  drawing-list-pdf-10k  \"Listagem de Desenhos\" of 10,000 generated drawings to PDF\n"
        "  photo-cliche-sheets-100, photo-drawing-list-100  the other two reports with photos\n"
        "  cliche-sheets-1k, drawing-sheets-1k  1,000 \"Ficha de Especificações Gráficas\" /\n"
        "                  \"Ficha Tecnica\" sheets to PDF\n"
        "  photo-list-100, photo-list-500, photo-sheets-100, photo-sheets-500  the cliché list\n"
        "                  and the drawing sheets with a 3000x2000 JPEG photo each, to PDF\n"
        "  validate-cliches, validate-desenhos  open \"Validação de Clichés\" / \"de Desenhos\"\n"
        "                  until the first rows of the records not valid are painted\n"
        "  validate-1000   \"&Gravar\" of 1,000 toggles in \"Validação de Clichés\" (the write\n"
        "                  rolled back; engine: the same updates in a transaction)\n"
        "  dash-on         switch the statistics dashboard on: its totals by year and month,\n"
        "                  the averages and the newest year's clients, suppliers and\n"
        "                  requisitions, painted (engine: the statements the dashboard ran)\n"
        "  dash-clients, dash-suppliers, dash-cliches, dash-drawings  change to that page from\n"
        "                  the one before it: its grid, total and the first row's detail\n"
        "  dash-client-next  the next client on \"Custos por Cliente\": its years and months\n"
        "                  over every year, its requisitions and suppliers of the dates\n"));
    parser.addHelpOption();
    const QCommandLineOption root(QStringLiteral("root"),
                                  QStringLiteral("Plant root of the installation."),
                                  QStringLiteral("dir"), qEnvironmentVariable("VELMORA_ROOT"));
    const QCommandLineOption reps(QStringLiteral("reps"), QStringLiteral("Timed runs (default 7)."),
                                  QStringLiteral("n"), QStringLiteral("7"));
    const QCommandLineOption warmup(QStringLiteral("warmup"),
                                    QStringLiteral("Warm-up runs (default 1)."),
                                    QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption only(QStringLiteral("scenario"),
                                  QStringLiteral("Run only these (comma list)."),
                                  QStringLiteral("names"));
    const QCommandLineOption noEngine(QStringLiteral("no-engine"),
                                      QStringLiteral("Skip the engine's client."));
    const QCommandLineOption printSql(
        QStringLiteral("print-sql"),
        QStringLiteral("Print the statements the engine's client would run for each scenario "
                       "(and the statement before, where there is one) instead of timing."));
    const QCommandLineOption shots(QStringLiteral("shots"),
                                   QStringLiteral("Save the grid after each last-* scenario, and "
                                                  "the editor after editor-open, as a PNG "
                                                  "file in this folder, and the file of "
                                                  "each report scenario's first run."),
                                   QStringLiteral("dir"));
    parser.addOptions({root, reps, warmup, only, noEngine, printSql, shots});
    parser.process(app);
    const int nReps = qMax(1, parser.value(reps).toInt());
    const int nWarm = qMax(0, parser.value(warmup).toInt());
    QStringList selected = parser.value(only).split(',', Qt::SkipEmptyParts);
    if (selected.removeAll(QStringLiteral("movements")) > 0)
        selected << bench::movementScenarioNames();
    if (selected.removeAll(QStringLiteral("locations")) > 0)
        selected << bench::locationScenarioNames();
    auto wanted = [&](const QString& name) {
        return selected.isEmpty() || selected.contains(name);
    };
    QList<Result> results;

    // The report engine and the spreadsheet export, on generated rows.
    QTemporaryDir work;
    bool onlyGenerated = !selected.isEmpty();
    const QList<bench::ReportScenario> generated =
        bench::reportScenarios(work.path()) + bench::listingScenarios(work.path());
    for (const QString& name : selected) {
        onlyGenerated = onlyGenerated &&
                        std::any_of(generated.begin(), generated.end(),
                                    [&](const bench::ReportScenario& s) { return s.name == name; });
    }
    for (const bench::ReportScenario& s : generated) {
        if (!wanted(s.name))
            continue;
        Result r{s.name, {}, {}, {}};
        double memory = 0;
        QList<double> cpu;
        QString made;
        for (int i = 0; i < nWarm + nReps; ++i) {
            bench::MemoryProbe probe;
            probe.start();
            QElapsedTimer t;
            t.start();
            const std::clock_t cpuStart = std::clock();
            QString error;
            QString detail;
            const bool ok = s.run(&error, &detail);
            const double elapsed = t.nsecsElapsed() / 1e6;
            if (i >= nWarm)
                cpu << double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC;
            made = detail;
            memory = qMax(memory, probe.growthMiB());
            if (i == 0 && ok && !parser.value(shots).isEmpty() && !s.output.isEmpty()) {
                const QString kept =
                    QDir(parser.value(shots))
                        .filePath(s.name + QFileInfo(s.output).suffix().prepend('.'));
                QFile::remove(kept);
                QFile::copy(s.output, kept);
            }
            s.cleanup();
            if (!ok) {
                QTextStream(stderr) << "falqbench: " << s.name << ": " << error << "\n";
                return 1;
            }
            if (i >= nWarm)
                r.ms << elapsed;
        }
        // The processor time too: on a shared machine the elapsed time includes waiting.
        r.note = QStringLiteral("%1; processor %2 ms; peak memory +%3 MiB")
                     .arg(made, ms(median(cpu)))
                     .arg(memory, 0, 'f', 1);
        results << r;
    }
    if (onlyGenerated) {
        out() << "falqbench: generated rows; " << nReps << " runs after " << nWarm << " warm-up\n";
        printTable(results);
        return 0;
    }

    if (parser.value(root).isEmpty()) {
        QTextStream(stderr) << "falqbench: give --root DIR or VELMORA_ROOT\n";
        return 2;
    }
    qputenv("VELMORA_ROOT", parser.value(root).toLocal8Bit());
    PrintedMessages messages;

    if (wanted(QStringLiteral("startup"))) {
        Result r{QStringLiteral("startup"), {}, {}, QStringLiteral("no engine equivalent")};
        for (int i = 0; i < nWarm + nReps; ++i) {
            std::unique_ptr<Session> s;
            std::unique_ptr<TFACFMENU> m;
            const double t = startSession(messages, s, m);
            if (std::isnan(t)) {
                QTextStream(stderr) << "falqbench: the session did not open\n";
                return 1;
            }
            if (i >= nWarm)
                r.ms << t;
            m->close();
        }
        results << r;
    }

    std::unique_ptr<Session> session;
    std::unique_ptr<TFACFMENU> menu;
    if (std::isnan(startSession(messages, session, menu))) {
        QTextStream(stderr) << "falqbench: the session did not open\n";
        return 1;
    }
    const SessionContext& ctx = session->context();
    bench::EngineTarget target;
    QString error;
    if (!readAlias(ctx.mainAlias, &target.alias, &error)) {
        QTextStream(stderr) << "falqbench: " << error << "\n";
        return 1;
    }
    target.user = loginLineValue(ctx.companyUserLine);
    target.password = loginLineValue(ctx.companyPasswordLine);
    const bool sqlite = target.alias.driver == QLatin1String("QSQLITE");
    const QString begin = sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");

    auto scalar = [&](const QString& sql) {
        QSqlQuery q(QSqlDatabase::database(kDbFalquinas));
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    };
    const int nCliches = scalar("SELECT COUNT(*) FROM CLICHES").toInt();
    const int nDrawings = scalar("SELECT COUNT(*) FROM DESENHOS").toInt();
    const int nMovements = scalar("SELECT COUNT(*) FROM MOVIMENTOS").toInt();
    const int nRepairs = scalar("SELECT COUNT(*) FROM REPARACOES").toInt();
    if (nCliches < 2) {
        QTextStream(stderr) << "falqbench: the register has no clichés (falqsetup generate)\n";
        return 1;
    }
    const QString lateKey =
        scalar(QStringLiteral("SELECT CLICHENRO FROM CLICHES ORDER BY CLICHENRO LIMIT 1 OFFSET %1")
                   .arg(int(nCliches * 0.98)))
            .toString();

    Dataset* cliches = session->dataset(ds::CLICHES);
    Dataset* drawings = session->dataset(ds::DESENHOS);
    Dataset* movements = session->dataset(ds::MOVIMENTOS);
    QTableView grid;
    grid.resize(1200, 800);

    QList<Scenario> scenarios;
    auto openAndPaint = [&](Dataset* d) {
        return Scenario{QStringLiteral("open-") + d->name().toLower(),
                        {},
                        [d] { d->close(); },
                        [d, &grid] {
                            d->open();
                            if (grid.model() != d)
                                grid.setModel(d);
                            d->presentIn(&grid);
                            grid.grab();
                        },
                        [d] {
                            const QString table = d->name();
                            return QStringList{
                                d->statement() + QStringLiteral(" LIMIT 256"),
                                QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)};
                        }};
    };
    scenarios << openAndPaint(cliches) << openAndPaint(drawings);
    scenarios << Scenario{
        QStringLiteral("locate-cliche"),
        {},
        [cliches] {
            cliches->close();
            cliches->open();
        },
        [cliches, lateKey] { cliches->locate({QStringLiteral("CLICHENRO")}, {lateKey}); },
        [lateKey] {
            return QStringList{
                QStringLiteral("SELECT * FROM CLICHES WHERE CLICHENRO = %1").arg(quoted(lateKey)),
                QStringLiteral("SELECT COUNT(*) FROM CLICHES WHERE CLICHENRO > %1")
                    .arg(quoted(lateKey))};
        }};
    const QString shotDir = parser.value(shots);
    auto showLast = [&](const QString& name, Dataset* d, const QString& lastPage) {
        return Scenario{name,
                        {},
                        [d, &grid] {
                            d->close();
                            d->open();
                            if (grid.model() != d)
                                grid.setModel(d);
                            d->presentIn(&grid);
                        },
                        [d, &grid, name, shotDir] {
                            grid.scrollToBottom();
                            d->setCurrentRow(d->rowCount() - 1);
                            const QPixmap shot = grid.grab();
                            if (!shotDir.isEmpty())
                                shot.save(QStringLiteral("%1/%2.png").arg(shotDir, name));
                        },
                        [lastPage] { return QStringList{lastPage}; }};
    };
    scenarios << showLast(
        QStringLiteral("last-cliche"), cliches,
        QStringLiteral("SELECT * FROM CLICHES ORDER BY CLICHENRO DESC LIMIT 256"));
    scenarios << showLast(QStringLiteral("last-movement"), movements,
                          QStringLiteral("SELECT * FROM MOVIMENTOS ORDER BY DATA, NRO LIMIT 256"));
    int change = 0;
    QString originalReference;
    scenarios << Scenario{
        QStringLiteral("apply-change"),
        {},
        [&] {
            if (!cliches->isOpen()) {
                cliches->open();
                originalReference = cliches->value(0, QStringLiteral("REFERENCIA")).toString();
            }
            cliches->setCurrentRow(0);
            cliches->setFieldValue(QStringLiteral("REFERENCIA"),
                                   QStringLiteral("Bench %1").arg(++change));
        },
        [&] { cliches->applyUpdates(); },
        [&] {
            const QString key = cliches->value(0, QStringLiteral("CLICHENRO")).toString();
            // A real change every run, as the program's apply makes.
            return QStringList{begin,
                               QStringLiteral("UPDATE CLICHES SET REFERENCIA = CASE WHEN "
                                              "REFERENCIA = 'Engine A' THEN 'Engine B' ELSE "
                                              "'Engine A' END WHERE CLICHENRO = %1")
                                   .arg(quoted(key)),
                               QStringLiteral("COMMIT")};
        }};
    const QString today = dateTimeText(QDateTime(QDate::currentDate(), QTime(0, 0)));
    scenarios << Scenario{
        QStringLiteral("apply-movement"),
        {},
        [&] {
            if (!movements->isOpen())
                movements->open();
        },
        [&] {
            movements->setCurrentRow(0);
            movements->insert();
            movements->setFieldValue(QStringLiteral("DESENHONRO"), QStringLiteral(""));
            movements->setFieldValue(QStringLiteral("CLICHENRO"), lateKey);
            movements->setFieldValue(QStringLiteral("NROUTIL"), 1);
            movements->setFieldValue(QStringLiteral("ROTACOES"), 1000);
            movements->setFieldValue(QStringLiteral("ENCOMENDA"), QStringLiteral("BENCH"));
            movements->setFieldValue(QStringLiteral("DATA"), QDateTime::currentDateTime());
            movements->setFieldValue(QStringLiteral("TIPOREG"), QStringLiteral("CL"));
            movements->post();
            movements->applyUpdates();
        },
        [&] {
            return QStringList{
                begin,
                QStringLiteral("INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, "
                               "ENCOMENDA, DATA, TIPOREG) VALUES ('', %1, 1, 1000, 'BENCH', '%2', "
                               "'CL')")
                    .arg(quoted(lateKey), today),
                QStringLiteral("COMMIT")};
        }};

    // The statistics dashboard: switching it on (the totals page), each page change, and the
    // heaviest detail (the next client: its years and months over every year). Each is timed
    // until the page is painted; the engine runs the statements the dashboard ran.
    auto* board = new dashboard::Dashboard(*session, *menu);
    auto* nb0 = menu->dashboardNotebook();
    QList<Statement> boardSql;
    auto boardScenario = [&](const QString& name, std::function<void()> prepare,
                             std::function<void()> act) {
        return Scenario{name,
                        {},
                        [board, prepare] {
                            prepare();
                            board->resetOpenings();
                        },
                        [board, nb0, act, &boardSql] {
                            act();
                            nb0->grab();
                            boardSql = board->statementsRun();
                        },
                        [&boardSql, sqlite] {
                            QStringList sql;
                            for (const Statement& st : std::as_const(boardSql))
                                sql << bench::inlineBinds(st.sql, st.binds, sqlite);
                            return sql;
                        }};
    };
    auto switchOff = [board] {
        if (board->isOn())
            board->BotActiveClick();
    };
    scenarios << boardScenario(
        QStringLiteral("dash-on"),
        [switchOff, nb0] {
            switchOff();
            const QSignalBlocker block(nb0);
            nb0->setCurrentIndex(0);
        },
        [board] { board->BotActiveClick(); });
    const QStringList pageNames = {QStringLiteral("dash-clients"), QStringLiteral("dash-suppliers"),
                                   QStringLiteral("dash-cliches"), QStringLiteral("dash-drawings")};
    for (int page = 1; page <= 4; ++page) {
        scenarios << boardScenario(
            pageNames[page - 1],
            [board, nb0, page] {
                if (!board->isOn())
                    board->BotActiveClick();
                nb0->setCurrentIndex(page - 1);
            },
            [nb0, page] { nb0->setCurrentIndex(page); });
    }
    scenarios << boardScenario(
        QStringLiteral("dash-client-next"),
        [board, nb0] {
            if (!board->isOn())
                board->BotActiveClick();
            if (nb0->currentIndex() != 1)
                nb0->setCurrentIndex(1);
            auto* grid = dashboardGrid(nb0, "DBGridCustosCli");
            if (grid && grid->rowCount() > 1)
                grid->setCurrentRow(0);
        },
        [nb0] {
            if (auto* grid = dashboardGrid(nb0, "DBGridCustosCli"); grid && grid->rowCount() > 1)
                grid->setCurrentRow(1);
        });

    // The usage register's summaries: the four rankings over the newest year and over all
    // years, the movements of one ranked drawing, the two registers opened, and a movement
    // inserted and the list re-opened (rolled back: the register is left as it was).
    const SqlDialect dialect = movements->dialect();
    const QDate newest =
        scalar(QStringLiteral("SELECT MAX(DATA) FROM MOVIMENTOS")).toDateTime().date();
    auto inlined = [](const Statement& st) {
        // The engine's client gets the values written into the statement.
        return bench::withValues(st.sql, st.binds);
    };
    auto* ranking =
        new Dataset(QStringLiteral("RANKING"), kDbFalquinas, {}, UpdateObject{}, menu.get());
    auto* itemMoves =
        new Dataset(QStringLiteral("MOVIMENTOSDET"), kDbFalquinas, {},
                    UpdateObject{QStringLiteral("MOVIMENTOS"), {"NRO"}, {}}, menu.get());
    struct Ranked {
        const char* name;
        movements::ItemKind kind;
        movements::Measure measure;
    };
    const Ranked rankings[] = {
        {"usage-drawings", movements::ItemKind::Drawing, movements::Measure::Uses},
        {"usage-cliches", movements::ItemKind::Cliche, movements::Measure::Uses},
        {"rotations-drawings", movements::ItemKind::Drawing, movements::Measure::Rotations},
        {"rotations-cliches", movements::ItemKind::Cliche, movements::Measure::Rotations}};
    for (const Ranked& rk : rankings) {
        for (const bool allYears : {false, true}) {
            movements::MovementFilter filter;
            filter.from = allYears ? QDate(1900, 1, 1) : QDate(newest.year(), 1, 1);
            filter.to = allYears ? QDate(2100, 12, 31) : newest;
            const Statement st = movements::rankingStatement(dialect, rk.kind, rk.measure, filter);
            const Statement before = movements::rankingStatement(
                dialect, rk.kind, rk.measure, filter, movements::SumsFrom::Movements);
            scenarios << Scenario{QLatin1String(rk.name) +
                                      (allYears ? QStringLiteral("-all") : QStringLiteral("-year")),
                                  {},
                                  [ranking, st] {
                                      ranking->close();
                                      ranking->setStatement(st);
                                  },
                                  [ranking, &grid] {
                                      ranking->open();
                                      if (grid.model() != ranking)
                                          grid.setModel(ranking);
                                      grid.grab();
                                  },
                                  [st, inlined] { return QStringList{inlined(st)}; },
                                  [before, inlined] { return QStringList{inlined(before)}; }};
        }
    }
    const QString topDrawing =
        scalar(QStringLiteral("SELECT DESENHONRO FROM MOVIMENTOS WHERE CLICHENRO = '' GROUP BY "
                              "DESENHONRO ORDER BY SUM(NROUTIL) DESC, DESENHONRO LIMIT 1"))
            .toString();
    const Statement detail = movements::itemMovementsStatement(
        dialect, movements::ItemKind::Drawing, topDrawing, QDate(1900, 1, 1), QDate(2100, 12, 31));
    scenarios << Scenario{
        QStringLiteral("usage-detail"),
        {},
        [itemMoves, detail] {
            itemMoves->close();
            itemMoves->setStatement(detail);
        },
        [itemMoves, &grid] {
            itemMoves->open();
            if (grid.model() != itemMoves)
                grid.setModel(itemMoves);
            grid.grab();
        },
        [detail, inlined, topDrawing] {
            // The dataset reads the first page and counts the rows.
            return QStringList{
                inlined(detail) + QStringLiteral(" LIMIT 256"),
                QStringLiteral("SELECT COUNT(*) FROM MOVIMENTOS WHERE DESENHONRO = %1")
                    .arg(quoted(topDrawing))};
        }};
    std::unique_ptr<QDialog> registerWindow;
    auto openRegister = [&](const QString& name, const std::function<QDialog*()>& create,
                            const QStringList& sql) {
        return Scenario{name,
                        {},
                        [&registerWindow] {
                            if (registerWindow)
                                registerWindow->close();
                            registerWindow.reset();
                        },
                        [&registerWindow, create] {
                            registerWindow.reset(create());
                            registerWindow->show();
                            registerWindow->grab();
                        },
                        [sql] { return sql; }};
    };
    scenarios << openRegister(
        QStringLiteral("register030-open"), [&] { return new TCORTF030(*session, menu.get()); },
        {QStringLiteral("SELECT * FROM PARGER ORDER BY CODIGO"),
         QStringLiteral("SELECT * FROM MOVIMENTOS ORDER BY DATA DESC, NRO DESC LIMIT 256"),
         QStringLiteral("SELECT COUNT(*) FROM MOVIMENTOS")});
    scenarios << openRegister(
        QStringLiteral("register031-open"), [&] { return new TCORTF031(*session, menu.get()); },
        {QStringLiteral("SELECT * FROM PARGER ORDER BY CODIGO"),
         // (the two supplier look-ups read the invoicing database: not in the engine's share)
         QStringLiteral("SELECT * FROM REPARACOES ORDER BY DATENC DESC, NRO DESC LIMIT 256"),
         QStringLiteral("SELECT COUNT(*) FROM REPARACOES")});
    {
        // The tool life window opened until its first rows (a page of clichés) are painted.
        const QDate working = session->context().workingDate;
        const falq::Statement page = falq::movements::toolPageStatement(
            dialect, falq::movements::ItemKind::Cliche, {}, {}, 200);
        falq::movements::ToolLifeFilter firstPage;
        QSqlQuery numbers(QSqlDatabase::database(kDbFalquinas, false));
        if (falq::movements::runForward(numbers, page))
            while (numbers.next())
                firstPage.numberUpTo = numbers.value(0).toString();
        const falq::Statement sums = falq::movements::toolLifeStatement(
            dialect, falq::movements::ItemKind::Cliche, firstPage, working);
        scenarios << Scenario{
            QStringLiteral("life-window-open"),
            {},
            [&registerWindow] {
                if (registerWindow)
                    registerWindow->close();
                registerWindow.reset();
            },
            [&] {
                auto* window = new TCORTF033(*session, menu.get());
                registerWindow.reset(window);
                window->show();
                window->activateWindow();
                // The list is read when the window becomes active.
                if (!waitFor([window] { return window->rows()->rowCount() > 0; }, 10000))
                    qFatal("falqbench: the tool life window listed nothing");
                window->grab();
            },
            [page, sums] {
                return QStringList{QStringLiteral("SELECT * FROM PARGER ORDER BY CODIGO"),
                                   bench::withValues(page.sql, page.binds),
                                   bench::withValues(sums.sql, sums.binds)};
            }};
    }
    scenarios << Scenario{
        QStringLiteral("movement-insert"),
        {},
        [&] {
            if (registerWindow)
                registerWindow->close();
            registerWindow.reset();
            movements->cancelUpdates();
            if (!movements->isOpen())
                movements->open();
        },
        [&] {
            // The save of a new movement: the insert, then the list re-opened on its first
            // rows. The insert is rolled back inside its transaction.
            movements->append();
            movements->setFieldValue(QStringLiteral("DESENHONRO"), topDrawing);
            movements->setFieldValue(QStringLiteral("CLICHENRO"), QStringLiteral(""));
            movements->setFieldValue(QStringLiteral("NROUTIL"), 1);
            movements->setFieldValue(QStringLiteral("ROTACOES"), 1000);
            movements->setFieldValue(QStringLiteral("ENCOMENDA"), QStringLiteral("BENCH"));
            movements->setFieldValue(QStringLiteral("DATA"), dialect.bindDate(newest));
            movements->setFieldValue(QStringLiteral("TIPOREG"), QStringLiteral("DS"));
            movements->post();
            movements->applyUpdates([](QSqlDatabase&, QString* e) {
                *e = QStringLiteral("falqbench: rolled back");
                return false;
            });
            movements->cancelUpdates();
            movements->close();
            movements->open();
            grid.setModel(movements);
            grid.grab();
        },
        [&] {
            return QStringList{
                begin,
                QStringLiteral("INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, "
                               "ENCOMENDA, DATA, TIPOREG) VALUES (%1, '', 1, 1000, 'BENCH', %2, "
                               "'DS')")
                    .arg(quoted(topDrawing), quoted(dateTimeText(QDateTime(newest, QTime(0, 0))))),
                QStringLiteral("ROLLBACK"),
                QStringLiteral("SELECT * FROM MOVIMENTOS ORDER BY DATA DESC, NRO DESC LIMIT 256"),
                QStringLiteral("SELECT COUNT(*) FROM MOVIMENTOS")};
        }};
    // The validation windows: the list of the records not valid, as it opens.
    std::unique_ptr<ValidationWindow> validation;
    auto validationOpen = [&](bool drawing) {
        const QString table = drawing ? QStringLiteral("DESENHOS") : QStringLiteral("CLICHES");
        const QString key = drawing ? QStringLiteral("DESENHONRO") : QStringLiteral("CLICHENRO");
        return Scenario{
            drawing ? QStringLiteral("validate-desenhos") : QStringLiteral("validate-cliches"),
            {},
            [&] {
                if (validation)
                    validation->close();
                validation.reset();
            },
            [&, drawing] {
                if (drawing)
                    validation = std::make_unique<TCORTF023>(*session, menu.get());
                else
                    validation = std::make_unique<TCORTF013>(*session, menu.get());
                validation->show();
                validation->grab();
            },
            [table, key] {
                return QStringList{
                    QStringLiteral("SELECT * FROM %1 WHERE UTILIZA='N' ORDER BY %2 LIMIT 256")
                        .arg(table, key),
                    QStringLiteral("SELECT COUNT(*) FROM %1 WHERE UTILIZA='N'").arg(table)};
            }};
    };
    scenarios << validationOpen(false) << validationOpen(true);
    // "&Gravar" of 1,000 toggles: the list's write of UTILIZA, number by number, each
    // checked against the value read; rolled back at the end (the register is only
    // read).
    QStringList toggled;
    scenarios << Scenario{
        QStringLiteral("validate-1000"),
        {},
        [&] {
            if (!validation || validation->objectName() != QLatin1String("TCORTF013")) {
                if (validation)
                    validation->close();
                validation = std::make_unique<TCORTF013>(*session, menu.get());
                validation->show();
            }
            Dataset* list = validation->list();
            list->cancelUpdates();
            toggled.clear();
            for (int r = 0; r < 1000 && r < list->rowCount(); ++r) {
                list->setValue(r, QStringLiteral("UTILIZA"), QStringLiteral("S"));
                toggled << list->value(r, QStringLiteral("CLICHENRO")).toString();
            }
        },
        [&] {
            validation->list()->applyUpdates([](QSqlDatabase&, QString* error) {
                *error = QStringLiteral("rolled back");
                return false;
            });
        },
        [&] {
            QStringList sql{begin};
            for (const QString& key : std::as_const(toggled))
                sql << QStringLiteral("UPDATE CLICHES SET UTILIZA = 'S' WHERE CLICHENRO = %1 AND "
                                      "UTILIZA = 'N'")
                           .arg(quoted(key));
            return sql << QStringLiteral("ROLLBACK");
        }};

    // The pickers' searches and the consultation lists, each on a dataset of its own as the
    // windows read them.
    auto inlinedSearch = [](SearchStatement st) {
        // The engine's client gets the values written into the statement, longest names first.
        std::sort(st.binds.begin(), st.binds.end(),
                  [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
        for (const auto& [name, value] : st.binds)
            st.sql.replace(name, value.typeId() == QMetaType::QString ? quoted(value.toString())
                                                                      : value.toString());
        return st.sql;
    };
    std::vector<std::unique_ptr<Dataset>> own;
    auto search = [&](const QString& name, const QString& table, const QString& key,
                      const SearchStatement& st) {
        own.push_back(std::make_unique<Dataset>(table, kDbFalquinas, QString(),
                                                UpdateObject{table, {key}, {}}));
        Dataset* d = own.back().get();
        const QString engineSql = inlinedSearch(st);
        return Scenario{name,
                        {},
                        [d] { d->close(); },
                        [d, st, &grid] {
                            d->setStatement(st);
                            d->open();
                            if (grid.model() != d)
                                grid.setModel(d);
                            grid.grab();
                        },
                        [engineSql] {
                            return QStringList{
                                engineSql + QStringLiteral(" LIMIT 256"),
                                QStringLiteral("SELECT COUNT(*) FROM (%1) q").arg(engineSql)};
                        }};
    };
    QSqlQuery late(QSqlDatabase::database(kDbFalquinas));
    late.exec(
        QStringLiteral("SELECT CLINRO, CORTANTENRO, SIGLACLI FROM CLICHES WHERE CLICHENRO = %1")
            .arg(quoted(lateKey)));
    late.next();
    cliches::SearchCriteria clicheDefaults;
    scenarios << search(QStringLiteral("picker-cliche"), QStringLiteral("CLICHES"),
                        QStringLiteral("CLICHENRO"),
                        cliches::searchStatement(clicheDefaults, dialect));
    cliches::SearchCriteria oneClient;
    oneClient.clientFrom = oneClient.clientTo = late.value(0).toLongLong();
    scenarios << search(QStringLiteral("picker-cliche-client"), QStringLiteral("CLICHES"),
                        QStringLiteral("CLICHENRO"), cliches::searchStatement(oneClient, dialect));
    cliches::SearchCriteria oneDie;
    oneDie.dieFrom = oneDie.dieTo = late.value(1).toString();
    scenarios << search(QStringLiteral("picker-cliche-die"), QStringLiteral("CLICHES"),
                        QStringLiteral("CLICHENRO"), cliches::searchStatement(oneDie, dialect));
    cliches::SearchCriteria clientPrefix;
    clientPrefix.clientPattern = late.value(2).toString().left(2) + QLatin1Char('%');
    scenarios << search(QStringLiteral("picker-cliche-prefix"), QStringLiteral("CLICHES"),
                        QStringLiteral("CLICHENRO"),
                        cliches::searchStatement(clientPrefix, dialect));
    const QString lateDrawing =
        scalar(QStringLiteral("SELECT DESENHONRO FROM DESENHOS ORDER BY DESENHONRO LIMIT 1 "
                              "OFFSET %1")
                   .arg(int(nDrawings * 0.98)))
            .toString();
    late.exec(QStringLiteral("SELECT CLIENTE, LARG_PLACA, COMP_PLACA, SIGLACLI FROM DESENHOS "
                             "WHERE DESENHONRO = %1")
                  .arg(quoted(lateDrawing)));
    late.next();
    scenarios << search(QStringLiteral("picker-drawing"), QStringLiteral("DESENHOS"),
                        QStringLiteral("DESENHONRO"), drawings::searchStatement({}, dialect));
    drawings::SearchCriteria drawingClient;
    drawingClient.clientFrom = drawingClient.clientTo = late.value(0).toLongLong();
    scenarios << search(QStringLiteral("picker-drawing-client"), QStringLiteral("DESENHOS"),
                        QStringLiteral("DESENHONRO"),
                        drawings::searchStatement(drawingClient, dialect));
    drawings::SearchCriteria boardSize;
    boardSize.boardWidthFrom = boardSize.boardWidthTo = late.value(1).toLongLong();
    boardSize.boardLengthFrom = boardSize.boardLengthTo = late.value(2).toLongLong();
    scenarios << search(QStringLiteral("picker-drawing-board"), QStringLiteral("DESENHOS"),
                        QStringLiteral("DESENHONRO"),
                        drawings::searchStatement(boardSize, dialect));
    drawings::SearchCriteria drawingPrefix;
    drawingPrefix.clientPattern = late.value(3).toString().left(2) + QLatin1Char('%');
    // Done with it: an unfinished statement would keep an old view of the database open on the
    // main connection, and the scenarios that write after the engine's client would be refused.
    late.finish();
    scenarios << search(QStringLiteral("picker-drawing-prefix"), QStringLiteral("DESENHOS"),
                        QStringLiteral("DESENHONRO"),
                        drawings::searchStatement(drawingPrefix, dialect));
    for (const QString& field : cliches::sortFields())
        scenarios << search(QStringLiteral("consult-cliche-") + field.toLower(),
                            QStringLiteral("CLICHES"), QStringLiteral("CLICHENRO"),
                            {cliches::consultationStatement(field), {}});
    for (const QString& field : drawings::sortFields())
        scenarios << search(QStringLiteral("consult-drawing-") + field.toLower(),
                            QStringLiteral("DESENHOS"), QStringLiteral("DESENHONRO"),
                            {drawings::consultationStatement(field), {}});

    // The cliché editor on the same session (last: it works on the shared CLICHES dataset).
    std::unique_ptr<TCORTF010> editor;
    auto openEditor = [&] {
        if (editor)
            return;
        editor = std::make_unique<TCORTF010>(*session, menu.get());
        editor->show();
        editor->activateWindow();
        waitFor([&] { return editor->isActiveWindow(); }, 2000);
        QCoreApplication::processEvents();
    };
    const QStringList nullsAndPage = {
        QStringLiteral("UPDATE CLICHES SET CORTANTENRO=' ' WHERE CORTANTENRO IS NULL"),
        QStringLiteral("UPDATE CLICHES SET FICHASETUP=0 WHERE FICHASETUP IS NULL"),
        QStringLiteral("SELECT * FROM CLICHES ORDER BY CLICHENRO LIMIT 256"),
        QStringLiteral("SELECT COUNT(*) FROM CLICHES")};
    scenarios << Scenario{QStringLiteral("editor-open"),
                          {},
                          [&] {
                              if (editor)
                                  editor->close();
                              editor.reset();
                          },
                          [&] {
                              openEditor();
                              editor->grab();
                          },
                          [&] { return nullsAndPage; }};
    scenarios << Scenario{
        QStringLiteral("editor-locate"),
        {},
        [&] {
            openEditor();
            cliches->close(); // the list as F1 leaves it: re-opened, its first rows read
            cliches->open();
        },
        [&] {
            if (!cliches->locatePrefix(QStringLiteral("CLICHENRO"), lateKey))
                QTextStream(stderr) << "falqbench: editor-locate did not find " << lateKey << "\n";
        },
        [lateKey] {
            return QStringList{
                QStringLiteral("SELECT * FROM CLICHES WHERE CLICHENRO LIKE %1 ORDER BY CLICHENRO "
                               "LIMIT 1")
                    .arg(quoted(lateKey + '%')),
                QStringLiteral("SELECT COUNT(*) FROM CLICHES WHERE CLICHENRO > %1")
                    .arg(quoted(lateKey))};
        }};
    QString savedKey;
    int saves = 0;
    scenarios << Scenario{
        QStringLiteral("editor-save"),
        {},
        [&] {
            openEditor();
            auto* grid = editor->findChild<QWidget*>(QStringLiteral("DBGrid1"));
            grid->setFocus();
            QCoreApplication::processEvents();
            // A field: the record opens for editing; a change typed in the remarks.
            auto* remarks = editor->findChild<QLineEdit*>(QStringLiteral("Edit_Observ2"));
            remarks->setFocus();
            QCoreApplication::processEvents();
            savedKey = cliches->fieldValue(QStringLiteral("CLICHENRO")).toString();
            remarks->selectAll();
            const QString text = QStringLiteral("Bench %1").arg(++saves % 2);
            for (const QChar c : text) {
                QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QCoreApplication::sendEvent(remarks, &key);
            }
        },
        [&] {
            editor->findChild<QWidget*>(QStringLiteral("DBGrid1"))->setFocus();
            waitFor([&] { return editor->mode() == TCORTF010::Mode::Browse; }, 10000);
        },
        [&] {
            QStringList sql{begin,
                            QStringLiteral("UPDATE CLICHES SET OBSERV2 = 'Engine' WHERE "
                                           "CLICHENRO = %1")
                                .arg(quoted(savedKey)),
                            QStringLiteral("COMMIT")};
            return sql + nullsAndPage;
        }};

    for (const bench::MovementScenario& m :
         bench::movementScenarios(QSqlDatabase::database(kDbFalquinas), work.path())) {
        // Only when named ("movements" names them all).
        if (selected.contains(m.name))
            scenarios << Scenario{m.name, m.description, [] {}, m.run, m.sql, m.before};
    }
    if (std::any_of(selected.begin(), selected.end(), [](const QString& name) {
            return bench::locationScenarioNames().contains(name);
        }))
        for (const bench::MovementScenario& m :
             bench::locationScenarios(QSqlDatabase::database(kDbFalquinas),
                                      QSqlDatabase::database(kDbFacturacao), work.path()))
            if (selected.contains(m.name))
                scenarios << Scenario{m.name, m.description, [] {}, m.run, m.sql, m.before};

    for (Scenario& s : scenarios) {
        if (!wanted(s.name))
            continue;
        if (parser.isSet(printSql)) {
            s.prepare();
            out() << "-- " << s.name << "\n" << s.sql().join(QStringLiteral(";\n")) << ";\n";
            if (s.before)
                out() << "-- " << s.name << " (before)\n"
                      << s.before().join(QStringLiteral(";\n")) << ";\n";
            continue;
        }
        Result r{s.name, {}, {}, {}};
        for (int i = 0; i < nWarm + nReps; ++i) {
            s.prepare();
            QElapsedTimer t;
            t.start();
            s.run();
            const double elapsed = t.nsecsElapsed() / 1e6;
            if (i >= nWarm)
                r.ms << elapsed;
        }
        if (!parser.isSet(noEngine)) {
            QString engineError;
            const QList<double> all =
                bench::timeWithClient(target, s.sql(), nWarm + nReps, &engineError);
            if (all.isEmpty())
                r.note = QStringLiteral("engine: ") + engineError;
            else
                r.engine = all.mid(nWarm);
            if (s.before) {
                const QList<double> before =
                    bench::timeWithClient(target, s.before(), nWarm + nReps, &engineError);
                r.before = before.mid(nWarm);
            }
        }
        results << r;
    }

    if (!shotDir.isEmpty() && selected.contains(QStringLiteral("labels-1000"))) {
        const QString kept = QDir(shotDir).filePath(QStringLiteral("labels-1000.pdf"));
        QFile::remove(kept);
        QFile::copy(QDir(work.path()).filePath(QStringLiteral("labels-1000.pdf")), kept);
    }
    if (!shotDir.isEmpty() && wanted(QStringLiteral("editor-open"))) {
        // The editor on its first record, the picture loaded in the preview.
        openEditor();
        cliches->setCurrentRow(0);
        auto* preview = editor->findChild<ImageControl*>(QStringLiteral("ML1"));
        waitFor([&] { return !preview->isLoading(); }, 5000);
        QCoreApplication::processEvents();
        editor->grab().save(QStringLiteral("%1/editor.png").arg(shotDir));
    }
    if (editor)
        editor->close();
    editor.reset();
    if (validation) {
        validation->list()->cancelUpdates();
        validation->close();
    }
    validation.reset();
    if (saves > 0)
        scalar(QStringLiteral("UPDATE CLICHES SET OBSERV2 = '' WHERE OBSERV2 LIKE 'Bench %'"));

    // Memory: with the shared datasets closed, then after the last record of the two
    // largest registers was located and shown.
    QString memory;
    if (wanted(QStringLiteral("memory"))) {
        grid.setModel(nullptr);
        cliches->close();
        movements->close();
        const qint64 empty = residentKb();
        cliches->open();
        grid.setModel(cliches);
        grid.scrollToBottom();
        grid.grab();
        cliches->setCurrentRow(cliches->rowCount() - 1);
        const QString lastCliche = cliches->fieldValue(QStringLiteral("CLICHENRO")).toString();
        cliches->locate({QStringLiteral("CLICHENRO")}, {lastCliche});
        movements->open();
        grid.setModel(movements);
        grid.scrollToBottom();
        grid.grab();
        movements->setCurrentRow(movements->rowCount() - 1);
        const qint64 after = residentKb();
        memory = QStringLiteral("memory: %1 MB resident with the datasets closed, %2 MB after the "
                                "last cliché and the last movement were shown (peak %3 MB); rows "
                                "held: %4 clichés, %5 movements\n")
                     .arg(empty / 1024)
                     .arg(after / 1024)
                     .arg(peakKb() / 1024)
                     .arg(cliches->loadedRowCount())
                     .arg(movements->loadedRowCount());
    }

    // Leave the register as it was.
    if (!originalReference.isNull()) {
        cliches->setCurrentRow(0);
        cliches->setFieldValue(QStringLiteral("REFERENCIA"), originalReference);
        cliches->applyUpdates();
    }
    scalar(QStringLiteral("DELETE FROM MOVIMENTOS WHERE ENCOMENDA = 'BENCH'"));

    out() << "falqbench: " << parser.value(root) << " (" << target.alias.driver << "), " << nCliches
          << " clichés, " << nDrawings << " drawings, " << nMovements << " movements, " << nRepairs
          << " purchases/repairs; " << nReps << " runs after " << nWarm << " warm-up\n";
    printTable(results);
    out() << memory;
    menu->close();
    return 0;
}
