// Copies values between a window's controls and a view struct, field by
// field as the field table lists them. Each control is found by its object
// name, which is its field name (a rotary control: name + "_" + position; a
// channel check box: name + channel index; an option button: name + caption).
#pragma once
#include <QString>
#include <string>
#include "image/Views.h"

class QCheckBox;
class QWidget;

namespace orv {

class FieldError;

// The core's fixed texts as the editor shows them: the core marks each one
// under a context (ORV_TR_NOOP) and keeps it in English; the editor looks it
// up in the installed translations under the same context. A text the
// translations do not hold (one built with values in it) is shown as it is.
QString coreText(const char* context, const std::string& text);
// A list entry of the field table as shown: "OFF" whole, a numbered entry
// such as "Ch 3" through its pattern "Ch %1", numbers as they are. The
// binders select list entries by index, so a translated entry reads back
// the same.
QString listEntryText(const std::string& entry);
// A refused value's message with its reason translated (the field, the
// value and the row stay as they are).
QString fieldErrorText(const FieldError& error);

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
