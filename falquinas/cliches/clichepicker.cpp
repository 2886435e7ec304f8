#include "clichepicker.h"

#include "clicherules.h"

#include "connections.h"
#include "dataset.h"

namespace falq {

namespace {
RecordPicker::Kind clicheKind() {
    RecordPicker::Kind k{cliches::kind()};
    k.caption = QStringLiteral("Consulta de Clichés");
    k.windowNames[0] = QStringLiteral("TFACFMENUB");
    k.windowNames[1] = QStringLiteral("TCORTF030B");
    k.windowNames[2] = QStringLiteral("TCORTF031B");
    k.widths = {12, 15, 15, 8, 25, 15, 25};
    k.detail = {{"MODELO_DES", "Modelo"}, {"MAQUINA_DES", "Máquina"}, {"CODBARRAS", "Cód.Barras"}};
    k.navigator = true;
    return k;
}
} // namespace

TFACFMENUB::TFACFMENUB(Session& session, PickerCaller caller, QWidget* parent)
    : RecordPicker(session, caller, clicheKind(), new ClicheCriteriaPage(session), parent),
      m_criteria(static_cast<ClicheCriteriaPage*>(m_page)) {
    m_criteria->setZeroNumberIsEmpty(caller != PickerCaller::MainWindow);
}

SearchStatement TFACFMENUB::statement() const {
    return cliches::searchStatement(m_criteria->criteria(), m_records->dialect());
}

QString pickCliche(Session& session, PickerCaller caller, QWidget* parent) {
    TFACFMENUB picker(session, caller, parent);
    picker.exec();
    return picker.pick();
}

} // namespace falq
