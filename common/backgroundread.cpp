#include "backgroundread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutexLocker>
#include <QProgressDialog>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QWidget>

// The engine's own library: the same shared library the Qt SQLite driver uses on the systems
// this is built for (Debian's Qt links the system SQLite), so the driver's handle is its own.
#include <sqlite3.h>

namespace falq {

namespace {
// Short reads never show the box.
constexpr int kShowAfterMs = 400;
// While a stop is asked for, it is asked again this often: a statement that started just
// after an interrupt (which only reaches statements already running) is stopped too.
constexpr int kCancelAgainMs = 200;
} // namespace

struct BackgroundRead::Shared {
    Work work;
    std::atomic<bool> cancelled{false};
    std::atomic<int> outcome{int(Outcome::Running)};
    // Guarded by `mutex`: the engine's handle of the worker's connection while it is open, and
    // the error once the read is over.
    QMutex mutex;
    sqlite3* sqlite = nullptr;
    int backend = 0; // the PostgreSQL server process serving the worker's connection
    QString error;
};

BackgroundRead::BackgroundRead(const QString& connection, Work work)
    : m_connection(connection), m_shared(std::make_shared<Shared>()) {
    m_shared->work = std::move(work);
}

BackgroundRead::~BackgroundRead() {
    if (!m_thread)
        return;
    while (!wait(kCancelAgainMs))
        cancel();
}

void BackgroundRead::start() {
    if (m_thread)
        return;
    static std::atomic<int> serial{0};
    const QString name = QStringLiteral("falq-background-%1").arg(++serial);
    m_thread.reset(QThread::create([shared = m_shared, source = m_connection, name] {
        bool ok = false;
        QString error;
        {
            QSqlDatabase db = QSqlDatabase::cloneDatabase(source, name);
            if (!db.open()) {
                error = db.lastError().text();
            } else {
                {
                    QMutexLocker lock(&shared->mutex);
                    const QVariant handle = db.driver()->handle();
                    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
                        shared->sqlite = *static_cast<sqlite3* const*>(handle.constData());
                    if (db.driverName() == QLatin1String("QPSQL")) {
                        QSqlQuery pid(db);
                        if (pid.exec(QStringLiteral("SELECT pg_backend_pid()")) && pid.next())
                            shared->backend = pid.value(0).toInt();
                    }
                }
                if (!shared->cancelled)
                    ok = shared->work(db, &error);
                QMutexLocker lock(&shared->mutex);
                shared->sqlite = nullptr;
                shared->backend = 0;
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        QMutexLocker lock(&shared->mutex);
        shared->error = error;
        shared->outcome =
            int(shared->cancelled ? Outcome::Cancelled : (ok ? Outcome::Done : Outcome::Failed));
    }));
    m_thread->start();
}

void BackgroundRead::cancel() {
    m_shared->cancelled = true;
    QMutexLocker lock(&m_shared->mutex);
    if (m_shared->sqlite)
        sqlite3_interrupt(m_shared->sqlite);
    if (m_shared->backend) {
        // The server stops the statement; the worker's connection stays usable.
        QSqlQuery stop(QSqlDatabase::database(m_connection, false));
        stop.prepare(QStringLiteral("SELECT pg_cancel_backend(?)"));
        stop.addBindValue(m_shared->backend);
        stop.exec();
    }
}

bool BackgroundRead::wait(int ms) {
    return !m_thread || m_thread->wait(QDeadlineTimer(ms));
}

BackgroundRead::Outcome BackgroundRead::outcome() const {
    return Outcome(m_shared->outcome.load());
}

QString BackgroundRead::error() const {
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->error;
}

BackgroundRead::Outcome readWithProgress(QWidget* parent, const QString& label,
                                         const QString& connection,
                                         const BackgroundRead::Work& work, QString* error) {
    BackgroundRead read(connection, work);
    read.start();
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer sinceCancel;
    std::unique_ptr<QProgressDialog> box;
    bool stopAsked = false;
    qint64 secondsShown = -1;
    while (!read.wait(25)) {
        if (!box && !stopAsked && clock.elapsed() >= kShowAfterMs) {
            box =
                std::make_unique<QProgressDialog>(label, QStringLiteral("&Cancelar"), 0, 0, parent);
            box->setObjectName(QStringLiteral("LeituraProgresso"));
            // Nothing else of the program answers meanwhile: no second read starts on top.
            box->setWindowModality(Qt::ApplicationModal);
            box->setMinimumDuration(0);
            box->setAutoReset(false);
            box->setAutoClose(false);
            // "Cancelar" asks for the stop and the box stays up, still modal, until the read
            // has ended (the dialog would otherwise hide itself at once).
            // (The dialog makes that connection by name, so it is undone by name.)
            QObject::disconnect(box.get(), SIGNAL(canceled()), box.get(), SLOT(cancel()));
            QObject::connect(box.get(), &QProgressDialog::canceled, box.get(),
                             [&stopAsked] { stopAsked = true; });
            box->show();
        }
        const bool boxUp = box && box->isVisible();
        if (boxUp && clock.elapsed() / 1000 != secondsShown) {
            secondsShown = clock.elapsed() / 1000;
            box->setLabelText(QStringLiteral("%1\n%2 s").arg(label).arg(secondsShown));
        }
        // Without the box up (before it shows, or once Esc or the window manager closed it),
        // the user's clicks and keys wait: the window stays as it is.
        QCoreApplication::processEvents(boxUp ? QEventLoop::AllEvents
                                              : QEventLoop::ExcludeUserInputEvents);
        // A window closed meanwhile (by the window manager) wants nothing more.
        if (parent && !parent->window()->isVisible())
            stopAsked = true;
        if (box && !box->isVisible())
            stopAsked = true;
        if (stopAsked && (!sinceCancel.isValid() || sinceCancel.elapsed() >= kCancelAgainMs)) {
            if (!sinceCancel.isValid() && box && box->isVisible()) {
                box->setLabelText(QStringLiteral("%1\nA interromper ...").arg(label));
                box->setCancelButton(nullptr);
            }
            read.cancel();
            sinceCancel.restart();
        }
    }
    if (error)
        *error = read.error();
    return read.outcome();
}

} // namespace falq
