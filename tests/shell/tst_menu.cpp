// The main window's menu, page buttons and rights, the opening rule, the information
// window, the notes document and the database version steps.
#include "UnitDtVersao.h"
#include "UnitFalquinasAPMenu.h"
#include "connections.h"
#include "menudefs.h"
#include "shellrun.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>

using namespace falq;
using falq::test::Run;

namespace {

// Every rights row of the installation's user gets this ACEDER.
bool setAccess(test::Installation& inst, const QString& aceder) {
    return inst.exec("main", "UPDATE APLICACAODET SET ACEDER = ?", {aceder});
}

bool enabled(Run& run, const QString& component) {
    QAction* a = run.menu.findChild<QAction*>(component);
    return a && a->isEnabled();
}

// Menu entry and page button are always in the same state.
void verifyButtonsFollowEntries(Run& run) {
    for (const MenuEntry& e : menuEntries()) {
        if (e.button.isEmpty())
            continue;
        auto* button = run.menu.findChild<QToolButton*>(e.button);
        QVERIFY2(button, qPrintable(e.button));
        QCOMPARE(button->isEnabled(), enabled(run, e.component));
        QCOMPARE(button->toolTip(), e.hint);
    }
}

// A window for the opening rule: closes itself and tells when it is freed.
class ProbeWindow : public QDialog {
public:
    ProbeWindow(QWidget* parent, QStringList* log) : QDialog(parent), m_log(log) {
        m_log->append(QStringLiteral("window"));
        QTimer::singleShot(0, this, &QDialog::accept);
    }
    ~ProbeWindow() override { m_log->append(QStringLiteral("window freed")); }

private:
    QStringList* m_log;
};

} // namespace

class TestMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void menuHasEveryEntryInOrder();
    void noRightsDisableTheFourChapters();
    void oneDeniedProgram();
    void acederEmptyOrSAllows();
    void chapterAndProgramMatchExactly();
    void rightsOfAnotherCompanyEnable();
    void administratorRowShowsTheSwitch();
    void openingRuleAndReturn();
    void informationWindowAndNotes();
    void captionsAsWritten();
    void webLink();
    void enterMovesTheFocus();
    void versionFromNothingToCurrent();
    void versionStepsAndUnreachable_data();
    void versionStepsAndUnreachable();
    void upgradeAddsMissingIndexes();
};

void TestMenu::menuHasEveryEntryInOrder() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Run run;
    QVERIFY(run.start());
    QCOMPARE(run.menu.windowTitle(), QStringLiteral("Módulo e Clichés e Desenhos"));
    QMenuBar* bar = run.menu.findChild<QMenuBar*>("MenuFalquinas");
    QVERIFY(bar);
    QStringList seen;
    for (QAction* menu : bar->actions()) {
        seen << "[" + menu->text() + "]";
        for (QAction* a : menu->menu()->actions())
            seen << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    const QStringList expected = {"[&A - Geral]",
                                  "&A - Empresa e Data",
                                  "&C- Informação s/ últimas alterações",
                                  "-",
                                  "&C - Sair",
                                  "[&B - Tabelas]",
                                  "&A - Parâmetros Gerais",
                                  "-",
                                  "&B - Desenhadores",
                                  "&C - Côres",
                                  "&D - Máquinas",
                                  "&E - Cartões",
                                  "&F - Modelos",
                                  "&G - Locais",
                                  "[&B - Clichés]",
                                  "&A - Abertura e Alteração",
                                  "&B - Validação de Clichés",
                                  "-",
                                  "&C - Consulta",
                                  "&D - Impressão",
                                  "[&C - Desenhos]",
                                  "&A - Abertura e Alteração",
                                  "&B - Validacao de Desenhos",
                                  "-",
                                  "&C - Consulta",
                                  "&D - Impressão",
                                  "[&D - Movimentos]",
                                  "&A - Utilização de Cliches e Desenhos",
                                  "&B - Registo de Reparações",
                                  "-",
                                  "&C - Mapa de Custos",
                                  "&D - Vida Útil de Clichés e Cortantes",
                                  "-",
                                  "&E - Localização de Clichés e Cortantes",
                                  "&F - Etiquetas de Clichés, Cortantes e Locais"};
    QCOMPARE(seen, expected);
    QCOMPARE(run.menu.findChild<QToolButton*>("BotMov004")->text(), QStringLiteral("Vida Útil"));
    QCOMPARE(run.menu.findChild<QToolButton*>("BotMov002")->text(), QStringLiteral("Reparaç."));
    // The demo user has every right.
    for (const MenuEntry& e : menuEntries())
        QVERIFY2(enabled(run, e.component), qPrintable(e.component));
    verifyButtonsFollowEntries(run);
}

void TestMenu::noRightsDisableTheFourChapters() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("main", "DELETE FROM APLICACAODET"));
    Run run;
    QVERIFY(run.start());
    QVERIFY(run.menu.sessionOpen());
    for (const MenuEntry& e : menuEntries())
        QCOMPARE(enabled(run, e.component), e.chapter.isEmpty());
    verifyButtonsFollowEntries(run);
    QVERIFY(run.menu.findChild<QFrame*>("ShapeActive")->isHidden());
}

void TestMenu::oneDeniedProgram() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("main", "UPDATE APLICACAODET SET ACEDER = 'N' WHERE CAPITULO = 'Cliches' AND "
                              "PROGRAMA = 'Consulta'"));
    QVERIFY(inst.exec("main", "DELETE FROM APLICACAODET WHERE PROGRAMA = 'Mapa de Custos'"));
    Run run;
    QVERIFY(run.start());
    for (const MenuEntry& e : menuEntries()) {
        const bool denied =
            e.component == QLatin1String("CLICHE002") || e.component == QLatin1String("MOVIM003");
        QVERIFY2(enabled(run, e.component) == !denied, qPrintable(e.component));
    }
    QVERIFY(enabled(run, "DESENHO002")); // the drawings' "Consulta" has its own row
    verifyButtonsFollowEntries(run);
}

void TestMenu::acederEmptyOrSAllows() {
    // Only "N" forbids.
    for (const QString& aceder :
         {QStringLiteral(""), QStringLiteral("S"), QStringLiteral("n"), QStringLiteral("N")}) {
        test::Installation inst;
        QVERIFY2(inst.ok(), qPrintable(inst.error()));
        QVERIFY(setAccess(inst, aceder));
        Run run;
        QVERIFY(run.start());
        QCOMPARE(enabled(run, "TAB001"), aceder != QLatin1String("N"));
        QCOMPARE(enabled(run, "MOVIM001"), aceder != QLatin1String("N"));
        run.menu.close();
    }
}

void TestMenu::chapterAndProgramMatchExactly() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("main", "UPDATE APLICACAODET SET PROGRAMA = 'CONSULTA' WHERE CAPITULO = "
                              "'Cliches' AND PROGRAMA = 'Consulta'"));
    QVERIFY(inst.exec("main", "UPDATE APLICACAODET SET CAPITULO = 'movimentos' WHERE PROGRAMA = "
                              "'Mapa de Custos'"));
    Run run;
    QVERIFY(run.start());
    QVERIFY(!enabled(run, "CLICHE002"));
    QVERIFY(!enabled(run, "MOVIM003"));
    QVERIFY(enabled(run, "DESENHO002"));
    QVERIFY(enabled(run, "MOVIM002"));
    verifyButtonsFollowEntries(run);
}

void TestMenu::rightsOfAnotherCompanyEnable() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("main", "UPDATE APLICACAODET SET EMPNRO = 2"));
    Run run;
    QVERIFY(run.start());
    QVERIFY(enabled(run, "CLICHE001"));
    QVERIFY(!run.menu.findChild<QFrame*>("ShapeActive")->isHidden());
}

void TestMenu::administratorRowShowsTheSwitch() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    {
        Run run;
        QVERIFY(run.start());
        QVERIFY(!run.menu.findChild<QFrame*>("ShapeActive")->isHidden());
        QVERIFY(!run.menu.findChild<QPushButton*>("BotActive")->isHidden());
        QVERIFY(run.session.dataset("PARGER")->isOpen());
        run.menu.close();
    }
    QVERIFY(
        inst.exec("main", "UPDATE APLICACAODET SET ACEDER = 'N' WHERE CAPITULO = 'Administrador'"));
    Run run;
    QVERIFY(run.start());
    QVERIFY(run.menu.findChild<QFrame*>("ShapeActive")->isHidden());
    QVERIFY(run.menu.findChild<QPushButton*>("BotActive")->isHidden());
}

void TestMenu::openingRuleAndReturn() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Run run;
    QVERIFY(run.start());
    QStringList log;
    run.menu.registerWindow("TAB001",
                            {[&log](QWidget* parent) { return new ProbeWindow(parent, &log); },
                             [&log] {
                                 log << "reports";
                                 auto* report = new QObject;
                                 QObject::connect(report, &QObject::destroyed,
                                                  [&log] { log << "reports freed"; });
                                 return QList<QObject*>{report};
                             }});
    // The rights are not read again on return, and nothing reconnects.
    QVERIFY(inst.exec("main", "DELETE FROM APLICACAODET"));
    const QSqlDatabase before = QSqlDatabase::database(kDbFalquinas);
    run.menu.findChild<QToolButton*>("BotDesenhadores")->click();
    QCOMPARE(log, (QStringList{"reports", "window", "window freed", "reports freed"}));
    QVERIFY(enabled(run, "TAB001"));
    QVERIFY(run.menu.sessionOpen());
    QCOMPARE(QSqlDatabase::database(kDbFalquinas).connectionName(), before.connectionName());
    QVERIFY(QSqlDatabase::database(kDbFalquinas).isOpen());
    // An entry whose window is not there yet does nothing.
    run.menu.findChild<QAction*>("TAB002")->trigger();
    QVERIFY(run.messages.shown.isEmpty());
}

void TestMenu::informationWindowAndNotes() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Run run;
    QVERIFY(run.start());
    QString company, date, user;
    QTimer::singleShot(0, [&] {
        QDialog* info = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(info);
        company = info->findChild<QLineEdit*>("Edit_EmpNom")->text();
        date = info->findChild<QLineEdit*>("Edit_Data")->text();
        user = info->findChild<QLineEdit*>("Edit_Util")->text();
        QCOMPARE(info->findChild<QPushButton*>("BotSair")->toolTip(), QStringLiteral("Terminar "));
        info->findChild<QPushButton*>("BotSair")->click();
    });
    run.menu.openEntry("AEmpresaeData1");
    QCOMPARE(company, inst.settings().companyName);
    QCOMPARE(date, QDate::currentDate().toString("dd/MM/yyyy"));
    QCOMPARE(user, inst.settings().userCode);

    // The notes document: nothing to open while it is missing; found whatever the case of
    // its folder's name.
    const QString notes = QDir(inst.root()).filePath("programas/Pdf/Falquinas.pdf");
    QVERIFY(QFile::remove(notes));
    run.menu.openEntry("C1");
    QVERIFY(run.opened.isEmpty());
    inst.writeFile("programas/Pdf/Falquinas.pdf", "%PDF-1.4\n");
    run.menu.openEntry("C1");
    QCOMPARE(run.opened.size(), 1);
    QCOMPARE(run.opened[0].toLocalFile(), notes);
    QVERIFY(run.messages.shown.isEmpty());
}

void TestMenu::captionsAsWritten() {
    // What the program entry sets up adds nothing to the windows' captions.
    prepareApplication();
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Run run;
    QVERIFY(run.start());
    QCOMPARE(run.menu.windowTitle(), QStringLiteral("Módulo e Clichés e Desenhos"));
    // The information window has no caption text (a blank: an empty title would be replaced
    // by the program's name).
    QString infoTitle;
    QTimer::singleShot(0, [&] {
        QDialog* info = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(info);
        infoTitle = info->windowTitle();
        info->findChild<QPushButton*>("BotSair")->click();
    });
    run.menu.openEntry("AEmpresaeData1");
    QVERIFY(!infoTitle.isEmpty());
    QCOMPARE(infoTitle.trimmed(), QString());
    // Message boxes carry the application's title.
    QString boxTitle;
    QString boxText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        boxTitle = box->windowTitle();
        boxText = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    BoxMessages(applicationTitle()).show(QStringLiteral("Palavra-passe Inválida"));
    QCOMPARE(boxText, QStringLiteral("Palavra-passe Inválida"));
    QCOMPARE(boxTitle, QStringLiteral("Falquinas e Clichés"));
}

void TestMenu::webLink() {
    // The caption is there whether or not the plant names its address.
    for (const QByteArray& ini :
         {QByteArray(), QByteArray("[Geral]\r\nSite=https://www.example.com\r\n")}) {
        test::Installation inst;
        QVERIFY2(inst.ok(), qPrintable(inst.error()));
        if (!ini.isEmpty())
            inst.writeFile("falquinas.ini", ini);
        Run run;
        QVERIFY(run.start());
        auto* caption = run.menu.findChild<QLabel*>("LabelPagina");
        QVERIFY(caption && caption->isVisible());
        QCOMPARE(caption->text(), QStringLiteral("Consulte a nossa página : "));
        auto* site = run.menu.findChild<QLabel*>("LabelSite");
        QCOMPARE(site->isVisible(), !ini.isEmpty());
        if (ini.isEmpty())
            continue;
        QVERIFY(site->text().contains(QLatin1String("https://www.example.com")));
        emit site->linkActivated(QStringLiteral("https://www.example.com"));
        QCOMPARE(run.opened, QList<QUrl>{QUrl("https://www.example.com")});
    }
}

void TestMenu::enterMovesTheFocus() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Run run;
    QVERIFY(run.start());
    auto* password = run.menu.findChild<QPushButton*>("BotPassord");
    auto* first = run.menu.findChild<QToolButton*>("BotDesenhadores");
    first->setFocus();
    QTRY_VERIFY(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Return);
    QTRY_VERIFY(!first->hasFocus());
    QVERIFY(!password->hasFocus() || QApplication::activeModalWidget() == nullptr);
    QVERIFY(QApplication::activeModalWidget() == nullptr); // nothing was pressed
}

void TestMenu::versionFromNothingToCurrent() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    // A database from before the version table and the upgrade flag.
    QVERIFY(inst.exec("main", "DROP TABLE ACTUAL_VERSAO"));
    QVERIFY(inst.exec("main", "ALTER TABLE UTILIZADORES DROP COLUMN UPGRADE_LICENSE"));
    QVERIFY(inst.exec("main", "INSERT INTO UTILIZADORES (NRO, PASSWOR) VALUES ('OUTRO', 'X')"));
    Run run;
    QVERIFY(run.start());
    QVERIFY2(run.menu.sessionOpen(), qPrintable(run.messages.shown.join('|')));
    QCOMPARE(
        inst.scalar("main",
                    "SELECT VERSAO FROM ACTUAL_VERSAO WHERE EMPRESA = 1 AND PROGRAMA = 'FALQUINAS'")
            .toString(),
        QStringLiteral("01.007"));
    QCOMPARE(parseDateTime(inst.scalar("main", "SELECT DATULTACT FROM ACTUAL_VERSAO")).date(),
             QDate::currentDate());
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM UTILIZADORES WHERE UPGRADE_LICENSE = 'N'")
                 .toInt(),
             2);
    QVERIFY(run.messages.shown.isEmpty());
    // A user created afterwards gets "N" too.
    QVERIFY(inst.exec("main", "INSERT INTO UTILIZADORES (NRO, PASSWOR) VALUES ('NOVO', 'Y')"));
    QCOMPARE(inst.scalar("main", "SELECT UPGRADE_LICENSE FROM UTILIZADORES WHERE NRO = 'NOVO'")
                 .toString(),
             QStringLiteral("N"));
}

void TestMenu::versionStepsAndUnreachable_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("warned");
    QTest::newRow("01.002 only writes the row") << "01.002"
                                                << "01.007" << false;
    QTest::newRow("01.003 finds every index there") << "01.003"
                                                    << "01.007" << false;
    QTest::newRow("01.004 finds the monthly sums there") << "01.004"
                                                         << "01.007" << false;
    QTest::newRow("01.005 finds the totals there") << "01.005"
                                                   << "01.007" << false;
    QTest::newRow("01.006 finds the places there") << "01.006"
                                                   << "01.007" << false;
    QTest::newRow("01.007 is left alone") << "01.007"
                                          << "01.007" << false;
    QTest::newRow("a newer version") << "01.009"
                                     << "01.009" << true;
    QTest::newRow("not a version") << "AB.CDE"
                                   << "AB.CDE" << true;
}

void TestMenu::versionStepsAndUnreachable() {
    QFETCH(QString, stored);
    QFETCH(QString, after);
    QFETCH(bool, warned);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    const SqlDialect d = SqlDialect::forDatabase(inst.open("main"));
    const QDate old(2020, 1, 2);
    QVERIFY(inst.exec("main", "UPDATE ACTUAL_VERSAO SET VERSAO = ?, DATULTACT = ?",
                      {stored, d.bindDate(old)}));
    QVERIFY(inst.exec("main", "UPDATE UTILIZADORES SET UPGRADE_LICENSE = 'S'"));
    QCOMPARE(dbversion::canUpgrade(stored, "01.007"),
             stored == QLatin1String("01.002") || stored == QLatin1String("01.003") ||
                 stored == QLatin1String("01.004") || stored == QLatin1String("01.005") ||
                 stored == QLatin1String("01.006"));
    Run run;
    QVERIFY(run.start());
    QVERIFY(run.menu.sessionOpen()); // the start-up goes on in every case
    QCOMPARE(inst.scalar("main", "SELECT VERSAO FROM ACTUAL_VERSAO").toString(), after);
    QCOMPARE(parseDateTime(inst.scalar("main", "SELECT DATULTACT FROM ACTUAL_VERSAO")).date(),
             stored == after ? old : QDate::currentDate());
    // No step changes the users' flags here.
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM UTILIZADORES WHERE UPGRADE_LICENSE = 'S'")
                 .toInt(),
             1);
    QCOMPARE(run.messages.shown.size(), warned ? 1 : 0);
    if (warned)
        QVERIFY(run.messages.shown[0].contains(stored));
}

// A database of 01.003 lacks the indexes that narrowed searches read through; the upgrade
// creates them and leaves the ones it has.
void TestMenu::upgradeAddsMissingIndexes() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    const SqlDialect d = SqlDialect::forDatabase(inst.open("main"));
    const QStringList added = {"IX_CLICHES_CLINRO", "IX_DESENHOS_CLIENTE", "IX_DESENHOS_PLACA"};
    for (const QString& ix : added)
        QVERIFY(inst.exec("main", "DROP INDEX " + ix));
    QVERIFY(inst.exec("main", "UPDATE ACTUAL_VERSAO SET VERSAO = '01.003'"));
    for (const QString& ix : added)
        QVERIFY(!inst.scalar("main", d.indexExists(ix)).isValid());
    Run run;
    QVERIFY(run.start());
    QVERIFY2(run.menu.sessionOpen(), qPrintable(run.messages.shown.join('|')));
    QCOMPARE(inst.scalar("main", "SELECT VERSAO FROM ACTUAL_VERSAO").toString(),
             QStringLiteral("01.007"));
    for (const QString& ix : added)
        QVERIFY2(inst.scalar("main", d.indexExists(ix)).toInt() == 1, qPrintable(ix));
    QVERIFY(inst.scalar("main", d.indexExists("IX_CLICHES_PRODNRO")).toInt() == 1);
}

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
