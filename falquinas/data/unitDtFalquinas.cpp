#include "unitDtFalquinas.h"

#include "connections.h"
#include "schema.h"

namespace falq {

namespace {

struct Def {
    QString name;
    QString statement;
    QStringList keys;
    Dataset::ErrorMode mode;
};

const QList<Def>& defs() {
    static const QList<Def> list = {
        {ds::DESENHADORES,
         QStringLiteral("SELECT * FROM DESENHADORES Order BY CODIGO"),
         {"CODIGO"},
         Dataset::ErrorMode::Dialog},
        {ds::CORES,
         QStringLiteral("SELECT * FROM CORES Order BY CODIGO"),
         {"CODIGO"},
         Dataset::ErrorMode::Dialog},
        {ds::MAQUINAS,
         QStringLiteral("SELECT * FROM MAQUINAS Order BY CODIGO"),
         {"CODIGO"},
         Dataset::ErrorMode::Dialog},
        {ds::CLICHES,
         QStringLiteral("SELECT * FROM CLICHES Order BY CLICHENRO"),
         {"CLICHENRO"},
         Dataset::ErrorMode::Dialog},
        {ds::CARTOES,
         QStringLiteral("SELECT * FROM CARTOES Order BY CODIGO"),
         {"CODIGO"},
         Dataset::ErrorMode::Dialog},
        {ds::PARGER,
         QStringLiteral("SELECT * FROM PARGER Order BY CODIGO"),
         {"CODIGO"},
         Dataset::ErrorMode::Dialog},
        {ds::MODELOS,
         QStringLiteral("SELECT * FROM MODELOS Order BY CODIGO"),
         {"CODIGO"},
         Dataset::ErrorMode::Dialog},
        {ds::DESENHOS,
         QStringLiteral("SELECT * FROM DESENHOS Order BY DESENHONRO"),
         {"DESENHONRO"},
         Dataset::ErrorMode::Dialog},
        {ds::LOCAIS,
         QStringLiteral("SELECT * FROM LOCAIS Order BY CODIGO"),
         {"CODIGO"},
         Dataset::ErrorMode::Dialog},
        {ds::MOVIMENTOS,
         QStringLiteral("SELECT * FROM MOVIMENTOS Order BY DATA DESC, NRO DESC"),
         {"NRO"},
         Dataset::ErrorMode::ServerMessage},
        {ds::REPARACOES,
         QStringLiteral("SELECT * FROM REPARACOES Order BY DATENC DESC"),
         {"NRO"},
         Dataset::ErrorMode::ServerMessage},
    };
    return list;
}

QStringList insertColumnsOf(const QString& table) {
    QStringList cols;
    if (const TableDef* t = schema::findTable(table))
        for (const ColumnDef& c : t->columns)
            if (c.type != ColumnType::Identity)
                cols << c.name;
    return cols;
}

void present(Dataset* d) {
    const QString n = d->name();
    if (n == ds::CLICHES) {
        d->setPresentation({{"CLICHENRO", "Cliché (F1)"},
                            {"CORTANTENRO", "Cortante  (F2)"},
                            {"SIGLACLI", "Cliente  (F3)"},
                            {"PRODNRO", "Prod.Nº  (F4)"},
                            {"REFERENCIA", "Referência  (F5)"},
                            {"FORNSIGLA", "Fornecedor  (F6)"}},
                           {"UTILIZA"});
    } else if (n == ds::DESENHOS) {
        d->setPresentation({{"DESENHONRO", "Nº Desenho (F1)"},
                            {"CORTANTENRO", "Cortante  (F2)"},
                            {"SIGLACLI", "Cliente  (F3)"},
                            {"REFERENCIA", "Referência  (F4)"},
                            {"LARG_PLACA", "Larg.Pl (F5)"},
                            {"COMP_PLACA", "Comp.Pl (F6)"},
                            {"VNDNOME", {}},
                            {"UTILIZA", {}, true},
                            {"ROTACOES_PREV", {}},
                            {"PRODNRO", {}},
                            {"COMERCIALNRO", {}}},
                           {}, {{"DATA", "dd/MM/yyyy"}, {"DATAPEDIDA", "dd/MM/yyyy"}});
    } else if (n == ds::CORES) {
        d->setPresentation(
            {{"NUMERO", "Nº Côr"}, {"CODIGO", "Código"}, {"DESIGNACAO", "Designação Côr"}});
    } else if (n == ds::DESENHADORES) {
        d->setPresentation({{"CODIGO", "Código"}, {"NOME", "Desenhador(a)"}});
    } else if (n == ds::MAQUINAS) {
        d->setPresentation({{"CODIGO", "Código"}, {"DESIGNACAO", "Designação"}});
    } else if (n == ds::CARTOES) {
        d->setPresentation({{"CODIGO", "Cartão Nº"}, {"DESIGNACAO", "Designação"}});
    } else if (n == ds::MODELOS) {
        d->setPresentation({{"CODIGO", "Modelo Nº"}, {"DESIGNACAO", "Designação"}});
    } else if (n == ds::LOCAIS) {
        d->setPresentation({{"CODIGO", "Local"},
                            {"DESIGNACAO", "Designação"},
                            {"ZONA", "Zona"},
                            {"ACTIVO", "Activo", true}});
    } else if (n == ds::REPARACOES) {
        // Every column stays presented; the amount shows as currency and the client has a title.
        d->setPresentation({{"NRO", {}},
                            {"CLICHENRO", {}},
                            {"DESENHONRO", {}},
                            {"TIPO", {}},
                            {"ENCNRO", {}},
                            {"DATENC", {}},
                            {"FORNECEDOR", {}},
                            {"FORNSIGLA", {}},
                            {"VALOR", {}, false, "currency"},
                            {"TIPOREG", {}},
                            {"SIGLACLI", "Cliente"},
                            {"FACNRO", {}},
                            {"FACDATA", {}},
                            {"ADEBITAR_CLIENTE", {}, true}});
    }
}

} // namespace

QString defaultStatement(const QString& dataset) {
    for (const Def& d : defs())
        if (d.name == dataset)
            return d.statement;
    return {};
}

Dataset* createReadOnlyCopy(const QString& dataset, QObject* parent, const QString& connection) {
    for (const Def& def : defs()) {
        if (def.name != dataset)
            continue;
        auto* d = new Dataset(def.name, connection, def.statement,
                              UpdateObject{def.name, def.keys, insertColumnsOf(def.name)}, parent);
        present(d);
        return d;
    }
    return nullptr;
}

DataModule* createDtFalquinas(UpdateErrorHandler* handler, QObject* parent,
                              const QString& connection) {
    auto* module = new DataModule(QStringLiteral("DTFALQUINAS"), parent);
    for (const Def& def : defs()) {
        auto* d = new Dataset(def.name, connection, def.statement,
                              UpdateObject{def.name, def.keys, insertColumnsOf(def.name)});
        d->setErrorMode(def.mode);
        if (def.mode == Dataset::ErrorMode::Dialog)
            d->setErrorHandler(handler);
        present(d);
        module->add(d);
    }
    return module;
}

} // namespace falq
