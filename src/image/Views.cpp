// The entries of every list of the editor, in entry order.
#include "image/Views.h"

#include <algorithm>

namespace orv::lists {

namespace {

std::vector<std::string> numbered(const std::string& prefix, int from, int to) {
    std::vector<std::string> v;
    for (int i = from; i <= to; ++i) v.push_back(prefix + std::to_string(i));
    return v;
}

}  // namespace

const std::vector<std::string>& cboCurrentGroup() {
    static const std::vector<std::string> v = numbered("", 1, 15);
    return v;
}

const std::vector<std::string>& cboTOT() {
    static const std::vector<std::string> v = {"OFF", "15", "30", "45", "60", "75", "90", "105",
                                               "120", "135", "150", "165", "180", "195", "210", "225"};
    return v;
}

const std::vector<std::string>& cboScan() {
    static const std::vector<std::string> v = {"0.0", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5",
                                               "4.0", "4.5", "5.0", "5.5", "6.0", "6.5", "7.0", "7.5"};
    return v;
}

const std::vector<std::string>& cboPriChan() {
    static const std::vector<std::string> v = [] {
        std::vector<std::string> e{"OFF"};
        for (const auto& s : numbered("Ch ", 1, 16)) e.push_back(s);
        e.push_back("MAIN");
        return e;
    }();
    return v;
}

const std::vector<std::string>& cboDisplay() {
    static const std::vector<std::string> v = {"7 Segment Mode", "Alpha-Numeric"};
    return v;
}

const std::vector<std::string>& cboBackLight() {
    static const std::vector<std::string> v = {"OFF", "Key Press", "Display Change", "Both"};
    return v;
}

const std::vector<std::string>& cboDuration() {
    static const std::vector<std::string> v = {"OFF",      "1 Sec On", "2 Sec On", "3 Sec On",
                                               "4 Sec On", "5 Sec On", "6 Sec On", "Always On"};
    return v;
}

const std::vector<std::string>& cboBCI() {
    static const std::vector<std::string> v = {"OFF", "Indicate", "Override", "Lockout"};
    return v;
}

const std::vector<std::string>& cboANI() {
    static const std::vector<std::string> v = {"OFF", "DTMF Only", "ANI Only", "DTMF w/ manual ANI"};
    return v;
}

const std::vector<std::string>& cboUCGChan() {
    static const std::vector<std::string> v = numbered("", 0, 16);
    return v;
}

const std::vector<std::string>& cboDTMFDev() {
    static const std::vector<std::string> v = {
        "0",       "93.75",  "187.5",   "281.25",  "375",    "468.75",  "562.5",   "656.25",
        "750",     "843.75", "937.5",   "1031.25", "1125",   "1218.75", "1312.5",  "1406.25",
        "1500",    "1593.75", "1687.5", "1781.25", "1875",   "1968.75", "2062.5",  "2156.25",
        "2250",    "2343.75", "2437.5", "2531.25", "2625",   "2718.75", "2812.5",  "2906.25"};
    return v;
}

const std::vector<std::string>& cboPorchTime() {
    static const std::vector<std::string> v = {"30", "360", "690", "1020"};
    return v;
}

const std::vector<std::string>& cboANIRate() {
    static const std::vector<std::string> v = {"10", "20"};
    return v;
}

const std::vector<std::string>& cboPriRate() {
    static const std::vector<std::string> v = {".25", ".5", ".75", "1", "1.25", "1.5", "1.75", "2"};
    return v;
}

const std::vector<std::string>& cboBattSave() {
    static const std::vector<std::string> v = {"Enable", "Inhibit"};
    return v;
}

const std::vector<std::string>& cboEnableDisable() {
    static const std::vector<std::string> v = {"Disabled", "Enabled"};
    return v;
}

const std::vector<std::string>& cboSwitch() {
    static const std::vector<std::string> v = {"Always Off",  "Always On",     "Keypad",
                                               "Left Toggle", "Middle Toggle", "Right Toggle"};
    return v;
}

const std::vector<std::string>& cboGroup() {
    static const std::vector<std::string> v = [] {
        std::vector<std::string> e = numbered("Group ", 1, 15);
        e.push_back("Global");
        return e;
    }();
    return v;
}

const std::vector<std::string>& cboChan() {
    static const std::vector<std::string> v = [] {
        std::vector<std::string> e = numbered("Channel ", 1, 16);
        e.push_back("Global");
        return e;
    }();
    return v;
}

const std::vector<std::string>& cboGlobalGroup() {
    static const std::vector<std::string> v = numbered("", 1, 15);
    return v;
}

const std::vector<std::string>& cboGlobalChannel() {
    static const std::vector<std::string> v = numbered("", 1, 16);
    return v;
}

int indexOf(const std::vector<std::string>& entries, const std::string& text) {
    auto it = std::find(entries.begin(), entries.end(), text);
    return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
}

}  // namespace orv::lists
