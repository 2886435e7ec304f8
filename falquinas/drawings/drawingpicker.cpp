#include "drawingpicker.h"

#include "drawingrules.h"

#include "dataset.h"

namespace falq {

namespace {
RecordPicker::Kind drawingKind() {
    RecordPicker::Kind k{drawings::kind()};
    k.caption = QStringLiteral("Pesquisa de Desenhos (Ficha Técnica)");
    k.windowNames[0] = QStringLiteral("TFACFMENUA");
    k.windowNames[1] = QStringLiteral("TCORTF030A");
    k.windowNames[2] = QStringLiteral("TCORTF031A");
    k.widths = {20, 15, 15, 25, 15, 15, 5, 5, 5, 5, 5};
    k.detail = drawings::detailColumns();
    k.navigator = false;
    return k;
}
} // namespace

TFACFMENUA::TFACFMENUA(Session& session, PickerCaller caller, QWidget* parent)
    : RecordPicker(session, caller, drawingKind(), new DrawingCriteriaPage(session), parent),
      m_criteria(static_cast<DrawingCriteriaPage*>(m_page)) {}

SearchStatement TFACFMENUA::statement() const {
    return drawings::searchStatement(m_criteria->criteria(), m_records->dialect());
}

QString pickDrawing(Session& session, PickerCaller caller, QWidget* parent) {
    TFACFMENUA picker(session, caller, parent);
    picker.exec();
    return picker.pick();
}

} // namespace falq
