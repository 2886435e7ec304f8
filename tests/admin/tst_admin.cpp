// The administration utility: its main window, the company window and its checks, the users
// window (new users, duplicates, the checks of leaving a box, of the save point and of closing,
// deletion with the rights of every company in one transaction, write errors).
#include "FALQADMINUTIL.h"
#include "adminrun.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolBar>

using namespace falq;
using falq::test::AdminRun;

namespace {

const QString kUserExists = QStringLiteral("UTILIZADOR JÁ FOI ABERTO ... <ENTER>");

QString header(QTableView* view, int column) {
    return view->model()->headerData(column, Qt::Horizontal).toString();
}

// A second user with rights rows in companies 1 and 2.
bool addUserWithRightsInTwoCompanies(test::Installation& inst, const QString& user) {
    if (!inst.exec("main",
                   "INSERT INTO UTILIZADORES (NRO, PASSWOR, NOM, TITULO, UPGRADE_LICENSE) VALUES "
                   "(?, 'X', 'Operador', 'Sr.', 'N')",
                   {user}))
        return false;
    for (int company : {1, 2})
        if (!inst.exec("main",
                       "INSERT INTO APLICACAODET (APLICACAO, CAPITULO, PROGRAMA, EMPNRO, UTIL, "
                       "ACEDER, INSERIR, ALTERAR, ELIMINAR, IMPORTAR, IMPRIMIR, ARQUIVAR, MAIL, "
                       "SCANNER) SELECT APLICACAO, CAPITULO, PROGRAMA, ?, ?, ACEDER, INSERIR, "
                       "ALTERAR, ELIMINAR, IMPORTAR, IMPRIMIR, ARQUIVAR, MAIL, SCANNER FROM "
                       "APLICACAODET WHERE UTIL = 'ADMIN'",
                       {company, user}))
            return false;
    return true;
}

int rightsRows(test::Installation& inst, const QString& user) {
    return inst.scalar("main", "SELECT COUNT(*) FROM APLICACAODET WHERE UTIL = ?", {user}).toInt();
}

// The users window on the installation's company, shown and active.
struct UsersWindow {
    explicit UsersWindow(AdminRun& run) : window(run.session) {
        QVERIFY(test::showActive(&window));
        grid = window.findChild<QTableView*>("DBGridUtil");
        nro = window.findChild<QLineEdit*>("Edit_UtilNro");
        nome = window.findChild<QLineEdit*>("Edit_Nom");
        password = window.findChild<QLineEdit*>("Edit_Passwor");
        titulo = window.findChild<QLineEdit*>("Edit_Titulo");
        flag = window.findChild<QLineEdit*>("Edit_Upgrade_License");
        QTRY_VERIFY(grid->hasFocus());
    }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }
    void clickGrid(int row = 0) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, test::cellCentre(grid, row, 0));
    }
    // "&Inserir", then the new user's name and Tab.
    void insert(const QString& name) {
        QTest::mouseClick(button("BotInserir"), Qt::LeftButton);
        QTRY_VERIFY(nro->hasFocus());
        QTest::keyClicks(nro, name);
        QTest::keyClick(nro, Qt::Key_Tab);
    }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    // The first user's name gets " Aqui" in the box while another workstation changes it.
    bool nameChangedByTwoWorkstations(test::Installation& inst) {
        key(Qt::Key_Tab);
        if (!QTest::qWaitFor([this] { return nome->hasFocus(); }))
            return false;
        key(Qt::Key_End);
        QTest::keyClicks(nome, " Aqui");
        return inst.exec("main",
                         "UPDATE UTILIZADORES SET NOM = 'Noutro posto' WHERE NRO = 'ADMIN'");
    }

    TFALQADMINUTIL window;
    QTableView* grid = nullptr;
    QLineEdit* nro = nullptr;
    QLineEdit* nome = nullptr;
    QLineEdit* password = nullptr;
    QLineEdit* titulo = nullptr;
    QLineEdit* flag = nullptr;
};

} // namespace

class TestAdmin : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void mainAndCompanyWindows();
    void companyChecks();
    void closeBoxAtStartEnds();
    void closeBoxLaterKeepsTheCompany();
    void terminarEnds();
    void connectFailureAsksAgain();
    void usersWindowTexts();
    void newUserStartsWithoutUpdates();
    void duplicateInAnyCaseRefused();
    void emptyNameBeepsAndStays();
    void emptyPasswordNotStoredByAGridClick();
    void badFlagRefusedWhenClosing();
    void badFlagRefusedByTheKeysOnTheWayToAButton_data();
    void badFlagRefusedByTheKeysOnTheWayToAButton();
    void existingUserKeepsHisName();
    void deleteClearsEveryCompany();
    void failedDeleteDeletesNothing();
    void writeErrorGoesToTheWindow();
    void focusBackFromTheWriteErrorWindowIsNoSavePoint();
    void demoAdministration();
};

void TestAdmin::mainAndCompanyWindows() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    AdminRun run(inst);
    QString title, selec, selecHint, terminar;
    QStringList columns;
    QVERIFY(run.start([&](TFALQADMINEMPRESA* w) {
        title = w->windowTitle();
        auto* grid = w->findChild<QTableView*>("DBGridEmpresas");
        columns << header(grid, 0) << header(grid, 1);
        selec = w->findChild<QPushButton*>("BotSelec")->text();
        selecHint = w->findChild<QPushButton*>("BotSelec")->toolTip();
        terminar = w->findChild<QPushButton*>("BotTerminar")->text();
        test::chooseCompany(w, 1);
    }));
    QCOMPARE(title, QStringLiteral("Seleccione a Empresa"));
    QCOMPARE(columns, (QStringList{"Emp. Nº", "Nome da Empresa"}));
    QCOMPARE(selec, QStringLiteral("&Selec."));
    QCOMPARE(selecHint, QStringLiteral("Seleccionar Empresa"));
    QCOMPARE(terminar, QStringLiteral("&Terminar"));

    QCOMPARE(run.window.windowTitle(), QStringLiteral("Fichas Técnicas e Falquinas"));
    QCOMPARE(run.session.company().number, 1);
    QCOMPARE(run.window.findChild<QLabel*>("Label_EmpNom")->text(), inst.settings().companyName);
    QVERIFY(QSqlDatabase::database(kAdminMain, false).isOpen());
    QVERIFY(!QSqlDatabase::contains(kAdminGeral)); // the general connection is not kept
    QVERIFY(run.messages.shown.isEmpty());

    QStringList menus;
    for (QAction* a : run.window.menuBar()->actions()) {
        menus << a->text();
        if (a->menu())
            for (QAction* entry : a->menu()->actions())
                menus << "  " + entry->text();
    }
    QCOMPARE(menus, (QStringList{"&A - Geral", "  &A - Mudar de Empresa", "  &B - Sair",
                                 "&B - Utilizadores", "&C - Acessos"}));
    QStringList tools;
    for (QAction* a : run.window.findChild<QToolBar*>()->actions())
        if (!a->isSeparator())
            tools << a->text() + " / " + a->toolTip();
    QCOMPARE(tools, (QStringList{"Utilizadores / Abertura de Utilizadores", "Acessos / Acessos",
                                 "Terminar / Terminar Programa"}));
    // "Utilizadores" opens the users window modally.
    QString opened;
    test::whenShown<TFALQADMINUTIL>(&run.window, [&](TFALQADMINUTIL* w) {
        opened = w->windowTitle();
        w->close();
    });
    run.window.findChild<QAction*>("BotUtilizadores")->trigger();
    QCOMPARE(opened, QStringLiteral("Abertura e Manutenção de Utilizadores"));
    run.window.findChild<QAction*>("BSair1")->trigger();
    QTRY_VERIFY(!run.window.isVisible());
}

void TestAdmin::companyChecks() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("geral", "INSERT INTO EMPRESAS (EMPNRO, NOME, BDESPECIF02) VALUES (?, ?, ?)",
                      {0, "Sem número", inst.settings().mainAlias}));
    QVERIFY(inst.exec("geral", "INSERT INTO EMPRESAS (EMPNRO, NOME, BDESPECIF02) VALUES (?, ?, ?)",
                      {10000, "Número grande", inst.settings().mainAlias}));
    QVERIFY(inst.exec("geral", "INSERT INTO EMPRESAS (EMPNRO, NOME, BDESPECIF02) VALUES (?, ?, ?)",
                      {3, "Sem base", "  "}));
    AdminRun run(inst);
    QList<bool> stayed;
    QVERIFY(run.start([&](TFALQADMINEMPRESA* w) {
        for (int refused : {0, 10000, 3}) {
            test::chooseCompany(w, refused);
            stayed << w->isVisible();
        }
        test::chooseCompany(w, 1);
    }));
    QCOMPARE(stayed, (QList<bool>{true, true, true}));
    QCOMPARE(run.messages.shown,
             (QStringList{"Seleccione a Empresa !!!", "Seleccione a Empresa !!!",
                          "Base Dados Falquinas Inexistente !!!"}));
    QCOMPARE(run.messages.beeps, (QList<bool>{false, false, true}));
    QCOMPARE(run.session.company().number, 1);
}

void TestAdmin::closeBoxAtStartEnds() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    AdminRun run(inst);
    QVERIFY(run.start([](TFALQADMINEMPRESA* w) { w->close(); }));
    QVERIFY(run.window.programEnded());
    QVERIFY(!run.session.company().isSet());
    QTRY_VERIFY(!run.window.isVisible());
    QVERIFY(!QSqlDatabase::contains(kAdminMain));
    QVERIFY(run.messages.shown.isEmpty());
}

void TestAdmin::closeBoxLaterKeepsTheCompany() {
    test::AdminOn a;
    QVERIFY(a.start());
    test::whenShown<TFALQADMINEMPRESA>(&a.run.window, [](TFALQADMINEMPRESA* w) {
        // Meanwhile the company has no connection and no name shown.
        QVERIFY(!QSqlDatabase::contains(kAdminMain));
        w->close();
    });
    a.run.window.findChild<QAction*>("AMudardeEmpresa1")->trigger();
    QVERIFY(!a.run.window.programEnded());
    QCOMPARE(a.run.session.company().number, 1);
    QCOMPARE(a.run.window.findChild<QLabel*>("Label_EmpNom")->text(),
             a.inst.settings().companyName);
    QVERIFY(QSqlDatabase::database(kAdminMain, false).isOpen());
}

void TestAdmin::terminarEnds() {
    test::AdminOn a;
    QVERIFY(a.start());
    test::whenShown<TFALQADMINEMPRESA>(&a.run.window, [](TFALQADMINEMPRESA* w) {
        w->findChild<QPushButton*>("BotTerminar")->click();
    });
    a.run.window.findChild<QAction*>("AMudardeEmpresa1")->trigger();
    QVERIFY(a.run.window.programEnded());
    QTRY_VERIFY(!a.run.window.isVisible());
}

void TestAdmin::connectFailureAsksAgain() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(!inst.aliasOnDamagedDatabase("ESTRAGADA", test::DamagedDatabase::Missing).isEmpty());
    QVERIFY(inst.exec("geral", "INSERT INTO EMPRESAS (EMPNRO, NOME, BDESPECIF02) VALUES (?, ?, ?)",
                      {4, "Empresa Quatro", "SEMALIAS"}));
    QVERIFY(inst.exec("geral", "INSERT INTO EMPRESAS (EMPNRO, NOME, BDESPECIF02) VALUES (?, ?, ?)",
                      {5, "Empresa Cinco", "ESTRAGADA"}));
    AdminRun run(inst);
    int windows = 0;
    QVERIFY(run.start([&](TFALQADMINEMPRESA* first) {
        ++windows;
        test::chooseCompany(first, 4);
        test::whenShown<TFALQADMINEMPRESA>(&run.window, [&](TFALQADMINEMPRESA* second) {
            ++windows;
            test::chooseCompany(second, 5);
            test::whenShown<TFALQADMINEMPRESA>(&run.window, [&](TFALQADMINEMPRESA* third) {
                ++windows;
                test::chooseCompany(third, 1);
            });
        });
    }));
    QCOMPARE(windows, 3);
    QCOMPARE(run.messages.shown.size(), 2);
    QVERIFY2(run.messages.shown[0].contains("SEMALIAS"), qPrintable(run.messages.shown[0]));
    QVERIFY2(run.messages.shown[1].contains("ESTRAGADA") &&
                 run.messages.shown[1].contains("o ficheiro não existe"),
             qPrintable(run.messages.shown[1]));
    QCOMPARE(run.session.company().number, 1);
    QVERIFY(!run.window.programEnded());
}

void TestAdmin::usersWindowTexts() {
    test::AdminOn a;
    QVERIFY(a.start());
    UsersWindow w(a.run);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Abertura e Manutenção de Utilizadores"));
    QStringList headers;
    for (int c = 0; c < 4; ++c)
        headers << header(w.grid, c);
    QCOMPARE(headers, (QStringList{"Utilizador", "Título", "Nome do Utilizador", "Exec.Actual.?"}));
    QStringList labels;
    for (const char* name :
         {"LabelUtilNro", "LabelNom", "LabelPasswor", "LabelTitulo", "LabelUpgrade"})
        labels << w.window.findChild<QLabel*>(name)->text();
    QCOMPARE(labels, (QStringList{"Utilizador :", "Nome :", "Palavra Passe :", "Título :",
                                  "Pode executar Actualizações?"}));
    QStringList buttons;
    for (const char* name : {"BotInserir", "BotCancelar", "BotEliminar", "BotTerminar"})
        buttons << w.button(name)->text();
    QCOMPARE(buttons, (QStringList{"&Inserir", "&Cancelar", "&Eliminar", "&Terminar"}));
    QCOMPARE(w.nro->text(), QStringLiteral("ADMIN"));
    QCOMPARE(w.nro->maxLength(), 15);
    QCOMPARE(w.password->echoMode(), QLineEdit::Password);
    QCOMPARE(w.password->text(), a.inst.settings().userPassword);
    // Enter leaves the grid for the first box that may be changed, and moves on from there.
    w.key(Qt::Key_Return);
    QTRY_VERIFY(w.nome->hasFocus());
    QVERIFY(!w.nro->isEnabled()); // an existing user's name cannot be changed
    QVERIFY(!w.button("BotTerminar")->isEnabled());
    w.key(Qt::Key_Return);
    QTRY_VERIFY(w.password->hasFocus());
    w.button("BotCancelar")->click();
    QTRY_VERIFY(w.grid->hasFocus());
    QVERIFY(w.nro->isEnabled());
    w.button("BotTerminar")->click();
    QTRY_VERIFY(!w.window.isVisible());
}

void TestAdmin::newUserStartsWithoutUpdates() {
    test::AdminOn a;
    QVERIFY(a.start());
    UsersWindow w(a.run);
    w.insert("O'NEIL");
    QTRY_VERIFY(w.nome->hasFocus());
    QVERIFY(w.window.inserting());
    QCOMPARE(w.flag->text(), QStringLiteral("N"));
    QTest::keyClicks(w.nome, "Nova Utilizadora");
    w.key(Qt::Key_Return);
    QTRY_VERIFY(w.password->hasFocus());
    QTest::keyClicks(w.password, "segredo");
    QCOMPARE(w.password->text(), QStringLiteral("SEGREDO"));
    w.key(Qt::Key_Return);
    QTest::keyClicks(w.titulo, "Eng.");
    w.clickGrid(); // the save point
    QTRY_VERIFY(!w.window.inserting());
    QCOMPARE(a.inst.scalar("main", "SELECT PASSWOR FROM UTILIZADORES WHERE NRO = ?", {"O'NEIL"})
                 .toString(),
             QStringLiteral("SEGREDO"));
    QCOMPARE(
        a.inst.scalar("main", "SELECT UPGRADE_LICENSE FROM UTILIZADORES WHERE NRO = ?", {"O'NEIL"})
            .toString(),
        QStringLiteral("N"));
    QCOMPARE(
        a.inst.scalar("main", "SELECT NOM FROM UTILIZADORES WHERE NRO = ?", {"O'NEIL"}).toString(),
        QStringLiteral("Nova Utilizadora"));
    QCOMPARE(w.grid->model()->rowCount(), 2);
    QVERIFY(a.run.messages.shown.isEmpty());
    QCOMPARE(a.run.messages.lonelyBeeps, 0);
}

void TestAdmin::duplicateInAnyCaseRefused() {
    test::AdminOn a;
    QVERIFY(a.start());
    UsersWindow w(a.run);
    w.insert("admin");
    QTRY_COMPARE(a.run.messages.shown, QStringList{kUserExists});
    QCOMPARE(a.run.messages.beeps, QList<bool>{true});
    QTRY_VERIFY(w.grid->hasFocus());
    QVERIFY(!w.window.inserting());
    QCOMPARE(w.grid->model()->rowCount(), 1);
    QCOMPARE(w.nro->text(), QStringLiteral("ADMIN"));
    w.button("BotTerminar")->click();
    QTRY_VERIFY(!w.window.isVisible());
    QCOMPARE(a.inst.scalar("main", "SELECT COUNT(*) FROM UTILIZADORES").toInt(), 1);
}

void TestAdmin::emptyNameBeepsAndStays() {
    test::AdminOn a;
    QVERIFY(a.start());
    UsersWindow w(a.run);
    w.insert("");
    QTRY_COMPARE(a.run.messages.lonelyBeeps, 1);
    QTRY_VERIFY(w.nro->hasFocus());
    QVERIFY(w.window.inserting());
    // The grid's click gets no further.
    w.clickGrid();
    QTRY_COMPARE(a.run.messages.lonelyBeeps, 2);
    QTRY_VERIFY(w.nro->hasFocus());
    QVERIFY(a.run.messages.shown.isEmpty());
    QCOMPARE(a.inst.scalar("main", "SELECT COUNT(*) FROM UTILIZADORES").toInt(), 1);
}

void TestAdmin::emptyPasswordNotStoredByAGridClick() {
    test::AdminOn a;
    QVERIFY(a.start());
    UsersWindow w(a.run);
    w.insert("NOVO");
    QTRY_VERIFY(w.nome->hasFocus());
    QTest::keyClicks(w.nome, "Sem Palavra");
    w.clickGrid(0); // straight from "Nome :" to the first user's row
    QTRY_COMPARE(a.run.messages.lonelyBeeps, 1);
    QTRY_VERIFY(w.password->hasFocus());
    QVERIFY(w.window.inserting());
    QCOMPARE(w.grid->currentIndex().row(), 1); // the grid stays on the new row
    QCOMPARE(a.inst.scalar("main", "SELECT COUNT(*) FROM UTILIZADORES WHERE NRO = 'NOVO'").toInt(),
             0);
    QTest::keyClicks(w.password, "abc");
    w.clickGrid(0);
    QTRY_VERIFY(!w.window.inserting());
    QCOMPARE(
        a.inst.scalar("main", "SELECT PASSWOR FROM UTILIZADORES WHERE NRO = 'NOVO'").toString(),
        QStringLiteral("ABC"));
}

void TestAdmin::badFlagRefusedWhenClosing() {
    test::AdminOn a;
    QVERIFY(a.start());
    UsersWindow w(a.run);
    w.key(Qt::Key_Tab);
    QTRY_VERIFY(w.nome->hasFocus());
    QTest::mouseClick(w.flag, Qt::LeftButton);
    QTRY_VERIFY(w.flag->hasFocus());
    w.flag->selectAll();
    QTest::keyClicks(w.flag, "x");
    QCOMPARE(w.flag->text(), QStringLiteral("X"));
    w.window.close();
    QTRY_COMPARE(a.run.messages.shown, QStringList{"Digite [S ... N] ..."});
    QVERIFY(w.window.isVisible());
    QTRY_VERIFY(w.flag->hasFocus());
    // Leaving the box says the same.
    QTest::mouseClick(w.titulo, Qt::LeftButton);
    QTRY_COMPARE(a.run.messages.shown.size(), 2);
    QTRY_VERIFY(w.flag->hasFocus());
    QCOMPARE(a.inst.scalar("main", "SELECT UPGRADE_LICENSE FROM UTILIZADORES WHERE NRO = 'ADMIN'")
                 .toString(),
             QStringLiteral("N"));
    w.button("BotCancelar")->click();
    QCOMPARE(w.flag->text(), QStringLiteral("N"));
    w.window.close();
    QTRY_VERIFY(!w.window.isVisible());
}

void TestAdmin::badFlagRefusedByTheKeysOnTheWayToAButton_data() {
    QTest::addColumn<int>("key"); // 0: a click on "&Cancelar"
    QTest::addColumn<bool>("refused");
    QTest::newRow("Enter") << int(Qt::Key_Return) << true;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << true;
    QTest::newRow("click on &Cancelar") << 0 << false;
}

void TestAdmin::badFlagRefusedByTheKeysOnTheWayToAButton() {
    QFETCH(int, key);
    QFETCH(bool, refused);
    test::AdminOn a;
    QVERIFY(a.start());
    UsersWindow w(a.run);
    // By the keys to the last box, where "X" is typed; the next control is "&Cancelar".
    for (QLineEdit* box : {w.nome, w.password, w.titulo, w.flag}) {
        w.key(Qt::Key_Return);
        QTRY_VERIFY(box->hasFocus());
    }
    w.flag->selectAll();
    QTest::keyClicks(w.flag, "x");
    if (key)
        w.key(Qt::Key(key));
    else
        QTest::mouseClick(w.button("BotCancelar"), Qt::LeftButton);
    if (refused) {
        QTRY_COMPARE(a.run.messages.shown, QStringList{"Digite [S ... N] ..."});
        QCOMPARE(a.run.messages.beeps, QList<bool>{true});
        QTRY_VERIFY(w.flag->hasFocus());
        QCOMPARE(w.flag->text(), QStringLiteral("X"));
    } else {
        // "&Cancelar" cancels: the value stored is shown again.
        QTRY_VERIFY(w.grid->hasFocus());
        QVERIFY(a.run.messages.shown.isEmpty());
        QCOMPARE(w.flag->text(), QStringLiteral("N"));
    }
    QCOMPARE(a.inst.scalar("main", "SELECT UPGRADE_LICENSE FROM UTILIZADORES WHERE NRO = 'ADMIN'")
                 .toString(),
             QStringLiteral("N"));
}

void TestAdmin::existingUserKeepsHisName() {
    test::AdminOn a;
    QVERIFY(a.start());
    UsersWindow w(a.run);
    w.key(Qt::Key_Tab);
    QTRY_VERIFY(w.nome->hasFocus());
    QVERIFY(!w.nro->isEnabled());
    w.key(Qt::Key_End); // Tab selected the whole name
    QTest::keyClicks(w.nome, " Silva");
    w.flag->setFocus();
    QTRY_VERIFY(w.flag->hasFocus());
    w.flag->selectAll();
    QTest::keyClicks(w.flag, "s");
    // By the keyboard to the grid: Tab passes "&Cancelar" and the disabled buttons.
    w.key(Qt::Key_Tab);
    QTRY_VERIFY(w.button("BotCancelar")->hasFocus());
    w.key(Qt::Key_Tab);
    QTRY_VERIFY(w.grid->hasFocus());
    QTRY_VERIFY(w.nro->isEnabled());
    QCOMPARE(a.inst.scalar("main", "SELECT NOM FROM UTILIZADORES WHERE NRO = 'ADMIN'").toString(),
             a.inst.settings().userName + " Silva");
    QCOMPARE(a.inst.scalar("main", "SELECT UPGRADE_LICENSE FROM UTILIZADORES WHERE NRO = 'ADMIN'")
                 .toString(),
             QStringLiteral("S"));
    QCOMPARE(a.inst.scalar("main", "SELECT COUNT(*) FROM UTILIZADORES").toInt(), 1);
}

void TestAdmin::deleteClearsEveryCompany() {
    test::AdminOn a;
    QVERIFY2(a.inst.ok(), qPrintable(a.inst.error()));
    QVERIFY(addUserWithRightsInTwoCompanies(a.inst, "OPER"));
    const int adminRows = rightsRows(a.inst, "ADMIN");
    QVERIFY(rightsRows(a.inst, "OPER") == 2 * adminRows);
    QVERIFY(a.start());
    UsersWindow w(a.run);
    QVERIFY(test::selectRowWith(w.grid, 0, "OPER"));
    a.run.messages.answers = {false};
    w.button("BotEliminar")->click();
    QCOMPARE(a.run.messages.asked, QStringList{"ELIMINAÇÃO !!! Confirma ?"});
    QCOMPARE(rightsRows(a.inst, "OPER"), 2 * adminRows);
    a.run.messages.answers = {true};
    w.button("BotEliminar")->click();
    QCOMPARE(a.run.messages.asked.size(), 2);
    QCOMPARE(a.inst.scalar("main", "SELECT COUNT(*) FROM UTILIZADORES WHERE NRO = 'OPER'").toInt(),
             0);
    QCOMPARE(rightsRows(a.inst, "OPER"), 0);
    QCOMPARE(rightsRows(a.inst, "ADMIN"), adminRows);
    QCOMPARE(w.grid->model()->rowCount(), 1);
    QTRY_VERIFY(w.grid->hasFocus());
    QVERIFY(a.run.messages.shown.isEmpty());
}

void TestAdmin::failedDeleteDeletesNothing() {
    test::AdminOn a;
    QVERIFY2(a.inst.ok(), qPrintable(a.inst.error()));
    QVERIFY(addUserWithRightsInTwoCompanies(a.inst, "OPER"));
    const int operRows = rightsRows(a.inst, "OPER");
    QVERIFY(a.start());
    UsersWindow w(a.run);
    // Another workstation changes the user after it was read: the delete finds no such row,
    // whether the write-error window aborts or ignores it.
    const QList<UpdateAction> actions = {UpdateAction::Abort, UpdateAction::Skip};
    for (int i = 0; i < actions.size(); ++i) {
        QVERIFY(test::selectRowWith(w.grid, 0, "OPER"));
        QVERIFY(a.inst.exec("main", "UPDATE UTILIZADORES SET NOM = ? WHERE NRO = 'OPER'",
                            {QStringLiteral("Mudado %1").arg(i)}));
        a.run.handler.actions = {actions[i]};
        a.run.messages.answers = {true};
        w.button("BotEliminar")->click();
        QCOMPARE(a.run.handler.errors.size(), i + 1);
        QCOMPARE(a.run.handler.errors.last().kind, UpdateKind::Deleted);
        QCOMPARE(
            a.inst.scalar("main", "SELECT COUNT(*) FROM UTILIZADORES WHERE NRO = 'OPER'").toInt(),
            1);
        QCOMPARE(rightsRows(a.inst, "OPER"), operRows);
        QCOMPARE(w.grid->model()->rowCount(), 2); // the user is shown again
    }
}

void TestAdmin::writeErrorGoesToTheWindow() {
    test::AdminOn a;
    QVERIFY(a.start());
    UsersWindow w(a.run);
    QVERIFY(w.nameChangedByTwoWorkstations(a.inst));
    a.run.handler.actions = {UpdateAction::Abort};
    w.clickGrid();
    QTRY_COMPARE(a.run.handler.errors.size(), 1);
    QCOMPARE(a.run.handler.errors[0].kind, UpdateKind::Modified);
    QTRY_VERIFY(w.nome->hasFocus()); // the row stays as typed, in edit
    QCOMPARE(w.nome->text(), a.inst.settings().userName + " Aqui");
    QCOMPARE(a.inst.scalar("main", "SELECT NOM FROM UTILIZADORES WHERE NRO = 'ADMIN'").toString(),
             QStringLiteral("Noutro posto"));
    // "&Cancelar" drops the change and shows the other workstation's.
    w.button("BotCancelar")->click();
    QTRY_VERIFY(w.grid->hasFocus());
    QCOMPARE(w.nome->text(), QStringLiteral("Noutro posto"));
    QVERIFY(a.run.messages.shown.isEmpty());
}

void TestAdmin::focusBackFromTheWriteErrorWindowIsNoSavePoint() {
    test::AdminOn a;
    QVERIFY(a.start());
    UsersWindow w(a.run);
    QVERIFY(w.nameChangedByTwoWorkstations(a.inst));
    // The write-error window takes the focus; when it closes, the users window is active
    // again with the focus in its grid, as it was when the save point began.
    int windows = 0;
    a.run.handler.edit = [&](UpdateError&) {
        if (++windows > 1)
            return;
        QDialog errorWindow;
        QVERIFY(test::showActive(&errorWindow));
        errorWindow.close();
        QVERIFY(test::showActive(&w.window));
        QTRY_VERIFY(w.grid->hasFocus());
    };
    a.run.handler.actions = {UpdateAction::Abort, UpdateAction::Abort};
    w.clickGrid();
    QTRY_VERIFY(w.nome->hasFocus());
    QCOMPARE(windows, 1);
    QCOMPARE(a.run.handler.errors.size(), 1);
    QVERIFY(a.run.messages.shown.isEmpty());
}

void TestAdmin::demoAdministration() {
    test::Installation inst([](InstallationSettings& s) { s.administrationDemo = true; });
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QString error;
    AdminRun run(inst);
    QStringList companies;
    QVERIFY(run.start([&](TFALQADMINEMPRESA* w) {
        auto* grid = w->findChild<QTableView*>("DBGridEmpresas");
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            companies << grid->model()->index(r, 1).data().toString();
        test::chooseCompany(w, 2);
    }));
    QCOMPARE(companies, (QStringList{inst.settings().companyName,
                                     inst.settings().companyName + " - Unidade 2"}));
    // The second unit works on the same main database: the same users, rights of its own.
    QCOMPARE(run.session.company().mainAlias, inst.settings().mainAlias);
    UsersWindow w(run);
    QCOMPARE(w.grid->model()->rowCount(), 3);
    QCOMPARE(rightsRows(inst, "OPERADOR"), 0);
    QVERIFY(ensureUserRights(QSqlDatabase::database(kAdminMain), run.session.application(), 2,
                             "OPERADOR", &error));
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM APLICACAODET WHERE UTIL = 'OPERADOR' AND "
                                 "EMPNRO = 2")
                 .toInt(),
             inst.scalar("main", "SELECT COUNT(*) FROM APLICACAOMST").toInt());
}

QTEST_MAIN(TestAdmin)
#include "tst_admin.moc"
