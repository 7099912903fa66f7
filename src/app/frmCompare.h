// The comparison window of "File > Compare with File...": the differences
// between the editor's programming ("This") and a programming file ("That"),
// one row per differing field in the wording of the JSON export (Where, This,
// That) and one per range of bytes no field shows. A double click on a row
// goes to its group in the main window (a global field opens the global
// parameters window).
#pragma once
#include <QWidget>
#include <functional>
#include <vector>
#include "interchange/Compare.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace orv {

class EditorShell;
class UserPrompts;

class frmCompare : public QWidget {
    Q_OBJECT
public:
    // What a double click asks of the main window: show group 0..14, or the
    // global parameters (-1).
    using GoTo = std::function<void(int group)>;
    frmCompare(QWidget* owner, UserPrompts& prompts, GoTo goTo);

    // Fills the window; `thisName` and `thatName` say what was compared.
    void showDifferences(const std::vector<Difference>& diffs, const QString& thisName, const QString& thatName);

    QTableWidget* table() const { return table_; }
    QLabel* lblSummary() const { return lblSummary_; }
    QLabel* lblThis() const { return lblThis_; }
    QLabel* lblThat() const { return lblThat_; }
    QPushButton* cmdClose() const { return cmdClose_; }

private:
    void rowDoubleClicked(int row);

    UserPrompts& prompts_;
    GoTo goTo_;
    QLabel* lblThis_ = nullptr;
    QLabel* lblThat_ = nullptr;
    QLabel* lblSummary_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
};

// "File > Compare with File...": stores the group on screen, asks for a
// programming file and shows the differences between the session's image and
// that file in the main window's comparison window (made when there is none).
// Returns the window, or null when nothing was compared.
frmCompare* compareWithFile(EditorShell& shell, frmCompare::GoTo goTo);

}  // namespace orv
