// The whole programming of a radio as the windows show it: the global window
// and the 15 group screens, decoded from and encoded into a memory image.
// The command-line tool, the group moves, the comparison of two images and
// the CSV interchange all work on this model.
#pragma once
#include <array>
#include "image/MemoryImage.h"
#include "image/Views.h"

namespace orv {

struct Programming {
    GlobalsView globals;
    std::array<GroupView, kGroups> groups;
};

// Read_Globals, then Read_Group for groups 0..14.
Programming decodeProgramming(const MemoryImage& img);

// Write_Globals, then Write_Group for groups 0..14, into `img`. Throws
// FieldError for a value the codecs refuse, its field named with its group
// ("group 3: Ch 5 Rec CG"); `img` may then be partly written, so callers
// encode into a copy.
void encodeProgramming(const Programming& prog, MemoryImage& img);

// Like encodeProgramming, but writes only the fields whose values differ
// between `before` (what `img` decodes to) and `after`, each through its own
// codec writer. Fields left as they were keep their bytes exactly, also where
// the image holds an encoding the codecs would store differently (a tone word
// with non-decimal nibbles, unused bits of a digital code guard, a rotary
// position stored as group nibble 15), so the bits of the edited fields
// change and nothing else.
void encodeChangedFields(const Programming& before, const Programming& after, MemoryImage& img);

// The same for group `g` (0..14), its fields and its channel rows: `before`
// is what `img` decodes to. The group store of the editor writes through it,
// so a field the user left alone keeps its bytes.
void encodeChangedGroup(const GroupView& before, GroupView after, int g, MemoryImage& img);

// The same for the channel rows of group `g` (0..14): `before` is what `img`
// decodes to. A value the channel codec refuses throws FieldError; the fields
// written before it stay written.
void encodeChangedChannels(const ChannelGridView& before, ChannelGridView after, int g, MemoryImage& img);

// How many of the 240 channels hold a value no radio can use: a Receive or
// Transmit frequency outside the band (0, no frequency, is usable), or a
// code guard that is neither a tone nor a digital code ("0A7.0"). A file
// whose channels mostly do so is no radio's programming.
int unusableChannels(const Programming& prog);

}  // namespace orv
