#pragma once
// The main menu of the register: every entry with its caption, the chapter and program of
// its access rights, and the page button that duplicates it. One table serves the menu, the
// page buttons and the rights.
#include <QList>
#include <QString>

namespace falq {

struct MenuEntry {
    QString menu;      // caption of the menu it belongs to
    QString caption;   // caption of the entry ("&" marks the accelerator)
    QString component; // object name of the entry's action
    QString chapter;   // CAPITULO of its rights row; empty: never restricted
    QString program;   // PROGRAMA of its rights row
    QString button;    // object name of its page button; empty: none
    QString hint;      // the page button's hint
    QString buttonCaption;
    int page = -1; // page of NBMenu holding the button
    bool separatorBefore = false;
};

const QList<MenuEntry>& menuEntries();
// The pages of NBMenu, in order.
const QStringList& menuPages();

inline const QString kAdministratorChapter = QStringLiteral("Administrador");

} // namespace falq
