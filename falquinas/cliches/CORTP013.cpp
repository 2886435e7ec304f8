#include "CORTP013.h"

#include "clicherules.h"

#include "ui_CORTP013.h"

namespace falq {

namespace {
ValidationKind clicheValidation() {
    ValidationKind k{cliches::kind()};
    k.program = QStringLiteral("Validacao de Cliches");
    k.widths = {13, 15, 18, 8, 20, 18, 6};
    k.viewerName = QStringLiteral("TCORTF013FOTO");
    k.writeOnLeavingGrid = false;
    return k;
}
} // namespace

TCORTF013::TCORTF013(Session& session, QWidget* parent)
    : ValidationWindow(session, clicheValidation(), parent), ui(std::make_unique<Ui::TCORTF013>()) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF013"));
    setUpParts({ui->DBGrid1, ui->Edit_Valida, ui->BotGravar, ui->BitTerminar, ui->NB1,
                ui->previewLayout, ui->documentsLayout, ui->navigatorLayout});
}

TCORTF013::~TCORTF013() = default;

} // namespace falq
