#pragma once
// Splash window shown while the program starts.
#include <QWidget>

namespace falq {

class TFALQUINASAPMENU : public QWidget {
    Q_OBJECT
public:
    explicit TFALQUINASAPMENU(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace falq
