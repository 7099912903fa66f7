// The one table of the programmable fields as the windows show them: the
// control name, the member of the view struct that holds its value, the
// list entries where it is a list, and the bits of the memory it is stored
// in (through the memory map). The command-line tool's JSON form, the group
// window's binders, the global window's binders and the comparison of two
// images all take their field lists from here, so a field is named, bound
// and placed in one place.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <vector>
#include "image/FieldRules.h"
#include "image/MemoryMap.h"
#include "image/Views.h"

namespace orv::fields {

using Entries = const std::vector<std::string>& (*)();
// The bits a field is stored in, byte by byte.
using Bits = std::vector<memmap::BitField>;

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
    Bits bits;                          // offsets within the group's parameter block
};
// In the order of the group screen.
const std::vector<GroupField>& groupFields();

// ---- channel grid ---------------------------------------------------------------
enum class CellKind { Freq, CodeGuard, Label };
struct CellField {
    const char* name;  // the column caption
    int column;
    CellKind kind;
    FieldKind rule;          // what the cell accepts
    int recordOffset = -1;   // Freq, CodeGuard: its word in the channel record (a Label has its own bytes)
};
// Columns 1..5 ("Rec Freq", "Rec CG", "Tx Freq", "Tx CG", "Ch Label").
const std::vector<CellField>& cellFields();
// Column 0's caption in the working table and the grid.
inline constexpr const char* kChanColumn = "Chan";
struct ChannelCheck {
    const char* name;  // control array name: box c is name + c
    std::array<int, kChannels> ChannelGridView::*member;
    int flagWord;  // the pair of flag bytes in the parameter block (memmap::pairBit)
};
// "chkScan", "chkNarr", "chkLoPower".
const std::vector<ChannelCheck>& channelChecks();

// ---- global controls ------------------------------------------------------------
// The frames of the global window.
enum class GlobalFrame { Unit, ToggleSwitches, RotarySwitch };
struct GlobalList {
    const char* name;
    int GlobalsView::*member;
    Entries entries;
    Bits bits;  // page-0 addresses
    GlobalFrame frame;
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
    memmap::BitField (*value)(int position);  // the position's own bits, or nullptr
    int flagPair;                             // the pair of per-position flag bytes
    // The control of position p (0..15): name + "_" + p.
    std::string nameAt(int p) const { return std::string(name) + "_" + std::to_string(p); }
    // The bits of position p (0..15).
    Bits bitsAt(int p) const {
        Bits b;
        if (value) b.push_back(value(p));
        b.push_back(memmap::pairBit(flagPair, p));
        return b;
    }
};
const std::vector<RotaryField>& rotaryFields();

}  // namespace orv::fields
