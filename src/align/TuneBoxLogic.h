// The rules of the hexadecimal tuning control (TuneBox) without a window:
// the value between its limits, the text shown with a fixed number of
// digits, the caret, digits typed over the text, stepping by the place value
// of the digit at the caret, wrap or stop with a beep, and the Change and
// Leave events. The widget forwards its key, focus, mouse and spinner events
// here and shows text(), cursor(), pending() (red text) and enabled().
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace orv {

// The saved design of a TuneBox: property name -> value (Booleans as 0/1).
using TuneBoxProperties = std::map<std::string, long long>;

class TuneBoxLogic {
public:
    // Keys that reach KeyDown / KeyUp. The text box itself moves its caret
    // on Left, Right, Home and End; every other key it leaves alone (it is
    // locked against direct editing).
    enum class Key { Enter, PageUp, PageDown, Left, Right, Up, Down, Home, End, Other };
    // Leave directions.
    enum Direction : int16_t { LeaveLeft = 0, LeaveRight = 1, LeaveUp = 2, LeaveDown = 3 };

    // The eight persisted names in the order they are written.
    static const std::vector<std::string>& propertyNames();
    // Their defaults: Value 0, Min 0, Max 255, Wrap 0, Delta 1, FixLen 0, Locked 0, MaxInc 65535.
    static TuneBoxProperties defaultProperties();

    TuneBoxLogic();

    // Events raised to the host, and the beep.
    std::function<void()> onChange;
    std::function<void(int16_t direction)> onLeave;
    std::function<void()> onBeep;
    // A property was set: the host's saved design must be written again.
    std::function<void(const std::string& name)> onPropertyChanged;

    // ---- properties (the setters' rules)
    int32_t Value() const { return value_; }
    void setValue(int32_t newValue);    // modulo (max + 1) above max, max below min; refreshes
    int32_t min() const { return min_; }
    void setMin(int32_t v);             // neither clamps nor refreshes
    int32_t max() const { return max_; }
    void setMax(int32_t v);
    bool Wrap() const { return wrap_; }
    void setWrap(bool v);
    int32_t FixLen() const { return fixLen_; }
    void setFixLen(int16_t v);          // refreshes
    int32_t Delta() const { return delta_; }
    void setDelta(int32_t v);           // handed to the spinner; stepping does not use it
    int32_t MaxInc() const { return maxInc_; }
    void setMaxInc(int32_t v);
    bool Locked() const { return locked_; }
    void setLocked(bool v);             // the text box and spinner are enabled exactly when not locked

    // ---- persistence: reading puts each value straight into its field
    // (missing names take their defaults) without the setters' rules: no
    // clamping, no refresh, no enabling or disabling. Writing gives all
    // eight, in the order of propertyNames().
    void readProperties(const TuneBoxProperties& props);
    std::vector<std::pair<std::string, long long>> writeProperties() const;

    // ---- what the text box shows
    const std::string& text() const { return text_; }
    int cursor() const { return cursor_; }          // the text box's caret now
    bool pending() const { return pending_; }       // typed digits not yet taken: red text
    bool enabled() const { return enabled_; }       // text box and spinner accept input

    // ---- events of the text box and the spinner
    // Initialisation and showing refresh the text.
    void refresh() { showValue(); }
    // A typed character (KeyPress); 8 is Backspace.
    void keyPress(char32_t c);
    // KeyDown; true when the key was swallowed (the text box must not act on it).
    bool keyDown(Key k);
    void keyUp(Key k);
    void lostFocus();
    // A click that put the text box's caret at `caret`.
    void mouseUp(int caret);
    void spinUp() {
        if (enabled_) stepValue(0);
    }
    void spinDown() {
        if (enabled_) stepValue(-1);
    }

private:
    void showValue();
    int32_t readEntry();
    void stepValue(int16_t direction);
    void setPending(bool p) { pending_ = p; }
    void changed(const char* name);
    void raiseChange();
    void beep();
    void moveCursor(int pos);

    int32_t value_ = 0;
    int32_t min_ = 0;
    int32_t max_ = 255;
    bool wrap_ = false;
    int16_t fixLen_ = 0;
    bool locked_ = false;
    int32_t maxInc_ = 65535;
    int32_t delta_ = 1;
    bool pending_ = false;
    int16_t caret_ = 0;
    bool enabled_ = true;
    std::string text_ = "0000";   // the design text of the text box
    int cursor_ = 0;
};

}  // namespace orv
