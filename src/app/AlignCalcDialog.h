// What the three alignment calculators share: opened modal from the
// alignment window once it has put the tuning value into a reference state
// in the radio, each takes the technician's reading(s), and on OK hands the
// computed value to the alignment window; Cancel, Esc and the window's close
// box all hand back -1. The position is kept under the window's two
// settings keys.
#pragma once
#include <QDialog>
#include <functional>
#include <optional>
#include "align/AlignCalc.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace orv {

class UserPrompts;

class AlignCalcDialog : public QDialog {
    Q_OBJECT
public:
    // `setResult` sets the alignment window's member of this calculator.
    AlignCalcDialog(AlignCalculator kind, UserPrompts& prompts, std::function<void(long)> setResult,
                    QWidget* owner, const char* topKey, const char* leftKey);

    // Form_Load, then modal until closed: the saved position (centred
    // without one), the selection for quick overtyping.
    void runModal();

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    virtual std::optional<long> compute() const = 0;
    virtual void selectForOvertyping() = 0;
    // Every way of closing ends here: without a result it counts as Cancel.
    void done(int r) override;

    // Selects `length` characters from `start` for overtyping. The window
    // system clears the selection of a text box without the focus when the
    // window is activated, so a box without the focus gets it back when the
    // keyboard first brings the focus there.
    void keepSelection(QLineEdit* e, int start, int length);
    bool eventFilter(QObject* watched, QEvent* event) override;

    // A frame holding a caption and a text box, added above the buttons.
    QLineEdit* addReading(const QString& frameName, QLabel*& label, const QString& caption,
                          const QString& textName, const QString& text);

private:
    AlignCalculator kind_;
    UserPrompts& prompts_;
    std::function<void(long)> setResult_;
    bool resultSet_ = false;
    const char* topKey_;
    const char* leftKey_;
    QVBoxLayout* readings_;
};

}  // namespace orv
