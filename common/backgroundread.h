#pragma once
// Long reads (every tool of a large register summed, for one) run on a connection of their
// own in a worker thread, so the window that asked stays painted, shows that the work goes on
// and can stop it: a stop interrupts the engine's statement itself (SQLite's interrupt, the
// PostgreSQL server's cancel), it does not merely stop waiting for it.
#include <QMutex>
#include <QSqlDatabase>
#include <QString>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

class QWidget;

namespace falq {

class BackgroundRead {
public:
    // The work: statements on `db`, a clone of the named connection opened in the worker
    // thread; false with the engine's message on error. What it reads it keeps itself (the
    // caller takes it once the read is over).
    using Work = std::function<bool(QSqlDatabase& db, QString* error)>;
    enum class Outcome { Running, Done, Failed, Cancelled };

    // `connection` names an open connection of the calling thread.
    BackgroundRead(const QString& connection, Work work);
    // Stops a read still running and waits for its thread.
    ~BackgroundRead();
    BackgroundRead(const BackgroundRead&) = delete;
    BackgroundRead& operator=(const BackgroundRead&) = delete;

    void start();
    // Interrupts the statement running now and makes the read end as Cancelled; a statement
    // the work starts afterwards needs another call (callers repeat it until the read is
    // over). Call it from the thread of the connection named at construction.
    void cancel();
    // Waits up to `ms` milliseconds (-1: until it is over); true once the read is over.
    bool wait(int ms);
    Outcome outcome() const;
    QString error() const;

private:
    struct Shared;
    QString m_connection;
    std::shared_ptr<Shared> m_shared;
    std::unique_ptr<QThread> m_thread;
};

// Runs `work` in the background and waits for it, keeping the application painted. After
// a moment an application-modal box over `parent` shows `label` with the seconds gone and a
// "Cancelar" button that stops the read; closing `parent`'s window stops it too. Done, Failed
// (with `error`) or Cancelled.
BackgroundRead::Outcome readWithProgress(QWidget* parent, const QString& label,
                                         const QString& connection,
                                         const BackgroundRead::Work& work,
                                         QString* error = nullptr);

} // namespace falq
