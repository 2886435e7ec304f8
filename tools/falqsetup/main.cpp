// falqsetup: creates installations of the register.
//   falqsetup demo DIR                 a demo installation on SQLite with a generated register
//   falqsetup create DIR [options]     an empty installation for a plant (SQLite or PostgreSQL)
//   falqsetup generate DIR --size S    fills the register of an empty installation
//   falqsetup backup ROOT DEST         an archive of a plant root
//   falqsetup verify ARCHIVE           checks an archive against its manifest
//   falqsetup restore ARCHIVE ROOT     restores a plant root (--replace over an existing one)
#include "backup.h"
#include "credentials.h"
#include "installer.h"
#include "localtime.h"
#include "plantroot.h"
#include "schema.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}
QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

falq::Progress printer() {
    return [](const QString& step, int done, int total) {
        out() << "  " << step << ": " << done << " / " << total << "\r";
        out().flush();
    };
}

bool sizeFromName(const QString& name, falq::RegisterSize* size) {
    if (name == QLatin1String("demo"))
        *size = falq::RegisterSize::demo();
    else if (name == QLatin1String("plant"))
        *size = falq::RegisterSize::plant();
    else if (name == QLatin1String("large"))
        *size = falq::RegisterSize::large();
    else
        return false;
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    falq::readLocalTimeZoneOnce();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // images are drawn without a display
    QGuiApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("falqsetup"));
    app.setApplicationVersion(falq::schema::kProgramVersion);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Creates installations of the cliché and drawing register.\n\n"
        "Commands:\n"
        "  demo [DIR]     Demo installation in DIR (default: the default plant root,\n"
        "                 ~/.local/share/velmora) on embedded SQLite: plant root, workstation "
        "files,\n"
        "                 credentials, aliases, one company with its user (every right) and two "
        "more\n"
        "                 users, a second unit of the company sharing its databases, code "
        "tables,\n"
        "                 a few hundred clichés and drawings with images and documents, and three\n"
        "                 years of movements and purchases/repairs.\n"
        "  create DIR     Empty installation for a plant. With --driver QPSQL the three databases\n"
        "                 are schemas <prefix>geral, <prefix>main and <prefix>fact of the "
        "PostgreSQL\n"
        "                 database --database on --host/--port, reached with "
        "--db-user/--db-password.\n"
        "  generate DIR   Fills the register of an installation created empty (its aliases.ini "
        "and\n"
        "                 credentials say where the databases are) with --size demo\n"
        "                 (300 clichés), plant (20,000 clichés, 10,000 drawings, 300,000 "
        "movements,\n"
        "                 30,000 purchases/repairs over 15 years) or large (ten times plant).\n"
        "  backup ROOT DEST\n"
        "                 Archive (falquinas-<root>-<date>-<time>.tar.gz in DEST) of the plant "
        "root:\n"
        "                 databases (SQLite by the engine's online backup, consistent while the\n"
        "                 programs write; PostgreSQL schemas with pg_dump), images, documents,\n"
        "                 settings, and a manifest of every file's size and SHA-256 sum.\n"
        "  verify ARCHIVE Checks every file of an archive against its manifest.\n"
        "  notes FILE     Writes the notes document (what each version brought) as a PDF.\n"
        "  restore ARCHIVE ROOT\n"
        "                 Restores the archive as the plant root ROOT (an empty or new folder;\n"
        "                 with --replace over an installation, which is kept beside it).\n\n"
        "Point the programs at the installation with VELMORA_ROOT=DIR."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("command"),
        QStringLiteral("demo, create, generate, backup, verify or restore"));
    parser.addPositionalArgument(QStringLiteral("dir"),
                                 QStringLiteral("the plant root to create or fill (backup: ROOT "
                                                "DEST; verify: ARCHIVE; restore: ARCHIVE ROOT)"));
    const QCommandLineOption driver(QStringLiteral("driver"),
                                    QStringLiteral("QSQLITE (default) or QPSQL."),
                                    QStringLiteral("driver"), QStringLiteral("QSQLITE"));
    const QCommandLineOption host(QStringLiteral("host"),
                                  QStringLiteral("PostgreSQL host or socket folder."),
                                  QStringLiteral("host"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("PostgreSQL port."),
                                  QStringLiteral("port"), QStringLiteral("5432"));
    const QCommandLineOption database(
        QStringLiteral("database"), QStringLiteral("PostgreSQL database."), QStringLiteral("name"));
    const QCommandLineOption dbUser(QStringLiteral("db-user"), QStringLiteral("Database login."),
                                    QStringLiteral("user"));
    const QCommandLineOption dbPassword(QStringLiteral("db-password"),
                                        QStringLiteral("Database password."),
                                        QStringLiteral("password"));
    const QCommandLineOption prefix(QStringLiteral("schema-prefix"),
                                    QStringLiteral("PostgreSQL schema prefix."),
                                    QStringLiteral("prefix"), QStringLiteral("falq_"));
    const QCommandLineOption computer(QStringLiteral("computer"),
                                      QStringLiteral("Workstation name."), QStringLiteral("name"),
                                      QStringLiteral("POSTO01"));
    const QCommandLineOption companyNumber(QStringLiteral("company-number"),
                                           QStringLiteral("Company number."), QStringLiteral("n"),
                                           QStringLiteral("1"));
    const QCommandLineOption companyName(QStringLiteral("company-name"),
                                         QStringLiteral("Company name."), QStringLiteral("name"),
                                         QStringLiteral("Cartonagem do Vale, Lda"));
    const QCommandLineOption user(QStringLiteral("user"),
                                  QStringLiteral("User code of the workstation."),
                                  QStringLiteral("code"), QStringLiteral("ADMIN"));
    const QCommandLineOption userPassword(QStringLiteral("user-password"),
                                          QStringLiteral("Password of that user."),
                                          QStringLiteral("password"), QStringLiteral("DEMO"));
    const QCommandLineOption size(QStringLiteral("size"),
                                  QStringLiteral("demo, plant or large (generate)."),
                                  QStringLiteral("size"), QStringLiteral("demo"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the generated register."),
                                  QStringLiteral("n"), QStringLiteral("20261207"));
    const QCommandLineOption images(QStringLiteral("images"),
                                    QStringLiteral("Generate images also for plant/large."));
    const QCommandLineOption replace(
        QStringLiteral("replace"),
        QStringLiteral("restore: replace the installation in ROOT (kept as ROOT.anterior-...)."));
    parser.addOptions({driver, host, port, database, dbUser, dbPassword, prefix, computer,
                       companyNumber, companyName, user, userPassword, size, seed, images,
                       replace});
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    const QString first = args.value(0);
    // The notes document alone (the package installs one in /usr/share/falquinas).
    if (first == QLatin1String("notes") && args.size() == 2) {
        QString error;
        if (!falq::writeNotes(QDir(args[1]).absolutePath(), &error)) {
            err() << "falqsetup: " << error << "\n";
            return 1;
        }
        return 0;
    }
    // The copies of an installation.
    if (first == QLatin1String("backup") || first == QLatin1String("verify") ||
        first == QLatin1String("restore")) {
        const int wanted = first == QLatin1String("verify") ? 2 : 3;
        if (args.size() != wanted) {
            err() << parser.helpText();
            return 2;
        }
        QElapsedTimer timer;
        timer.start();
        QString error;
        bool ok = false;
        // The server's login for pg_dump / pg_restore: --db-user, else the installation's
        // credentials (as the programs get them), else the usual PGUSER / ~/.pgpass.
        falq::ServerLogin login{parser.value(dbUser), parser.value(dbPassword)};
        const QString installed = first == QLatin1String("backup") ? args[1] : QString();
        if (login.user.isEmpty() && !installed.isEmpty() && qEnvironmentVariableIsEmpty("PGUSER")) {
            qputenv("VELMORA_ROOT", QDir(installed).absolutePath().toLocal8Bit());
            const falq::Credentials credentials = falq::readCredentials();
            if (credentials.ok)
                login = {credentials.user, credentials.password};
        }
        if (first == QLatin1String("backup")) {
            QString archive;
            ok =
                falq::backupInstallation(QDir(args[1]).absolutePath(), QDir(args[2]).absolutePath(),
                                         &archive, &error, printer(), login);
            if (ok)
                out() << "\nArchive " << archive << " (" << QFileInfo(archive).size() << " bytes)";
        } else if (first == QLatin1String("verify")) {
            ok = falq::verifyArchive(args[1], &error, printer());
            if (ok)
                out() << "\n" << args[1] << ": every file matches its manifest";
        } else {
            ok = falq::restoreInstallation(args[1], args[2], parser.isSet(replace), &error,
                                           printer(), login);
            if (ok)
                out() << "\nRestored into " << QDir(args[2]).absolutePath()
                      << "; start the programs with VELMORA_ROOT=" << QDir(args[2]).absolutePath();
        }
        if (!ok) {
            err() << "\nfalqsetup: " << error << "\n";
            return 1;
        }
        out() << " in " << QString::number(timer.elapsed() / 1000.0, 'f', 1) << " s.\n";
        return 0;
    }
    // "demo" alone: in the default plant root, where the programs look when VELMORA_ROOT is not
    // set (after installing the package, the desktop entries open it).
    const bool defaultDemo = args.size() == 1 && args[0] == QLatin1String("demo");
    if (args.size() != 2 && !defaultDemo) {
        err() << parser.helpText();
        return 2;
    }
    const QString command = args[0];
    falq::InstallationSettings settings;
    settings.root = QDir(defaultDemo ? falq::plantRoot() : args[1]).absolutePath();
    settings.engine.driver = parser.value(driver).toUpper();
    settings.engine.host = parser.value(host);
    settings.engine.port = parser.value(port).toInt();
    settings.engine.database = parser.value(database);
    settings.engine.user = parser.value(dbUser);
    settings.engine.password = parser.value(dbPassword);
    settings.engine.schemaPrefix = parser.value(prefix);
    settings.computerName = parser.value(computer).left(30);
    settings.companyNumber = parser.value(companyNumber).toInt();
    settings.companyName = parser.value(companyName);
    settings.userCode = parser.value(user).toUpper();
    settings.userPassword = parser.value(userPassword).toUpper();

    if (settings.engine.driver != QLatin1String("QSQLITE") &&
        settings.engine.driver != QLatin1String("QPSQL")) {
        err() << "Unknown driver " << settings.engine.driver << "\n";
        return 2;
    }
    if (settings.engine.driver == QLatin1String("QPSQL") && settings.engine.database.isEmpty()) {
        err() << "--database is required with QPSQL\n";
        return 2;
    }

    QElapsedTimer timer;
    timer.start();
    QString error;
    if (command != QLatin1String("demo") && command != QLatin1String("create") &&
        command != QLatin1String("generate")) {
        err() << "Unknown command " << command << "\n" << parser.helpText();
        return 2;
    }
    falq::RegisterSize registerSize;
    const QString sizeName =
        command == QLatin1String("demo") ? QStringLiteral("demo") : parser.value(size);
    if (!sizeFromName(sizeName, &registerSize)) {
        err() << "Unknown size " << sizeName << "\n";
        return 2;
    }
    registerSize.seed = parser.value(seed).toUInt();
    if (parser.isSet(images))
        registerSize.images = registerSize.documents = true;

    if (command == QLatin1String("demo") || command == QLatin1String("create")) {
        out() << "Creating the installation in " << settings.root << " ...\n";
        out().flush();
        const bool demo = command == QLatin1String("demo");
        if (demo) {
            settings.webSite = QStringLiteral("https://www.example.com"); // a web link shown
            settings.administrationDemo = true; // users and a unit for the utility
        }
        if (!falq::createInstallation(settings, &error, demo ? &registerSize : nullptr,
                                      printer())) {
            err() << "\nfalqsetup: " << error << "\n";
            return 1;
        }
        if (demo)
            out() << "\n";
    } else {
        if (!parser.isSet(dbUser)) {
            // The login of the installation's databases, as the programs get it.
            qputenv("VELMORA_ROOT", settings.root.toLocal8Bit());
            const falq::Credentials credentials = falq::readCredentials();
            if (!credentials.ok) {
                err() << "falqsetup: " << credentials.error << "\n";
                return 1;
            }
            settings.engine.user = credentials.user;
            settings.engine.password = credentials.password;
        }
        out() << "Generating the register (" << sizeName << ") ...\n";
        out().flush();
        if (!falq::generateRegister(settings, registerSize, &error, printer())) {
            err() << "\nfalqsetup: " << error << "\n";
            return 1;
        }
        out() << "\n";
    }
    out() << "Done in " << timer.elapsed() / 1000.0
          << " s. Start the programs with VELMORA_ROOT=" << settings.root << "\n";
    return 0;
}
