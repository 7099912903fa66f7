// "What Will Change": before a write sends anything, the differences between
// what the radio holds (read just now) and what is to be written, one line
// per field under its group, with the radio's value and the new value; a
// note above the list when the programming was read from another radio.
// Write goes on to the write's own questions; Cancel, Escape and the close
// box send nothing.
#pragma once
#include <QDialog>
#include <QString>
#include <vector>
#include "interchange/Compare.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace orv {

// What the window shows, as the command passes it on (a test answers it).
struct ChangeListView {
    std::vector<Difference> changes;
    QString note;   // the other radio's note, or empty
};

class frmChanges : public QDialog {
    Q_OBJECT
public:
    frmChanges(const ChangeListView& view, QWidget* owner = nullptr);

    QLabel* lblSummary() const { return lblSummary_; }
    QLabel* lblNote() const { return lblNote_; }
    QTreeWidget* treChanges() const { return treChanges_; }
    QPushButton* cmdWrite() const { return cmdWrite_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

    // The heading a difference stands under ("Global parameters",
    // "Group 3") and its text there ("Channel 5 Rec Freq").
    static QString groupHeading(const Difference& d);
    static QString fieldText(const Difference& d);

private:
    QLabel* lblSummary_;
    QLabel* lblNote_;
    QTreeWidget* treChanges_;
    QPushButton* cmdWrite_;
    QPushButton* cmdCancel_;
};

// Shows the window modal over `owner`: true when the user chose Write.
bool askWriteChanges(QWidget* owner, const ChangeListView& view);

}  // namespace orv
