#include "installer.h"

#include "aliases.h"
#include "connections.h"
#include "dialect.h"
#include "schema.h"
#include "sqlrun.h"
#include "transaction.h"
#include "wholefile.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
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

bool writeText(const QString& path, const QByteArray& content, QString* error,
               QFileDevice::Permissions perms = {}) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return writeWholeFile(path, content, ExistingFile::Replace, error, perms);
}

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

bool prepareSchemas(const InstallationSettings& s, QString* error) {
    if (s.engine.driver != QLatin1String("QPSQL"))
        return true;
    AliasDef admin;
    admin.name = QStringLiteral("setup");
    admin.driver = s.engine.driver;
    admin.database = s.engine.database;
    admin.host = s.engine.host;
    admin.port = s.engine.port;
    const QString conn = installerConnection(QStringLiteral("admin"));
    if (!openConnection(conn, admin, s.engine.user, s.engine.password, error))
        return false;
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::database(conn);
        static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
        if (!plain.match(s.engine.schemaPrefix + kGeral).hasMatch()) {
            *error = QStringLiteral("Prefixo de esquema inválido: %1").arg(s.engine.schemaPrefix);
            ok = false;
        }
        QSqlQuery q(db);
        q.exec(QStringLiteral("SET client_min_messages TO warning"));
        // Two installers at once may both find the extension missing; the second one's
        // failure is harmless when the extension is there afterwards.
        if (ok && !q.exec(QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext SCHEMA public")) &&
            !(q.exec(QStringLiteral("SELECT 1 FROM pg_extension WHERE extname = 'citext'")) &&
              q.next())) {
            *error = q.lastError().text();
            ok = false;
        }
        for (const QString& w : {kGeral, kMain, kFact}) {
            if (ok && !q.exec(QStringLiteral("CREATE SCHEMA %1%2").arg(s.engine.schemaPrefix, w))) {
                *error = q.lastError().text();
                ok = false;
            }
        }
    }
    closeConnection(conn);
    return ok;
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

bool createInstallation(const InstallationSettings& s, QString* error) {
    QDir root(s.root);
    if (QFileInfo::exists(root.filePath(QStringLiteral("aliases.ini")))) {
        *error = QStringLiteral("Já existe uma instalação em %1.").arg(s.root);
        return false;
    }
    for (const char* sub :
         {"programas/Computador", "dados", "imagens/cliches", "imagens/desenhos", "fotos", "logos"})
        root.mkpath(QString::fromLatin1(sub));

    // Workstation files and the credentials of the general database.
    if (!writeText(root.filePath(QStringLiteral("programas/Computador/Computador.txt")),
                   s.computerName.toLatin1() + "\r\n", error) ||
        !writeText(root.filePath(QStringLiteral("programas/Computador/TipoComputador.txt")),
                   s.computerType.toLatin1() + "\r\n", error) ||
        !writeText(root.filePath(QStringLiteral("velmora.cred")),
                   s.engine.user.toLatin1() + '\n' + s.engine.password.toLatin1() + '\n', error,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;

    // Aliases.
    for (const QString& w : {kGeral, kMain, kFact}) {
        const AliasDef def = aliasFor(s, w);
        if (!writeAlias(root.filePath(QStringLiteral("aliases.ini")), def, error))
            return false;
        if (def.driver == QLatin1String("QSQLITE") &&
            !createSqliteDatabase(root.filePath(def.database), error))
            return false;
    }
    if (!prepareSchemas(s, error))
        return false;

    Closer closer;
    for (const QString& w : {kGeral, kMain, kFact})
        if (!openFor(s, w, error))
            return false;
    const DatabaseKind kinds[] = {DatabaseKind::General, DatabaseKind::Main,
                                  DatabaseKind::Invoicing};
    const QString which[] = {kGeral, kMain, kFact};
    for (int i = 0; i < 3; ++i) {
        const QString e = schema::createDatabase(dbFor(which[i]), kinds[i]);
        if (!e.isEmpty()) {
            *error = e;
            return false;
        }
    }

    const QDate today = QDate::currentDate();
    const QString year = QString::number(today.year());
    QSqlDatabase geral = dbFor(kGeral);
    QSqlDatabase mainDb = dbFor(kMain);
    QSqlDatabase fact = dbFor(kFact);
    const SqlDialect d = SqlDialect::forDatabase(geral);
    const QString sep = QStringLiteral("/");

    // General database: the company, the workstation and the user's login in the company.
    if (!exec(geral,
              "INSERT INTO EMPRESAS (EMPNRO, NOME, MORADA1, LOCALIDADE, CODPOSTAL, NIF, "
              "PATHFOTOSLOGO, BDCONTAB, "
              "BDFACTURA, BDESPECIF02, BDSIGLAFACTURA, BDDESIGNFACTURA, BDGERAL) "
              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
              {s.companyNumber, s.companyName, QStringLiteral("Zona Industrial, Lote 7"),
               QStringLiteral("Águeda"), QStringLiteral("3750"), QStringLiteral("500000000"),
               QDir::toNativeSeparators(root.filePath("logos")) + sep,
               QStringLiteral("CONTAB%1").arg(s.companyNumber, 2, 10, QLatin1Char('0')),
               s.invoicingAlias, s.mainAlias, QStringLiteral("FAC"), QStringLiteral("Facturação"),
               s.generalAlias},
              error) ||
        !exec(geral,
              "INSERT INTO PARAMUTIL (COMP_NAME, UTIL, EMPNRO, APLICACAO, ANO, DATA, PASSWOR) "
              "VALUES (?, ?, ?, ?, ?, ?, ?)",
              {s.computerName, s.userCode, s.companyNumber, schema::kModuleCode, year,
               d.bindDate(today), s.userPassword},
              error) ||
        !exec(
            geral,
            "INSERT INTO UTILPASSWORD (UTIL, EMPRESA, BDUSERNAME, BDPASSWORD) VALUES (?, ?, ?, ?)",
            {s.userCode, s.companyNumber,
             s.engine.user.isEmpty() ? QStringLiteral("falquinas") : s.engine.user,
             s.engine.password},
            error))
        return false;

    // Main database: parameters, the user and every right.
    if (!exec(
            mainDb,
            "INSERT INTO PARGER (CODIGO, PATHCLICHE, PATHDESENHO, TIPOIMAGEM) VALUES (?, ?, ?, ?)",
            {1, QDir::toNativeSeparators(root.filePath("imagens/cliches")) + sep,
             QDir::toNativeSeparators(root.filePath("imagens/desenhos")) + sep,
             QStringLiteral(".JPG")},
            error) ||
        !exec(
            mainDb,
            "INSERT INTO ACTUAL_VERSAO (EMPRESA, PROGRAMA, VERSAO, DATULTACT) VALUES (?, ?, ?, ?)",
            {s.companyNumber, schema::kModuleCode, schema::kProgramVersion, d.bindDate(today)},
            error) ||
        !exec(mainDb,
              "INSERT INTO UTILIZADORES (NRO, PASSWOR, NOM, TITULO, UPGRADE_LICENSE) VALUES (?, ?, "
              "?, ?, ?)",
              {s.userCode, s.userPassword, s.userName, QStringLiteral("Eng."), QStringLiteral("N")},
              error))
        return false;
    for (const schema::CatalogueChapter& c : schema::rightsCatalogue())
        for (const QString& p : c.programs)
            if (!exec(mainDb,
                      "INSERT INTO APLICACAODET (APLICACAO, CAPITULO, PROGRAMA, EMPNRO, UTIL, "
                      "ACEDER, INSERIR, "
                      "ALTERAR, ELIMINAR, IMPORTAR, IMPRIMIR, ARQUIVAR, MAIL, SCANNER) "
                      "VALUES (?, ?, ?, ?, ?, 'S', 'S', 'S', 'S', 'S', 'S', 'S', 'S', 'S')",
                      {schema::kModuleCode, c.chapter, p, s.companyNumber, s.userCode}, error))
                return false;

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
        for (const auto& t : tables)
            for (int i = 0; i < t.names.size(); ++i)
                if (!exec(mainDb,
                          QStringLiteral("INSERT INTO %1 (CODIGO, %2) VALUES (?, ?)")
                              .arg(QLatin1String(t.table), QLatin1String(t.column)),
                          {i + 1, t.names[i]}, error))
                    return false;
        const QStringList numbers = {"K",   "C",   "M",   "Y",   "485", "355",
                                     "021", "469", "430", "281", "871", "W"};
        for (int i = 0; i < numbers.size(); ++i)
            if (!exec(mainDb, "UPDATE CORES SET NUMERO = ? WHERE CODIGO = ?", {numbers[i], i + 1},
                      error))
                return false;
    }

    // The notes document of the main window ("Informação s/ últimas alterações").
    {
        const QString notes = root.filePath(QStringLiteral("programas/Pdf/Falquinas.pdf"));
        QDir().mkpath(QFileInfo(notes).absolutePath());
        const auto draw = [](QPdfWriter& pdf, QPainter& p) {
            p.setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
            p.drawText(
                QRect(0, 0, pdf.width(), 500), Qt::AlignCenter,
                QStringLiteral("Falquinas e Clichés — versão %1").arg(schema::kProgramVersion));
            p.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
            p.drawText(
                QRect(0, 600, pdf.width(), 3000), Qt::AlignLeft | Qt::TextWordWrap,
                QStringLiteral(
                    "01.003 — Procura automática de novas versões; direito de actualização por "
                    "utilizador.\n01.002 — Este documento de notas.\n01.001 — Primeira versão do "
                    "registo de clichés e desenhos."));
        };
        if (!writePdf(notes, QStringLiteral("Falquinas e Clichés — últimas alterações"), draw,
                      error))
            return false;
    }

    // Invoicing database: the yearly parameters.
    if (!exec(fact, "INSERT INTO STKPARGER (ANO, COD_CLICHES, COD_CORTANTES) VALUES (?, ?, ?)",
              {year, QStringLiteral("CLI"), QStringLiteral("CRT")}, error) ||
        !exec(fact, "INSERT INTO PARGER (ANO, PATHFOTO) VALUES (?, ?)",
              {year, QDir::toNativeSeparators(root.filePath("fotos")) + sep}, error))
        return false;
    return true;
}

bool addDemoAdministration(const InstallationSettings& s, QString* error) {
    Closer closer;
    for (const QString& w : {kGeral, kMain})
        if (!openFor(s, w, error))
            return false;
    QSqlDatabase geral = dbFor(kGeral);
    QSqlDatabase mainDb = dbFor(kMain);
    const struct {
        const char* code;
        const char* password;
        const char* name;
        const char* title;
    } users[] = {{"OPERADOR", "FABRICA", "Operador da Impressão", "Sr."},
                 {"DESENHO", "CORTANTE", "Gabinete de Desenho", "Eng.ª"}};
    for (const auto& u : users)
        if (!exec(mainDb,
                  "INSERT INTO UTILIZADORES (NRO, PASSWOR, NOM, TITULO, UPGRADE_LICENSE) VALUES "
                  "(?, ?, ?, ?, 'N')",
                  {QString::fromUtf8(u.code), QString::fromUtf8(u.password),
                   QString::fromUtf8(u.name), QString::fromUtf8(u.title)},
                  error))
            return false;
    return exec(
        geral,
        "INSERT INTO EMPRESAS (EMPNRO, NOME, LOCALIDADE, PATHFOTOSLOGO, BDCONTAB, "
        "BDFACTURA, BDESPECIF02, BDSIGLAFACTURA, BDDESIGNFACTURA, BDGERAL) SELECT ?, ?, "
        "LOCALIDADE, PATHFOTOSLOGO, BDCONTAB, BDFACTURA, BDESPECIF02, BDSIGLAFACTURA, "
        "BDDESIGNFACTURA, BDGERAL FROM EMPRESAS WHERE EMPNRO = ?",
        {s.companyNumber + 1, s.companyName + QStringLiteral(" - Unidade 2"), s.companyNumber},
        error);
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

} // namespace

bool generateRegister(const InstallationSettings& s, const RegisterSize& size, QString* error,
                      const Progress& progress) {
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

    // Folders of the images, as the parameters name them.
    QString clicheFolder = QDir(s.root).filePath(QStringLiteral("imagens/cliches"));
    QString drawingFolder = QDir(s.root).filePath(QStringLiteral("imagens/desenhos"));
    {
        QSqlQuery q(mainDb);
        if (q.exec(QStringLiteral("SELECT PATHCLICHE, PATHDESENHO FROM PARGER ORDER BY CODIGO")) &&
            q.next()) {
            clicheFolder = QDir::fromNativeSeparators(q.value(0).toString());
            drawingFolder = QDir::fromNativeSeparators(q.value(1).toString());
        }
    }
    QDir().mkpath(clicheFolder);
    QDir().mkpath(drawingFolder);

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
                << int(rng.bounded(500000))
                << (rng.bounded(20) == 0 ? QStringLiteral("N") : QStringLiteral("S")) << kEmpty;
            if (!ins.add(row, error))
                return false;
            if (size.images &&
                !drawCliche(QDir(clicheFolder).filePath(number + QStringLiteral(".JPG")), number,
                            drawn, clientShort[client], error))
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
                int(rng.bounded(200000)),
                rng.bounded(20) == 0 ? QStringLiteral("N") : QStringLiteral("S"),
                QString::number(100000 + rng.bounded(900000)),
                kEmpty};
            if (!ins.add(row, error))
                return false;
            if (size.images &&
                !drawDie(QDir(drawingFolder).filePath(number + QStringLiteral(".JPG")), number,
                         comp, larg, alt, error))
                return false;
            if (size.documents && i % 7 == 0 &&
                !writeDocument(QDir(drawingFolder).filePath(number + QStringLiteral("_ficha.pdf")),
                               number, clientShort[client], error))
                return false;
            if (i % 500 == 0)
                report(QStringLiteral("Desenhos"), i, size.drawings);
        }
        if (!ins.flush(error))
            return false;
    }
    // Movements: uses of clichés and dies; a few popular ones carry most of the work.
    {
        BatchInsert ins(
            mainDb, QStringLiteral("MOVIMENTOS"),
            {"DESENHONRO", "CLICHENRO", "NROUTIL", "ROTACOES", "ENCOMENDA", "DATA", "TIPOREG"});
        for (int i = 0; i < size.movements; ++i) {
            const bool cliche = rng.bounded(100) < 60;
            const QString cl = cliche ? clicheNumber(skewed(rng, size.cliches, 2.0)) : kEmpty;
            const QString ds = cliche ? kEmpty : drawingNumbers[skewed(rng, size.drawings, 2.0)];
            if (!ins.add({ds, cl, 1 + int(rng.bounded(3)), int(500 + rng.bounded(30000)),
                          QStringLiteral("EN%1").arg(100000 + i),
                          ins.date(randomDay(rng, first, today)),
                          cliche ? QStringLiteral("CL") : QStringLiteral("DS")},
                         error))
                return false;
            if (i % 5000 == 0)
                report(QStringLiteral("Movimentos"), i, size.movements);
        }
        if (!ins.flush(error))
            return false;
    }
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
    if (!tx.commit()) {
        *error = mainDb.lastError().text();
        return false;
    }
    return true;
}

} // namespace falq
