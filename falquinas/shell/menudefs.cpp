#include "menudefs.h"

namespace falq {

const QList<MenuEntry>& menuEntries() {
    static const QString geral = QStringLiteral("&A - Geral");
    static const QString tabelas = QStringLiteral("&B - Tabelas");
    static const QString cliches = QStringLiteral("&B - Clichés");
    static const QString desenhos = QStringLiteral("&C - Desenhos");
    static const QString movimentos = QStringLiteral("&D - Movimentos");
    static const QString tab = QStringLiteral("Tabelas Especificas");
    static const QString cli = QStringLiteral("Cliches");
    static const QString des = QStringLiteral("Desenhos");
    static const QString mov = QStringLiteral("Movimentos");
    static const QList<MenuEntry> entries = {
        {geral, "&A - Empresa e Data", "AEmpresaeData1", {}, {}, {}, {}, {}, -1, false},
        {geral, "&C- Informação s/ últimas alterações", "C1", {}, {}, {}, {}, {}, -1, false},
        {geral, "&C - Sair", "BSair1", {}, {}, {}, {}, {}, -1, true},
        {tabelas,
         "&A - Parâmetros Gerais",
         "TAB000",
         tab,
         "Parametros Gerais",
         {},
         {},
         {},
         -1,
         false},
        {tabelas,
         "&B - Desenhadores",
         "TAB001",
         tab,
         "Desenhadores",
         "BotDesenhadores",
         "Desenhadores",
         {},
         0,
         true},
        {tabelas, "&C - Côres", "TAB002", tab, "Cores", "BotCores", "Côres", {}, 0, false},
        {tabelas,
         "&D - Máquinas",
         "TAB003",
         tab,
         "Maquinas",
         "BotMaquinas",
         "Máquinas",
         {},
         0,
         false},
        {tabelas, "&E - Cartões", "TAB004", tab, "Cartoes", "BotCartoes", "Cartões", {}, 0, false},
        {tabelas, "&F - Modelos", "TAB005", tab, "Modelos", "BotModelos", "Modelos", {}, 0, false},
        {tabelas, "&G - Locais", "TAB006", mov, "Localizacao", "BotLocais", "Locais", {}, 0, false},
        {cliches, "&A - Abertura e Alteração", "CLICHE001", cli, "Abertura e Alteracao",
         "BotAbreCliche", "Abertura e Alteração de Clichés", "Aber", 1, false},
        {cliches, "&B - Validação de Clichés", "CLICHE004", cli, "Validacao de Cliches",
         "BotValidCliche", "Validação de Clichés", "Valid", 1, false},
        {cliches, "&C - Consulta", "CLICHE002", cli, "Consulta", "BotConsCliche",
         "Consulta de Cliches", "Cons", 1, true},
        {cliches, "&D - Impressão", "CLICHE003", cli, "Impressao", "BotImprCliche",
         "Impressão de Cliches", "Impr", 1, false},
        {desenhos, "&A - Abertura e Alteração", "DESENHO001", des, "Abertura e Alteracao",
         "BotAbreDesenhos", "Abertura e Alteração de Desenhos", "Aber", 2, false},
        {desenhos, "&B - Validacao de Desenhos", "DESENHO004", des, "Validacao de Desenhos",
         "BotValidDesenhos", "Validação de Desenhos", "Valid", 2, false},
        {desenhos, "&C - Consulta", "DESENHO002", des, "Consulta", "BotConsDesenhos",
         "Consulta de Desenhos", "Cons", 2, true},
        {desenhos, "&D - Impressão", "DESENHO003", des, "Impressao", "BotImprDesenhos",
         "Impressão de Desenhos", "Impr", 2, false},
        {movimentos, "&A - Utilização de Cliches e Desenhos", "MOVIM001", mov,
         "Utiliz.Cliches e Desenhos", "BotMov001", "Utilização de Cliches e Desenhos", "Utilização",
         3, false},
        {movimentos, "&B - Registo de Reparações", "MOVIM002", mov, "Registo de Reparacoes",
         "BotMov002", "Reparações de Clichés e Cortantes", "Reparaç.", 3, false},
        {movimentos, "&C - Mapa de Custos", "MOVIM003", mov, "Mapa de Custos", "BotMov003",
         "Mapa de Custos", "Custos", 3, true},
        {movimentos, "&D - Vida Útil de Clichés e Cortantes", "MOVIM004", mov,
         "Utiliz.Cliches e Desenhos", "BotMov004", "Vida Útil de Clichés e Cortantes", "Vida Útil",
         3, false},
        {movimentos, "&E - Localização de Clichés e Cortantes", "MOVIM005", mov, "Localizacao",
         "BotMov005", "Localização de Clichés e Cortantes", "Localização", 3, true},
        {movimentos, "&F - Etiquetas de Clichés, Cortantes e Locais", "MOVIM006", mov, "Etiquetas",
         "BotMov006", "Etiquetas de Clichés, Cortantes e Locais", "Etiquetas", 3, false},
    };
    return entries;
}

const QStringList& menuPages() {
    static const QStringList pages = {
        QStringLiteral("Tabelas"), QStringLiteral("Clichés (Especif. Gráficas)"),
        QStringLiteral("Desenhos (Fich.Técnicas)"), QStringLiteral("Utilização/Reparações"),
        QStringLiteral("Fotos")};
    return pages;
}

} // namespace falq
