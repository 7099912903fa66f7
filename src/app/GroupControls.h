// The group's own controls on the main window: the group selector
// (cboCurrentGroup), the group label, password and ID, the time-out and
// scan-hold lists, the group scan list box, and the frames down the right
// side with their lists, option buttons and check boxes, each at its twips
// place. The typed group number goes to the editing rules as it is typed.
#pragma once
#include <QCoreApplication>
#include <QObject>
#include <array>
#include "image/Views.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace orv {

class GroupEditor;
class TwipsPlaces;

class GroupControls : public QObject {
    // The main window's texts are translated under the window's name.
    Q_DECLARE_TR_FUNCTIONS(orv::frmGroups)
public:
    // The frames down the right side (and the offset entry below them): their
    // left edge and width in the default layout; a wider window keeps them
    // kFramesFromRight from its right edge.
    static constexpr int kFrameLeft = 6600;
    static constexpr int kFrameWidth = 2460;
    static constexpr int kFramesFromRight = 2600;

    // Makes the controls in `area` (the window's central widget).
    GroupControls(QWidget* area, TwipsPlaces& places, GroupEditor& editor);

    QComboBox* groupSelector() const { return cboCurrentGroup_; }
    // The list index of the group selected (-1 when none).
    int selectedGroup() const;

    // The texts the window shows before any group is read, and then the
    // start values of the lists, options and boxes.
    void showStartTexts();
    void showStartValues();

    // The group's fields into a view, and back. The field table's binder
    // takes the channel check boxes beside the grid with them (they share
    // the area and the view).
    void toView(GroupView& view) const;
    void fromView(const GroupView& view);

    // The default layout: the frames at kFrameLeft, the group scan list box
    // above the check box columns.
    void defaultLayout();
    // A wider window: the frames at `frameLeft`, the group scan list box
    // moved right by `dx` with the check box columns.
    void widen(int frameLeft, int dx);

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    QWidget* area_;
    TwipsPlaces& places_;
    GroupEditor& editor_;
    QComboBox* cboCurrentGroup_ = nullptr;
    QLineEdit* txtGrpLab_ = nullptr;
    QLineEdit* txtPassWord_ = nullptr;
    QLineEdit* txtID_ = nullptr;
    QCheckBox* chkGroupScanList_ = nullptr;
    std::array<QGroupBox*, 7> frames_{};
};

}  // namespace orv
