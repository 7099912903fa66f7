// The one-line reports of the radio commands once they ended: what was read
// or written, on which device, and the backup kept. The editor shows them in
// its status bar.
#pragma once

#include <string>
#include "image/TrNoop.h"
#include "job/RadioPart.h"

namespace orv {

// "15 groups and the global information", "the global information",
// "group 3", "15 groups".
std::string radioPartText(RadioPart part, int group = 0);

// "Read group 3 from /dev/ttyUSB0 — backup 20261208-120207-read.orv" (the
// backup's file name only; "no backup kept" when `backupPath` is empty).
std::string readDoneText(RadioPart part, int group, const std::string& device, const std::string& backupPath);
// "Wrote group 3 to /dev/ttyUSB0".
std::string wroteText(RadioPart part, int group, const std::string& device);
// "Reading group 3 from /dev/ttyUSB0 failed" / "... cancelled"; the same for
// "Writing ... to" and "Verifying the radio on".
enum class RadioAction { Read, Write, Verify };
std::string radioEndedText(RadioAction action, RadioPart part, int group, const std::string& device, bool cancelled);

// The first question before anything is written to a radio.
inline constexpr const char* kConfirmWrite = ORV_TR_NOOP("JobText", "Are you sure you want to write to the radio?");

// What a write says, and sends nothing, when the radio it read first
// already holds what it would write.
inline constexpr const char* kRadioHoldsIt = ORV_TR_NOOP("JobText", "The radio already holds this programming.");

// The verdict of a verify that found the radio as it should be.
inline constexpr const char* kRadioMatches = ORV_TR_NOOP("JobText", "Radio matches");

}  // namespace orv
