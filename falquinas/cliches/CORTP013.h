#pragma once
// Cliché validation ("Validação de Clichés"): switches the clichés' UTILIZA between valid
// ("S") and not valid ("N"). A new filter or sort drops the toggles not yet saved.
#include "validationwindow.h"

#include <memory>

namespace Ui {
class TCORTF013;
}

namespace falq {

class TCORTF013 : public ValidationWindow {
    Q_OBJECT
public:
    explicit TCORTF013(Session& session, QWidget* parent = nullptr);
    ~TCORTF013() override;

private:
    std::unique_ptr<Ui::TCORTF013> ui;
};

} // namespace falq
