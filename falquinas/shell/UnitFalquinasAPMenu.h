#pragma once
// Splash window shown while the program starts, and what the program entry sets up.
#include <QWidget>

namespace falq {

// The application's title, "Falquinas e Clichés": the caption of its message boxes. Windows
// keep their own captions; nothing is added to them.
QString applicationTitle();
// Names the application and sets its locale.
void prepareApplication();

class TFALQUINASAPMENU : public QWidget {
    Q_OBJECT
public:
    explicit TFALQUINASAPMENU(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace falq
