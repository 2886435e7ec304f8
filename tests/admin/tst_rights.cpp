// The rights window of the administration utility: rows created for a user on first sight
// (every right granted), rows that exist kept, nothing for an empty user, a flag ticked when
// the main program grants the right, ticks written before another user or chapter is shown
// (mouse and keys), hidden flags kept, the programs' column fixed, write errors.
#include "FALQADMINACESSOS.h"
#include "adminrun.h"
#include "rights.h"

#include <QLabel>

using namespace falq;
using falq::test::AdminRun;

namespace {

constexpr int kAceder = 1; // column of "Aceder" in the rights grid

const char* kAllGranted =
    "SELECT COUNT(*) FROM APLICACAODET WHERE UTIL = ? AND EMPNRO = ? AND ACEDER = 'S' AND "
    "INSERIR = 'S' AND ALTERAR = 'S' AND ELIMINAR = 'S' AND IMPORTAR = 'S' AND IMPRIMIR = 'S' "
    "AND ARQUIVAR = 'S' AND MAIL = 'S' AND SCANNER = 'S'";

QString flag(test::Installation& inst, const char* column, const QString& chapter,
             const QString& program, const QString& user = QStringLiteral("ADMIN")) {
    return inst
        .scalar("main",
                QStringLiteral("SELECT %1 FROM APLICACAODET WHERE CAPITULO = ? AND PROGRAMA = ? "
                               "AND UTIL = ? AND EMPNRO = 1")
                    .arg(QLatin1String(column)),
                {chapter, program, user})
        .toString();
}

int count(test::Installation& inst, const QString& sql, const QVariantList& binds = {}) {
    return inst.scalar("main", sql, binds).toInt();
}

bool addUser(test::Installation& inst, const QString& user, const QString& name) {
    return inst.exec("main",
                     "INSERT INTO UTILIZADORES (NRO, PASSWOR, NOM, UPGRADE_LICENSE) VALUES (?, "
                     "'X', ?, 'N')",
                     {user, name});
}

struct RightsWindow {
    explicit RightsWindow(AdminRun& run) : window(run.session) {
        QVERIFY(test::showActive(&window));
        users = window.findChild<QTableView*>("DBGridUtil");
        chapters = window.findChild<QTableView*>("DBGridCap");
        rights = window.findChild<QTableView*>("DBGridWorkDet");
        QTRY_VERIFY(users->hasFocus());
    }
    void click(QTableView* view, int row, int column = 0) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          test::cellCentre(view, row, column));
    }
    int rowOf(QTableView* view, const QString& text, int column = 0) {
        for (int r = 0; r < view->model()->rowCount(); ++r)
            if (view->model()->index(r, column).data().toString() == text)
                return r;
        return -1;
    }
    Qt::CheckState aceder(const QString& program) {
        return Qt::CheckState(rights->model()
                                  ->index(rowOf(rights, program), kAceder)
                                  .data(Qt::CheckStateRole)
                                  .toInt());
    }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }

    TFALQADMINACESSOS window;
    QTableView* users = nullptr;
    QTableView* chapters = nullptr;
    QTableView* rights = nullptr;
};

} // namespace

class TestRights : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void texts();
    void firstSightGrantsEveryProgram();
    void addedProgramGetsARowOthersKept();
    void noUsersNoRows();
    void tickShowsWhatTheMainProgramGrants_data();
    void tickShowsWhatTheMainProgramGrants();
    void programsColumnIsFixed_data();
    void programsColumnIsFixed();
    void tickWrittenBeforeTheUserChanges();
    void tickByKeysWrittenBeforeTheChapterChanges();
    void refusedWriteKeepsTheUser();
};

void TestRights::texts() {
    test::AdminOn a;
    QVERIFY(a.start());
    RightsWindow w(a.run);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Acessos por Utilizador"));
    QCOMPARE(w.window.findChild<QLabel*>("LabelUtil")->text(), QStringLiteral("Utilizador"));
    QCOMPARE(w.window.findChild<QLabel*>("LabelCap")->text(), QStringLiteral("Capítulos"));
    QCOMPARE(w.window.findChild<QPushButton*>("BotTerminar")->text(), QStringLiteral("&Terminar"));
    QStringList headers;
    for (int c = 0; c < w.rights->model()->columnCount(); ++c)
        if (!w.rights->isColumnHidden(c))
            headers << w.rights->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers,
             (QStringList{"Programa", "Aceder", "Inserir", "Eliminar", "Imprimir", "Scanner"}));
    QVERIFY(w.rights->columnWidth(0) > 3 * w.rights->columnWidth(1));
    // The first chapter and its programs, all granted to the installation's user.
    QCOMPARE(w.window.currentUser(), a.inst.settings().userCode);
    QCOMPARE(w.window.currentChapter(), QStringLiteral("Administrador"));
    QCOMPARE(w.rights->model()->rowCount(), 1);
    QCOMPARE(w.aceder("Administrador"), Qt::Checked);
    QStringList chapters;
    for (int r = 0; r < w.chapters->model()->rowCount(); ++r)
        chapters << w.chapters->model()->index(r, 0).data().toString();
    QCOMPARE(chapters, (QStringList{"Administrador", "Cliches", "Desenhos", "Movimentos",
                                    "Tabelas Especificas"}));
    w.click(w.chapters, chapters.indexOf("Tabelas Especificas"));
    QTRY_COMPARE(w.rights->model()->rowCount(), 6);
    QCOMPARE(w.rights->model()->index(0, 0).data().toString(), QStringLiteral("Cartoes"));
    QCOMPARE(w.aceder("Cores"), Qt::Checked);
    w.users->setFocus();
    // Enter moves from list to list to the grid.
    w.key(Qt::Key_Return);
    QTRY_VERIFY(w.chapters->hasFocus());
    w.key(Qt::Key_Return);
    QTRY_VERIFY(w.rights->hasFocus());
    QVERIFY(a.run.messages.shown.isEmpty());
}

void TestRights::firstSightGrantsEveryProgram() {
    test::AdminOn a;
    QVERIFY2(a.inst.ok(), qPrintable(a.inst.error()));
    QVERIFY(addUser(a.inst, "PRIMEIRO", "Aa Primeiro")); // first by name: rows at opening
    QVERIFY(addUser(a.inst, "NOVO", "Zé Novo"));
    const int programs = count(a.inst, "SELECT COUNT(*) FROM APLICACAOMST");
    QCOMPARE(programs, 20);
    QVERIFY(a.start());
    RightsWindow w(a.run);
    QCOMPARE(w.window.currentUser(), QStringLiteral("PRIMEIRO"));
    QCOMPARE(count(a.inst, kAllGranted, {"PRIMEIRO", 1}), programs);
    QCOMPARE(count(a.inst, "SELECT COUNT(*) FROM APLICACAODET WHERE UTIL = 'NOVO'"), 0);
    w.click(w.users, w.rowOf(w.users, "NOVO"));
    QTRY_COMPARE(w.window.currentUser(), QStringLiteral("NOVO"));
    QCOMPARE(count(a.inst, kAllGranted, {"NOVO", 1}), programs);
    QCOMPARE(count(a.inst, "SELECT COUNT(*) FROM APLICACAODET WHERE UTIL = 'NOVO'"), programs);
    QCOMPARE(w.window.currentChapter(), QStringLiteral("Administrador"));
    QCOMPARE(w.aceder("Administrador"), Qt::Checked);
    QVERIFY(a.run.messages.shown.isEmpty());
}

void TestRights::addedProgramGetsARowOthersKept() {
    test::AdminOn a;
    QVERIFY2(a.inst.ok(), qPrintable(a.inst.error()));
    QVERIFY(a.inst.exec("main", "UPDATE APLICACAODET SET ACEDER = 'N', MAIL = 'N' WHERE CAPITULO = "
                                "'Cliches' AND PROGRAMA = 'Consulta'"));
    QVERIFY(a.inst.exec("main", "INSERT INTO APLICACAOMST (APLICACAO, CAPITULO, PROGRAMA) VALUES "
                                "('FALQUINAS', 'Cliches', 'Nova Opcao')"));
    const int before = count(a.inst, "SELECT COUNT(*) FROM APLICACAODET WHERE UTIL = 'ADMIN'");
    QVERIFY(a.start());
    RightsWindow w(a.run);
    QCOMPARE(count(a.inst, "SELECT COUNT(*) FROM APLICACAODET WHERE UTIL = 'ADMIN'"), before + 1);
    QCOMPARE(count(a.inst, QString::fromLatin1(kAllGranted) + " AND PROGRAMA = 'Nova Opcao'",
                   {"ADMIN", 1}),
             1);
    QCOMPARE(flag(a.inst, "ACEDER", "Cliches", "Consulta"), QStringLiteral("N"));
    QCOMPARE(flag(a.inst, "MAIL", "Cliches", "Consulta"), QStringLiteral("N"));
    w.click(w.chapters, w.rowOf(w.chapters, "Cliches"));
    QTRY_COMPARE(w.window.currentChapter(), QStringLiteral("Cliches"));
    QCOMPARE(w.rights->model()->rowCount(), 5);
    QCOMPARE(w.aceder("Nova Opcao"), Qt::Checked);
    QCOMPARE(w.aceder("Consulta"), Qt::Unchecked);
}

void TestRights::noUsersNoRows() {
    test::AdminOn a;
    QVERIFY2(a.inst.ok(), qPrintable(a.inst.error()));
    QVERIFY(a.inst.exec("main", "DELETE FROM UTILIZADORES"));
    const int before = count(a.inst, "SELECT COUNT(*) FROM APLICACAODET");
    QVERIFY(a.start());
    RightsWindow w(a.run);
    QCOMPARE(w.window.currentUser(), QString());
    QCOMPARE(w.rights->model()->rowCount(), 0);
    QCOMPARE(count(a.inst, "SELECT COUNT(*) FROM APLICACAODET"), before);
    QCOMPARE(count(a.inst, "SELECT COUNT(*) FROM APLICACAODET WHERE UTIL = ''"), 0);
    QVERIFY2(a.run.messages.shown.isEmpty(), qPrintable(a.run.messages.shown.join("|")));
    w.window.close();
    QTRY_VERIFY(!w.window.isVisible());
}

void TestRights::tickShowsWhatTheMainProgramGrants_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("granted");
    QTest::addColumn<QString>("written"); // by one click on the box
    QTest::newRow("S") << QVariant(QStringLiteral("S")) << true << QStringLiteral("N");
    QTest::newRow("N") << QVariant(QStringLiteral("N")) << false << QStringLiteral("S");
    QTest::newRow("n") << QVariant(QStringLiteral("n")) << true << QStringLiteral("N");
    QTest::newRow("empty") << QVariant(QString("")) << true << QStringLiteral("N");
    QTest::newRow("NULL") << QVariant(QMetaType::fromType<QString>()) << true
                          << QStringLiteral("N");
}

void TestRights::tickShowsWhatTheMainProgramGrants() {
    QFETCH(QVariant, stored);
    QFETCH(bool, granted);
    QFETCH(QString, written);
    test::AdminOn a;
    QVERIFY2(a.inst.ok(), qPrintable(a.inst.error()));
    QVERIFY(a.inst.exec("main",
                        "UPDATE APLICACAODET SET ACEDER = ? WHERE CAPITULO = 'Cliches' AND "
                        "PROGRAMA = 'Consulta' AND UTIL = 'ADMIN' AND EMPNRO = 1",
                        {stored}));
    QVERIFY(a.start());
    // What the main program applies to this row.
    auto applied = [&] {
        return lookupRights(QSqlDatabase::database(kAdminMain), a.run.session.application(),
                            "Cliches", "Consulta", "ADMIN", 1)
            .aceder;
    };
    QCOMPARE(applied(), granted);
    RightsWindow w(a.run);
    w.click(w.chapters, w.rowOf(w.chapters, "Cliches"));
    QTRY_COMPARE(w.window.currentChapter(), QStringLiteral("Cliches"));
    QCOMPARE(w.aceder("Consulta"), granted ? Qt::Checked : Qt::Unchecked);
    const int row = w.rowOf(w.rights, "Consulta");
    QTest::mouseClick(w.rights->viewport(), Qt::LeftButton, {},
                      test::checkBoxAt(w.rights, row, kAceder));
    QCOMPARE(w.aceder("Consulta"), granted ? Qt::Unchecked : Qt::Checked);
    w.window.close();
    QTRY_VERIFY(!w.window.isVisible());
    QCOMPARE(flag(a.inst, "ACEDER", "Cliches", "Consulta"), written);
    QCOMPARE(applied(), !granted);
    QVERIFY(a.run.handler.errors.isEmpty());
    QVERIFY(a.run.messages.shown.isEmpty());
}

void TestRights::programsColumnIsFixed_data() {
    QTest::addColumn<bool>("click"); // else the key
    QTest::addColumn<int>("key");
    QTest::newRow("click on the program") << true << 0;
    QTest::newRow("Left") << false << int(Qt::Key_Left);
    QTest::newRow("Home") << false << int(Qt::Key_Home);
}

void TestRights::programsColumnIsFixed() {
    QFETCH(bool, click);
    QFETCH(int, key);
    test::AdminOn a;
    QVERIFY(a.start());
    RightsWindow w(a.run);
    w.click(w.chapters, w.rowOf(w.chapters, "Cliches"));
    QTRY_COMPARE(w.window.currentChapter(), QStringLiteral("Cliches"));
    const int row = w.rowOf(w.rights, "Consulta");
    const QModelIndex program = w.rights->model()->index(row, 0);
    QVERIFY(!(program.flags() & Qt::ItemIsEditable));
    // The cursor never stands on a program: it goes to, or stays on, the row's "Aceder".
    if (click) {
        w.click(w.rights, row, 0);
    } else {
        w.rights->setFocus();
        w.rights->setCurrentIndex(program.siblingAtColumn(kAceder));
        w.key(Qt::Key(key));
    }
    QTRY_COMPARE(w.rights->currentIndex(), program.siblingAtColumn(kAceder));
    w.key(Qt::Key_Space);
    QCOMPARE(w.aceder("Consulta"), Qt::Unchecked);
    QCOMPARE(program.data().toString(), QStringLiteral("Consulta"));
}

void TestRights::tickWrittenBeforeTheUserChanges() {
    test::AdminOn a;
    QVERIFY2(a.inst.ok(), qPrintable(a.inst.error()));
    QVERIFY(addUser(a.inst, "NOVO", "Zé Novo"));
    // A flag the grid does not show stays as it is.
    QVERIFY(a.inst.exec("main", "UPDATE APLICACAODET SET ALTERAR = 'N' WHERE CAPITULO = 'Cliches' "
                                "AND PROGRAMA = 'Consulta'"));
    QVERIFY(a.start());
    RightsWindow w(a.run);
    w.click(w.chapters, w.rowOf(w.chapters, "Cliches"));
    QTRY_COMPARE(w.window.currentChapter(), QStringLiteral("Cliches"));
    const int row = w.rowOf(w.rights, "Consulta");
    QTest::mouseClick(w.rights->viewport(), Qt::LeftButton, {},
                      test::checkBoxAt(w.rights, row, kAceder));
    QCOMPARE(w.aceder("Consulta"), Qt::Unchecked);
    QCOMPARE(flag(a.inst, "ACEDER", "Cliches", "Consulta"), QStringLiteral("S"));
    // A click on another user: the tick is written before that user is shown.
    w.click(w.users, w.rowOf(w.users, "NOVO"));
    QTRY_COMPARE(w.window.currentUser(), QStringLiteral("NOVO"));
    QCOMPARE(flag(a.inst, "ACEDER", "Cliches", "Consulta"), QStringLiteral("N"));
    QCOMPARE(flag(a.inst, "ALTERAR", "Cliches", "Consulta"), QStringLiteral("N"));
    QCOMPARE(flag(a.inst, "INSERIR", "Cliches", "Consulta"), QStringLiteral("S"));
    QCOMPARE(w.window.currentChapter(), QStringLiteral("Administrador"));
    // Back to the first user: the tick is there.
    w.click(w.users, w.rowOf(w.users, "ADMIN"));
    QTRY_COMPARE(w.window.currentUser(), QStringLiteral("ADMIN"));
    w.click(w.chapters, w.rowOf(w.chapters, "Cliches"));
    QTRY_COMPARE(w.aceder("Consulta"), Qt::Unchecked);
    QVERIFY(a.run.handler.errors.isEmpty());
    QVERIFY(a.run.messages.shown.isEmpty());
}

void TestRights::tickByKeysWrittenBeforeTheChapterChanges() {
    test::AdminOn a;
    QVERIFY(a.start());
    RightsWindow w(a.run);
    w.key(Qt::Key_Tab);
    QTRY_VERIFY(w.chapters->hasFocus());
    for (int i = 0; i < 5 && w.window.currentChapter() != QLatin1String("Cliches"); ++i)
        w.key(Qt::Key_Down);
    QCOMPARE(w.window.currentChapter(), QStringLiteral("Cliches"));
    w.key(Qt::Key_Tab);
    QTRY_VERIFY(w.rights->hasFocus());
    QCOMPARE(w.rights->currentIndex(), w.rights->model()->index(0, kAceder));
    while (w.rights->currentIndex().row() < w.rowOf(w.rights, "Impressao"))
        w.key(Qt::Key_Down);
    QCOMPARE(w.rights->currentIndex().column(), kAceder);
    w.key(Qt::Key_Space);
    QCOMPARE(w.aceder("Impressao"), Qt::Unchecked);
    QTest::keyClick(w.rights, Qt::Key_Tab, Qt::ShiftModifier);
    QTRY_VERIFY(w.chapters->hasFocus());
    w.key(Qt::Key_Down);
    QTRY_COMPARE(w.window.currentChapter(), QStringLiteral("Desenhos"));
    QCOMPARE(flag(a.inst, "ACEDER", "Cliches", "Impressao"), QStringLiteral("N"));
    QCOMPARE(flag(a.inst, "ACEDER", "Desenhos", "Impressao"), QStringLiteral("S"));
    // Closing writes too.
    w.key(Qt::Key_Tab);
    QTRY_VERIFY(w.rights->hasFocus());
    w.rights->setCurrentIndex(w.rights->model()->index(w.rowOf(w.rights, "Impressao"), kAceder));
    w.key(Qt::Key_Space);
    w.window.close();
    QTRY_VERIFY(!w.window.isVisible());
    QCOMPARE(flag(a.inst, "ACEDER", "Desenhos", "Impressao"), QStringLiteral("N"));
    QVERIFY(a.run.messages.shown.isEmpty());
}

void TestRights::refusedWriteKeepsTheUser() {
    test::AdminOn a;
    QVERIFY2(a.inst.ok(), qPrintable(a.inst.error()));
    QVERIFY(addUser(a.inst, "NOVO", "Zé Novo"));
    QVERIFY(a.start());
    RightsWindow w(a.run);
    w.click(w.chapters, w.rowOf(w.chapters, "Cliches"));
    QTRY_COMPARE(w.window.currentChapter(), QStringLiteral("Cliches"));
    // Another workstation takes the right away meanwhile; this one then grants "Inserir".
    QVERIFY(a.inst.exec("main", "UPDATE APLICACAODET SET INSERIR = 'N' WHERE CAPITULO = 'Cliches' "
                                "AND PROGRAMA = 'Consulta'"));
    const int row = w.rowOf(w.rights, "Consulta");
    QTest::mouseClick(w.rights->viewport(), Qt::LeftButton, {}, test::checkBoxAt(w.rights, row, 2));
    a.run.handler.actions = {UpdateAction::Abort};
    w.click(w.users, w.rowOf(w.users, "NOVO"));
    QTRY_COMPARE(a.run.handler.errors.size(), 1);
    QCOMPARE(a.run.handler.errors[0].kind, UpdateKind::Modified);
    // Aborted: the same user and chapter stay, with the tick still to be written.
    QTest::qWait(50);
    QCOMPARE(a.run.handler.errors.size(), 1); // one window for one click
    QCOMPARE(w.window.currentUser(), QStringLiteral("ADMIN"));
    QCOMPARE(w.window.currentChapter(), QStringLiteral("Cliches"));
    QTRY_COMPARE(w.users->currentIndex().row(), w.rowOf(w.users, "ADMIN"));
    QCOMPARE(flag(a.inst, "INSERIR", "Cliches", "Consulta"), QStringLiteral("N"));
    QCOMPARE(count(a.inst, "SELECT COUNT(*) FROM APLICACAODET WHERE UTIL = 'NOVO'"), 0);
    QVERIFY(a.run.messages.shown.isEmpty());
}

QTEST_MAIN(TestRights)
#include "tst_rights.moc"
