// The transmit deviation calculator ("Transmit Deviation"): from the
// deviation measured on test channel 1 with the setting at its reference 115
// the setting that gives 4.75 kHz. Opening it writes the reference setting.
#pragma once
#include "app/AlignCalcDialog.h"

namespace orv {

class frmVCOMod : public AlignCalcDialog {
    Q_OBJECT
public:
    frmVCOMod(UserPrompts& prompts, std::function<void(long)> setResult, QWidget* owner);

    QLabel* Label1[1] = {nullptr};
    QLineEdit* Text1 = nullptr;

protected:
    std::optional<long> compute() const override;
    void selectForOvertyping() override;
};

}  // namespace orv
