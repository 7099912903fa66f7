// The reference oscillator calculator ("Reference Oscillator Frequency
// Adjust"): from the measured frequency of test channel 13 (173.995 MHz) the
// reference oscillator frequency word. Opening it zeroes that word in the radio.
#pragma once
#include "app/AlignCalcDialog.h"

namespace orv {

class frmRefOsc : public AlignCalcDialog {
    Q_OBJECT
public:
    frmRefOsc(UserPrompts& prompts, std::function<void(long)> setResult, QWidget* owner);

    QLabel* Label1[1] = {nullptr};
    QLineEdit* Text1 = nullptr;

protected:
    std::optional<long> compute() const override;
    void selectForOvertyping() override;
};

}  // namespace orv
