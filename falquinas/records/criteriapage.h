#pragma once
// The criteria of a search window (the cliché and drawing pickers, the listing and printing
// windows): range boxes in pairs, text patterns, the sort buttons, each kept in a criteria
// value that the window's statement is built from.
//
// Leaving a box stores what it holds and asks for the search to run again (searchChanged):
// a text bound is cut to its column's size; a number bound is a whole number from 0 to what
// its column can hold (anything else beeps, says "Valor Inválido ..." and puts the focus back,
// the bound unchanged); an upper bound below its lower one beeps, shows the range's message
// and puts the focus on the lower box, without a search; an emptied pattern shows "%" again.
// Text bounds compare as the database compares the number columns (without regard to case).
// A bound left at its default sets no limit (the searches leave it out), so it is never out of
// order with the other bound. Only moves between the window's own widgets count: a refused box
// never blocks closing.
#include "lookupmenu.h"
#include "lookups.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QRadioButton;
class QTabWidget;

namespace falq {

class Dataset;
class Session;

inline const QString kRangeKeysHint =
    QStringLiteral("Teclas <INS> Procura Numérica ... <CTRL+INS> Procura Alfabética");

class CriteriaPage : public QWidget {
    Q_OBJECT
public:
    ~CriteriaPage() override;

    // The notebook of the criteria ("Procurar por?" first) and the group "Ordenar por".
    QTabWidget* book() const { return m_book; }
    QGroupBox* sortGroup() const { return m_sortGroup; }
    // The status panel where the look-up keys are told and which leaving a range box clears.
    void setStatusLabel(QLabel* label) { m_status = label; }

    // Every criterion back to its default, shown in its box.
    virtual void resetToDefaults() = 0;
    // Every range checked again (as printing does before it prints): the first one, in the
    // order of the boxes, whose upper bound lies below its lower one beeps, shows its message
    // and puts the focus on its lower box; false then.
    bool checkRanges();
    // The page's own look-up sets (clients, suppliers, ...), opened while the window is open.
    void openLookups();
    void closeLookups();

signals:
    // A criterion changed: the search runs again.
    void searchChanged();
    // A look-up of a code bound ("Localizar") has closed, a code taken or not.
    void lookupClosed();

protected:
    // `table` holds the columns of the number ranges.
    CriteriaPage(Session& session, const QString& table, QWidget* parent);

    // A page of the notebook with a grid of labelled rows.
    QGridLayout* addPage(const QString& name, const QString& title);
    // A range of text bounds cut to `size` characters; `message` empty: no check of the order.
    // With `zeroIsEmpty` set (setZeroIsEmpty), "0" counts as the empty text. The values that
    // *low and *high hold when the range is added are its defaults.
    void addTextRange(QGridLayout* grid, const QString& label, const QString& lowName,
                      const QString& highName, int size, QString* low, QString* high,
                      const QString& message, bool zeroIsEmpty = false);
    // A range of whole numbers of the table's `column`, from 0 to what the column holds (and
    // at least to the default upper bound). The values *low and *high hold when the range is
    // added are its defaults.
    struct NumberRange {
        const char* label;
        const char* low; // the boxes' names
        const char* high;
        const char* column;
        qint64* from;
        qint64* to;
        QString message;
        bool lookupHint; // the code boxes' status text while they have the focus
    };
    void addNumberRanges(QGridLayout* grid, std::initializer_list<NumberRange> ranges);
    // Name patterns ("%" and "_"), a labelled box each.
    struct PatternBox {
        const char* label;
        const char* name;
        QString* pattern;
    };
    void addPatterns(QGridLayout* grid, std::initializer_list<PatternBox> patterns);
    // The buttons of "Ordenar por", each with the sort's value (sortChoice()).
    struct SortButton {
        const char* text;
        const char* name;
        int id;
    };
    void addSorts(std::initializer_list<SortButton> sorts);
    int sortChoice() const { return m_sort; }
    void setSortChoice(int id) { m_sort = id; }
    // Insert and Ctrl+Insert on the client and supplier bounds (Edit_CliNro1, Edit_FrnNro1, ...).
    void addPartyLookups();
    // Insert and Ctrl+Insert on code bound boxes: "Procura Numérica" over the page's own set
    // `setName` (CLIENTES) in code order, "Procura Alfabética" over `setName` + "ALFA" in name
    // order; the code chosen becomes the bound. `quietBox`'s menu shows no keys.
    void addCodeLookups(const QString& setName, const LookupDef& def, const QStringList& boxNames,
                        const QString& quietBox = {});
    QLineEdit* box(const QString& name) const;
    // Shows every stored criterion in its box.
    void showCriteria();
    // In the pickers of the registers, "0" in a box of a range added with zeroIsEmpty is "".
    void setZeroIsEmpty(bool on) { m_zeroIsEmpty = on; }

    Session& m_session;

private:
    struct Range {
        QLineEdit* low;
        QLineEdit* high;
        bool text;
        int size;
        qint64 maximum;
        QString* lowText;
        QString* highText;
        qint64* lowNumber;
        qint64* highNumber;
        QString message;
        bool zeroIsEmpty;
        bool lookupHint;
        QVariant defaultLow, defaultHigh;
    };
    struct Pattern {
        QLineEdit* box;
        QString* value;
    };

    void addNumberRange(QGridLayout* grid, const QString& label, const QString& lowName,
                        const QString& highName, const QString& column, qint64* low, qint64* high,
                        const QString& message, bool lookupHint);
    QLineEdit* addRangeBoxes(QGridLayout* grid, const QString& label, const QString& lowName,
                             const QString& highName, QLineEdit** high);
    void focusChanged(QWidget* old, QWidget* now);
    void leaveRange(const Range& range, QLineEdit* box);
    void leavePattern(const Pattern& pattern);
    bool storeBound(const Range& range, QLineEdit* box);
    bool inverted(const Range& range, bool* answer);
    void refuse(QLineEdit* focusBox, const QString& message);
    void setStatus(const QString& text);

    QString m_table;
    QTabWidget* m_book;
    QGroupBox* m_sortGroup;
    QButtonGroup* m_sorts;
    QList<Range> m_ranges;
    QList<Pattern> m_patterns;
    QList<QPair<QRadioButton*, int*>> m_sortButtons;
    QMap<QString, Dataset*> m_lookupSets;
    QHash<QGridLayout*, int> m_nextRow;
    QPointer<QLabel> m_status;
    QPointer<QLineEdit> m_refocus; // the box the focus is being put back in
    bool m_zeroIsEmpty = false;
    int m_sort = 0;
};

} // namespace falq
