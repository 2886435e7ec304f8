#include "entertab.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QWidget>

namespace falq {

bool buttonDecides(const QWidget* now, Qt::FocusReason reason) {
    return reason == Qt::MouseFocusReason && qobject_cast<const QAbstractButton*>(now);
}

void EnterAsTab::install(QWidget* window, Grids grids) {
    auto* filter = new EnterAsTab(window, grids);
    window->installEventFilter(filter);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(filter);
}

void EnterAsTab::keepOutOfEntry(QWidget* notebook) {
    if (auto* book = qobject_cast<QTabWidget*>(notebook))
        book->tabBar()->setFocusPolicy(Qt::NoFocus);
    const QList<QWidget*> children = notebook->findChildren<QWidget*>();
    for (QWidget* w : children)
        if (w->focusPolicy() & Qt::TabFocus)
            w->setFocusPolicy(w->focusPolicy() == Qt::TabFocus ? Qt::NoFocus : Qt::ClickFocus);
    if (notebook->focusPolicy() & Qt::TabFocus)
        notebook->setFocusPolicy(Qt::ClickFocus);
}

bool EnterAsTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || qobject_cast<QAbstractButton*>(widget) || qobject_cast<QTextEdit*>(widget) ||
        qobject_cast<QPlainTextEdit*>(widget))
        return false;
    if (qobject_cast<QAbstractItemView*>(widget)) {
        // A list or grid with the focus itself (no cell editor open) moves on; a Tab sent to
        // it would only move to its next cell, so the window moves the focus.
        if (m_grids == Grids::KeepEnter || widget != QApplication::focusWidget())
            return false;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(widget->window(), &tab);
        return true;
    }
    if (widget != QApplication::focusWidget() && !widget->isAncestorOf(QApplication::focusWidget()))
        return false;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(widget, &tab);
    return true;
}

} // namespace falq
