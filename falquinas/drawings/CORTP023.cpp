#include "CORTP023.h"

#include "drawingrules.h"

#include "ui_CORTP023.h"

namespace falq {

namespace {
ValidationKind drawingValidation() {
    ValidationKind k{drawings::kind()};
    k.photoHint = QStringLiteral("Click 2 Vezes para Amplicar"); // as the drawings' window has it
    k.program = QStringLiteral("Validacao de Desenhos");
    k.widths = {20, 15, 18, 20, 8, 8, 6};
    k.viewerName = QStringLiteral("TCORTF023FOTO");
    k.writeOnLeavingGrid = true;
    return k;
}
} // namespace

TCORTF023::TCORTF023(Session& session, QWidget* parent)
    : ValidationWindow(session, drawingValidation(), parent),
      ui(std::make_unique<Ui::TCORTF023>()) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TCORTF023"));
    setUpParts({ui->DBGrid1, ui->Edit_Valida, ui->BotGravar, ui->BitTerminar, ui->NB1,
                ui->previewLayout, ui->documentsLayout, ui->navigatorLayout});
}

TCORTF023::~TCORTF023() = default;

} // namespace falq
