#include "align/AlignCalc.h"

#include <cmath>
#include "image/MemoryMap.h"
#include "image/NumText.h"
#include "image/TrNoop.h"

namespace orv {

namespace {

// A reading as a number: the whole text must be one finite number, as the
// ordinary conversion of a text to a double demands.
std::optional<double> reading(const std::string& text) {
    if (!isNumeric(text)) return std::nullopt;
    const double v = numericValue(text);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

// Nearest integer, halves to even, as a 32-bit integer; nothing when the
// value cannot be converted.
std::optional<long> toLong(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const double r = roundHalfEven(x);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<long>(r);
}

// The deviation setting the deviation calculator measures with.
constexpr int kVcoModReference = 115;

bool inReadingRange(double offsetMHz) { return offsetMHz >= 0 && offsetMHz <= 2; }

// A negative result is the word's two's complement.
std::optional<long> asWord(long v) {
    if (v < 0) v += 65536;
    if (v < 0 || v > 65535) return std::nullopt;
    return v;
}

}  // namespace

std::vector<std::pair<int, int>> calcReferenceWrites(AlignCalculator c) {
    using namespace memmap;
    switch (c) {
    case AlignCalculator::PullGain:
        return {{kTuneRefOscSensitivity, 0}, {kTuneRefOscSensitivity + 1, 0}, {kTuneRefOscFrequency, 0},
                {kTuneRefOscFrequency + 1, 0}};
    case AlignCalculator::RefOsc: return {{kTuneRefOscFrequency, 0}, {kTuneRefOscFrequency + 1, 0}};
    case AlignCalculator::VCOMod: return {{kTuneDeviation, kVcoModReference}};
    }
    return {};
}

std::optional<long> calcPullGain(const std::string& channel13, const std::string& channel14) {
    const auto f13 = reading(channel13);
    const auto f14 = reading(channel14);
    if (!f13 || !f14) return std::nullopt;
    const double a = *f13 - 173;
    const double b = *f14 - 173;
    if (!inReadingRange(a) || !inReadingRange(b)) return std::nullopt;
    if (b - a == 0) return std::nullopt;  // division by zero
    const double x = (2.5 / (b - a) - 1000) * 32.768;
    const auto g = toLong(x);
    if (!g) return std::nullopt;
    return asWord(*g);
}

std::optional<long> calcRefOsc(const std::string& channel13) {
    const auto f13 = reading(channel13);
    if (!f13) return std::nullopt;
    const double a = *f13 - 173;
    if (!inReadingRange(a)) return std::nullopt;
    const double e = ((173.995 - a) - 173) / 173.995 * 1000000;
    const auto r = toLong(e * 512);
    if (!r) return std::nullopt;
    return asWord(*r);
}

std::optional<int> calcVCOMod(const std::string& deviation) {
    const auto d = reading(deviation);
    if (!d) return std::nullopt;
    if (*d == 0) return std::nullopt;  // division by zero
    const auto v = toLong(4.75 / *d * kVcoModReference);
    if (!v || *v < 0 || *v > 255) return std::nullopt;
    return static_cast<int>(*v);
}

std::string calcFailureMessage(AlignCalculator c) {
    switch (c) {
    case AlignCalculator::PullGain:
        return ORV_TR_NOOP("AlignCalc", "Unable to calculate Pull Gain.\rPlease re-check frequencies.");
    case AlignCalculator::RefOsc:
        return ORV_TR_NOOP("AlignCalc",
                           "Unable to calculate Reference Oscillator Adjustment.\rPlease re-check frequencies.");
    case AlignCalculator::VCOMod:
        return ORV_TR_NOOP("AlignCalc", "Unable to calculate VCO Modulation Adjustment.\rPlease re-check reading.");
    }
    return {};
}

}  // namespace orv
