#pragma once
// What the two movement registers (uses, purchases and repairs) share on top of the editors'
// base: the entry of a new row for a drawing or, with the drawing box left empty, a cliché.
//
// "&Inserir" enables and clears the boxes and puts the focus on the drawing box. A drawing or
// cliché number is looked up by key in its table ("Desenho Inexistente ...", "Cliche
// Inexistente ..."); "%" opens the picker; both boxes left empty send the focus back and
// forth. A known number appends the entry's one new row (a new choice changes its number),
// disables the other box, shows the object's photo and documents and moves on to the first
// value box; emptying the chosen number drops the choice and its row, and the other box is
// open again. Every value box is checked again at the save point (the grid taking the focus,
// closing), so a row saved with the mouse stores what the boxes show. "&Cancelar" and
// "&Eliminar" clear the boxes (the date back to the working date) until another row is shown.
#include "recordeditor.h"
#include "registerlinks.h"

#include <functional>

namespace falq {

class RegisterFiles;

class RegisterEditor : public RecordEditor {
    Q_OBJECT
public:
    // The picker of "%" (default: the drawing or cliché picker).
    void setPicker(std::function<QString(registers::ObjectKind)> picker);
    RegisterFiles* files() const { return m_files; }

protected:
    struct EntryParts {
        QLineEdit* drawing;
        QLineEdit* cliche;
        QLineEdit* firstValue;
        QList<QLineEdit*> values; // the other boxes of the row, in their order
    };
    RegisterEditor(Session& session, Dataset* rows, QWidget* parent);
    void setEntryParts(const EntryParts& parts, RegisterFiles* files, PickerCaller caller);

    // An object was chosen and the new row holds its number and kind: the window adds its own.
    virtual void objectChosen(registers::ObjectKind kind, const registers::ObjectRow& row) = 0;
    // A value box's check, only called once an object is chosen.
    virtual Verdict checkValue(QLineEdit* box, QString* message) = 0;
    // The choice was dropped: what objectChosen showed or proposed goes too.
    virtual void objectDropped() {}
    // Every entry box emptied, with the window's proposed values (the working date).
    virtual void clearEntry() = 0;

    // RecordEditor
    Verdict checkBox(QLineEdit* box, QString* message) override;
    bool isRecordBox(const QWidget* widget) const override;
    QList<QLineEdit*> recordBoxes() const override;
    QString typedNumber(const QString& text) const override { return text; }
    void afterLeave(QLineEdit* box, QWidget* now) override;
    void afterSave() override { m_number.clear(); }
    void afterCancel() override { showClearedEntry(); }
    void aboutToDelete() override { showClearedEntry(); }
    void CleanLabels() override;
    QString boxHint(const QWidget* box) const override;

    // The image folders read from `parger`, then the rows opened with the window's statement.
    void openRows(Dataset* parger);
    // "&Inserir": false (a beep) while a row whose save failed waits to be corrected or
    // cancelled; otherwise the entry has started with every box enabled and empty.
    bool beginEntry();
    // Boxes enabled during an entry, and while a row whose save failed waits.
    void enableEntryBoxes();
    // The row's photo and documents by its TIPOREG (none while entering).
    void showRowFiles();
    bool chosen() const { return !m_number.isEmpty(); }
    // True while the boxes stay cleared by "&Cancelar" or "&Eliminar" (no row shown in them).
    bool entryCleared() const { return m_entryCleared; }
    void writeField(const QString& field, const QVariant& value);
    void moveTo(QWidget* box);

    EntryParts m_parts;
    RegisterFiles* m_files = nullptr;
    registers::ObjectKind m_kind = registers::ObjectKind::Drawing;
    QString m_number; // the chosen drawing or cliché ("" none)

private:
    Verdict Edit_NumberExit(registers::ObjectKind kind, QString* message);
    void chooseObject(registers::ObjectKind kind, const registers::ObjectRow& row);
    void dropChoice();
    void showClearedEntry();
    void pickInto(QLineEdit* box, registers::ObjectKind kind);

    std::function<QString(registers::ObjectKind)> m_picker;
    bool m_entryCleared = false;
};

} // namespace falq
