#include "testsupport.h"

#include "connections.h"
#include "sqlrun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <csignal>
#include <sys/resource.h>

namespace falq::test {

namespace {
int g_counter = 0;

QMap<QString, QString> pgSettings() {
    QMap<QString, QString> m;
    for (const QString& part :
         qEnvironmentVariable("FALQ_TEST_PG").split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq > 0)
            m.insert(part.left(eq), part.mid(eq + 1));
    }
    return m;
}
} // namespace

FileSizeLimit::FileSizeLimit(qint64 bytes) {
    rlimit old{};
    if (getrlimit(RLIMIT_FSIZE, &old) != 0)
        return;
    m_previous[0] = old.rlim_cur;
    m_previous[1] = old.rlim_max;
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lower = old;
    lower.rlim_cur = rlim_t(bytes);
    m_active = setrlimit(RLIMIT_FSIZE, &lower) == 0;
    if (!m_active)
        std::signal(SIGXFSZ, m_previousHandler);
}

FileSizeLimit::~FileSizeLimit() {
    if (!m_active)
        return;
    const rlimit old{rlim_t(m_previous[0]), rlim_t(m_previous[1])};
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, m_previousHandler);
}

QByteArray fileContent(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeDamagedDatabase(const QString& path, DamagedDatabase kind) {
    switch (kind) {
    case DamagedDatabase::Missing:
        return !QFileInfo::exists(path);
    case DamagedDatabase::Empty:
    case DamagedDatabase::Text: {
        QFile f(path);
        return f.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
               (kind == DamagedDatabase::Empty ||
                f.write("EMPNRO;NOME\n1;Cartonagem do Vale, Lda\n") > 0);
    }
    case DamagedDatabase::Truncated:
    case DamagedDatabase::BrokenSchema:
        break;
    }
    // A real database of some hundred pages, written by the engine itself.
    const QString name = QStringLiteral("test_damaged");
    bool made = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            made = runStatement(q, QStringLiteral("CREATE TABLE CLICHES (CLICHENRO TEXT "
                                                  "PRIMARY KEY, REFERENCIA TEXT)")) &&
                   db.transaction();
            for (int i = 0; made && i < 400; ++i)
                made = runStatement(q, QStringLiteral("INSERT INTO CLICHES VALUES (?, ?)"),
                                    {QString::number(10000 + i), QString(400, QLatin1Char('R'))});
            made = made && db.commit();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    QFile f(path);
    if (!made || !f.open(QIODevice::ReadWrite))
        return false;
    if (kind == DamagedDatabase::Truncated)
        return f.resize(f.size() / 2 / 4096 * 4096);
    // The first page holds the schema after the 100-byte header: an impossible page type.
    return f.seek(100) && f.write(QByteArray(200, '\xff')) == 200;
}

void addDamagedDatabaseRows(const QList<DamagedDatabase>& kinds) {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("reason");
    for (const DamagedDatabase kind : kinds) {
        switch (kind) {
        case DamagedDatabase::Missing:
            QTest::newRow("missing") << int(kind) << QStringLiteral("o ficheiro não existe");
            break;
        case DamagedDatabase::Empty:
            QTest::newRow("empty")
                << int(kind) << QStringLiteral("o ficheiro está vazio (0 bytes)");
            break;
        case DamagedDatabase::Text:
            QTest::newRow("text") << int(kind) << QStringLiteral("não é uma base de dados SQLite");
            break;
        case DamagedDatabase::Truncated:
            QTest::newRow("truncated") << int(kind) << QStringLiteral("o ficheiro está truncado");
            break;
        case DamagedDatabase::BrokenSchema: // the engine's own words
            QTest::newRow("broken schema") << int(kind) << QStringLiteral("malformed");
            break;
        }
    }
}

RegisterSize smallRegister(int cliches, quint32 seed) {
    RegisterSize r;
    r.clients = qMax(2, cliches / 4);
    r.suppliers = qMax(2, cliches / 12);
    r.salesmen = 2;
    r.cliches = cliches;
    r.drawings = qMax(1, cliches * 2 / 3);
    r.movements = cliches * 13;
    r.repairs = cliches * 2;
    r.years = 2;
    r.seed = seed;
    return r;
}

bool usePostgres() {
    return qEnvironmentVariable("FALQ_TEST_ENGINE") == QLatin1String("pg");
}

QString slowStatement() {
    if (usePostgres())
        return QStringLiteral("SELECT pg_sleep(600)");
    return QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c "
                          "WHERE x < 4000000000) SELECT SUM(x) FROM c");
}

Installation::Installation(const std::function<void(InstallationSettings&)>& adjust) {
    m_settings.root = m_dir.path();
    if (usePostgres()) {
        const auto pg = pgSettings();
        m_settings.engine.driver = QStringLiteral("QPSQL");
        m_settings.engine.host = pg.value(QStringLiteral("host"), QStringLiteral("127.0.0.1"));
        m_settings.engine.port = pg.value(QStringLiteral("port"), QStringLiteral("5432")).toInt();
        m_settings.engine.database = pg.value(QStringLiteral("dbname"), QStringLiteral("postgres"));
        m_settings.engine.user = pg.value(QStringLiteral("user"), QStringLiteral("postgres"));
        m_settings.engine.password = pg.value(QStringLiteral("password"));
        m_settings.engine.schemaPrefix =
            QStringLiteral("t%1_%2_").arg(QCoreApplication::applicationPid()).arg(++g_counter);
    } else {
        m_settings.engine.user = QStringLiteral("zel");
        m_settings.engine.password = QStringLiteral("wdr");
    }
    if (adjust)
        adjust(m_settings);
    qputenv("VELMORA_ROOT", m_settings.root.toLocal8Bit());
    if (!createInstallation(m_settings, &m_error))
        qWarning("installation failed: %s", qPrintable(m_error));
}

Installation::~Installation() {
    for (const QString& c : std::as_const(m_connections))
        closeConnection(c);
    if (ok())
        dropSchemas(m_settings);
}

namespace {
// A connection to the PostgreSQL database that holds an installation's schemas.
bool openServer(const InstallationSettings& settings, const QString& conn, QString* error) {
    AliasDef def;
    def.name = conn;
    def.driver = settings.engine.driver;
    def.database = settings.engine.database;
    def.host = settings.engine.host;
    def.port = settings.engine.port;
    return openConnection(conn, def, settings.engine.user, settings.engine.password, error);
}
} // namespace

void dropSchemas(const InstallationSettings& settings) {
    const QString conn = QStringLiteral("test_drop");
    QString error;
    if (settings.engine.driver != QLatin1String("QPSQL") || !openServer(settings, conn, &error))
        return;
    {
        QSqlQuery q(QSqlDatabase::database(conn));
        q.exec(QStringLiteral("SET client_min_messages TO warning"));
        for (const char* w : {"geral", "main", "fact"})
            q.exec(QStringLiteral("DROP SCHEMA IF EXISTS %1%2 CASCADE")
                       .arg(settings.engine.schemaPrefix, QLatin1String(w)));
    }
    closeConnection(conn);
}

QStringList schemasOf(const InstallationSettings& settings) {
    QStringList found;
    if (settings.engine.driver != QLatin1String("QPSQL"))
        return found;
    const QString conn = QStringLiteral("test_schemas");
    QString error;
    if (!openServer(settings, conn, &error))
        return {QStringLiteral("(no connection: %1)").arg(error)};
    {
        QSqlQuery q(QSqlDatabase::database(conn));
        if (q.exec(QStringLiteral(
                "SELECT schema_name FROM information_schema.schemata ORDER BY schema_name")))
            while (q.next())
                if (q.value(0).toString().startsWith(settings.engine.schemaPrefix))
                    found << q.value(0).toString();
    }
    closeConnection(conn);
    return found;
}

QString Installation::credentialLibrary() const {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("velmora"));
}

QSqlDatabase Installation::open(const QString& which, const QString& connectionName) {
    const QString name =
        connectionName.isEmpty() ? QStringLiteral("test_") + which : connectionName;
    if (QSqlDatabase::contains(name) && QSqlDatabase::database(name, false).isOpen())
        return QSqlDatabase::database(name);
    const QString alias = which == QLatin1String("geral")  ? m_settings.generalAlias
                          : which == QLatin1String("main") ? m_settings.mainAlias
                                                           : m_settings.invoicingAlias;
    QString error;
    if (!openAlias(name, alias, m_settings.engine.user, m_settings.engine.password, &error))
        qWarning("cannot open %s: %s", qPrintable(alias), qPrintable(error));
    if (!m_connections.contains(name))
        m_connections << name;
    return QSqlDatabase::database(name, false);
}

bool Installation::run(const QString& which, const QString& sql, const QVariantList& binds,
                       QVariant* first) {
    QSqlQuery q(open(which));
    QString error;
    if (!runStatement(q, sql, binds, &error)) {
        qWarning("%s: %s", qPrintable(sql), qPrintable(error));
        return false;
    }
    if (first && q.isSelect() && q.next())
        *first = q.value(0);
    return true;
}

bool Installation::exec(const QString& which, const QString& sql, const QVariantList& binds) {
    return run(which, sql, binds, nullptr);
}

QVariant Installation::scalar(const QString& which, const QString& sql, const QVariantList& binds) {
    QVariant value;
    run(which, sql, binds, &value);
    return value;
}

void Installation::writeFile(const QString& relativePath, const QByteArray& content) {
    const QString path = QDir(m_settings.root).filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(content);
}

QString Installation::aliasOnDamagedDatabase(const QString& alias, DamagedDatabase kind) {
    const QString file = QDir(m_settings.root).filePath(QStringLiteral("dados/") + alias + ".db");
    AliasDef def;
    def.name = alias;
    def.driver = QStringLiteral("QSQLITE");
    def.database = file;
    QString error;
    if (!writeDamagedDatabase(file, kind) || !writeAlias(aliasesPath(), def, &error))
        return {};
    return file;
}

} // namespace falq::test

#include <QTcpSocket>

namespace falq::test {

HttpServer::HttpServer() {
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                buffer->append(socket->readAll());
                if (!buffer->contains("\r\n\r\n"))
                    return;
                const QList<QByteArray> first = buffer->left(buffer->indexOf("\r\n")).split(' ');
                const QString path = first.size() > 1 ? QString::fromLatin1(first[1]) : QString();
                requested << path;
                const auto route = m_routes.value(path, {404, QByteArray("not found")});
                QByteArray response =
                    "HTTP/1.1 " + QByteArray::number(route.first) +
                    (route.first == 200 ? " OK" : " Not Found") +
                    "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                    QByteArray::number(route.second.size()) + "\r\nConnection: close\r\n\r\n" +
                    route.second;
                socket->write(response);
                socket->disconnectFromHost();
            });
        }
    });
}

QUrl HttpServer::url() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(serverPort()));
}

} // namespace falq::test
