// Password change: the two fields, their checks and messages, and the write of the user's
// password after a confirmed change.
#include "ALTERPPASS.h"
#include "shellrun.h"

#include <QApplication>
#include <QStyle>
#include <QTimer>

using namespace falq;
using falq::test::Run;

namespace {

struct Window {
    Window() {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        pass1 = window.findChild<QLineEdit*>("Edit_Pass1");
        pass2 = window.findChild<QLineEdit*>("Edit_Pass2");
        QTRY_VERIFY(pass1->hasFocus());
    }
    void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClicks(field, text);
    }
    void confirm() { window.findChild<QPushButton*>("BitTerminar")->click(); }

    test::RecordingMessages messages;
    TALTERFPASS window{messages};
    QLineEdit* pass1 = nullptr;
    QLineEdit* pass2 = nullptr;
};

} // namespace

class TestPassword : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void fieldsEchoHashInUpperCase();
    void fifteenAcceptedSixteenRefused();
    void emptyAndMismatch();
    void enterInConfirmationRunsItsCheck();
    void cancelRunsNoCheck();
    void confirmedChangeIsWritten();
};

void TestPassword::fieldsEchoHashInUpperCase() {
    Window w;
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Alteração de Palavra Passe"));
    QVERIFY(!(w.window.windowFlags() & Qt::WindowCloseButtonHint));
    w.type(w.pass1, "segredo1");
    QCOMPARE(w.pass1->text(), QStringLiteral("SEGREDO1"));
    QCOMPARE(w.pass1->echoMode(), QLineEdit::Password);
    QCOMPARE(w.pass1->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, w.pass1),
             int('#'));
}

void TestPassword::fifteenAcceptedSixteenRefused() {
    {
        Window w;
        w.type(w.pass1, "abcdefghijklmnop"); // 16
        w.type(w.pass2, "abcdefghijklmnop");
        w.confirm();
        QCOMPARE(w.messages.shown.value(0), QStringLiteral("Excedeu o Nº de caracteres = 15 ..."));
        QCOMPARE(w.messages.beeps.value(0), true);
        QCOMPARE(w.window.outcome(), int(TALTERFPASS::Open));
        QTRY_VERIFY(w.pass1->hasFocus());
    }
    Window w;
    w.type(w.pass1, "abcdefghijklmno"); // 15
    w.type(w.pass2, "abcdefghijklmno");
    w.confirm();
    QVERIFY2(w.messages.shown.isEmpty(), qPrintable(w.messages.shown.join('|')));
    QCOMPARE(w.window.outcome(), int(TALTERFPASS::Confirmed));
    QCOMPARE(w.window.newPassword(), QStringLiteral("ABCDEFGHIJKLMNO"));
}

void TestPassword::emptyAndMismatch() {
    Window w;
    w.confirm();
    QCOMPARE(w.messages.shown, QStringList{"Palavra passe inválida ..."});
    QTRY_VERIFY(w.pass1->hasFocus());
    w.messages.shown.clear();
    w.type(w.pass1, "um");
    w.confirm();
    QCOMPARE(w.messages.shown, QStringList{"Palavra passe inválida ..."});
    QTRY_VERIFY(w.pass2->hasFocus());
    w.messages.shown.clear();
    w.type(w.pass2, "dois");
    w.confirm();
    QCOMPARE(w.messages.shown,
             QStringList{"Confirmação <> da nova palavra passe, tente novamente ..."});
    QTRY_VERIFY(w.pass1->hasFocus());
    QCOMPARE(w.window.outcome(), int(TALTERFPASS::Open));
}

void TestPassword::enterInConfirmationRunsItsCheck() {
    Window w;
    w.type(w.pass1, "um");
    QTest::keyClick(w.pass1, Qt::Key_Return);
    QTRY_VERIFY(w.pass2->hasFocus());
    QVERIFY(w.messages.shown.isEmpty());
    QTest::keyClicks(w.pass2, "uns");
    QTest::keyClick(w.pass2, Qt::Key_Return);
    QTRY_COMPARE(w.messages.shown,
                 QStringList{"Confirmação <> da nova palavra passe, tente novamente ..."});
    QTRY_VERIFY(w.pass1->hasFocus());
    QCOMPARE(w.window.outcome(), int(TALTERFPASS::Open));
}

void TestPassword::cancelRunsNoCheck() {
    Window w;
    w.type(w.pass1, "");
    w.window.findChild<QPushButton*>("BotCancelar")->click();
    QCOMPARE(w.window.outcome(), int(TALTERFPASS::Cancelled));
    QVERIFY(!w.window.isVisible());
    QTest::qWait(10);
    QVERIFY(w.messages.shown.isEmpty());
}

void TestPassword::confirmedChangeIsWritten() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Run run;
    QVERIFY(run.start());
    for (const bool confirm : {false, true}) {
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<TALTERFPASS*>(QApplication::activeModalWidget());
            QVERIFY(window);
            auto* p1 = window->findChild<QLineEdit*>("Edit_Pass1");
            auto* p2 = window->findChild<QLineEdit*>("Edit_Pass2");
            QTest::keyClicks(p1, "nova");
            p2->setFocus();
            QTest::keyClicks(p2, "nova");
            window->findChild<QPushButton*>(confirm ? "BitTerminar" : "BotCancelar")->click();
        });
        run.menu.findChild<QPushButton*>("BotPassord")->click();
        QCOMPARE(
            inst.scalar("main", "SELECT PASSWOR FROM UTILIZADORES WHERE NRO = 'ADMIN'").toString(),
            confirm ? QStringLiteral("NOVA") : inst.settings().userPassword);
    }
    // The workstation row keeps its password: the next start-up refuses the user.
    QCOMPARE(inst.scalar("geral", "SELECT PASSWOR FROM PARAMUTIL").toString(),
             inst.settings().userPassword);
    run.menu.close();
    Run next;
    QVERIFY(next.start());
    QCOMPARE(next.messages.shown, QStringList{"Palavra-passe Inválida"});
}

QTEST_MAIN(TestPassword)
#include "tst_password.moc"
