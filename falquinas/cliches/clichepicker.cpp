#include "clichepicker.h"

#include "connections.h"
#include "dataset.h"
#include "imagefiles.h"

namespace falq {

namespace {
RecordPicker::Kind clicheKind() {
    return {
        QStringLiteral("CLICHES"),
        QStringLiteral("CLICHENRO"),
        12,
        QStringLiteral("Consulta de Clichés"),
        QStringLiteral("Cliches"),
        {QStringLiteral("TFACFMENUB"), QStringLiteral("TCORTF030B"), QStringLiteral("TCORTF031B")},
        {{"CLICHENRO", "Cliché"},
         {"CORTANTENRO", "Cortante"},
         {"SIGLACLI", "Cliente"},
         {"PRODNRO", "Prod.Nº"},
         {"REFERENCIA", "Referência"},
         {"FORNSIGLA", "Fornecedor"},
         {"REFER_FORN", "Refer.Forn."}},
        {12, 15, 15, 8, 25, 15, 25},
        {{"MODELO_DES", "Modelo"}, {"MAQUINA_DES", "Máquina"}, {"CODBARRAS", "Cód.Barras"}},
        true};
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

QString TFACFMENUB::photoPath(const ImageParameters& params, const QString& number) const {
    return clicheImagePath(params, number);
}

QString pickCliche(Session& session, PickerCaller caller, QWidget* parent) {
    TFACFMENUB picker(session, caller, parent);
    picker.exec();
    return picker.pick();
}

} // namespace falq
