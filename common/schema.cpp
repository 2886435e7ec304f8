#include "schema.h"

#include "transaction.h"

#include <QSqlError>
#include <QSqlQuery>

namespace falq {

namespace {

ColumnDef T(const char* name, int size) {
    return {QString::fromLatin1(name), ColumnType::Text, size};
}
ColumnDef S(const char* name) {
    return {QString::fromLatin1(name), ColumnType::SmallInt, 0};
}
ColumnDef I(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Integer, 0};
}
ColumnDef B(const char* name) {
    return {QString::fromLatin1(name), ColumnType::BigInt, 0};
}
ColumnDef F(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Float, 0};
}
ColumnDef D(const char* name) {
    return {QString::fromLatin1(name), ColumnType::DateTime, 0};
}
ColumnDef Id(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Identity, 0};
}

IndexDef Ix(const char* name, QStringList columns) {
    return {QString::fromLatin1(name), columns, false};
}
IndexDef Ux(const char* name, QStringList columns) {
    return {QString::fromLatin1(name), columns, true};
}

TableDef codeTable(const char* name, ColumnType codeType, QList<ColumnDef> rest) {
    TableDef t{QString::fromLatin1(name),
               {{QStringLiteral("CODIGO"), codeType, 0}},
               {QStringLiteral("CODIGO")},
               {}};
    t.columns.append(rest);
    return t;
}

QList<TableDef> mainTables() {
    QList<TableDef> t;
    t << TableDef{QStringLiteral("CLICHES"),
                  {T("CLICHENRO", 12),   I("CLINRO"),     T("SIGLACLI", 15),  T("PRODNRO", 8),
                   T("REFERENCIA", 25),  I("FORNECEDOR"), T("FORNSIGLA", 15), T("REFER_FORN", 25),
                   T("CODBARRAS", 25),   S("MODELO"),     S("MAQUINA"),       I("COR_01"),
                   I("COR_02"),          I("COR_03"),     I("COR_04"),        I("COR_05"),
                   I("COR_06"),          D("DATA"),       T("OBSERV1", 80),   T("OBSERV2", 80),
                   T("CORTANTENRO", 15), I("FICHASETUP"), I("ROTACOES_PREV"), T("UTILIZA", 1),
                   T("COMERCIALNRO", 16)},
                  {QStringLiteral("CLICHENRO")},
                  {Ix("IX_CLICHES_SIGLACLI", {"SIGLACLI"}),
                   Ix("IX_CLICHES_FORNSIGLA", {"FORNSIGLA"}),
                   Ix("IX_CLICHES_CORTANTENRO", {"CORTANTENRO"}),
                   Ix("IX_CLICHES_PRODNRO", {"PRODNRO"}), Ix("IX_CLICHES_CLINRO", {"CLINRO"})}};
    t << TableDef{
        QStringLiteral("DESENHOS"),
        {T("DESENHONRO", 20), S("COMPRIM"),         S("LARGURA"),
         S("ALTURA"),         S("LARG_PLACA"),      S("COMP_PLACA"),
         D("DATA"),           F("QUANTID"),         S("CARTAO"),
         I("CLIENTE"),        T("SIGLACLI", 15),    T("REFERENCIA", 30),
         S("MAQUINA"),        T("CORTANTENRO", 15), S("DESENHADOR"),
         I("VNDNRO"),         T("VNDNOME", 20),     T("DIR_CANAL", 1),
         S("GOLPES_CAIXA"),   T("VISTA", 1),        I("FORNECEDOR"),
         T("SIGLAFORN", 15),  D("DATAPEDIDA"),      I("ROTACOES_PREV"),
         T("UTILIZA", 1),     T("PRODNRO", 8),      T("COMERCIALNRO", 16)},
        {QStringLiteral("DESENHONRO")},
        {Ix("IX_DESENHOS_SIGLACLI", {"SIGLACLI"}), Ix("IX_DESENHOS_SIGLAFORN", {"SIGLAFORN"}),
         Ix("IX_DESENHOS_CORTANTENRO", {"CORTANTENRO"}), Ix("IX_DESENHOS_CLIENTE", {"CLIENTE"}),
         Ix("IX_DESENHOS_PLACA", {"LARG_PLACA", "COMP_PLACA"})}};
    t << codeTable("DESENHADORES", ColumnType::SmallInt, {T("NOME", 40)});
    t << codeTable("CORES", ColumnType::Integer, {T("DESIGNACAO", 20), T("NUMERO", 6)});
    t << codeTable("MAQUINAS", ColumnType::SmallInt, {T("DESIGNACAO", 25)});
    t << codeTable("CARTOES", ColumnType::SmallInt, {T("DESIGNACAO", 20)});
    t << codeTable("MODELOS", ColumnType::SmallInt, {T("DESIGNACAO", 20)});
    t << TableDef{QStringLiteral("PARGER"),
                  {S("CODIGO"), T("PATHCLICHE", 80), T("PATHDESENHO", 80), T("TIPOIMAGEM", 4)},
                  {QStringLiteral("CODIGO")},
                  {}};
    t << TableDef{QStringLiteral("MOVIMENTOS"),
                  {Id("NRO"), T("DESENHONRO", 20), T("CLICHENRO", 12), S("NROUTIL"), I("ROTACOES"),
                   T("ENCOMENDA", 20), D("DATA"), T("TIPOREG", 2)},
                  {QStringLiteral("NRO")},
                  {Ix("IX_MOVIMENTOS_DATA", {"DATA", "NRO"}),
                   Ix("IX_MOVIMENTOS_CLICHENRO", {"CLICHENRO", "DATA"}),
                   Ix("IX_MOVIMENTOS_DESENHONRO", {"DESENHONRO", "DATA"}),
                   Ix("IX_MOVIMENTOS_TIPOREG", {"TIPOREG", "DATA"})}};
    // The movements summed per drawing and cliché number and month, kept by the triggers on
    // MOVIMENTOS (movementSummaryTriggers); rows with a NULL number or date are not summed.
    t << TableDef{QStringLiteral("MOVIMENTOS_MES"),
                  {T("DESENHONRO", 20), T("CLICHENRO", 12), S("ANO"), S("MES"), B("NROUTIL"),
                   B("ROTACOES"), I("MOVIMENTOS"), D("PRIMEIRA"), D("ULTIMA")},
                  {QStringLiteral("DESENHONRO"), QStringLiteral("CLICHENRO"), QStringLiteral("ANO"),
                   QStringLiteral("MES")},
                  {Ix("IX_MOVIMENTOS_MES_CLICHE", {"CLICHENRO", "ANO", "MES"}),
                   // A period's sums read from this index alone.
                   Ix("IX_MOVIMENTOS_MES_PERIODO",
                      {"ANO", "MES", "DESENHONRO", "CLICHENRO", "NROUTIL", "ROTACOES"})}};
    // The same per tool over every month: what the analyses of every movement read.
    t << TableDef{QStringLiteral("MOVIMENTOS_TOTAL"),
                  {T("DESENHONRO", 20), T("CLICHENRO", 12), B("NROUTIL"), B("ROTACOES"),
                   I("MOVIMENTOS"), D("PRIMEIRA"), D("ULTIMA")},
                  {QStringLiteral("DESENHONRO"), QStringLiteral("CLICHENRO")},
                  {}};
    // Where every plate and die is: the storage places, each tool's present state (one row per
    // tool; none is "Sem localização") and every change ever made (never updated or deleted).
    t << TableDef{QStringLiteral("LOCAIS"),
                  {T("CODIGO", 12), T("DESIGNACAO", 40), T("ZONA", 20), T("ACTIVO", 1)},
                  {QStringLiteral("CODIGO")},
                  {}};
    t << TableDef{
        QStringLiteral("LOCALIZACAO"),
        {T("TIPOREG", 2), T("NRO", 20), T("ESTADO", 1), T("LOCAL", 12), S("MAQUINA"),
         I("FORNECEDOR"), D("DATA"), T("UTIL", 15), T("POSTO", 30)},
        {QStringLiteral("TIPOREG"), QStringLiteral("NRO")},
        {Ix("IX_LOCALIZACAO_LOCAL", {"LOCAL"}), Ix("IX_LOCALIZACAO_ESTADO", {"ESTADO", "DATA"})}};
    // (The history's own number is NRO, so the tool's number is FERRAMENTA.)
    t << TableDef{QStringLiteral("LOCALIZACAO_HIST"),
                  {Id("NRO"), T("TIPOREG", 2), T("FERRAMENTA", 20), T("ESTADO", 1), T("LOCAL", 12),
                   S("MAQUINA"), I("FORNECEDOR"), D("DATA"), T("UTIL", 15), T("POSTO", 30),
                   T("OBS", 60)},
                  {QStringLiteral("NRO")},
                  {Ix("IX_LOCALIZACAO_HIST_FERRAMENTA", {"TIPOREG", "FERRAMENTA", "DATA"})}};
    t << TableDef{
        QStringLiteral("REPARACOES"),
        {Id("NRO"), T("CLICHENRO", 12), T("DESENHONRO", 20), T("TIPO", 1), I("ENCNRO"), D("DATENC"),
         I("FORNECEDOR"), T("FORNSIGLA", 15), F("VALOR"), T("TIPOREG", 2), T("SIGLACLI", 15),
         I("FACNRO"), D("FACDATA"), T("ADEBITAR_CLIENTE", 1)},
        {QStringLiteral("NRO")},
        {Ix("IX_REPARACOES_DATENC", {"DATENC"}), Ix("IX_REPARACOES_CLICHENRO", {"CLICHENRO"}),
         Ix("IX_REPARACOES_DESENHONRO", {"DESENHONRO"}), Ix("IX_REPARACOES_SIGLACLI", {"SIGLACLI"}),
         Ix("IX_REPARACOES_FORNSIGLA", {"FORNSIGLA"}),
         Ix("IX_REPARACOES_TIPOREG", {"TIPOREG", "DATENC"})}};
    t << TableDef{QStringLiteral("UTILIZADORES"),
                  {T("NRO", 15),
                   T("PASSWOR", 15),
                   T("NOM", 30),
                   T("TITULO", 10),
                   T("TELEFONE", 18),
                   T("TELFAX", 18),
                   {QStringLiteral("UPGRADE_LICENSE"), ColumnType::Text, 1, QStringLiteral("N")}},
                  {QStringLiteral("NRO")},
                  {}};
    t << TableDef{QStringLiteral("APLICACAOCAP"),
                  {T("APLICACAO", 20), T("CAPITULO", 30)},
                  {},
                  {Ux("UX_APLICACAOCAP", {"APLICACAO", "CAPITULO"})}};
    t << TableDef{QStringLiteral("APLICACAOMST"),
                  {T("APLICACAO", 20), T("CAPITULO", 30), T("PROGRAMA", 40)},
                  {},
                  {Ux("UX_APLICACAOMST", {"APLICACAO", "CAPITULO", "PROGRAMA"})}};
    t << TableDef{QStringLiteral("APLICACAODET"),
                  {T("APLICACAO", 20), T("CAPITULO", 30), T("PROGRAMA", 40), I("EMPNRO"),
                   T("UTIL", 15), T("ACEDER", 1), T("INSERIR", 1), T("ALTERAR", 1),
                   T("ELIMINAR", 1), T("IMPORTAR", 1), T("IMPRIMIR", 1), T("ARQUIVAR", 1),
                   T("MAIL", 1), T("SCANNER", 1)},
                  {QStringLiteral("APLICACAO"), QStringLiteral("CAPITULO"),
                   QStringLiteral("PROGRAMA"), QStringLiteral("EMPNRO"), QStringLiteral("UTIL")},
                  {Ix("IX_APLICACAODET_UTIL", {"UTIL"})}};
    t << TableDef{QStringLiteral("PARAMTMP"),
                  {T("UTIL", 15), T("APLICACAO", 30), I("EMPNRO"), T("EMPNOM", 40), D("DATA"),
                   D("HORA"), T("ANO", 4), T("MES", 2), T("DIA", 2)},
                  {QStringLiteral("UTIL"), QStringLiteral("APLICACAO")},
                  {}};
    t << TableDef{QStringLiteral("ACTUAL_VERSAO"),
                  {I("EMPRESA"), T("PROGRAMA", 10), T("VERSAO", 6), D("DATULTACT")},
                  {},
                  {}};
    return t;
}

QList<TableDef> invoicingTables() {
    QList<TableDef> t;
    t << TableDef{QStringLiteral("CLIENTES"),
                  {I("CODIGO"), T("NOME", 40), T("SIGLA", 15)},
                  {QStringLiteral("CODIGO")},
                  {Ix("IX_CLIENTES_NOME", {"NOME"})}};
    t << TableDef{QStringLiteral("FORNECEDORES"),
                  {I("CODIGO"), T("NOME", 40), T("SIGLA", 15)},
                  {QStringLiteral("CODIGO")},
                  {Ix("IX_FORNECEDORES_NOME", {"NOME"})}};
    t << TableDef{QStringLiteral("VENDEDORES"),
                  {I("CODIGO"), T("NOME", 40)},
                  {QStringLiteral("CODIGO")},
                  {Ix("IX_VENDEDORES_NOME", {"NOME"})}};
    t << TableDef{QStringLiteral("STKPARGER"),
                  {T("ANO", 4), T("COD_CLICHES", 8), T("COD_CORTANTES", 8)},
                  {QStringLiteral("ANO")},
                  {}};
    t << TableDef{
        QStringLiteral("PARGER"), {T("ANO", 4), T("PATHFOTO", 50)}, {QStringLiteral("ANO")}, {}};
    t << TableDef{
        QStringLiteral("ARTIGOSCLS"),
        {T("CODIGO", 16),    T("DESIGNACAO", 40), T("DESIGNACAO2", 40), T("CCUSTO", 8),
         T("TIPOARTIGO", 2), T("FAMILIA", 10),    T("UNVENDA", 3),      T("UNCOMPRA", 3),
         T("VOSREF", 15),    F("PESO"),           F("VOLUME"),          F("COMPRIM"),
         F("LARGURA"),       F("ALTURA"),         F("PRECO1"),          F("PRECO2"),
         F("PRECO3"),        F("PRECO4"),         I("CODIVA"),          T("DESCONTINUADO", 1),
         T("POSPAUTAL", 18), S("NROFOTOS"),       T("MEDIDAS", 1),      T("GRELHA", 1),
         I("CODIGOGRELHA"),  I("COMISSAO"),       I("COMPOSICAO"),      T("CORDES", 15),
         T("TAMDES", 7),     F("FACTCONV"),       T("UNCONV", 3),       F("PTOENC"),
         F("STKMIN"),        F("STKMAX"),         T("ROTURA", 1),       D("DTABERTURA"),
         D("DTULTENT"),      D("DTULTSAI"),       D("DTULTDEV"),        D("DTULTINV"),
         F("PMCUSTO"),       F("PULENTRA"),       F("CUSTOPADRAO"),     F("EXIQTD"),
         F("EXIVAL"),        S("CUSTOM1"),        S("CUSTOM2"),         S("CUSTOM3"),
         S("CUSTOM4"),       S("CUSTOM5"),        S("CUSTOM6"),         S("CUSTOM7"),
         S("CUSTOM8"),       S("CUSTOM9"),        T("DESIGNACAO1", 40), F("QTDCALCULO"),
         T("FICTEC", 1),     T("FICHABASE", 12),  S("NEFIO"),           F("VALOR_CUP"),
         F("VALOR_PUE"),     F("VALOR_PMC"),      D("DATAACTPRECOS"),   T("USA_EXIST", 1),
         T("CODGRUPO", 16),  T("LOTE", 10),       T("CONJUNTO", 1),     I("CORBASE"),
         I("CORBARRA"),      I("MEDIDA"),         I("GRAMAGEM"),        D("DTULTALTER"),
         T("UTILALTER", 15), T("CODBARRAS", 25),  F("PRECOIVA1"),       F("PRECOIVA2"),
         F("PRECOIVA3"),     F("PRECOIVA4"),      S("UNIEMB"),          T("UTIL_ABERTURA", 15)},
        {QStringLiteral("CODIGO")},
        {}};
    return t;
}

QList<TableDef> generalTables() {
    QList<TableDef> t;
    TableDef empresas{
        QStringLiteral("EMPRESAS"),
        {I("EMPNRO"),         T("NOME", 40),       T("MORADA1", 30),     T("MORADA2", 30),
         T("CODPOSTAL", 5),   T("LOCALIDADE", 30), T("NAIRROFISCAL", 5), T("FREGUESIA", 30),
         T("CONCELHO", 30),   T("NIF", 9),         T("TELEFONE", 18),    T("TELFAX", 18),
         T("EMAIL", 30),      T("BANCOS", 1),      T("ANALITICA", 1),    T("MOEDAESTRG", 1),
         T("IMOBILIZADO", 1), T("ARQUIVO", 1),     T("PATHARQUIVO", 70), T("PATHFOTOSLOGO", 50)},
        {QStringLiteral("EMPNRO")},
        {}};
    const char* dbs[] = {"CONTAB",    "FACTURA", "FINANC",   "ARQUIVO",   "STKPROD",
                         "STKMATPRM", "ENCOME",  "SALARIOS", "ESPECIF01", "ESPECIF02"};
    for (const char* db : dbs)
        empresas.columns << ColumnDef{QStringLiteral("BD") + QLatin1String(db), ColumnType::Text,
                                      20};
    for (const char* db : dbs)
        empresas.columns << ColumnDef{QStringLiteral("BDSIGLA") + QLatin1String(db),
                                      ColumnType::Text, 3};
    for (const char* db : dbs)
        empresas.columns << ColumnDef{QStringLiteral("BDDESIGN") + QLatin1String(db),
                                      ColumnType::Text, 20};
    empresas.columns << T("BDGERAL", 20) << I("CODIGO") << T("DISTRITO", 30)
                     << T("BENEFICIARIO", 15) << T("IRC", 20) << F("VALORIRC") << F("VOLUMEVENDAS")
                     << F("CAPITALSOCIAL") << F("PRCPRIVADONAC") << F("PRCESTRANGEIRO")
                     << F("PRCPUBLICO") << T("CONSTITUICAO", 5) << T("ASSOCPATRONAL", 30)
                     << T("ACTIVPRINCIPAL", 30) << T("NATJURIDICA", 30) << T("FORMAGESTAO", 30)
                     << S("EMPSEXMASC") << S("EMPSEXFEMI") << S("MESPROC") << D("ULTPAGAMTO")
                     << T("SIGLAEMPR", 2) << T("FICTEC", 1);
    t << empresas;
    t << TableDef{QStringLiteral("PARAMUTIL"),
                  {T("COMP_NAME", 30), T("UTIL", 10), I("EMPNRO"), T("APLICACAO", 40), T("ANO", 4),
                   D("DATA"), T("PASSWOR", 15)},
                  {QStringLiteral("COMP_NAME"), QStringLiteral("APLICACAO")},
                  {}};
    t << TableDef{QStringLiteral("UTILPASSWORD"),
                  {T("UTIL", 15), I("EMPRESA"), T("BDUSERNAME", 25), T("BDPASSWORD", 25)},
                  {QStringLiteral("UTIL"), QStringLiteral("EMPRESA")},
                  {}};
    return t;
}

QString quoteText(const QString& s) {
    QString q = s;
    q.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

} // namespace

const ColumnDef* TableDef::column(const QString& name) const {
    for (const ColumnDef& c : columns)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QString TableDef::identityColumn() const {
    for (const ColumnDef& c : columns)
        if (c.type == ColumnType::Identity)
            return c.name;
    return {};
}

namespace schema {

const QList<TableDef>& tables(DatabaseKind kind) {
    static const QList<TableDef> mainT = mainTables();
    static const QList<TableDef> invoicingT = invoicingTables();
    static const QList<TableDef> generalT = generalTables();
    switch (kind) {
    case DatabaseKind::Main:
        return mainT;
    case DatabaseKind::Invoicing:
        return invoicingT;
    case DatabaseKind::General:
        break;
    }
    return generalT;
}

const TableDef* findTable(const QString& name) {
    for (DatabaseKind kind : {DatabaseKind::Main, DatabaseKind::Invoicing, DatabaseKind::General})
        for (const TableDef& t : tables(kind))
            if (t.name.compare(name, Qt::CaseInsensitive) == 0)
                return &t;
    return nullptr;
}

QString columnDefinition(const TableDef& table, const ColumnDef& c, const SqlDialect& dialect) {
    QString def = c.name + QLatin1Char(' ') + dialect.columnType(c.type, c.size);
    if (table.primaryKey.contains(c.name) && c.type != ColumnType::Identity)
        def += QStringLiteral(" NOT NULL");
    if (!c.defaultText.isEmpty())
        def += QStringLiteral(" DEFAULT ") + quoteText(c.defaultText);
    if (c.type == ColumnType::Text && dialect.engine() != SqlDialect::Engine::SqlServer)
        def += QStringLiteral(" CHECK (LENGTH(%1) <= %2)").arg(c.name).arg(c.size);
    return def;
}

QStringList createStatements(const TableDef& table, const SqlDialect& dialect) {
    QStringList columns;
    for (const ColumnDef& c : table.columns)
        columns << columnDefinition(table, c, dialect);
    if (!table.primaryKey.isEmpty() && table.identityColumn().isEmpty())
        columns
            << QStringLiteral("PRIMARY KEY (%1)").arg(table.primaryKey.join(QStringLiteral(", ")));
    QStringList out;
    out << QStringLiteral("CREATE TABLE %1 (%2)")
               .arg(table.name, columns.join(QStringLiteral(", ")));
    for (const IndexDef& ix : table.indexes)
        out << createIndexStatement(table, ix);
    return out;
}

QString createIndexStatement(const TableDef& table, const IndexDef& ix) {
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(ix.unique ? QStringLiteral("UNIQUE ") : QString(), ix.name, table.name,
             ix.columns.join(QStringLiteral(", ")));
}

const QList<CatalogueChapter>& rightsCatalogue() {
    static const QList<CatalogueChapter> catalogue = {
        {QStringLiteral("Tabelas Especificas"),
         {QStringLiteral("Parametros Gerais"), QStringLiteral("Desenhadores"),
          QStringLiteral("Cores"), QStringLiteral("Maquinas"), QStringLiteral("Cartoes"),
          QStringLiteral("Modelos")}},
        {QStringLiteral("Cliches"),
         {QStringLiteral("Abertura e Alteracao"), QStringLiteral("Consulta"),
          QStringLiteral("Impressao"), QStringLiteral("Validacao de Cliches")}},
        {QStringLiteral("Desenhos"),
         {QStringLiteral("Abertura e Alteracao"), QStringLiteral("Consulta"),
          QStringLiteral("Impressao"), QStringLiteral("Validacao de Desenhos")}},
        {QStringLiteral("Movimentos"),
         {QStringLiteral("Utiliz.Cliches e Desenhos"), QStringLiteral("Registo de Reparacoes"),
          QStringLiteral("Mapa de Custos"), QStringLiteral("Localizacao"),
          QStringLiteral("Etiquetas")}},
        {QStringLiteral("Administrador"), {QStringLiteral("Administrador")}},
    };
    return catalogue;
}

QStringList databaseScript(DatabaseKind kind, const SqlDialect& dialect) {
    QStringList script;
    if (dialect.isPostgres())
        script << QStringLiteral("SET LOCAL client_min_messages TO warning")
               << QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext SCHEMA public");
    for (const TableDef& t : tables(kind))
        script << createStatements(t, dialect);
    if (kind == DatabaseKind::Main) {
        script << dialect.movementSummaryTriggers();
        for (const CatalogueChapter& c : rightsCatalogue()) {
            script << QStringLiteral(
                          "INSERT INTO APLICACAOCAP (APLICACAO, CAPITULO) VALUES (%1, %2)")
                          .arg(quoteText(kModuleCode), quoteText(c.chapter));
            for (const QString& p : c.programs)
                script << QStringLiteral("INSERT INTO APLICACAOMST (APLICACAO, CAPITULO, PROGRAMA) "
                                         "VALUES (%1, %2, %3)")
                              .arg(quoteText(kModuleCode), quoteText(c.chapter), quoteText(p));
        }
    }
    return script;
}

QString createDatabase(QSqlDatabase db, DatabaseKind kind) {
    const SqlDialect dialect = SqlDialect::forDatabase(db);
    Transaction tx(db);
    if (!tx.isActive())
        return db.lastError().text();
    QSqlQuery q(db);
    for (const QString& statement : databaseScript(kind, dialect)) {
        if (!q.exec(statement))
            return statement + QStringLiteral(": ") + q.lastError().text();
    }
    if (!tx.commit())
        return db.lastError().text();
    return {};
}

} // namespace schema
} // namespace falq
