// The three alignment calculators without their windows: the reference
// state each puts into the radio when it opens, the tuning value it computes
// from the technician's readings, and the message when it cannot.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orv {

enum class AlignCalculator { PullGain, RefOsc, VCOMod };

// The reference writes of a calculator, in order: (page-0 address, value),
// each sent as a masked write of the whole byte.
std::vector<std::pair<int, int>> calcReferenceWrites(AlignCalculator c);

// Pull gain from the measured frequencies of channels 13 and 14 (MHz, as
// typed): 32768 x (nominal spacing / measured spacing - 1), as a 16-bit word.
std::optional<long> calcPullGain(const std::string& channel13, const std::string& channel14);
// Reference oscillator word from the measured frequency of channel 13 (MHz):
// the error in parts per million against 173.995 MHz, times 512, as a word.
std::optional<long> calcRefOsc(const std::string& channel13);
// Deviation setting from the deviation measured on channel 1 (kHz) with the
// setting at 115: the setting that scales it to 4.75 kHz, 0..255.
std::optional<int> calcVCOMod(const std::string& deviation);

// The two-line message (lines joined by a carriage return) shown with the
// title "ORV Alignment" when a calculator cannot compute its value.
std::string calcFailureMessage(AlignCalculator c);

}  // namespace orv
