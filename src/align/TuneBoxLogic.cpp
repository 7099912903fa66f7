#include "align/TuneBoxLogic.h"

#include <algorithm>
#include <cstdio>

namespace orv {

namespace {

int hexDigit(char32_t c) {
    if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
    return -1;
}

constexpr long long kInt32Min = -2147483648LL;
constexpr long long kInt32Max = 2147483647LL;

int32_t toInt32(long long v) { return static_cast<int32_t>(std::clamp(v, kInt32Min, kInt32Max)); }

}  // namespace

const std::vector<std::string>& TuneBoxLogic::propertyNames() {
    static const std::vector<std::string> names{"Value", "Min", "Max", "Wrap", "Delta", "FixLen", "Locked", "MaxInc"};
    return names;
}

TuneBoxProperties TuneBoxLogic::defaultProperties() {
    return {{"Value", 0}, {"Min", 0},    {"Max", 255},   {"Wrap", 0},
            {"Delta", 1}, {"FixLen", 0}, {"Locked", 0}, {"MaxInc", 65535}};
}

TuneBoxLogic::TuneBoxLogic() = default;

void TuneBoxLogic::changed(const char* name) {
    if (onPropertyChanged) onPropertyChanged(name);
}

void TuneBoxLogic::raiseChange() {
    if (onChange) onChange();
}

void TuneBoxLogic::beep() {
    if (onBeep) onBeep();
}

void TuneBoxLogic::moveCursor(int pos) { cursor_ = std::clamp(pos, 0, static_cast<int>(text_.size())); }

// ---------------------------------------------------------------- properties

void TuneBoxLogic::setValue(int32_t newValue) {
    long long v = newValue;
    const long long modulus = static_cast<long long>(max_) + 1;
    if (v > max_ && modulus != 0) v %= modulus;
    if (v < min_) v = max_;
    value_ = toInt32(v);
    changed("Value");
    showValue();
}

void TuneBoxLogic::setMin(int32_t v) {
    min_ = v;
    changed("Min");
}

void TuneBoxLogic::setMax(int32_t v) {
    max_ = v;
    changed("Max");
}

void TuneBoxLogic::setWrap(bool v) {
    wrap_ = v;
    changed("Wrap");
}

void TuneBoxLogic::setFixLen(int16_t v) {
    fixLen_ = v;
    changed("FixLen");
    showValue();
}

void TuneBoxLogic::setDelta(int32_t v) {
    delta_ = v;
    changed("Delta");
}

void TuneBoxLogic::setMaxInc(int32_t v) {
    maxInc_ = v;
    changed("MaxInc");
}

void TuneBoxLogic::setLocked(bool v) {
    locked_ = v;
    changed("Locked");
    enabled_ = !v;
}

void TuneBoxLogic::readProperties(const TuneBoxProperties& props) {
    TuneBoxProperties p = defaultProperties();
    for (const auto& [name, value] : props)
        if (p.count(name)) p[name] = value;
    value_ = toInt32(p["Value"]);
    min_ = toInt32(p["Min"]);
    max_ = toInt32(p["Max"]);
    wrap_ = p["Wrap"] != 0;
    delta_ = toInt32(p["Delta"]);
    fixLen_ = static_cast<int16_t>(std::clamp(p["FixLen"], -32768LL, 32767LL));
    locked_ = p["Locked"] != 0;
    maxInc_ = toInt32(p["MaxInc"]);
}

std::vector<std::pair<std::string, long long>> TuneBoxLogic::writeProperties() const {
    return {{"Value", value_},   {"Min", min_},       {"Max", max_},         {"Wrap", wrap_ ? 1 : 0},
            {"Delta", delta_},   {"FixLen", fixLen_}, {"Locked", locked_ ? 1 : 0}, {"MaxInc", maxInc_}};
}

// ---------------------------------------------------------------- routines

void TuneBoxLogic::showValue() {
    // A negative value shows as its 32-bit two's complement.
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(static_cast<uint32_t>(value_)));
    std::string t = buf;
    if (fixLen_ > 0) {
        const auto n = static_cast<std::size_t>(fixLen_);
        if (t.size() < n) t.insert(0, n - t.size(), '0');
        t = t.substr(t.size() - n);
    }
    text_ = t;
    moveCursor(caret_);
}

int32_t TuneBoxLogic::readEntry() {
    // The text as an unsigned hexadecimal number, so that a four-digit word
    // from 8000 to FFFF reads as 32768 to 65535.
    long long v = 0;
    for (char c : text_) {
        const int d = hexDigit(static_cast<char32_t>(static_cast<unsigned char>(c)));
        if (d < 0) break;
        v = std::min(v * 16 + d, 0xFFFFFFFFLL);
    }
    if (v > max_) v = max_;
    if (v < min_) v = min_;
    if (pending_) setPending(false);
    return toInt32(v);
}

void TuneBoxLogic::stepValue(int16_t direction) {
    if (pending_) value_ = readEntry();

    // The place value of the digit right of the caret, at most MaxInc.
    long long inc = 1;
    if (caret_ < fixLen_) {
        for (int i = 0; i < fixLen_ - caret_ - 1 && inc <= kInt32Max; ++i) inc *= 16;
    }
    if (inc > maxInc_) inc = maxInc_;
    const long long low = inc - 1;
    const long long high = 65535 - low;

    long long v = value_;
    if (direction != 0) {
        v -= inc;
        if (v < min_) {
            if (wrap_) {
                // Keep the digits below the step, take the ones above it from max.
                v = (v & low) + (static_cast<long long>(max_) & high);
                while (inc > 0 && v > max_) v -= inc;
            } else {
                v = min_;
                beep();
            }
        }
    } else {
        v += inc;
        if (v > max_) {
            if (wrap_) {
                v = (v & low) + (static_cast<long long>(min_) & high);
                while (inc > 0 && v < min_) v += inc;
            } else {
                v = max_;
                beep();
            }
        }
    }
    value_ = toInt32(v);
    showValue();
    raiseChange();
}

// ---------------------------------------------------------------- events

void TuneBoxLogic::keyPress(char32_t c) {
    if (!enabled_ || locked_) return;
    if (c >= 'a' && c <= 'f') c = c - 'a' + 'A';
    if (c == 8) {
        // Backspace only moves the caret left; nothing is deleted.
        if (fixLen_ == 0) return;
        if (cursor_ > 0) moveCursor(cursor_ - 1);
    } else if (hexDigit(c) >= 0) {
        // Without a fixed length the locked text box takes no characters.
        if (fixLen_ == 0) return;
        const auto n = static_cast<std::size_t>(fixLen_);
        const char ch = static_cast<char>(c);
        const int s = cursor_;
        if (s < fixLen_) {
            // Overtype the digit at the caret.
            if (static_cast<std::size_t>(s) < text_.size()) text_[static_cast<std::size_t>(s)] = ch;
            else text_ += ch;
            moveCursor(s + 1);
        } else {
            // At the end the digits shift left and the new one enters at the right.
            std::string t = text_ + ch;
            if (t.size() > n) t = t.substr(t.size() - n);
            text_ = t;
            moveCursor(s);
        }
        if (cursor_ >= fixLen_) {
            value_ = readEntry();
            raiseChange();
        } else {
            setPending(true);
        }
    }
    caret_ = static_cast<int16_t>(cursor_);
}

bool TuneBoxLogic::keyDown(Key k) {
    if (!enabled_) return true;
    switch (k) {
    case Key::Enter:
        if (pending_) {
            value_ = readEntry();
            raiseChange();
        }
        return false;
    case Key::PageUp: stepValue(0); return true;
    case Key::PageDown: stepValue(-1); return true;
    case Key::Up:
        if (onLeave) onLeave(LeaveUp);
        return true;
    case Key::Down:
        if (onLeave) onLeave(LeaveDown);
        return true;
    // The text box's own caret movement.
    case Key::Left: moveCursor(cursor_ - 1); return false;
    case Key::Right: moveCursor(cursor_ + 1); return false;
    case Key::Home: moveCursor(0); return false;
    case Key::End: moveCursor(static_cast<int>(text_.size())); return false;
    case Key::Other: return false;
    }
    return false;
}

void TuneBoxLogic::keyUp(Key k) {
    if (!enabled_) return;
    // Leave comes when the arrow is pressed while the caret already stands
    // at that edge: the remembered caret is the one before this key.
    if (k == Key::Left && caret_ == 0 && onLeave) onLeave(LeaveLeft);
    if (k == Key::Right && caret_ >= fixLen_ && onLeave) onLeave(LeaveRight);
    caret_ = static_cast<int16_t>(cursor_);
}

void TuneBoxLogic::lostFocus() {
    if (!pending_) return;
    value_ = readEntry();
    raiseChange();
}

void TuneBoxLogic::mouseUp(int caret) {
    if (!enabled_) return;
    moveCursor(caret);
    caret_ = static_cast<int16_t>(cursor_);
}

}  // namespace orv
