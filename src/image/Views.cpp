// The entries of every list of the editor, in entry order.
#include "image/Views.h"

#include <algorithm>
#include "image/TrNoop.h"

namespace orv::lists {

namespace {

// `pattern` with its "%1" replaced by each number from `from` to `to`.
std::vector<std::string> numbered(const std::string& pattern, int from, int to) {
    const std::size_t at = pattern.find("%1");
    std::vector<std::string> v;
    for (int i = from; i <= to; ++i) v.push_back(pattern.substr(0, at) + std::to_string(i) + pattern.substr(at + 2));
    return v;
}

}  // namespace

const std::vector<std::string>& cboCurrentGroup() {
    static const std::vector<std::string> v = numbered("%1", 1, 15);
    return v;
}

const std::vector<std::string>& cboTOT() {
    static const std::vector<std::string> v = {
        ORV_TR_NOOP("FieldLists", "OFF"), "15", "30", "45", "60", "75", "90", "105", "120", "135", "150", "165",
        "180", "195", "210", "225"};
    return v;
}

const std::vector<std::string>& cboScan() {
    static const std::vector<std::string> v = {"0.0", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5",
                                               "4.0", "4.5", "5.0", "5.5", "6.0", "6.5", "7.0", "7.5"};
    return v;
}

const std::vector<std::string>& cboPriChan() {
    static const std::vector<std::string> v = [] {
        std::vector<std::string> e{ORV_TR_NOOP("FieldLists", "OFF")};
        for (const auto& s : numbered(ORV_TR_NOOP("FieldLists", "Ch %1"), 1, 16)) e.push_back(s);
        e.push_back(ORV_TR_NOOP("FieldLists", "MAIN"));
        return e;
    }();
    return v;
}

const std::vector<std::string>& cboDisplay() {
    static const std::vector<std::string> v = {
        ORV_TR_NOOP("FieldLists", "7 Segment Mode"), ORV_TR_NOOP("FieldLists", "Alpha-Numeric")};
    return v;
}

const std::vector<std::string>& cboBackLight() {
    static const std::vector<std::string> v = {
        ORV_TR_NOOP("FieldLists", "OFF"), ORV_TR_NOOP("FieldLists", "Key Press"),
        ORV_TR_NOOP("FieldLists", "Display Change"), ORV_TR_NOOP("FieldLists", "Both")};
    return v;
}

const std::vector<std::string>& cboDuration() {
    static const std::vector<std::string> v = {
        ORV_TR_NOOP("FieldLists", "OFF"), ORV_TR_NOOP("FieldLists", "1 Sec On"),
        ORV_TR_NOOP("FieldLists", "2 Sec On"), ORV_TR_NOOP("FieldLists", "3 Sec On"),
        ORV_TR_NOOP("FieldLists", "4 Sec On"), ORV_TR_NOOP("FieldLists", "5 Sec On"),
        ORV_TR_NOOP("FieldLists", "6 Sec On"), ORV_TR_NOOP("FieldLists", "Always On")};
    return v;
}

const std::vector<std::string>& cboBCI() {
    static const std::vector<std::string> v = {
        ORV_TR_NOOP("FieldLists", "OFF"), ORV_TR_NOOP("FieldLists", "Indicate"),
        ORV_TR_NOOP("FieldLists", "Override"), ORV_TR_NOOP("FieldLists", "Lockout")};
    return v;
}

const std::vector<std::string>& cboANI() {
    static const std::vector<std::string> v = {
        ORV_TR_NOOP("FieldLists", "OFF"), ORV_TR_NOOP("FieldLists", "DTMF Only"),
        ORV_TR_NOOP("FieldLists", "ANI Only"), ORV_TR_NOOP("FieldLists", "DTMF w/ manual ANI")};
    return v;
}

const std::vector<std::string>& cboUCGChan() {
    static const std::vector<std::string> v = numbered("%1", 0, 16);
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
    static const std::vector<std::string> v = {
        ORV_TR_NOOP("FieldLists", "Enable"), ORV_TR_NOOP("FieldLists", "Inhibit")};
    return v;
}

const std::vector<std::string>& cboEnableDisable() {
    static const std::vector<std::string> v = {
        ORV_TR_NOOP("FieldLists", "Disabled"), ORV_TR_NOOP("FieldLists", "Enabled")};
    return v;
}

const std::vector<std::string>& cboSwitch() {
    static const std::vector<std::string> v = {
        ORV_TR_NOOP("FieldLists", "Always Off"), ORV_TR_NOOP("FieldLists", "Always On"),
        ORV_TR_NOOP("FieldLists", "Keypad"), ORV_TR_NOOP("FieldLists", "Left Toggle"),
        ORV_TR_NOOP("FieldLists", "Middle Toggle"), ORV_TR_NOOP("FieldLists", "Right Toggle")};
    return v;
}

const std::vector<std::string>& cboGroup() {
    static const std::vector<std::string> v = [] {
        std::vector<std::string> e = numbered(ORV_TR_NOOP("FieldLists", "Group %1"), 1, 15);
        e.push_back(ORV_TR_NOOP("FieldLists", "Global"));
        return e;
    }();
    return v;
}

const std::vector<std::string>& cboChan() {
    static const std::vector<std::string> v = [] {
        std::vector<std::string> e = numbered(ORV_TR_NOOP("FieldLists", "Channel %1"), 1, 16);
        e.push_back(ORV_TR_NOOP("FieldLists", "Global"));
        return e;
    }();
    return v;
}

const std::vector<std::string>& cboGlobalGroup() {
    static const std::vector<std::string> v = numbered("%1", 1, 15);
    return v;
}

const std::vector<std::string>& cboGlobalChannel() {
    static const std::vector<std::string> v = numbered("%1", 1, 16);
    return v;
}

int indexOf(const std::vector<std::string>& entries, const std::string& text) {
    auto it = std::find(entries.begin(), entries.end(), text);
    return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
}

}  // namespace orv::lists
