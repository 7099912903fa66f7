// The "Move Banks" dialog: the two group positions of a move and OK. It is
// made on first use, owned by the main window and hidden (not destroyed)
// after OK, so the positions chosen last are offered again. There is no
// Cancel: closing it by its close box moves nothing.
#pragma once
#include <QDialog>
#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace orv {

class frmMove : public QDialog {
    Q_OBJECT
public:
    explicit frmMove(QWidget* owner);

    QComboBox* cboFromBank() const { return cboFromBank_; }
    QComboBox* cboToBank() const { return cboToBank_; }
    QLabel* lblFromBank() const { return lblFromBank_; }
    QLabel* lblToBank() const { return lblToBank_; }
    QPushButton* btnMoveOK() const { return btnMoveOK_; }
    QFrame* Line1() const { return Line1_; }

    // Runs the move for the two position texts; false keeps the dialog open
    // (a position it refused).
    std::function<bool(const QString& fromText, const QString& toText)> moveRequested;

    // Centres the dialog on the screen and shows it modally until OK or its
    // close box; nothing when it is already shown.
    void showCentred();

    void btnMoveOK_Click();

private:
    QComboBox* cboFromBank_ = nullptr;
    QComboBox* cboToBank_ = nullptr;
    QLabel* lblFromBank_ = nullptr;
    QLabel* lblToBank_ = nullptr;
    QPushButton* btnMoveOK_ = nullptr;
    QFrame* Line1_ = nullptr;
};

}  // namespace orv
