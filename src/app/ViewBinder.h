// Copies values between a window's controls and a view struct, field by
// field as the field table lists them. Each control is found by its object
// name, which is its field name (a rotary control: name + "_" + position; a
// channel check box: name + channel index; an option button: name + caption).
#pragma once
#include "image/Views.h"

class QCheckBox;
class QWidget;

namespace orv {

// The group fields and the per-channel check boxes (not the grid cells).
// A check box's value as the views hold it: 0 clear, 1 checked, 2 grey.
int checkBoxValue(const QCheckBox* box);
void setCheckBoxValue(QCheckBox* box, int value);

void controlsToGroupView(const QWidget& window, GroupView& view);
void groupViewToControls(const GroupView& view, QWidget& window);

// Every control of the global window.
void controlsToGlobalsView(const QWidget& window, GlobalsView& view);
void globalsViewToControls(const GlobalsView& view, QWidget& window);
// From now on a user's change of one global control goes at once into its
// own field of `view`; the other fields keep what the last decode put there.
void bindGlobalsEdits(QWidget& window, GlobalsView& view);

}  // namespace orv
