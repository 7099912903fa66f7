#include "app/frmRefOsc.h"

#include <QLineEdit>

namespace orv {

frmRefOsc::frmRefOsc(UserPrompts& prompts, std::function<void(long)> setResult, QWidget* owner)
    : AlignCalcDialog(AlignCalculator::RefOsc, prompts, std::move(setResult), owner, "XtalAdjTop", "XtalAdjLeft") {
    setObjectName(QStringLiteral("frmRefOsc"));
    setWindowTitle(tr("Reference Oscillator Frequency Adjust"));
    Text1 = addReading(QStringLiteral("Frame1"), Label1[0],
                       tr("Enter the measured frequency from channel 13, in MHz."), QStringLiteral("Text1"),
                       QStringLiteral("173.9950"));
}

std::optional<long> frmRefOsc::compute() const { return calcRefOsc(Text1->text().toStdString()); }

void frmRefOsc::selectForOvertyping() {
    keepSelection(Text1, 6, 10);
    Text1->setFocus();
}

}  // namespace orv
