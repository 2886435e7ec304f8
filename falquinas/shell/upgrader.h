#pragma once
// The update check: asks the update server whether a newer release of the program exists
// and, in full mode, offers it to the user, downloads the setup program and starts it.
//
// The server holds an information file (UFalquinas.txt or UFalquinas_MP.txt), a small INI
// text:
//
//   [Falquinas]
//   Versao=01.004                          ; the release offered, compared number by number
//   Data=2026-11-30                        ; its date
//   Setup=/downloads/SetupFalquinas.exe    ; path of its setup program on the same server
//   Notas=Novo mapa de custos por cliente. ; shown when the user is asked
//
// All network work is asynchronous (Qt Network); nothing blocks the window.
#include "messages.h"

#include <QDate>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>

class QNetworkAccessManager;

namespace falq {

struct UpdateInfo {
    QString version;
    QDate date;
    QString setupPath;
    QString notes;
};

// Reads an information file; false with a reason when it is not one.
bool parseUpdateInfo(const QByteArray& content, UpdateInfo* info, QString* error);
// Compares "01.004" with "01.003" number by number: -1, 0 or 1; `ok` false when either is
// not made of digits and dots.
int compareVersions(const QString& a, const QString& b, bool* ok);

inline const QString kDefaultSetupPath = QStringLiteral("/downloads/SetupFalquinas.exe");

class Upgrader : public QObject {
    Q_OBJECT
public:
    Upgrader(Messages& messages, QObject* parent = nullptr);
    ~Upgrader() override;

    void setServer(const QUrl& server) { m_server = server; }
    void setInfoPath(const QString& path) { m_infoPath = path; }
    QString infoPath() const { return m_infoPath; }
    void setVersion(const QString& version) { m_version = version; }
    QString version() const { return m_version; }
    void setRestartParameters(const QString& parameters) { m_restart = parameters; }
    QString restartParameters() const { return m_restart; }
    // Starts the downloaded setup program (default: a detached process).
    void
    setLauncher(std::function<bool(const QString& program, const QStringList& args)> launcher) {
        m_launch = std::move(launcher);
    }

    // Full mode: returns at once; asks the user when the server offers a newer version,
    // then downloads and starts the setup program. Failures are told to the user; with
    // `quietWhenUnset` an installation without an update server is passed over silently.
    void checkFull(bool quietWhenUnset = false);
    // Check-only mode: waits (the windows keep painting) until the server answered or
    // `timeoutMs` passed; true when a newer version exists. Says nothing.
    bool checkOnly(int timeoutMs);

    bool busy() const { return m_reply != nullptr; }

signals:
    void upgradeEnded();            // the setup program was started
    void checkFinished(bool newer); // a full check ended (newer: a newer version was offered)

private:
    QUrl urlFor(const QString& path) const;
    void infoArrived(QNetworkReply* reply);
    void setupArrived(QNetworkReply* reply);
    void fail(const QString& reason);

    Messages& m_messages;
    QNetworkAccessManager* m_net;
    QPointer<QNetworkReply> m_reply;
    QUrl m_server;
    QString m_infoPath;
    QString m_version = QStringLiteral("01.002");
    QString m_restart = QStringLiteral("/verysilent");
    UpdateInfo m_offered;
    std::function<bool(const QString&, const QStringList&)> m_launch;
};

} // namespace falq
