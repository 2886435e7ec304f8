#pragma once
// The two searches of a code box (client, supplier, model, machine, colour, ...):
// "Procura Numérica" (Insert) over the set in code order and "Procura Alfabética"
// (Ctrl+Insert) over the set in name order, each a "Localizar" dialog. The box's context menu
// offers both. A row taken puts its code into the box and is announced by chosen(); a search
// cancelled leaves the box as it was.
#include "grids.h"
#include "messages.h"

#include <QObject>
#include <functional>

class QLineEdit;
class QMenu;

namespace falq {

class Dataset;

struct LookupSearch {
    std::function<Dataset*()> open; // the set to search, open (nullptr: nothing to search)
    std::function<void()> close;    // after the dialog, taken or not (may be empty)
    QList<SearchColumn> columns;    // the searched field first
    QString codeField = QStringLiteral("CODIGO");
};

inline const QString kNumericSearch = QStringLiteral("Procura Numérica");
inline const QString kAlphabeticSearch = QStringLiteral("Procura Alfabética");
// The status text of a code box while it has the focus.
inline const QString kLookupKeysHint =
    QStringLiteral("Tecla <INS> ... Procura Numérica, <CTRL+INS> Procura Alfabética ...");

class LookupMenu : public QObject {
    Q_OBJECT
public:
    LookupMenu(QLineEdit* box, Messages& messages, LookupSearch numeric, LookupSearch alphabetic);

    QLineEdit* box() const { return m_box; }
    QMenu* menu() const { return m_menu; }
    // Run the searches (as Insert and Ctrl+Insert do); true when a row was taken.
    bool searchNumeric() { return search(m_numeric); }
    bool searchAlphabetic() { return search(m_alphabetic); }
    // While false the keys and the menu do nothing (read-only boxes).
    void setEnabled(bool on) { m_enabled = on; }
    // When set, opening the box's context menu runs the numeric search at once instead of
    // showing the menu (the designer box of the drawing editor).
    void setMenuRunsNumeric(bool on) { m_menuRunsNumeric = on; }

signals:
    void chosen(const QVariant& code);
    // A search's dialog has closed, a row taken or not (after chosen()).
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool search(const LookupSearch& s);

    QLineEdit* m_box;
    Messages& m_messages;
    LookupSearch m_numeric;
    LookupSearch m_alphabetic;
    QMenu* m_menu;
    bool m_enabled = true;
    bool m_menuRunsNumeric = false;
};

} // namespace falq
