#include "registereditor.h"

#include "codenames.h"

#include "dataset.h"
#include "plantroot.h"
#include "registerfiles.h"
#include "registerlinks.h"
#include "session.h"

#include <QLineEdit>
#include <QTimer>

namespace falq {

using registers::ObjectKind;

namespace {
const QString kNoDrawing = QStringLiteral("Desenho Inexistente ...");
const QString kNoCliche = QStringLiteral("Cliche Inexistente ...");
const QString kDrawingHint =
    QStringLiteral("Digite  %  para localizar Desenho ou Ficha Técnica ...");
const QString kClicheHint = QStringLiteral("Digite  %  para localizar Cliché ...");

} // namespace

RegisterEditor::RegisterEditor(Session& session, Dataset* rows, QWidget* parent)
    : RecordEditor(session, rows, QStringLiteral("NRO"), parent) {}

void RegisterEditor::setEntryParts(const EntryParts& parts, RegisterFiles* files,
                                   PickerCaller caller) {
    m_parts = parts;
    m_files = files;
    m_picker = [this, caller](ObjectKind kind) {
        return registers::pickNumber(m_session, kind, caller, this);
    };
    for (QLineEdit* box : recordBoxes())
        connect(box, &QLineEdit::textEdited, this, [this, box] { m_dirty.insert(box); });
    // Boxes cleared by "&Cancelar" or "&Eliminar" show rows again once the user moves on.
    connect(m_records, &Dataset::currentRowChanged, this, [this] {
        if (m_quiet == 0)
            m_entryCleared = false;
    });
}

void RegisterEditor::showClearedEntry() {
    m_entryCleared = true;
    clearEntry();
}

void RegisterEditor::setPicker(std::function<QString(ObjectKind)> picker) {
    m_picker = std::move(picker);
}

QList<QLineEdit*> RegisterEditor::recordBoxes() const {
    return QList<QLineEdit*>{m_parts.drawing, m_parts.cliche, m_parts.firstValue} + m_parts.values;
}

bool RegisterEditor::isRecordBox(const QWidget* widget) const {
    for (QLineEdit* box : recordBoxes())
        if (box == widget)
            return true;
    return false;
}

QString RegisterEditor::boxHint(const QWidget* box) const {
    if (box == m_parts.drawing)
        return kDrawingHint;
    if (box == m_parts.cliche)
        return kClicheHint;
    return {};
}

void RegisterEditor::CleanLabels() {
    m_number.clear();
    m_files->clear();
}

void RegisterEditor::writeField(const QString& field, const QVariant& value) {
    if (m_mode == Mode::Browse || m_records->currentRow() < 0 || !chosen())
        return; // only the row of the entry is written
    m_records->setFieldValue(field, value);
}

RegisterEditor::Verdict RegisterEditor::checkBox(QLineEdit* box, QString* message) {
    message->clear();
    if (box == m_parts.drawing)
        return Edit_NumberExit(ObjectKind::Drawing, message);
    if (box == m_parts.cliche)
        return Edit_NumberExit(ObjectKind::Cliche, message);
    if (!chosen())
        return Verdict::Accepted; // nothing to write yet; the focus goes back to the drawing
    return checkValue(box, message);
}

RegisterEditor::Verdict RegisterEditor::Edit_NumberExit(ObjectKind kind, QString* message) {
    if (!m_insertFlag)
        return Verdict::Accepted;
    const bool drawing = kind == ObjectKind::Drawing;
    const QString typed = (drawing ? m_parts.drawing : m_parts.cliche)->text();
    const bool empty = typed.isEmpty() || (!drawing && typed == QLatin1String("0"));
    if (chosen() && m_kind != kind)
        return Verdict::Accepted; // the other kind was chosen: this box is out of the entry
    // Empty (or a cliché "0") leads to the other box, and drops what this box had chosen;
    // "%" opens the picker (afterLeave).
    if (empty) {
        if (chosen())
            dropChoice();
        return Verdict::Accepted;
    }
    if (typed == QLatin1String("%"))
        return Verdict::Accepted;
    const QString number = drawing ? typed : registers::clicheNumber(typed);
    if (chosen() && number == m_number)
        return Verdict::Accepted;
    registers::ObjectRow row;
    QString error;
    if (!registers::findObject(kind, number, &row, &error)) {
        *message = !error.isEmpty() ? error : drawing ? kNoDrawing : kNoCliche;
        return Verdict::Refused;
    }
    chooseObject(kind, row);
    return Verdict::Accepted;
}

void RegisterEditor::chooseObject(ObjectKind kind, const registers::ObjectRow& row) {
    // One new row per entry: a new choice changes its number.
    if (m_records->state() != Dataset::State::Insert) {
        ++m_quiet;
        m_records->append();
        --m_quiet;
    }
    m_kind = kind;
    m_number = row.number;
    m_records->setFieldValue(movements::numberColumn(kind), row.number);
    m_records->setFieldValue(registers::otherNumberColumn(kind), QStringLiteral(""));
    m_records->setFieldValue(QStringLiteral("TIPOREG"), registers::kindCode(kind));
    (kind == ObjectKind::Drawing ? m_parts.drawing : m_parts.cliche)->setText(row.number);
    m_files->show(kind, row.number);
    objectChosen(kind, row);
    // Every box of the row is read and checked again at the save.
    m_dirty.insert(m_parts.firstValue);
    for (QLineEdit* box : std::as_const(m_parts.values))
        m_dirty.insert(box);
}

void RegisterEditor::dropChoice() {
    m_number.clear();
    ++m_quiet;
    m_records->cancel(); // the entry's new row goes; a new choice appends another
    --m_quiet;
    m_files->clear();
    objectDropped();
    m_parts.drawing->setEnabled(true);
    m_parts.cliche->setEnabled(true);
}

void RegisterEditor::moveTo(QWidget* box) {
    QTimer::singleShot(0, box, [box] {
        if (box->isEnabled())
            box->setFocus(Qt::OtherFocusReason);
    });
}

void RegisterEditor::pickInto(QLineEdit* box, ObjectKind kind) {
    QTimer::singleShot(0, box, [this, box, kind] {
        const QString number = m_picker ? m_picker(kind) : QString();
        box->setText(kind == ObjectKind::Cliche ? registers::clicheNumber(number) : number);
        m_dirty.insert(box);
        box->setFocus(Qt::OtherFocusReason);
    });
}

void RegisterEditor::afterLeave(QLineEdit* box, QWidget* now) {
    if (!m_insertFlag)
        return;
    const bool intoEntry = now && isRecordBox(now);
    if (box == m_parts.drawing || box == m_parts.cliche) {
        const ObjectKind kind = box == m_parts.drawing ? ObjectKind::Drawing : ObjectKind::Cliche;
        QLineEdit* other = kind == ObjectKind::Drawing ? m_parts.cliche : m_parts.drawing;
        if (chosen() && m_kind != kind)
            return;
        const QString typed = box->text();
        if (typed == QLatin1String("%")) {
            pickInto(box, kind);
        } else if (typed.isEmpty() || (kind == ObjectKind::Cliche && typed == QLatin1String("0"))) {
            other->setEnabled(true);
            if (intoEntry && now != other)
                moveTo(other);
        } else if (chosen()) {
            other->clear();
            other->setEnabled(false);
            if (intoEntry && now != m_parts.firstValue)
                moveTo(m_parts.firstValue);
        }
        return;
    }
    if (!chosen() && intoEntry && now != m_parts.drawing && now != m_parts.cliche) {
        m_parts.drawing->setEnabled(true);
        moveTo(m_parts.drawing);
    }
}

void RegisterEditor::openRows(Dataset* parger) {
    parger->close();
    parger->open();
    ImageParameters params;
    params.clicheFolder =
        resolveFolder(fieldText(parger->fieldValue(QStringLiteral("PATHCLICHE"))));
    params.drawingFolder =
        resolveFolder(fieldText(parger->fieldValue(QStringLiteral("PATHDESENHO"))));
    params.imageType = fieldText(parger->fieldValue(QStringLiteral("TIPOIMAGEM")));
    m_files->setParameters(params);
    m_records->close();
    m_records->setStatement(listStatement({}));
    QString error;
    if (!m_records->open(&error))
        m_session.messages().show(error, true);
}

bool RegisterEditor::beginEntry() {
    if (m_mode != Mode::Browse || m_records->hasPendingUpdates()) {
        // A row whose save failed is corrected or cancelled first.
        m_session.messages().beep();
        return false;
    }
    m_files->clear();
    m_number.clear();
    m_dirty.clear();
    m_insertFlag = true;
    m_cancelFlag = false;
    m_entryCleared = false;
    m_mode = Mode::Insert;
    setBrowsingControls(false);
    enableEntryBoxes();
    clearEntry();
    return true;
}

void RegisterEditor::enableEntryBoxes() {
    const bool on = m_mode != Mode::Browse || m_records->hasPendingUpdates();
    for (QLineEdit* box : recordBoxes())
        box->setEnabled(on);
}

void RegisterEditor::showRowFiles() {
    if (m_mode == Mode::Insert)
        return;
    if (m_records->currentRow() < 0) {
        m_files->clear();
        return;
    }
    const QString kind = fieldText(m_records->fieldValue(QStringLiteral("TIPOREG")));
    if (kind == QLatin1String("DS"))
        m_files->show(ObjectKind::Drawing,
                      fieldText(m_records->fieldValue(QStringLiteral("DESENHONRO"))));
    else if (kind == QLatin1String("CL"))
        m_files->show(ObjectKind::Cliche,
                      fieldText(m_records->fieldValue(QStringLiteral("CLICHENRO"))));
    else
        m_files->clear();
}

} // namespace falq
