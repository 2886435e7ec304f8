// Long reads on a connection of their own in a worker thread: the rows come back, an engine
// error comes back as such, and a stop (from the caller, from the progress box's "Cancelar",
// or from the read being dropped) interrupts the engine's statement itself, leaving nothing
// running on the server and the connections usable.
#include "backgroundread.h"
#include "testsupport.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>

using namespace falq;

namespace {

const QString kConnection = QStringLiteral("bg_main");

BackgroundRead::Work runs(const QString& sql, QVariant* first = nullptr,
                          Qt::HANDLE* thread = nullptr) {
    return [sql, first, thread](QSqlDatabase& db, QString* error) {
        if (thread)
            *thread = QThread::currentThreadId();
        QSqlQuery q(db);
        if (!q.exec(sql)) {
            *error = q.lastError().text();
            return false;
        }
        if (first && q.next())
            *first = q.value(0);
        return true;
    };
}

// Statements of ours still running on the server besides this connection's (0 on SQLite).
int runningElsewhere(QSqlDatabase db) {
    if (!test::usePostgres())
        return 0;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE state = 'active' "
                               "AND query LIKE 'SELECT pg_sleep%' AND pid <> pg_backend_pid()")) ||
        !q.next())
        return -1;
    return q.value(0).toInt();
}

bool noBackgroundConnectionLeft() {
    for (const QString& name : QSqlDatabase::connectionNames())
        if (name.startsWith(QStringLiteral("falq-background-")))
            return false;
    return true;
}

} // namespace

class TestBackgroundRead : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        FALQ_REQUIRE_ENGINE();
        m_inst = std::make_unique<test::Installation>();
        QVERIFY2(m_inst->ok(), qPrintable(m_inst->error()));
        QVERIFY(m_inst->open(QStringLiteral("main"), kConnection).isOpen());
        QVERIFY(m_inst->exec("main", "INSERT INTO CORES (CODIGO, DESIGNACAO, NUMERO) VALUES "
                                     "(901, 'Azul', 1), (902, 'Verde', 2)"));
    }

    void readsOnAConnectionOfItsOwn() {
        QVariant count;
        Qt::HANDLE worker = nullptr;
        BackgroundRead read(
            kConnection,
            runs(QStringLiteral("SELECT COUNT(*) FROM CORES WHERE CODIGO > 900"), &count, &worker));
        QCOMPARE(read.outcome(), BackgroundRead::Outcome::Running);
        read.start();
        QVERIFY(read.wait(60000));
        QCOMPARE(read.outcome(), BackgroundRead::Outcome::Done);
        QCOMPARE(count.toInt(), 2);
        QVERIFY(worker != nullptr && worker != QThread::currentThreadId());
        QVERIFY(noBackgroundConnectionLeft());
        // An error is the engine's own, and it is not taken for a stop.
        BackgroundRead bad(kConnection, runs(QStringLiteral("SELECT NADA FROM TABELA_NENHUMA")));
        bad.start();
        QVERIFY(bad.wait(60000));
        QCOMPARE(bad.outcome(), BackgroundRead::Outcome::Failed);
        QVERIFY2(bad.error().contains(QStringLiteral("TABELA_NENHUMA"), Qt::CaseInsensitive),
                 qPrintable(bad.error()));
    }

    void cancelStopsTheStatementOnTheEngine() {
        BackgroundRead read(kConnection, runs(test::slowStatement()));
        read.start();
        QTest::qWait(300);
        QVERIFY(!read.wait(0)); // still at work
        int asked = 0;
        for (; asked < 300 && !read.wait(100); ++asked)
            read.cancel();
        QVERIFY2(asked < 300, "the statement was not stopped");
        QCOMPARE(read.outcome(), BackgroundRead::Outcome::Cancelled);
        QCOMPARE(runningElsewhere(QSqlDatabase::database(kConnection)), 0);
        QVERIFY(noBackgroundConnectionLeft());
        // The program's own connection goes on working.
        QSqlQuery q(QSqlDatabase::database(kConnection));
        QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*) FROM CORES")) && q.next());
    }

    void droppingAReadStopsIt() {
        {
            BackgroundRead read(kConnection, runs(test::slowStatement()));
            read.start();
            QTest::qWait(300);
        }
        QCOMPARE(runningElsewhere(QSqlDatabase::database(kConnection)), 0);
        QVERIFY(noBackgroundConnectionLeft());
    }

    void progressBoxShowsAndItsCancelStops() {
        QWidget window;
        window.show();
        // The box appears after a moment; its "Cancelar" is pressed as a user would.
        QString shownLabel;
        bool wasModal = false;
        bool stayedUp = false;
        QTimer press;
        press.setInterval(50);
        connect(&press, &QTimer::timeout, this, [&] {
            auto* box = window.findChild<QProgressDialog*>(QStringLiteral("LeituraProgresso"));
            if (!box || !box->isVisible() || !shownLabel.isEmpty())
                return;
            shownLabel = box->labelText();
            wasModal = QApplication::activeModalWidget() == box;
            if (QPushButton* cancel = box->findChild<QPushButton*>())
                cancel->click();
            // The box stays up, modal, while the read stops.
            stayedUp = box->isVisible() && QApplication::activeModalWidget() == box;
        });
        press.start();
        QString error;
        const BackgroundRead::Outcome outcome =
            readWithProgress(&window, QStringLiteral("A ler os movimentos ..."), kConnection,
                             runs(test::slowStatement()), &error);
        QCOMPARE(outcome, BackgroundRead::Outcome::Cancelled);
        QVERIFY2(shownLabel.startsWith(QStringLiteral("A ler os movimentos ...\n")),
                 qPrintable(shownLabel));
        QVERIFY(shownLabel.endsWith(QStringLiteral(" s")));
        QVERIFY(wasModal);
        QVERIFY(stayedUp);
        QCOMPARE(runningElsewhere(QSqlDatabase::database(kConnection)), 0);
        // A short read: Done, with its rows.
        press.stop();
        QVariant count;
        QCOMPARE(readWithProgress(&window, QStringLiteral("x"), kConnection,
                                  runs(QStringLiteral("SELECT COUNT(*) FROM CORES WHERE CODIGO "
                                                      "> 900"),
                                       &count)),
                 BackgroundRead::Outcome::Done);
        QCOMPARE(count.toInt(), 2);
        // The window closed meanwhile (as the window manager closes it): the read stops.
        QTimer::singleShot(100, &window, &QWidget::close);
        QCOMPARE(readWithProgress(&window, QStringLiteral("x"), kConnection,
                                  runs(test::slowStatement())),
                 BackgroundRead::Outcome::Cancelled);
        QCOMPARE(runningElsewhere(QSqlDatabase::database(kConnection)), 0);
    }

private:
    std::unique_ptr<test::Installation> m_inst;
};

QTEST_MAIN(TestBackgroundRead)
#include "tst_background_read.moc"
