// The tuning control's rules without a window: key sequences against the
// text, caret, value and events they must give; the property setters; the
// saved design.
#include <gtest/gtest.h>

#include <sstream>
#include "align/TuneBoxLogic.h"

using orv::TuneBoxLogic;
using Key = TuneBoxLogic::Key;

namespace {

struct BoxSetup {
    int fixLen = 2;
    long value = 0;
    long max = 255;
    long min = 0;
    bool wrap = false;
    long maxInc = 65535;
    bool locked = false;
};

// Records the events as "C" (Change), "L<n>" (Leave) and "B" (beep).
struct Rig {
    TuneBoxLogic box;
    std::string events;
    explicit Rig(const BoxSetup& s) {
        box.setMin(static_cast<int32_t>(s.min));
        box.setMax(static_cast<int32_t>(s.max));
        box.setWrap(s.wrap);
        box.setMaxInc(static_cast<int32_t>(s.maxInc));
        box.setFixLen(static_cast<int16_t>(s.fixLen));
        box.setValue(static_cast<int32_t>(s.value));
        box.setLocked(s.locked);
        box.refresh();
        box.onChange = [this] { add("C"); };
        box.onLeave = [this](int16_t d) { add("L" + std::to_string(d)); };
        box.onBeep = [this] { add("B"); };
    }
    void add(const std::string& e) { events += (events.empty() ? "" : " ") + e; }

    // A key as the window system delivers it: down, the typed character (if
    // any), up.
    void key(Key k, char32_t typed = 0) {
        const bool swallowed = box.keyDown(k);
        if (typed && !swallowed) box.keyPress(typed);
        box.keyUp(k);
    }
    // Tokens: a single character is typed; <BS> <ENT> <L> <R> <U> <D> <HOME>
    // <END> <PU> <PD> are keys; <SU> <SD> the spinner; <OUT> focus lost;
    // @n a click that puts the caret at n.
    void run(const std::string& script) {
        std::istringstream in(script);
        std::string t;
        while (in >> t) {
            if (t == "<BS>") key(Key::Other, 8);
            else if (t == "<ENT>") key(Key::Enter, 13);
            else if (t == "<L>") key(Key::Left);
            else if (t == "<R>") key(Key::Right);
            else if (t == "<U>") key(Key::Up);
            else if (t == "<D>") key(Key::Down);
            else if (t == "<HOME>") key(Key::Home);
            else if (t == "<END>") key(Key::End);
            else if (t == "<PU>") key(Key::PageUp);
            else if (t == "<PD>") key(Key::PageDown);
            else if (t == "<SU>") box.spinUp();
            else if (t == "<SD>") box.spinDown();
            else if (t == "<OUT>") box.lostFocus();
            else if (t[0] == '@') box.mouseUp(std::stoi(t.substr(1)));
            else for (char c : t) key(Key::Other, static_cast<unsigned char>(c));
        }
    }
};

struct Case {
    const char* name;
    BoxSetup setup;
    const char* script;
    const char* text;
    int caret;
    long value;
    bool pending;
    const char* events;
};

}  // namespace

TEST(TuneBoxLogic, KeySequences) {
    const Case cases[] = {
        // Typing over the digits: pending (red) until the caret reaches the end.
        {"first digit is pending", {2, 0x7F}, "@0 3", "3F", 1, 0x7F, true, ""},
        {"last digit completes", {2, 0x7F}, "@0 3 C", "3C", 2, 0x3C, false, "C"},
        {"at the end digits shift in", {2, 0x3C}, "@2 5", "C5", 2, 0xC5, false, "C"},
        {"lower case becomes upper", {2, 0}, "@0 ab", "AB", 2, 0xAB, false, "C"},
        {"non-hex keys change nothing", {2, 0x3C}, "@1 g", "3C", 1, 0x3C, false, ""},
        {"typed text above max is max, text kept", {2, 0, 0x80}, "@0 FF", "FF", 2, 0x80, false, "C"},
        {"word range read unsigned", {4, 0, 65535}, "@0 FFFE", "FFFE", 4, 0xFFFE, false, "C"},
        {"typed text below min is min", {2, 0x50, 255, 0x40}, "@0 12", "12", 2, 0x40, false, "C"},
        {"backspace only moves left", {4, 0x1234, 65535}, "@2 <BS>", "1234", 1, 0x1234, false, ""},
        {"backspace stops at the start", {4, 0x1234, 65535}, "@1 <BS> <BS>", "1234", 0, 0x1234, false, ""},
        {"enter takes a pending entry", {2, 0x7F}, "@0 3 <ENT>", "3F", 1, 0x3F, false, "C"},
        {"enter without entry does nothing", {2, 0x7F}, "@0 <ENT>", "7F", 0, 0x7F, false, ""},
        {"losing focus takes a pending entry", {4, 0, 65535}, "@0 9 <OUT>", "9000", 1, 0x9000, false, "C"},
        {"no fixed length: digits ignored", {0, 0x12}, "@0 5", "12", 0, 0x12, false, ""},
        {"locked: keys ignored", {2, 0x12, 255, 0, false, 65535, true}, "@0 5 <PU> <SU>", "12", 0, 0x12, false, ""},
        // Steps: the place value of the digit at the caret, at most MaxInc.
        {"step at second of four digits is 256", {4, 0x1234, 65535}, "@1 <PU>", "1334", 1, 0x1334, false, "C"},
        {"step at the end is 1", {4, 0x1234, 65535}, "@4 <PD>", "1233", 4, 0x1233, false, "C"},
        {"MaxInc 1: every step is 1", {4, 0x1234, 65535, 0, false, 1}, "@0 <PU>", "1235", 0, 0x1235, false, "C"},
        {"up at max stops and beeps", {2, 255, 255, 0, false, 1}, "<PU>", "FF", 0, 255, false, "B C"},
        {"down at min stops and beeps", {2, 0, 255, 0, false, 1}, "<SD>", "00", 0, 0, false, "B C"},
        {"up at max wraps to min", {2, 255, 255, 0, true, 1}, "<SU>", "00", 0, 0, false, "C"},
        {"down at min wraps to max", {2, 0, 255, 0, true, 1}, "<PD>", "FF", 0, 255, false, "C"},
        {"wrap keeps the digits below the step", {2, 0x05, 255, 0, true}, "@0 <PD>", "F5", 0, 0xF5, false, "C"},
        {"wrap up within the limits", {2, 0x95, 0x9F, 0x10, true}, "@0 <PU>", "15", 0, 0x15, false, "C"},
        {"a step takes a pending entry first", {2, 0x7F}, "@0 3 <SU>", "40", 1, 0x40, false, "C"},
        // Leaving the control.
        {"left at the first position leaves", {2, 0x12}, "@1 <L>", "12", 0, 0x12, false, ""},
        {"left again leaves", {2, 0x12}, "@1 <L> <L>", "12", 0, 0x12, false, "L0"},
        {"right at the end leaves", {2, 0x12}, "@1 <R> <R>", "12", 2, 0x12, false, "L1"},
        {"end then right leaves at once", {4, 0x12}, "@0 <END> <R>", "0012", 4, 0x12, false, "L1"},
        {"up and down arrows leave", {2, 0x12}, "@1 <U> <D>", "12", 1, 0x12, false, "L2 L3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(c.setup);
        rig.run(c.script);
        EXPECT_EQ(rig.box.text(), c.text);
        EXPECT_EQ(rig.box.cursor(), c.caret);
        EXPECT_EQ(rig.box.Value(), c.value);
        EXPECT_EQ(rig.box.pending(), c.pending);
        EXPECT_EQ(rig.events, c.events);
    }
}

TEST(TuneBoxLogic, ValueSetterWrapsAboveMaxAndTakesMaxBelowMin) {
    struct SetCase { long min, max; int fixLen; long set, value; const char* text; };
    const SetCase cases[] = {
        {0, 255, 2, 300, 44, "2C"},       // 300 modulo 256
        {0, 255, 2, -5, 255, "FF"},       // below min gives max
        {0x10, 255, 2, 0x100, 255, "FF"}, // 0 after the modulo is below min
        {-10, 255, 0, -5, -5, "FFFFFFFB"},
        {0, 65535, 4, 0x1F, 0x1F, "001F"},
        {0, 0xFFFFF, 2, 0x1234, 0x1234, "34"},
    };
    for (const SetCase& c : cases) {
        TuneBoxLogic box;
        box.setMin(static_cast<int32_t>(c.min));
        box.setMax(static_cast<int32_t>(c.max));
        box.setFixLen(static_cast<int16_t>(c.fixLen));
        box.setValue(static_cast<int32_t>(c.set));
        EXPECT_EQ(box.Value(), c.value) << c.set;
        EXPECT_EQ(box.text(), c.text) << c.set;
    }
}

TEST(TuneBoxLogic, ValueSetWhilePendingShowsButStaysPending) {
    Rig rig(BoxSetup{2, 0x7F});
    rig.run("@0 3");
    rig.box.setValue(0x20);
    EXPECT_EQ(rig.box.text(), "20");
    EXPECT_TRUE(rig.box.pending());
    EXPECT_EQ(rig.box.cursor(), 1);  // the caret goes back where it was
}

TEST(TuneBoxLogic, SavedDesignIsReadWithoutTheSettersRules) {
    TuneBoxLogic box;
    std::vector<std::string> marked;
    box.onPropertyChanged = [&](const std::string& n) { marked.push_back(n); };
    box.readProperties({{"Value", 300}, {"Locked", 1}, {"FixLen", 2}, {"Delta", 32}, {"Unknown", 7}});
    EXPECT_EQ(box.Value(), 300);        // no modulo against Max
    EXPECT_EQ(box.max(), 255);          // missing names take their defaults
    EXPECT_EQ(box.MaxInc(), 65535);
    EXPECT_EQ(box.Delta(), 32);
    EXPECT_TRUE(box.Locked());
    EXPECT_TRUE(box.enabled());         // no disabling
    EXPECT_EQ(box.text(), "0000");      // no refresh: still the design text
    EXPECT_TRUE(marked.empty());

    const std::vector<std::pair<std::string, long long>> expected{
        {"Value", 300}, {"Min", 0}, {"Max", 255}, {"Wrap", 0},
        {"Delta", 32},  {"FixLen", 2}, {"Locked", 1}, {"MaxInc", 65535}};
    EXPECT_EQ(box.writeProperties(), expected);

    box.setLocked(false);
    box.setMax(0x80);
    EXPECT_EQ(marked, (std::vector<std::string>{"Locked", "Max"}));
    EXPECT_TRUE(box.enabled());
    box.refresh();
    EXPECT_EQ(box.text(), "2C");        // 300 shown with two digits
}
