#include "installer.h"

#include "aliases.h"
#include "connections.h"
#include "dialect.h"
#include "plantroot.h"
#include "schema.h"
#include "sqlrun.h"
#include "transaction.h"
#include "wholefile.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>
#include <functional>

namespace falq {

namespace {

const QString kGeral = QStringLiteral("geral");
const QString kMain = QStringLiteral("main");
const QString kFact = QStringLiteral("fact");

AliasDef aliasFor(const InstallationSettings& s, const QString& which) {
    AliasDef def;
    def.name = which == kGeral ? s.generalAlias : which == kMain ? s.mainAlias : s.invoicingAlias;
    def.driver = s.engine.driver;
    if (s.engine.driver == QLatin1String("QSQLITE")) {
        const QString file = which == kGeral  ? QStringLiteral("geral.db")
                             : which == kMain ? QStringLiteral("falquinas.db")
                                              : QStringLiteral("facturacao.db");
        def.database = QStringLiteral("dados/") + file;
    } else {
        def.database = s.engine.database;
        def.host = s.engine.host;
        def.port = s.engine.port;
        def.schema = s.engine.schemaPrefix + which;
    }
    return def;
}

bool openFor(const InstallationSettings& s, const QString& which, QString* error) {
    AliasDef def = aliasFor(s, which);
    const QString aliases = QDir(s.root).filePath(QStringLiteral("aliases.ini"));
    if (QFileInfo::exists(aliases)) {
        // An existing installation says itself where its databases are.
        if (!readAliasFrom(aliases, def.name, &def, error))
            return false;
    } else if (def.driver == QLatin1String("QSQLITE")) {
        def.database = QDir(s.root).filePath(def.database);
    }
    return openConnection(installerConnection(which), def, s.engine.user, s.engine.password, error);
}

QSqlDatabase dbFor(const QString& which) {
    return QSqlDatabase::database(installerConnection(which));
}

struct Closer {
    ~Closer() {
        for (const QString& w : {kGeral, kMain, kFact})
            closeConnection(installerConnection(w));
    }
};

// What one run of the installer made: the folders it created, the files it wrote where none
// were, and the PostgreSQL schemas it created. A run that fails takes exactly these away again
// and leaves everything that was there before as it was.
class CreatedItems {
public:
    // Creates `path` with its missing parents and remembers the folders it made.
    bool makeFolder(const QString& path, QString* error) {
        QStringList missing;
        for (QString p = QDir::cleanPath(QDir(path).absolutePath()); !QFileInfo::exists(p);) {
            missing.prepend(p);
            const QString parent = QFileInfo(p).path();
            if (parent == p)
                break;
            p = parent;
        }
        if (!QDir().mkpath(path)) {
            *error = QStringLiteral("Não foi possível criar a pasta %1.").arg(path);
            return false;
        }
        m_folders << missing;
        return true;
    }

    // Remembers a file the run is about to create, unless one is there already.
    void noteFile(const QString& path) {
        if (!QFileInfo::exists(path))
            m_files << path;
    }

    // Writes a whole file (in a folder made as needed), completely or not at all.
    bool writeFile(const QString& path, const QByteArray& content, QString* error,
                   QFileDevice::Permissions perms = {}) {
        if (!makeFolder(QFileInfo(path).absolutePath(), error))
            return false;
        noteFile(path);
        return writeWholeFile(path, content, ExistingFile::Replace, error, perms);
    }

    // A new, empty SQLite database file (createSqliteDatabase); an existing one is never taken
    // over.
    bool createDatabaseFile(const QString& path, QString* error) {
        if (!makeFolder(QFileInfo(path).absolutePath(), error))
            return false;
        if (QFileInfo::exists(path)) {
            *error = QStringLiteral("A base de dados %1 já existe. Apague-a ou escolha outra "
                                    "pasta de instalação.")
                         .arg(path);
            return false;
        }
        if (!createSqliteDatabase(path, error))
            return false;
        for (const char* side : {"", "-journal", "-wal", "-shm"})
            m_files << path + QLatin1String(side);
        return true;
    }

    void noteSchema(const QString& schema) { m_schemas << schema; }
    const QStringList& schemas() const { return m_schemas; }

    // Removes the files, then the folders (deepest first; a folder holding anything else
    // stays). The schemas are dropped by the caller.
    void removeFiles() const {
        for (const QString& f : m_files)
            QFile::remove(f);
        for (auto it = m_folders.crbegin(); it != m_folders.crend(); ++it)
            QDir().rmdir(*it);
    }

private:
    QStringList m_folders; // in creation order
    QStringList m_files;
    QStringList m_schemas;
};

bool writeImage(const QString& path, const QImage& image, QString* error) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(80);
    if (!writer.write(image)) {
        *error = QStringLiteral("Não foi possível gravar %1: %2").arg(path, writer.errorString());
        return false;
    }
    return writeWholeFile(path, jpeg, ExistingFile::Replace, error);
}

// A PDF document drawn by `draw` on an A4 page.
bool writePdf(const QString& path, const QString& title,
              const std::function<void(QPdfWriter&, QPainter&)>& draw, QString* error) {
    WholeFileWriter file(path, ExistingFile::Replace);
    if (file.create()) {
        {
            QPdfWriter pdf(&file);
            pdf.setTitle(title);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            QPainter p(&pdf);
            draw(pdf, p);
        }
        if (file.commit())
            return true;
    }
    *error = file.error();
    return false;
}

// Inserts many rows with multi-row INSERT statements inside the caller's transaction.
class BatchInsert {
public:
    BatchInsert(QSqlDatabase db, QString table, QStringList columns)
        : m_db(db), m_table(std::move(table)), m_columns(std::move(columns)),
          m_dialect(SqlDialect::forDatabase(db)) {}

    bool add(const QVariantList& row, QString* error) {
        m_rows << row;
        return m_rows.size() >= kRows ? flush(error) : true;
    }

    bool flush(QString* error) {
        if (m_rows.isEmpty())
            return true;
        QString marks = QStringLiteral("(") +
                        QStringList(m_columns.size(), QStringLiteral("?")).join(',') + ')';
        QStringList all(m_rows.size(), marks);
        QVariantList binds;
        for (const QVariantList& row : std::as_const(m_rows))
            binds << row;
        m_rows.clear();
        QSqlQuery q(m_db);
        if (!runStatement(q,
                          QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                              .arg(m_table, m_columns.join(','), all.join(',')),
                          binds, error)) {
            *error = m_table + QStringLiteral(": ") + *error;
            return false;
        }
        return true;
    }

    QVariant date(const QDateTime& dt) const { return m_dialect.bindDateTime(dt); }

private:
    static constexpr int kRows = 100;
    QSqlDatabase m_db;
    QString m_table;
    QStringList m_columns;
    SqlDialect m_dialect;
    QList<QVariantList> m_rows;
};

bool exec(QSqlDatabase db, const QString& sql, const QVariantList& binds, QString* error) {
    QSqlQuery q(db);
    if (runStatement(q, sql, binds, error))
        return true;
    *error = sql + QStringLiteral(": ") + *error;
    return false;
}

// Runs `work` on a connection to the PostgreSQL database itself (outside the three schemas).
bool withServer(const InstallationSettings& s, const std::function<bool(QSqlQuery&)>& work,
                QString* error) {
    AliasDef admin;
    admin.name = QStringLiteral("setup");
    admin.driver = s.engine.driver;
    admin.database = s.engine.database;
    admin.host = s.engine.host;
    admin.port = s.engine.port;
    const QString conn = installerConnection(QStringLiteral("admin"));
    if (!openConnection(conn, admin, s.engine.user, s.engine.password, error))
        return false;
    bool ok = false;
    {
        QSqlQuery q(QSqlDatabase::database(conn));
        q.exec(QStringLiteral("SET client_min_messages TO warning"));
        ok = work(q);
        if (!ok)
            *error = q.lastError().text();
    }
    closeConnection(conn);
    return ok;
}

bool prepareSchemas(const InstallationSettings& s, CreatedItems& created, QString* error) {
    if (s.engine.driver != QLatin1String("QPSQL"))
        return true;
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!plain.match(s.engine.schemaPrefix + kGeral).hasMatch()) {
        *error = QStringLiteral("Prefixo de esquema inválido: %1").arg(s.engine.schemaPrefix);
        return false;
    }
    return withServer(
        s,
        [&](QSqlQuery& q) {
            // Two installers at once may both find the extension missing; the second one's
            // failure is harmless when the extension is there afterwards.
            if (!q.exec(QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext SCHEMA public")) &&
                !(q.exec(QStringLiteral("SELECT 1 FROM pg_extension WHERE extname = 'citext'")) &&
                  q.next()))
                return false;
            for (const QString& w : {kGeral, kMain, kFact}) {
                const QString schema = s.engine.schemaPrefix + w;
                if (!q.exec(QStringLiteral("CREATE SCHEMA %1").arg(schema)))
                    return false;
                created.noteSchema(schema);
            }
            return true;
        },
        error);
}

void dropSchemas(const InstallationSettings& s, const QStringList& schemas) {
    if (schemas.isEmpty())
        return;
    QString error;
    withServer(
        s,
        [&](QSqlQuery& q) {
            for (const QString& schema : schemas)
                q.exec(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(schema));
            return true;
        },
        &error);
}

// One row the installer writes.
struct InstallRow {
    DatabaseKind kind;
    QString table;
    QStringList columns;
    QVariantList values;
};

QString connectionOf(DatabaseKind kind) {
    return kind == DatabaseKind::General ? kGeral : kind == DatabaseKind::Main ? kMain : kFact;
}

// Every row of a new installation: the company, the workstation and the user's login in the
// general database; parameters, version, user, rights and code tables in the main database;
// the yearly parameters of the invoicing database. The folders of the installation lie in the
// plant root and are stored relative to it.
QList<InstallRow> installationRows(const InstallationSettings& s) {
    const SqlDialect d = SqlDialect::forDriver(s.engine.driver);
    const QDate today = QDate::currentDate();
    const QString year = QString::number(today.year());
    auto folder = [](const char* relative) {
        return QDir::toNativeSeparators(QString::fromLatin1(relative));
    };
    QList<InstallRow> rows;
    rows << InstallRow{DatabaseKind::General,
                       QStringLiteral("EMPRESAS"),
                       {"EMPNRO", "NOME", "MORADA1", "LOCALIDADE", "CODPOSTAL", "NIF",
                        "PATHFOTOSLOGO", "BDCONTAB", "BDFACTURA", "BDESPECIF02", "BDSIGLAFACTURA",
                        "BDDESIGNFACTURA", "BDGERAL"},
                       {s.companyNumber, s.companyName, QStringLiteral("Zona Industrial, Lote 7"),
                        QStringLiteral("Águeda"), QStringLiteral("3750"),
                        QStringLiteral("500000000"), folder("logos/"),
                        QStringLiteral("CONTAB%1").arg(s.companyNumber, 2, 10, QLatin1Char('0')),
                        s.invoicingAlias, s.mainAlias, QStringLiteral("FAC"),
                        QStringLiteral("Facturação"), s.generalAlias}}
         << InstallRow{DatabaseKind::General,
                       QStringLiteral("PARAMUTIL"),
                       {"COMP_NAME", "UTIL", "EMPNRO", "APLICACAO", "ANO", "DATA", "PASSWOR"},
                       {s.computerName, s.userCode, s.companyNumber, schema::kModuleCode, year,
                        d.bindDate(today), s.userPassword}}
         << InstallRow{DatabaseKind::General,
                       QStringLiteral("UTILPASSWORD"),
                       {"UTIL", "EMPRESA", "BDUSERNAME", "BDPASSWORD"},
                       {s.userCode, s.companyNumber,
                        s.engine.user.isEmpty() ? QStringLiteral("falquinas") : s.engine.user,
                        s.engine.password}};
    if (s.administrationDemo) {
        // The second unit: its own number and name, the first unit's place and databases.
        InstallRow unit{DatabaseKind::General, QStringLiteral("EMPRESAS"), {}, {}};
        const InstallRow& first = rows.first();
        for (int i = 0; i < first.columns.size(); ++i) {
            const QString& column = first.columns[i];
            if (column == QLatin1String("MORADA1") || column == QLatin1String("CODPOSTAL") ||
                column == QLatin1String("NIF"))
                continue;
            unit.columns << column;
            unit.values << (column == QLatin1String("EMPNRO") ? QVariant(s.companyNumber + 1)
                            : column == QLatin1String("NOME")
                                ? QVariant(s.companyName + QStringLiteral(" - Unidade 2"))
                                : first.values[i]);
        }
        rows << unit;
    }

    rows << InstallRow{DatabaseKind::Main,
                       QStringLiteral("PARGER"),
                       {"CODIGO", "PATHCLICHE", "PATHDESENHO", "TIPOIMAGEM"},
                       {1, folder("imagens/cliches/"), folder("imagens/desenhos/"),
                        QStringLiteral(".JPG")}}
         << InstallRow{DatabaseKind::Main,
                       QStringLiteral("ACTUAL_VERSAO"),
                       {"EMPRESA", "PROGRAMA", "VERSAO", "DATULTACT"},
                       {s.companyNumber, schema::kModuleCode, schema::kProgramVersion,
                        d.bindDate(today)}}
         << InstallRow{DatabaseKind::Main,
                       QStringLiteral("UTILIZADORES"),
                       {"NRO", "PASSWOR", "NOM", "TITULO", "UPGRADE_LICENSE"},
                       {s.userCode, s.userPassword, s.userName, QStringLiteral("Eng."),
                        QStringLiteral("N")}};
    if (s.administrationDemo) {
        const struct {
            const char* code;
            const char* password;
            const char* name;
            const char* title;
        } users[] = {{"OPERADOR", "FABRICA", "Operador da Impressão", "Sr."},
                     {"DESENHO", "CORTANTE", "Gabinete de Desenho", "Eng.ª"}};
        for (const auto& u : users)
            rows << InstallRow{DatabaseKind::Main,
                               QStringLiteral("UTILIZADORES"),
                               {"NRO", "PASSWOR", "NOM", "TITULO", "UPGRADE_LICENSE"},
                               {QString::fromUtf8(u.code), QString::fromUtf8(u.password),
                                QString::fromUtf8(u.name), QString::fromUtf8(u.title),
                                QStringLiteral("N")}};
    }
    const QString yes = QStringLiteral("S");
    for (const schema::CatalogueChapter& c : schema::rightsCatalogue())
        for (const QString& p : c.programs)
            rows << InstallRow{DatabaseKind::Main,
                               QStringLiteral("APLICACAODET"),
                               {"APLICACAO", "CAPITULO", "PROGRAMA", "EMPNRO", "UTIL", "ACEDER",
                                "INSERIR", "ALTERAR", "ELIMINAR", "IMPORTAR", "IMPRIMIR",
                                "ARQUIVAR", "MAIL", "SCANNER"},
                               {schema::kModuleCode, c.chapter, p, s.companyNumber, s.userCode, yes,
                                yes, yes, yes, yes, yes, yes, yes, yes}};

    if (s.codeTables) {
        // Each code table: its name column and its rows (codes 1, 2, ...).
        const struct {
            const char* table;
            const char* column;
            QStringList names;
        } tables[] = {
            {"DESENHADORES",
             "NOME",
             {"Ana Ferreira", "Rui Matos", "Carla Sousa", "Paulo Neves", "Inês Lopes"}},
            {"CORES",
             "DESIGNACAO",
             {"Preto", "Azul Processo", "Magenta", "Amarelo", "Vermelho", "Verde", "Laranja",
              "Castanho", "Cinzento", "Azul Escuro", "Dourado", "Branco"}},
            {"MAQUINAS",
             "DESIGNACAO",
             {"Flexo 2 Cores", "Flexo 4 Cores", "Casemaker", "Rotativa", "Platina Bobst",
              "Coladeira"}},
            {"CARTOES",
             "DESIGNACAO",
             {"Simples B", "Simples C", "Simples E", "Duplo BC", "Duplo EB", "Micro F", "Kraft B",
              "Branco C"}},
            {"MODELOS",
             "DESIGNACAO",
             {"FEFCO 0201", "FEFCO 0203", "FEFCO 0300", "FEFCO 0427", "Tabuleiro", "Expositor",
              "Caixa Pizza", "Separador"}},
        };
        // The colours' numbers ("Nº Côr").
        const QStringList numbers = {"K",   "C",   "M",   "Y",   "485", "355",
                                     "021", "469", "430", "281", "871", "W"};
        for (const auto& t : tables) {
            const bool colours = qstrcmp(t.table, "CORES") == 0;
            for (int i = 0; i < t.names.size(); ++i) {
                InstallRow row{DatabaseKind::Main,
                               QString::fromLatin1(t.table),
                               {QStringLiteral("CODIGO"), QString::fromLatin1(t.column)},
                               {i + 1, t.names[i]}};
                if (colours) {
                    row.columns << QStringLiteral("NUMERO");
                    row.values << numbers.value(i);
                }
                rows << row;
            }
        }
        // The storage places: two racks of two shelves with four places each, and a
        // quarantine shelf no longer in use.
        for (const char* rack : {"A", "B"})
            for (int shelf = 1; shelf <= 2; ++shelf)
                for (int place = 1; place <= 4; ++place)
                    rows << InstallRow{
                        DatabaseKind::Main,
                        QStringLiteral("LOCAIS"),
                        {"CODIGO", "DESIGNACAO", "ZONA", "ACTIVO"},
                        {QStringLiteral("%1-%2-%3")
                             .arg(QLatin1String(rack))
                             .arg(shelf, 2, 10, QLatin1Char('0'))
                             .arg(place, 2, 10, QLatin1Char('0')),
                         QStringLiteral("Estante %1, prateleira %2, lugar %3")
                             .arg(QLatin1String(rack))
                             .arg(shelf)
                             .arg(place),
                         *rack == 'A' ? QStringLiteral("Clichés") : QStringLiteral("Cortantes"),
                         QStringLiteral("S")}};
        rows << InstallRow{DatabaseKind::Main,
                           QStringLiteral("LOCAIS"),
                           {"CODIGO", "DESIGNACAO", "ZONA", "ACTIVO"},
                           {QStringLiteral("Q-01"), QStringLiteral("Quarentena (antiga)"),
                            QStringLiteral("Oficina"), QStringLiteral("N")}};
    }

    rows << InstallRow{DatabaseKind::Invoicing,
                       QStringLiteral("STKPARGER"),
                       {"ANO", "COD_CLICHES", "COD_CORTANTES"},
                       {year, QStringLiteral("CLI"), QStringLiteral("CRT")}}
         << InstallRow{DatabaseKind::Invoicing,
                       QStringLiteral("PARGER"),
                       {"ANO", "PATHFOTO"},
                       {year, folder("fotos/")}};
    return rows;
}

// What to do when a value does not fit its column.
QString adviceFor(const QString& column) {
    static const QMap<QString, QString> advice = {
        {QStringLiteral("NOME"), QStringLiteral("Escolha um nome de empresa mais curto "
                                                "(--company-name).")},
        {QStringLiteral("COMP_NAME"),
         QStringLiteral("Escolha um nome de posto mais curto (--computer).")},
        {QStringLiteral("UTIL"),
         QStringLiteral("Escolha um código de utilizador mais curto (--user).")},
        {QStringLiteral("NRO"),
         QStringLiteral("Escolha um código de utilizador mais curto (--user).")},
        {QStringLiteral("PASSWOR"),
         QStringLiteral("Escolha uma palavra-passe mais curta (--user-password).")},
        {QStringLiteral("BDUSERNAME"),
         QStringLiteral("Use um utilizador da base de dados com um nome mais curto (--db-user).")},
        {QStringLiteral("BDPASSWORD"),
         QStringLiteral("Use uma palavra-passe da base de dados mais curta (--db-password).")},
    };
    return advice.value(column, QStringLiteral("Corrija o valor e repita a instalação."));
}

// Every text value against the size of its column, before anything is written.
bool checkRows(const QList<InstallRow>& rows, QString* error) {
    for (const InstallRow& row : rows) {
        const TableDef* table = nullptr;
        for (const TableDef& t : schema::tables(row.kind))
            if (t.name == row.table)
                table = &t;
        for (int i = 0; i < row.columns.size(); ++i) {
            const ColumnDef* column = table ? table->column(row.columns[i]) : nullptr;
            const QString value = row.values.value(i).toString();
            if (!column || column->type != ColumnType::Text || value.size() <= column->size)
                continue;
            *error = QStringLiteral("O valor \"%1\" não cabe em %2.%3 (%4 caracteres; a coluna "
                                    "leva %5). %6 Nada foi instalado.")
                         .arg(value, row.table, column->name)
                         .arg(value.size())
                         .arg(column->size)
                         .arg(adviceFor(column->name));
            return false;
        }
    }
    return true;
}

bool insertRows(const QList<InstallRow>& rows, QString* error) {
    for (const InstallRow& row : rows) {
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(row.table, row.columns.join(QStringLiteral(", ")),
                                     QStringList(row.columns.size(), QStringLiteral("?"))
                                         .join(QStringLiteral(", ")));
        if (!exec(dbFor(connectionOf(row.kind)), sql, row.values, error))
            return false;
    }
    return true;
}

} // namespace

QString installerConnection(const QString& which) {
    return QStringLiteral("falqsetup_") + which;
}

RegisterSize RegisterSize::plant() {
    RegisterSize r;
    r.clients = 300;
    r.suppliers = 80;
    r.salesmen = 20;
    r.cliches = 20000;
    r.drawings = 10000;
    r.movements = 300000;
    r.repairs = 30000;
    r.years = 15;
    r.images = false;
    r.documents = false;
    return r;
}

RegisterSize RegisterSize::large() {
    RegisterSize r = plant();
    r.clients = 3000;
    r.suppliers = 800;
    r.salesmen = 200;
    r.cliches *= 10;
    r.drawings *= 10;
    r.movements *= 10;
    r.repairs *= 10;
    return r;
}

namespace {

// The notes document of the main window ("Informação s/ últimas alterações").
bool writeNotesDocument(const QString& path, CreatedItems& created, QString* error) {
    if (!created.makeFolder(QFileInfo(path).absolutePath(), error))
        return false;
    created.noteFile(path);
    const auto draw = [](QPdfWriter& pdf, QPainter& p) {
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
        p.drawText(QRect(0, 0, pdf.width(), 500), Qt::AlignCenter,
                   QStringLiteral("Falquinas e Clichés — versão %1").arg(schema::kProgramVersion));
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
        p.drawText(QRect(0, 600, pdf.width(), 6000), Qt::AlignLeft | Qt::TextWordWrap,
                   QStringLiteral("01.007 — Localização de clichés e cortantes (locais, leitura de "
                                  "etiquetas, movimentos entre armazém, máquinas e fornecedores); "
                                  "etiquetas com código de barras; cópia de segurança da "
                                  "instalação.\n01.006 — Totais por ferramenta para as análises "
                                  "de todos os anos.\n01.005 — Somas mensais dos movimentos.\n"
                                  "01.004 — Vida útil de clichés e cortantes.\n"
                                  "01.003 — Procura automática de novas versões; direito de "
                                  "actualização por utilizador.\n01.002 — Este documento de "
                                  "notas.\n01.001 — Primeira versão do registo de clichés e "
                                  "desenhos."));
    };
    return writePdf(path, QStringLiteral("Falquinas e Clichés — últimas alterações"), draw, error);
}

} // namespace

bool writeNotes(const QString& path, QString* error) {
    CreatedItems created;
    if (writeNotesDocument(path, created, error))
        return true;
    created.removeFiles();
    return false;
}

namespace {

// The three databases: created (SQLite files or PostgreSQL schemas), their tables, and the
// rows of the installation. Every connection is closed again when it returns.
bool createDatabases(const InstallationSettings& s, const QList<InstallRow>& rows,
                     CreatedItems& created, QString* error) {
    const QDir root(s.root);
    for (const QString& w : {kGeral, kMain, kFact}) {
        const AliasDef def = aliasFor(s, w);
        if (def.driver == QLatin1String("QSQLITE") &&
            !created.createDatabaseFile(root.filePath(def.database), error))
            return false;
    }
    if (!prepareSchemas(s, created, error))
        return false;
    Closer closer;
    for (const QString& w : {kGeral, kMain, kFact})
        if (!openFor(s, w, error))
            return false;
    for (DatabaseKind kind : {DatabaseKind::General, DatabaseKind::Main, DatabaseKind::Invoicing}) {
        const QString e = schema::createDatabase(dbFor(connectionOf(kind)), kind);
        if (!e.isEmpty()) {
            *error = e;
            return false;
        }
    }
    return insertRows(rows, error);
}

bool fillRegister(const InstallationSettings& s, const RegisterSize& size, QString* error,
                  const Progress& progress, CreatedItems* created);

bool install(const InstallationSettings& s, const RegisterSize* demoRegister,
             const Progress& progress, CreatedItems& created, QString* error) {
    const QDir root(s.root);
    const QList<InstallRow> rows = installationRows(s);
    if (!checkRows(rows, error))
        return false;
    for (const char* sub : {"programas/Computador", "programas/clivalida", "programas/Pdf", "dados",
                            "imagens/cliches", "imagens/desenhos", "fotos", "logos"})
        if (!created.makeFolder(root.filePath(QString::fromLatin1(sub)), error))
            return false;
    // Workstation files, the credentials of the general database, the plant's settings.
    if (!created.writeFile(root.filePath(QStringLiteral("programas/Computador/Computador.txt")),
                           s.computerName.toLatin1() + "\r\n", error) ||
        !created.writeFile(root.filePath(QStringLiteral("programas/Computador/TipoComputador.txt")),
                           s.computerType.toLatin1() + "\r\n", error) ||
        !created.writeFile(root.filePath(QStringLiteral("velmora.cred")),
                           s.engine.user.toLatin1() + '\n' + s.engine.password.toLatin1() + '\n',
                           error, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    // The validation station's file: the user in columns 1-15, the company in 16-17.
    if (s.companyNumber >= 0 && s.companyNumber <= 99 &&
        !created.writeFile(root.filePath(QStringLiteral("programas/clivalida/Falquinas_Empre.dat")),
                           s.userCode.leftJustified(15).toLatin1() +
                               QByteArray::number(s.companyNumber).rightJustified(2, '0') + "\r\n",
                           error))
        return false;
    if (!s.webSite.isEmpty() &&
        !created.writeFile(root.filePath(QStringLiteral("falquinas.ini")),
                           "[Geral]\r\nSite=" + s.webSite.toUtf8() + "\r\n", error))
        return false;
    if (!createDatabases(s, rows, created, error) ||
        !writeNotesDocument(root.filePath(QStringLiteral("programas/Pdf/Falquinas.pdf")), created,
                            error))
        return false;
    if (demoRegister && !fillRegister(s, *demoRegister, error, progress, &created))
        return false;
    // Last: aliases.ini makes it an installation.
    const QString aliases = root.filePath(QStringLiteral("aliases.ini"));
    created.noteFile(aliases);
    for (const QString& w : {kGeral, kMain, kFact})
        if (!writeAlias(aliases, aliasFor(s, w), error))
            return false;
    return true;
}

} // namespace

bool createInstallation(const InstallationSettings& s, QString* error,
                        const RegisterSize* demoRegister, const Progress& progress) {
    if (QFileInfo::exists(QDir(s.root).filePath(QStringLiteral("aliases.ini")))) {
        *error = QStringLiteral("Já existe uma instalação em %1.").arg(s.root);
        return false;
    }
    CreatedItems created;
    if (install(s, demoRegister, progress, created, error))
        return true;
    created.removeFiles();
    dropSchemas(s, created.schemas());
    return false;
}

namespace {

// Skewed choice in [0, n): low indexes are much more frequent (a few big clients).
int skewed(QRandomGenerator& rng, int n, double power = 2.6) {
    const double u = rng.generateDouble();
    return qBound(0, int(std::floor(n * std::pow(u, power))), n - 1);
}

QString pick(QRandomGenerator& rng, const QStringList& list) {
    return list.at(int(rng.bounded(list.size())));
}

// Empty text, never NULL: searches compare these columns with '' and LIKE.
const QString kEmpty = QStringLiteral("");

// Positions of the code columns in the generated rows.
constexpr int kClicheModel = 9;
constexpr int kClicheMachine = 10;
constexpr int kDrawingBoard = 8;
constexpr int kDrawingMachine = 12;
constexpr int kDrawingDesigner = 14;

QString clicheNumber(int i) {
    return QString::number(10000 + i);
}
QString drawingNumber(int i, int year) {
    return QStringLiteral("%1-%2")
        .arg(year % 100, 2, 10, QLatin1Char('0'))
        .arg(i, 5, 10, QLatin1Char('0'));
}

QDateTime randomDay(QRandomGenerator& rng, const QDate& first, const QDate& last) {
    const qint64 span = first.daysTo(last);
    return QDateTime(first.addDays(rng.bounded(span + 1)), QTime(0, 0));
}

// One use of a cliché or die: a few popular ones carry most of the work.
struct ToolUse {
    bool cliche = true;
    int tool = 0; // index of the cliché or drawing
    int uses = 1;
    int rotations = 0;
    QDateTime day;
};

ToolUse drawUse(QRandomGenerator& rng, const RegisterSize& size, const QDate& first,
                const QDate& last) {
    ToolUse u;
    u.cliche = rng.bounded(100) < 60;
    u.tool = u.cliche ? skewed(rng, size.cliches, 2.0) : skewed(rng, size.drawings, 2.0);
    u.uses = 1 + int(rng.bounded(3));
    u.rotations = int(500 + rng.bounded(30000));
    u.day = randomDay(rng, first, last);
    return u;
}

// A forecast life (rotations or strokes) as a plant sets it for a tool worn `wear` so far:
// most tools between 10 % and 80 % of their life, about one in ten in warning (91 % to 98 %),
// a few worn (101 % to 125 %), a few without a known life (0); a tool never used gets its
// maker's figure. Three significant figures, within the column's range.
qint64 forecastLife(QRandomGenerator& rng, qint64 wear) {
    constexpr double kMaximum = 2e9;
    double life = 0;
    if (wear <= 0) {
        life = 50000 + rng.bounded(450000);
    } else {
        const int u = int(rng.bounded(100));
        int percent = 0;
        if (u < 2)
            return 0;
        if (u < 5)
            percent = 101 + int(rng.bounded(25));
        else if (u < 15)
            percent = 91 + int(rng.bounded(8));
        else if (u < 20)
            percent = 81 + int(rng.bounded(8));
        else if (u < 23)
            percent = 2 + int(rng.bounded(8));
        else
            percent = 11 + int(rng.bounded(69));
        life = double(wear) * 100.0 / percent;
    }
    if (life >= 1000) {
        const double step = std::pow(10.0, std::floor(std::log10(life)) - 2);
        life = std::round(life / step) * step;
    }
    return qint64(qBound(1.0, std::round(life), kMaximum));
}

bool drawCliche(const QString& path, const QString& number, const QList<QColor>& colours,
                const QString& client, QString* error) {
    QImage img(480, 320, QImage::Format_RGB32);
    img.fill(QColor(0xf4, 0xf1, 0xea));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 2));
    p.setBrush(QColor(0xd8, 0xd2, 0xc4));
    p.drawRoundedRect(QRectF(20, 20, 440, 280), 10, 10);
    for (int i = 0; i < colours.size(); ++i) {
        p.setBrush(colours[i]);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(50 + i * 65, 200, 50, 50));
    }
    p.setPen(QColor(0x22, 0x22, 0x22));
    QFont f = p.font();
    f.setPointSize(26);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(20, 50, 440, 60), Qt::AlignCenter, client);
    f.setPointSize(14);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRectF(20, 120, 440, 40), Qt::AlignCenter,
               QStringLiteral("Cliché Nº %1").arg(number));
    p.end();
    return writeImage(path, img, error);
}

bool drawDie(const QString& path, const QString& number, int comp, int larg, int alt,
             QString* error) {
    QImage img(480, 320, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Unfolded regular slotted box: four panels with flaps.
    const double total = 2.0 * (comp + larg) + 30;
    const double scale = 420.0 / total;
    const double h = alt * scale;
    const double flap = larg / 2.0 * scale;
    double x = 30;
    const double top = 160 - h / 2;
    p.setPen(QPen(Qt::black, 2));
    const int panels[] = {comp, larg, comp, larg};
    for (int w : panels) {
        const double pw = w * scale;
        p.drawRect(QRectF(x, top, pw, h));
        p.drawRect(QRectF(x + 2, top - flap, pw - 4, flap));
        p.drawRect(QRectF(x + 2, top + h, pw - 4, flap));
        x += pw;
    }
    p.drawRect(QRectF(x, top + 6, 30 * scale, h - 12)); // glue flap
    p.setPen(QPen(Qt::red, 1, Qt::DashLine));
    p.drawLine(QPointF(30, top), QPointF(x, top));
    p.drawLine(QPointF(30, top + h), QPointF(x, top + h));
    p.setPen(QColor(0x1f, 0x3a, 0x5f));
    QFont f = p.font();
    f.setPointSize(11);
    p.setFont(f);
    p.drawText(QRectF(0, 8, 480, 20), Qt::AlignCenter, QStringLiteral("Desenho Nº %1").arg(number));
    p.drawText(QRectF(0, 292, 480, 20), Qt::AlignCenter,
               QStringLiteral("Comp. %1 x Larg. %2 x Alt. %3 mm").arg(comp).arg(larg).arg(alt));
    p.end();
    return writeImage(path, img, error);
}

bool writeDocument(const QString& path, const QString& number, const QString& client,
                   QString* error) {
    const auto draw = [&](QPdfWriter& pdf, QPainter& p) {
        QFont f(QStringLiteral("DejaVu Sans"), 16);
        p.setFont(f);
        p.drawText(QRect(0, 0, pdf.width(), 600), Qt::AlignCenter,
                   QStringLiteral("Ficha Técnica Nº %1").arg(number));
        f.setPointSize(11);
        p.setFont(f);
        p.drawText(QRect(0, 700, pdf.width(), 400), Qt::AlignCenter,
                   QStringLiteral("Cliente: %1\nNotas de produção e especificação do cortante.")
                       .arg(client));
    };
    return writePdf(path, QStringLiteral("Ficha Técnica %1").arg(number), draw, error);
}

// Where the tools are: most put away on the places of the installation (clichés on the first
// rack, dies on the second), some at a machine or out at a supplier (a few of them for longer
// than a week), a few scrapped and a few never located; each with the history that led there.
bool fillLocations(QSqlDatabase db, const InstallationSettings& s, const RegisterSize& size,
                   QRandomGenerator& rng, const QDate& today, const QStringList& drawingNumbers,
                   QString* error, const std::function<void(const QString&, int, int)>& report) {
    QStringList places;
    QList<int> machines;
    {
        QSqlQuery q(db);
        if (!runStatement(q,
                          QStringLiteral("SELECT CODIGO FROM LOCAIS WHERE ACTIVO = 'S' ORDER BY "
                                         "CODIGO"),
                          {}, error))
            return false;
        while (q.next())
            places << q.value(0).toString();
        if (!runStatement(q, QStringLiteral("SELECT CODIGO FROM MAQUINAS ORDER BY CODIGO"), {},
                          error))
            return false;
        while (q.next())
            machines << q.value(0).toInt();
    }
    if (places.isEmpty())
        return true; // an installation without places: every tool "Sem localização"
    const QStringList columns = {"TIPOREG",    "ESTADO", "LOCAL", "MAQUINA",
                                 "FORNECEDOR", "DATA",   "UTIL",  "POSTO"};
    BatchInsert present(db, QStringLiteral("LOCALIZACAO"), QStringList{"NRO"} + columns);
    BatchInsert history(db, QStringLiteral("LOCALIZACAO_HIST"),
                        QStringList{"FERRAMENTA", "OBS"} + columns);
    const QVariant noText(QMetaType::fromType<QString>());
    const QVariant noNumber(QMetaType::fromType<int>());
    const QString station = QStringLiteral("ARMAZEM");
    const int half = qMax(1, int(places.size()) / 2);
    const int tools = size.cliches + size.drawings;
    for (int i = 0; i < tools; ++i) {
        const bool cliche = i < size.cliches;
        const int n = cliche ? i : i - size.cliches;
        const QString number = cliche ? clicheNumber(n) : drawingNumbers.value(n);
        const QString kind = cliche ? QStringLiteral("CL") : QStringLiteral("DS");
        const int roll = int(rng.bounded(100));
        if (roll < 3)
            continue; // never located
        const int base = cliche ? 0 : half;
        const int span = qMax(1, cliche ? half : int(places.size()) - half);
        const QString place =
            places.at(qMin(int(places.size()) - 1, base + int(rng.bounded(span))));
        // First put away some time ago, then, for some, the move that followed.
        QDateTime when(today.addDays(-30 - int(rng.bounded(300))),
                       QTime(7 + int(rng.bounded(10)), int(rng.bounded(60))));
        QVariantList row = {kind,     QStringLiteral("A"), place,      noNumber,
                            noNumber, present.date(when),  s.userCode, station};
        if (!history.add(QVariantList{number, QStringLiteral("Arrumação inicial")} + row, error))
            return false;
        if (roll >= 80) {
            when = QDateTime(today.addDays(-int(rng.bounded(roll >= 97 ? 60 : 14))),
                             QTime(7 + int(rng.bounded(10)), int(rng.bounded(60))));
            if (roll < 93 && !machines.isEmpty())
                row = {kind,       QStringLiteral("M"),
                       noText,     machines.at(int(rng.bounded(int(machines.size())))),
                       noNumber,   present.date(when),
                       s.userCode, QStringLiteral("PRODUCAO")};
            else if (roll < 98)
                row = {kind,
                       QStringLiteral("F"),
                       noText,
                       noNumber,
                       1 + int(rng.bounded(qMax(1, size.suppliers))),
                       present.date(when),
                       s.userCode,
                       station};
            else
                row = {kind,     QStringLiteral("X"), noText,     noNumber,
                       noNumber, present.date(when),  s.userCode, station};
            if (!history.add(QVariantList{number, QString()} + row, error))
                return false;
        }
        if (!present.add(QVariantList{number} + row, error))
            return false;
        if (i % 5000 == 0)
            report(QStringLiteral("Localização"), i, tools);
    }
    return present.flush(error) && history.flush(error);
}

bool fillRegister(const InstallationSettings& s, const RegisterSize& size, QString* error,
                  const Progress& progress, CreatedItems* created) {
    Closer closer;
    for (const QString& w : {kMain, kFact})
        if (!openFor(s, w, error))
            return false;
    QSqlDatabase mainDb = dbFor(kMain);
    QSqlDatabase fact = dbFor(kFact);
    if (s.engine.driver == QLatin1String("QSQLITE")) {
        // A generated register can be generated again: a large page cache keeps the index
        // inserts of millions of rows in memory.
        QSqlQuery(mainDb).exec(QStringLiteral("PRAGMA cache_size = -262144"));
        QSqlQuery(mainDb).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    }
    QRandomGenerator rng(size.seed);
    auto report = [&](const QString& step, int done, int total) {
        if (progress)
            progress(step, done, total);
    };

    // Folders of the images, as the parameters name them (relative ones lie in the root).
    QString clicheFolder = QDir(s.root).filePath(QStringLiteral("imagens/cliches"));
    QString drawingFolder = QDir(s.root).filePath(QStringLiteral("imagens/desenhos"));
    {
        QSqlQuery q(mainDb);
        if (q.exec(QStringLiteral("SELECT PATHCLICHE, PATHDESENHO FROM PARGER ORDER BY CODIGO")) &&
            q.next()) {
            clicheFolder = QDir::fromNativeSeparators(resolveFolder(q.value(0).toString(), s.root));
            drawingFolder =
                QDir::fromNativeSeparators(resolveFolder(q.value(1).toString(), s.root));
        }
    }
    for (const QString& folder : {clicheFolder, drawingFolder}) {
        if (created ? !created->makeFolder(folder, error) : !QDir().mkpath(folder)) {
            if (!created)
                *error = QStringLiteral("Não foi possível criar a pasta %1.").arg(folder);
            return false;
        }
    }
    // A file the register writes (a run that fails takes it away again).
    auto newFile = [created](const QString& folder, const QString& name) {
        const QString path = QDir(folder).filePath(name);
        if (created)
            created->noteFile(path);
        return path;
    };

    // Invoicing look-ups.
    const QStringList firstWords = {"Sumos",  "Conservas",   "Vinhos",  "Cerâmica", "Têxteis",
                                    "Frutas", "Lacticínios", "Calçado", "Móveis",   "Azeites",
                                    "Cafés",  "Bolachas",    "Vidros",  "Plásticos"};
    const QStringList places = {"do Norte", "da Beira", "do Minho", "Atlântico",
                                "Ibérica",  "do Sul",   "da Serra", "do Vale",
                                "Central",  "do Mar",   "Lusitana", "do Douro"};
    QStringList clientShort;
    QStringList supplierShort;
    QStringList salesmen;
    {
        Transaction tx(fact);
        BatchInsert clients(fact, QStringLiteral("CLIENTES"), {"CODIGO", "NOME", "SIGLA"});
        for (int i = 0; i < size.clients; ++i) {
            const QString name =
                QStringLiteral("%1 %2, S.A.").arg(pick(rng, firstWords), pick(rng, places));
            const QString shortName =
                (name.left(9).toUpper().replace(' ', QString()) + QString::number(i + 1)).left(15);
            clientShort << shortName;
            if (!clients.add({i + 1, name.left(40), shortName}, error))
                return false;
        }
        BatchInsert suppliers(fact, QStringLiteral("FORNECEDORES"), {"CODIGO", "NOME", "SIGLA"});
        const QStringList kinds = {"Fotopolímeros", "Cortantes", "Gravura", "Pré-Impressão",
                                   "Lâminas"};
        for (int i = 0; i < size.suppliers; ++i) {
            const QString name =
                QStringLiteral("%1 %2, Lda").arg(pick(rng, kinds), pick(rng, places));
            const QString shortName =
                (name.left(8).toUpper().replace(' ', QString()) + QString::number(i + 1)).left(15);
            supplierShort << shortName;
            if (!suppliers.add({i + 1, name.left(40), shortName}, error))
                return false;
        }
        BatchInsert sales(fact, QStringLiteral("VENDEDORES"), {"CODIGO", "NOME"});
        const QStringList names = {"João",   "Maria", "António", "Helena",
                                   "Carlos", "Sofia", "Miguel",  "Teresa"};
        const QStringList surnames = {"Silva",    "Santos",  "Costa", "Pereira",
                                      "Oliveira", "Martins", "Rocha"};
        for (int i = 0; i < size.salesmen; ++i) {
            const QString name = pick(rng, names) + ' ' + pick(rng, surnames);
            salesmen << name;
            if (!sales.add({i + 1, name}, error))
                return false;
        }
        if (!clients.flush(error) || !suppliers.flush(error) || !sales.flush(error))
            return false;
        if (!tx.commit()) {
            *error = fact.lastError().text();
            return false;
        }
    }

    const QDate today = QDate::currentDate();
    const QDate first(today.year() - size.years + 1, 1, 1);
    const QList<QColor> palette = {
        Qt::black,           QColor(0, 120, 200),  QColor(200, 0, 120),
        QColor(240, 210, 0), QColor(210, 30, 30),  QColor(0, 150, 70),
        QColor(250, 130, 0), QColor(120, 70, 30),  QColor(130, 130, 130),
        QColor(20, 40, 110), QColor(200, 160, 40), QColor(250, 250, 250)};
    const QStringList refWords = {"Caixa",     "Tabuleiro", "Expositor",
                                  "Embalagem", "Cinta",     "Separador"};

    // The uses come from a generator of their own, run twice: first to sum each tool's wear,
    // so that the forecast lives put the tools where a plant's are, then to write them.
    QRandomGenerator useRng(size.seed ^ 0x5eedu);
    QVector<qint64> clicheWear(size.cliches);
    QVector<qint64> drawingWear(size.drawings);
    {
        QRandomGenerator ahead = useRng;
        for (int i = 0; i < size.movements; ++i) {
            const ToolUse u = drawUse(ahead, size, first, today);
            (u.cliche ? clicheWear : drawingWear)[u.tool] += u.rotations;
        }
    }

    Transaction tx(mainDb);
    if (!tx.isActive()) {
        *error = mainDb.lastError().text();
        return false;
    }
    // Clichés.
    QStringList clicheClient(size.cliches);
    {
        BatchInsert ins(
            mainDb, QStringLiteral("CLICHES"),
            {"CLICHENRO",   "CLINRO",     "SIGLACLI",      "PRODNRO",   "REFERENCIA",
             "FORNECEDOR",  "FORNSIGLA",  "REFER_FORN",    "CODBARRAS", "MODELO",
             "MAQUINA",     "COR_01",     "COR_02",        "COR_03",    "COR_04",
             "COR_05",      "COR_06",     "DATA",          "OBSERV1",   "OBSERV2",
             "CORTANTENRO", "FICHASETUP", "ROTACOES_PREV", "UTILIZA",   "COMERCIALNRO"});
        for (int i = 0; i < size.cliches; ++i) {
            const int client = skewed(rng, size.clients);
            const int supplier = skewed(rng, size.suppliers, 1.8);
            const int nColours = 1 + int(rng.bounded(6));
            QVariantList cols;
            QList<QColor> drawn;
            for (int c = 0; c < 6; ++c) {
                if (c < nColours) {
                    const int code = 1 + int(rng.bounded(12));
                    cols << code;
                    drawn << palette[code - 1];
                } else {
                    cols << 0;
                }
            }
            const QString number = clicheNumber(i);
            clicheClient[i] = clientShort[client];
            QVariantList row = {
                number,
                client + 1,
                clientShort[client],
                QString::number(100000 + rng.bounded(900000)),
                QStringLiteral("%1 %2").arg(pick(rng, refWords)).arg(rng.bounded(1000)),
                supplier + 1,
                supplierShort[supplier],
                QStringLiteral("RF-%1").arg(rng.bounded(100000)),
                QString::number(5600000000000LL + rng.bounded(999999999)),
                1 + int(rng.bounded(8)),
                1 + int(rng.bounded(6))};
            row << cols;
            row << ins.date(randomDay(rng, first, today)) << QStringLiteral("Tinta à base de água")
                << kEmpty << QStringLiteral("CT%1").arg(rng.bounded(5000)) << int(rng.bounded(900))
                << forecastLife(rng, clicheWear[i])
                << (rng.bounded(20) == 0 ? QStringLiteral("N") : QStringLiteral("S")) << kEmpty;
            // A few name a model or a machine that its table lacks (code 0): the searches leave
            // them out, the consultation lists them.
            if (i % 50 == 17)
                row[kClicheModel] = 0;
            if (i % 50 == 33)
                row[kClicheMachine] = 0;
            if (!ins.add(row, error))
                return false;
            if (size.images && !drawCliche(newFile(clicheFolder, number + QStringLiteral(".JPG")),
                                           number, drawn, clientShort[client], error))
                return false;
            if (i % 500 == 0)
                report(QStringLiteral("Clichés"), i, size.cliches);
        }
        if (!ins.flush(error))
            return false;
    }
    // Drawings.
    QStringList drawingNumbers;
    {
        BatchInsert ins(mainDb, QStringLiteral("DESENHOS"),
                        {"DESENHONRO", "COMPRIM",     "LARGURA",    "ALTURA",        "LARG_PLACA",
                         "COMP_PLACA", "DATA",        "QUANTID",    "CARTAO",        "CLIENTE",
                         "SIGLACLI",   "REFERENCIA",  "MAQUINA",    "CORTANTENRO",   "DESENHADOR",
                         "VNDNRO",     "VNDNOME",     "DIR_CANAL",  "GOLPES_CAIXA",  "VISTA",
                         "FORNECEDOR", "SIGLAFORN",   "DATAPEDIDA", "ROTACOES_PREV", "UTILIZA",
                         "PRODNRO",    "COMERCIALNRO"});
        for (int i = 0; i < size.drawings; ++i) {
            const int client = skewed(rng, size.clients);
            const int supplier = skewed(rng, size.suppliers, 1.8);
            const int salesman = int(rng.bounded(size.salesmen));
            const QDateTime date = randomDay(rng, first, today);
            const QString number = drawingNumber(i + 1, date.date().year());
            drawingNumbers << number;
            const int comp = 150 + int(rng.bounded(450));
            const int larg = 100 + int(rng.bounded(300));
            const int alt = 80 + int(rng.bounded(400));
            QVariantList row = {
                number,
                comp,
                larg,
                alt,
                2 * larg + alt + 20,
                2 * (comp + larg) + 40,
                ins.date(date),
                double(500 * (1 + rng.bounded(40))),
                1 + int(rng.bounded(8)),
                client + 1,
                clientShort[client],
                QStringLiteral("%1 %2").arg(pick(rng, refWords)).arg(rng.bounded(1000)),
                1 + int(rng.bounded(6)),
                QStringLiteral("CT%1").arg(rng.bounded(5000)),
                1 + int(rng.bounded(5)),
                salesman + 1,
                salesmen[salesman].left(20),
                rng.bounded(2) ? QStringLiteral("V") : QStringLiteral("H"),
                1 + int(rng.bounded(4)),
                rng.bounded(2) ? QStringLiteral("E") : QStringLiteral("I"),
                supplier + 1,
                supplierShort[supplier],
                ins.date(date.addDays(-int(rng.bounded(30)))),
                forecastLife(rng, drawingWear[i]),
                rng.bounded(20) == 0 ? QStringLiteral("N") : QStringLiteral("S"),
                QString::number(100000 + rng.bounded(900000)),
                kEmpty};
            // A few name a designer, a board or a machine that its table lacks (code 0).
            if (i % 50 == 11)
                row[kDrawingDesigner] = 0;
            if (i % 50 == 29)
                row[kDrawingBoard] = 0;
            if (i % 50 == 41)
                row[kDrawingMachine] = 0;
            if (!ins.add(row, error))
                return false;
            if (size.images && !drawDie(newFile(drawingFolder, number + QStringLiteral(".JPG")),
                                        number, comp, larg, alt, error))
                return false;
            if (size.documents && i % 7 == 0 &&
                !writeDocument(newFile(drawingFolder, number + QStringLiteral("_ficha.pdf")),
                               number, clientShort[client], error))
                return false;
            if (i % 500 == 0)
                report(QStringLiteral("Desenhos"), i, size.drawings);
        }
        if (!ins.flush(error))
            return false;
    }
    // Movements: the uses summed above, written; their monthly sums made once at the end
    // rather than by the triggers at every row.
    const SqlDialect dialect = SqlDialect::forDatabase(mainDb);
    for (const QString& sql : dialect.dropMovementSummaryTriggers())
        if (!exec(mainDb, sql, {}, error))
            return false;
    {
        BatchInsert ins(
            mainDb, QStringLiteral("MOVIMENTOS"),
            {"DESENHONRO", "CLICHENRO", "NROUTIL", "ROTACOES", "ENCOMENDA", "DATA", "TIPOREG"});
        for (int i = 0; i < size.movements; ++i) {
            const ToolUse u = drawUse(useRng, size, first, today);
            const QString cl = u.cliche ? clicheNumber(u.tool) : kEmpty;
            const QString ds = u.cliche ? kEmpty : drawingNumbers[u.tool];
            if (!ins.add({ds, cl, u.uses, u.rotations, QStringLiteral("EN%1").arg(100000 + i),
                          ins.date(u.day), u.cliche ? QStringLiteral("CL") : QStringLiteral("DS")},
                         error))
                return false;
            if (i % 5000 == 0)
                report(QStringLiteral("Movimentos"), i, size.movements);
        }
        if (!ins.flush(error))
            return false;
    }
    for (const QString& sql : QStringList{QStringLiteral("DELETE FROM MOVIMENTOS_TOTAL"),
                                          QStringLiteral("DELETE FROM MOVIMENTOS_MES")} +
                                  dialect.movementSummaryFill())
        if (!exec(mainDb, sql, {}, error))
            return false;
    for (const QString& sql : dialect.movementSummaryTriggers())
        if (!exec(mainDb, sql, {}, error))
            return false;
    // Purchases and repairs.
    {
        BatchInsert ins(mainDb, QStringLiteral("REPARACOES"),
                        {"CLICHENRO", "DESENHONRO", "TIPO", "ENCNRO", "DATENC", "FORNECEDOR",
                         "FORNSIGLA", "VALOR", "TIPOREG", "SIGLACLI", "FACNRO", "FACDATA",
                         "ADEBITAR_CLIENTE"});
        for (int i = 0; i < size.repairs; ++i) {
            const bool cliche = rng.bounded(100) < 55;
            const int idx =
                cliche ? skewed(rng, size.cliches, 2.0) : skewed(rng, size.drawings, 2.0);
            const int supplier = skewed(rng, size.suppliers, 1.8);
            const bool purchase = rng.bounded(100) < 35;
            const QDateTime date = randomDay(rng, first, today);
            const double value =
                std::round((purchase ? 150.0 + rng.bounded(1200.0) : 30.0 + rng.bounded(400.0)) *
                           100.0) /
                100.0;
            if (!ins.add({cliche ? clicheNumber(idx) : kEmpty,
                          cliche ? kEmpty : drawingNumbers[idx],
                          purchase ? QStringLiteral("C") : QStringLiteral("R"), 20000 + i,
                          ins.date(date), supplier + 1, supplierShort[supplier], value,
                          cliche ? QStringLiteral("CL") : QStringLiteral("DS"),
                          cliche ? clicheClient[idx] : clientShort[skewed(rng, size.clients)],
                          70000 + i, ins.date(date.addDays(int(rng.bounded(45)))),
                          rng.bounded(4) == 0 ? QStringLiteral("S") : QStringLiteral("N")},
                         error))
                return false;
            if (i % 5000 == 0)
                report(QStringLiteral("Reparações"), i, size.repairs);
        }
        if (!ins.flush(error))
            return false;
    }
    if (!fillLocations(mainDb, s, size, rng, today, drawingNumbers, error, report))
        return false;
    if (!tx.commit()) {
        *error = mainDb.lastError().text();
        return false;
    }
    // Statistics of what was written, so that the first reads do not plan on guesses.
    for (const QString& sql : dialect.statisticsStatements(
             {QStringLiteral("CLICHES"), QStringLiteral("DESENHOS"), QStringLiteral("MOVIMENTOS"),
              QStringLiteral("MOVIMENTOS_MES"), QStringLiteral("MOVIMENTOS_TOTAL"),
              QStringLiteral("REPARACOES"), QStringLiteral("LOCALIZACAO"),
              QStringLiteral("LOCALIZACAO_HIST")},
             true))
        if (!exec(mainDb, sql, {}, error))
            return false;
    return true;
}

} // namespace

bool generateRegister(const InstallationSettings& s, const RegisterSize& size, QString* error,
                      const Progress& progress) {
    return fillRegister(s, size, error, progress, nullptr);
}

} // namespace falq
