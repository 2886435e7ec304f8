#include "drawingpicker.h"

#include "dataset.h"
#include "imagefiles.h"

namespace falq {

namespace {
RecordPicker::Kind drawingKind() {
    return {
        QStringLiteral("DESENHOS"),
        QStringLiteral("DESENHONRO"),
        20,
        QStringLiteral("Pesquisa de Desenhos (Ficha Técnica)"),
        QStringLiteral("Desenhos"),
        {QStringLiteral("TFACFMENUA"), QStringLiteral("TCORTF030A"), QStringLiteral("TCORTF031A")},
        {{"DESENHONRO", "Desenho nº"},
         {"CORTANTENRO", "Cortante"},
         {"SIGLACLI", "Cliente"},
         {"REFERENCIA", "Referência"},
         {"CARTAO_DES", "Cartão"},
         {"SIGLAFORN", "Fornecedor"},
         {"COMPRIM", "Compr."},
         {"LARGURA", "Larg."},
         {"ALTURA", "Altura"},
         {"LARG_PLACA", "Lg.Placa"},
         {"COMP_PLACA", "Cp.Placa"}},
        {20, 15, 15, 25, 15, 15, 5, 5, 5, 5, 5},
        drawings::detailColumns()};
}
} // namespace

TFACFMENUA::TFACFMENUA(Session& session, PickerCaller caller, QWidget* parent)
    : RecordPicker(session, caller, drawingKind(), new DrawingCriteriaPage(session), parent),
      m_criteria(static_cast<DrawingCriteriaPage*>(m_page)) {}

SearchStatement TFACFMENUA::statement() const {
    return drawings::searchStatement(m_criteria->criteria(), m_records->dialect());
}

QString TFACFMENUA::photoPath(const ImageParameters& params, const QString& number) const {
    return drawingImagePath(params, number);
}

QString pickDrawing(Session& session, PickerCaller caller, QWidget* parent) {
    TFACFMENUA picker(session, caller, parent);
    picker.exec();
    return picker.pick();
}

} // namespace falq
