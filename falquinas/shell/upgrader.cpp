#include "upgrader.h"

#include "wholefile.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

namespace falq {

namespace {
const QString kFailed = QStringLiteral("Não foi possível procurar actualizações: %1");
constexpr qint64 kMaxInfoSize = 64 * 1024;
} // namespace

bool parseUpdateInfo(const QByteArray& content, UpdateInfo* info, QString* error) {
    if (content.size() > kMaxInfoSize) {
        *error = QStringLiteral("ficheiro de informação demasiado grande");
        return false;
    }
    // QSettings reads INI only from files; a small parser keeps it in memory.
    QString section;
    QMap<QString, QString> values;
    for (QString line : QString::fromUtf8(content).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || section != QLatin1String("falquinas"))
            continue;
        QString value = line.mid(eq + 1);
        const int comment = value.indexOf(QLatin1String(" ;"));
        if (comment >= 0)
            value.truncate(comment);
        values.insert(line.left(eq).trimmed().toLower(), value.trimmed());
    }
    UpdateInfo i;
    i.version = values.value(QStringLiteral("versao"));
    bool ok = false;
    compareVersions(i.version, i.version, &ok);
    if (!ok) {
        *error = QStringLiteral("ficheiro de informação inválido (sem versão)");
        return false;
    }
    i.date = QDate::fromString(values.value(QStringLiteral("data")), Qt::ISODate);
    i.setupPath = values.value(QStringLiteral("setup"), kDefaultSetupPath);
    if (!i.setupPath.startsWith(QLatin1Char('/')))
        i.setupPath.prepend(QLatin1Char('/'));
    i.notes = values.value(QStringLiteral("notas"));
    *info = i;
    return true;
}

int compareVersions(const QString& a, const QString& b, bool* ok) {
    static const QRegularExpression form(QStringLiteral("^[0-9]+(\\.[0-9]+)*$"));
    *ok = form.match(a).hasMatch() && form.match(b).hasMatch();
    if (!*ok)
        return 0;
    const QStringList pa = a.split(QLatin1Char('.'));
    const QStringList pb = b.split(QLatin1Char('.'));
    for (int i = 0; i < qMax(pa.size(), pb.size()); ++i) {
        const qlonglong x = i < pa.size() ? pa[i].toLongLong() : 0;
        const qlonglong y = i < pb.size() ? pb[i].toLongLong() : 0;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

Upgrader::Upgrader(Messages& messages, QObject* parent)
    : QObject(parent), m_messages(messages), m_net(new QNetworkAccessManager(this)) {
    m_net->setTransferTimeout(30000);
    m_launch = [](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
    };
}

Upgrader::~Upgrader() {
    if (m_reply)
        m_reply->abort();
}

QUrl Upgrader::urlFor(const QString& path) const {
    QUrl url = m_server;
    url.setPath(path);
    return url;
}

void Upgrader::fail(const QString& reason) {
    m_messages.show(kFailed.arg(reason), true);
    emit checkFinished(false);
}

void Upgrader::checkFull(bool quietWhenUnset) {
    if (busy())
        return;
    if (!m_server.isValid() || m_server.host().isEmpty()) {
        if (quietWhenUnset) {
            emit checkFinished(false);
            return;
        }
        fail(QStringLiteral("servidor de actualizações não configurado (falquinas.ini)"));
        return;
    }
    m_reply = m_net->get(QNetworkRequest(urlFor(m_infoPath)));
    QNetworkReply* reply = m_reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { infoArrived(reply); });
}

void Upgrader::infoArrived(QNetworkReply* reply) {
    reply->deleteLater();
    m_reply = nullptr;
    if (reply->error() != QNetworkReply::NoError) {
        fail(reply->errorString());
        return;
    }
    UpdateInfo info;
    QString error;
    if (!parseUpdateInfo(reply->read(kMaxInfoSize + 1), &info, &error)) {
        fail(error);
        return;
    }
    bool ok = false;
    if (compareVersions(info.version, m_version, &ok) <= 0 || !ok) {
        emit checkFinished(false);
        return;
    }
    QString question = QStringLiteral("Existe uma nova versão do programa: %1").arg(info.version);
    if (info.date.isValid())
        question += QStringLiteral(" de %1").arg(info.date.toString(QStringLiteral("dd/MM/yyyy")));
    question += QStringLiteral(" (instalada: %1).").arg(m_version);
    if (!info.notes.isEmpty())
        question += QStringLiteral("\n\n") + info.notes;
    question += QStringLiteral("\n\nDeseja actualizar agora?");
    if (!m_messages.ask(question)) {
        emit checkFinished(true);
        return;
    }
    m_offered = info;
    m_reply = m_net->get(QNetworkRequest(urlFor(info.setupPath)));
    QNetworkReply* setup = m_reply;
    connect(setup, &QNetworkReply::finished, this, [this, setup] { setupArrived(setup); });
}

void Upgrader::setupArrived(QNetworkReply* reply) {
    reply->deleteLater();
    m_reply = nullptr;
    if (reply->error() != QNetworkReply::NoError) {
        fail(reply->errorString());
        return;
    }
    const QByteArray data = reply->readAll();
    if (data.isEmpty()) {
        fail(QStringLiteral("o programa de instalação chegou vazio ou incompleto"));
        return;
    }
    // A folder of our own, so the setup program's name is predictable but never collides.
    QTemporaryDir dir(QDir::temp().filePath(QStringLiteral("falquinas-setup-XXXXXX")));
    const QString name = QFileInfo(m_offered.setupPath).fileName();
    const QString path = dir.filePath(name.isEmpty() ? QStringLiteral("SetupFalquinas.exe") : name);
    QString error;
    if (!dir.isValid()) {
        fail(QStringLiteral("não foi possível gravar %1: %2").arg(path, dir.errorString()));
        return;
    }
    if (!writeWholeFile(path, data, ExistingFile::Refuse, &error,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)) {
        fail(error); // the folder goes with it
        return;
    }
    dir.setAutoRemove(false); // the setup program outlives this program
    if (!m_launch(path, QProcess::splitCommand(m_restart))) {
        fail(QStringLiteral("não foi possível iniciar %1").arg(path));
        return;
    }
    m_messages.show(
        QStringLiteral("A versão %1 foi descarregada e o programa de instalação foi iniciado.")
            .arg(m_offered.version));
    emit upgradeEnded();
    emit checkFinished(true);
}

bool Upgrader::checkOnly(int timeoutMs) {
    if (!m_server.isValid() || m_server.host().isEmpty() || busy())
        return false;
    QNetworkReply* reply = m_net->get(QNetworkRequest(urlFor(m_infoPath)));
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    bool newer = false;
    if (reply->isFinished() && reply->error() == QNetworkReply::NoError) {
        UpdateInfo info;
        QString error;
        bool ok = false;
        newer = parseUpdateInfo(reply->read(kMaxInfoSize + 1), &info, &error) &&
                compareVersions(info.version, m_version, &ok) > 0 && ok;
    } else {
        reply->abort();
    }
    reply->deleteLater();
    return newer;
}

} // namespace falq
