// "Parâmetros Gerais": the PARGER row, the folder buttons and the image type check.
#include "CORTP000.h"
#include "tablerun.h"
#include "windows.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

using namespace falq;
using falq::test::Run;
using falq::test::TablesOn;

namespace {
// Types `text` over the image-type box's text and leaves the box with Tab.
void typeType(QComboBox* box, const QString& text) {
    box->lineEdit()->setFocus();
    QTRY_VERIFY(box->lineEdit()->hasFocus());
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Tab);
    QTRY_VERIFY(!box->lineEdit()->hasFocus());
}

QString row(test::Installation& inst, const char* column) {
    return inst
        .scalar("main",
                QStringLiteral("SELECT %1 FROM PARGER WHERE CODIGO = 1").arg(QLatin1String(column)))
        .toString();
}
} // namespace

class TestParameters : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void createdOnAnEmptyTable();
    void bmpBecomesJpgOnAnUntouchedClose();
    void lowerCaseTypeBlocksTheClose_data();
    void lowerCaseTypeBlocksTheClose();
    void folderButtons();
    void openedFromTheMenu();
};

void TestParameters::createdOnAnEmptyTable() {
    TablesOn s(0, {"DELETE FROM PARGER"});
    QVERIFY(s.ok);
    TCORTF000 window(s.run.session, &s.run.menu);
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("Parâmetros Gerais"));
    QVERIFY(window.close());
    QCOMPARE(s.inst.scalar("main", "SELECT COUNT(*) FROM PARGER").toInt(), 1);
    QCOMPARE(row(s.inst, "TIPOIMAGEM"), QStringLiteral(".JPG"));
    QCOMPARE(row(s.inst, "PATHCLICHE"), QString());
    QCOMPARE(row(s.inst, "PATHDESENHO"), QString());
}

void TestParameters::bmpBecomesJpgOnAnUntouchedClose() {
    TablesOn s(0, {"UPDATE PARGER SET TIPOIMAGEM = '.BMP'"});
    QVERIFY(s.ok);
    const QString folder = row(s.inst, "PATHCLICHE");
    TCORTF000 window(s.run.session, &s.run.menu);
    window.show();
    QCOMPARE(window.findChild<QComboBox*>("Edit_TipoImagem")->currentText(),
             QStringLiteral(".JPG"));
    QVERIFY(window.close());
    QCOMPARE(row(s.inst, "TIPOIMAGEM"), QStringLiteral(".JPG"));
    QCOMPARE(row(s.inst, "PATHCLICHE"), folder);
}

void TestParameters::lowerCaseTypeBlocksTheClose_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow(".jpg") << ".jpg";
    QTest::newRow(".bmp") << ".bmp";
}

void TestParameters::lowerCaseTypeBlocksTheClose() {
    QFETCH(QString, typed);
    TablesOn s(0, {"UPDATE PARGER SET TIPOIMAGEM = '.BMP'"});
    QVERIFY(s.ok);
    TCORTF000 window(s.run.session, &s.run.menu);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* type = window.findChild<QComboBox*>("Edit_TipoImagem");
    typeType(type, typed);
    QCOMPARE(type->currentText(), typed); // left as typed, not completed to upper case
    QVERIFY(!window.close());
    QCOMPARE(s.run.messages.shown, QStringList{"Seleccionou o Tipo de Imagem Errado ..."});
    QCOMPARE(s.run.messages.beeps, QList<bool>{true});
    QVERIFY(window.isVisible());
    QCOMPARE(row(s.inst, "TIPOIMAGEM"), QStringLiteral(".BMP")); // nothing written
    typeType(type, QStringLiteral(".BMP"));
    window.findChild<QPushButton*>("BitTerminar")->click();
    QVERIFY(!window.isVisible());
    QCOMPARE(row(s.inst, "TIPOIMAGEM"), QStringLiteral(".BMP"));
}

void TestParameters::folderButtons() {
    TablesOn s;
    QVERIFY(s.ok);
    const QString before = row(s.inst, "PATHDESENHO");
    TCORTF000 window(s.run.session, &s.run.menu);
    QString answer;
    QStringList titles;
    window.setFolderChooser([&](QWidget*, const QString& title, const QString&) {
        titles << title;
        return answer;
    });
    window.show();
    // Cancelled: nothing changes, the status bar says so.
    window.findChild<QToolButton*>("BotDesenho")->click();
    QCOMPARE(window.statusText(), QStringLiteral("Seleccione o Caminho ..."));
    QCOMPARE(window.findChild<QLineEdit*>("Edit_PathDesenho")->text(), before);
    QCOMPARE(titles, QStringList{"Localizar Caminho Para Arquivo de Desenhos"});
    // Chosen: stored with its trailing separator.
    QTemporaryDir dir;
    answer = dir.path();
    window.findChild<QToolButton*>("BotCliche")->click();
    const QString stored = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    QCOMPARE(window.findChild<QLineEdit*>("Edit_PathCliche")->text(), stored);
    // A typed folder is kept as typed.
    auto* drawings = window.findChild<QLineEdit*>("Edit_PathDesenho");
    drawings->clear();
    QTest::keyClicks(drawings, "/srv/desenhos");
    QVERIFY(window.close());
    QCOMPARE(row(s.inst, "PATHCLICHE"), stored);
    QCOMPARE(row(s.inst, "PATHDESENHO"), QStringLiteral("/srv/desenhos"));
}

void TestParameters::openedFromTheMenu() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Run run;
    registerWindows(run.menu, run.session);
    QVERIFY(run.start());
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<TCORTF000*>(QApplication::activeModalWidget());
        QVERIFY(window);
        seen = true;
        window->findChild<QPushButton*>("BitTerminar")->click();
    });
    run.menu.findChild<QAction*>("TAB000")->trigger();
    QVERIFY(seen);
    QVERIFY(!run.session.dataset("PARGER")->isOpen()); // the window closes what it opened
}

QTEST_MAIN(TestParameters)
#include "tst_parameters.moc"
