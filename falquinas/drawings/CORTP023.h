#pragma once
// Drawing validation ("Validação de Desenhos"): switches the drawings' UTILIZA between valid
// ("S") and not valid ("N"). The toggles are written when the grid loses the focus, so a new filter
// or sort keeps them.
#include "validationwindow.h"

#include <memory>

namespace Ui {
class TCORTF023;
}

namespace falq {

class TCORTF023 : public ValidationWindow {
    Q_OBJECT
public:
    explicit TCORTF023(Session& session, QWidget* parent = nullptr);
    ~TCORTF023() override;

private:
    std::unique_ptr<Ui::TCORTF023> ui;
};

} // namespace falq
