// The one table of the programmable fields as the windows show them: the
// control name, the member of the view struct that holds its value, and the
// list entries where it is a list. The command-line tool's JSON form, the
// group window's binders and the global window's binders all take their
// field lists from here, so a field is named and bound in one place.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <vector>
#include "image/FieldRules.h"
#include "image/Views.h"

namespace orv::fields {

using Entries = const std::vector<std::string>& (*)();

// ---- group controls -----------------------------------------------------------
enum class GroupKind {
    Text,      // a text box: `text`
    List,      // a list: its index in `number`, entries from `entries`
    ListText,  // a list whose selection is held as its text: `text`
    Check,     // a check box, 0/1/2: `number`
    Option     // a pair of option buttons named name + caption: `optFirst`, `optSecond`
};
struct GroupField {
    const char* name;
    GroupKind kind;
    std::string GroupView::*text = nullptr;
    int GroupView::*number = nullptr;
    Entries entries = nullptr;
    bool GroupView::*optFirst = nullptr;
    const char* firstCaption = nullptr;
    bool GroupView::*optSecond = nullptr;
    const char* secondCaption = nullptr;
    FieldKind rule = FieldKind::Label;  // Text: what the field accepts
};
// In the order of the group screen.
const std::vector<GroupField>& groupFields();

// ---- channel grid ---------------------------------------------------------------
enum class CellKind { Freq, CodeGuard, Label };
struct CellField {
    const char* name;  // the column caption
    int column;
    CellKind kind;
    FieldKind rule;  // what the cell accepts
};
// Columns 1..5 ("Rec Freq", "Rec CG", "Tx Freq", "Tx CG", "Ch Label").
const std::vector<CellField>& cellFields();
// Column 0's caption in the working table and the grid.
inline constexpr const char* kChanColumn = "Chan";
struct ChannelCheck {
    const char* name;  // control array name: box c is name + c
    std::array<int, kChannels> ChannelGridView::*member;
};
// "chkScan", "chkNarr", "chkLoPower".
const std::vector<ChannelCheck>& channelChecks();

// ---- global controls ------------------------------------------------------------
struct GlobalList {
    const char* name;
    int GlobalsView::*member;
    Entries entries;
};
// The unit-wide lists and the toggle-switch assignments, in the order of the
// global window (the rotary switch follows them).
const std::vector<GlobalList>& globalHeadLists();
// "cboGlobalGroup" and "cboGlobalChannel" (after the rotary switch).
const std::vector<GlobalList>& globalTailLists();
// One rotary position: two lists and two check boxes (entries == nullptr).
struct RotaryField {
    const char* name;  // control array name: position p is name + "_" + p
    std::array<int, kRotaryPositions> GlobalsView::*member;
    Entries entries;
};
const std::vector<RotaryField>& rotaryFields();

}  // namespace orv::fields
