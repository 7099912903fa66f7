#include "app/frmPullGain.h"

#include <QLineEdit>

namespace orv {

frmPullGain::frmPullGain(UserPrompts& prompts, std::function<void(long)> setResult, QWidget* owner)
    : AlignCalcDialog(AlignCalculator::PullGain, prompts, std::move(setResult), owner, "PullGainTop", "PullGainLeft") {
    setObjectName(QStringLiteral("frmPullGain"));
    setWindowTitle(tr("Reference Oscillator Voltage Sensitivity"));
    Text1 = addReading(QStringLiteral("Frame1"), Label1[0],
                       tr("Enter the measured frequency from channel 13, in MHz."), QStringLiteral("Text1"),
                       QStringLiteral("173.9950"));
    Text2 = addReading(QStringLiteral("Frame2"), Label1[1],
                       tr("Enter the measured frequency from channel 14, in MHz."), QStringLiteral("Text2"),
                       QStringLiteral("173.9975"));
}

std::optional<long> frmPullGain::compute() const {
    return calcPullGain(Text1->text().toStdString(), Text2->text().toStdString());
}

void frmPullGain::selectForOvertyping() {
    // The last two digits of "173.9950" are selected.
    keepSelection(Text1, 6, 10);
    keepSelection(Text2, 6, 10);
    Text1->setFocus();
}

}  // namespace orv
