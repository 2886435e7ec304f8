#include "lookupmenu.h"

#include "dataset.h"
#include "locatedialog.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace falq {

namespace {
enum class LookupKey { None, Numeric, Alphabetic };

LookupKey lookupKey(const QKeyEvent* key) {
    if (key->key() != Qt::Key_Insert)
        return LookupKey::None;
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier)
        return LookupKey::Numeric;
    if (mods == Qt::ControlModifier)
        return LookupKey::Alphabetic;
    return LookupKey::None;
}
} // namespace

LookupMenu::LookupMenu(QLineEdit* box, Messages& messages, LookupSearch numeric,
                       LookupSearch alphabetic)
    : QObject(box), m_box(box), m_messages(messages), m_numeric(std::move(numeric)),
      m_alphabetic(std::move(alphabetic)), m_menu(new QMenu(box)) {
    QAction* n = m_menu->addAction(kNumericSearch, this, [this] { searchNumeric(); });
    n->setShortcut(QKeySequence(Qt::Key_Insert));
    n->setShortcutContext(Qt::WidgetShortcut); // the keys are read by the filter below
    QAction* a = m_menu->addAction(kAlphabeticSearch, this, [this] { searchAlphabetic(); });
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    a->setShortcutContext(Qt::WidgetShortcut);
    box->installEventFilter(this);
}

bool LookupMenu::search(const LookupSearch& s) {
    if (!m_enabled || !s.open)
        return false;
    Dataset* set = s.open();
    bool taken = false;
    QVariant code;
    const bool shown = set && set->isOpen();
    if (shown) {
        LocateDialog dialog(set, s.columns, m_messages, m_box->window());
        taken = dialog.choose();
        if (taken)
            code = set->fieldValue(s.codeField);
    }
    if (s.close)
        s.close();
    if (taken) {
        m_box->setText(code.toString());
        emit chosen(code);
    }
    if (shown)
        emit finished();
    return taken;
}

bool LookupMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_box || !m_enabled)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Ctrl+Insert is the box's own "copy": the search takes the key first.
        if (lookupKey(static_cast<QKeyEvent*>(event)) != LookupKey::None) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::KeyPress:
        switch (lookupKey(static_cast<QKeyEvent*>(event))) {
        case LookupKey::Numeric:
            searchNumeric();
            return true;
        case LookupKey::Alphabetic:
            searchAlphabetic();
            return true;
        case LookupKey::None:
            return false;
        }
        return false;
    case QEvent::ContextMenu:
        if (m_menuRunsNumeric) {
            searchNumeric();
            return true;
        }
        m_menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    default:
        return false;
    }
}

} // namespace falq
