#pragma once
// Creates installations of the register: the plant root (workstation files, credentials
// file, aliases.ini, image and document folders), the three databases with their schema,
// one company, its user with every right, and the code tables. Used by falqsetup and by the
// tests, which build each test's databases the same way.
#include <QString>
#include <functional>

namespace falq {

struct EngineSettings {
    QString driver = QStringLiteral("QSQLITE"); // QSQLITE or QPSQL
    // QPSQL: server and login (the login goes to the credentials file and UTILPASSWORD).
    QString host;
    int port = 0;
    QString database;
    QString user;
    QString password;
    // QPSQL: the three databases live in schemas <prefix>geral, <prefix>main, <prefix>fact
    // of one PostgreSQL database.
    QString schemaPrefix = QStringLiteral("falq_");
};

struct InstallationSettings {
    QString root;
    EngineSettings engine;
    QString computerName = QStringLiteral("POSTO01");
    QString computerType = QStringLiteral("S");
    int companyNumber = 1;
    QString companyName = QStringLiteral("Cartonagem do Vale, Lda");
    QString userCode = QStringLiteral("ADMIN");
    QString userPassword = QStringLiteral("DEMO");
    QString userName = QStringLiteral("Administrador do Sistema");
    QString mainAlias = QStringLiteral("FALQUINAS01");
    QString invoicingAlias = QStringLiteral("FACTURA01");
    QString generalAlias = QStringLiteral("ZELGERAL");
    bool codeTables = true; // fill designers, colours, machines, boards and models
    QString webSite;        // the main window's web link (falquinas.ini); none when empty
    // For the administration utility: two more users of the register, with no rights rows yet
    // (the utility gives a user his rows when he is first chosen), and a second unit of the
    // company that shares its databases, with rights of its own.
    bool administrationDemo = false;
};

struct RegisterSize {
    int clients = 40;
    int suppliers = 12;
    int salesmen = 8;
    int cliches = 300;
    int drawings = 200;
    int movements = 6000;
    int repairs = 900;
    int years = 3;
    bool images = true;    // a generated image per cliché and drawing
    bool documents = true; // some PDF documents attached to drawings
    quint32 seed = 20261207;

    static RegisterSize demo() { return {}; }
    static RegisterSize plant();
    static RegisterSize large();
};

using Progress = std::function<void(const QString& step, int done, int total)>;

// Connection names the installer uses while it works (closed when it ends).
QString installerConnection(const QString& which);

// Creates the installation and, with `demoRegister`, its generated register. Refuses a root
// that already holds aliases.ini, and writes nothing when a value does not fit its column.
// All or nothing: aliases.ini, which makes the folder an installation, is written last, and a
// run that fails removes exactly what it created (folders, files, SQLite databases, PostgreSQL
// schemas), leaving what was there before.
bool createInstallation(const InstallationSettings& settings, QString* error,
                        const RegisterSize* demoRegister = nullptr, const Progress& progress = {});

// Fills the register of the installation at `settings.root` (whose databases are empty):
// clients, suppliers and salesmen in the invoicing database, clichés, drawings, movements
// and purchases/repairs in the main database, with skewed frequencies. Reproducible for a
// seed.
// The notes document ("Informação s/ últimas alterações": what each version brought) as a PDF
// at `path`; every installation gets one in programas/Pdf, the package one in
// /usr/share/falquinas.
bool writeNotes(const QString& path, QString* error);

bool generateRegister(const InstallationSettings& settings, const RegisterSize& size,
                      QString* error, const Progress& progress = {});

} // namespace falq
