#pragma once
// Enter moves the focus to the next control, as Tab does, in every data-entry window.
// Install once on a window: `EnterAsTab::install(this)`. Buttons and multi-line editors keep
// their own Enter; lists and grids keep theirs too unless the window asks for
// `Grids::MoveOn` (then Enter leaves a list or grid for the next control, except while one of
// its cells is being edited).
#include <QObject>

class QWidget;

namespace falq {

// Whether a box left for `now` leaves its check to that button: a button clicked with the
// mouse decides for itself ("&Cancelar" discards what the boxes hold, "&Confirmar" runs every
// check itself), while the keyboard walking the controls onto a button (Tab, or Enter as Tab)
// leaves the box like any other move, so the box's check runs. (A button's shortcut clicks it
// without moving the focus.) `reason` is the reason of the focus move that left the box.
bool buttonDecides(const QWidget* now, Qt::FocusReason reason);

class EnterAsTab : public QObject {
public:
    enum class Grids { KeepEnter, MoveOn };
    static void install(QWidget* window, Grids grids = Grids::KeepEnter);
    // Takes a notebook beside the entry (photos, documents) out of the Enter/Tab order: its
    // tab bar takes no focus and its controls take it only from a click.
    static void keepOutOfEntry(QWidget* notebook);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EnterAsTab(QObject* parent, Grids grids) : QObject(parent), m_grids(grids) {}

    Grids m_grids;
};

} // namespace falq
