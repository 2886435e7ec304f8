#pragma once
// Enter moves the focus to the next control, as Tab does, in every data-entry window.
// Install once on a window: `EnterAsTab::install(this)`. Buttons and multi-line editors keep
// their own Enter.
#include <QObject>

class QWidget;

namespace falq {

class EnterAsTab : public QObject {
public:
    static void install(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace falq
