#pragma once
// Enter moves the focus to the next control, as Tab does, in every data-entry window.
// Install once on a window: `EnterAsTab::install(this)`. Buttons and multi-line editors keep
// their own Enter; lists and grids keep theirs too unless the window asks for
// `Grids::MoveOn` (then Enter leaves a list or grid for the next control, except while one of
// its cells is being edited).
#include <QObject>

class QWidget;

namespace falq {

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
