// The pull gain calculator ("Reference Oscillator Voltage Sensitivity"):
// from the measured frequencies of test channels 13 and 14 (173.995 and
// 173.9975 MHz, 2.5 kHz apart) the reference oscillator voltage sensitivity
// word. Opening it zeroes both reference oscillator words in the radio.
#pragma once
#include "app/AlignCalcDialog.h"

namespace orv {

class frmPullGain : public AlignCalcDialog {
    Q_OBJECT
public:
    frmPullGain(UserPrompts& prompts, std::function<void(long)> setResult, QWidget* owner);

    QLabel* Label1[2] = {nullptr, nullptr};
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;

protected:
    std::optional<long> compute() const override;
    void selectForOvertyping() override;
};

}  // namespace orv
