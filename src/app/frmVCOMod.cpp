#include "app/frmVCOMod.h"

#include <QLineEdit>

namespace orv {

frmVCOMod::frmVCOMod(UserPrompts& prompts, std::function<void(long)> setResult, QWidget* owner)
    : AlignCalcDialog(AlignCalculator::VCOMod, prompts, std::move(setResult), owner, "VCOModTop", "VCOModLeft") {
    setObjectName(QStringLiteral("frmVCOMod"));
    setWindowTitle(tr("Transmit Deviation"));
    Text1 = addReading(QStringLiteral("Frame1"), Label1[0],
                       tr("Enter the measured deviation from channel 1, in KHz."), QStringLiteral("Text1"),
                       QStringLiteral("0.00"));
}

std::optional<long> frmVCOMod::compute() const {
    const std::optional<int> v = calcVCOMod(Text1->text().toStdString());
    return v ? std::optional<long>(*v) : std::nullopt;
}

void frmVCOMod::selectForOvertyping() {
    keepSelection(Text1, 0, static_cast<int>(Text1->text().size()));
    Text1->setFocus();
}

}  // namespace orv
