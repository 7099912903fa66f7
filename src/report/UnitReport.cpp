// The report walks the image byte by byte with its own wording (it does not
// go through the field codecs, whose texts differ: "Keypad Press" here,
// "Key Press" in the window). Texts that the channel grid also shows (tone
// words, frequencies, labels) come from the same helpers as the grid's, so
// the report and the editor never disagree on them.
#include "report/UnitReport.h"

#include <algorithm>

#include "image/MemoryMap.h"
#include "image/NumText.h"
#include "image/clsGlobals.h"
#include "image/clsChannel.h"

namespace orv {

namespace {

using namespace memmap;

// The printer operations the report uses, recorded as a page description.
class PageWriter {
public:
    explicit PageWriter(ReportDocument& doc) : doc_(doc) { doc_.pages.emplace_back(); }

    void setFontName(const std::string& name) { doc_.fontName = name; }
    void setFontSize(int points) { points_ = points; }
    void print(std::vector<ReportItem> items) {
        doc_.pages.back().lines.push_back(ReportLine{points_, std::move(items)});
    }
    void print(int column, std::string text) { print({ReportItem{column, std::move(text)}}); }
    void printEmpty() { print(std::vector<ReportItem>{}); }
    void newPage() { doc_.pages.emplace_back(); }

private:
    ReportDocument& doc_;
    int points_ = kReportBodyPoints;
};

const char* yesNo(bool b) { return b ? "Yes" : "No"; }
const char* enabledDisabled(bool b) { return b ? "Enabled" : "Disabled"; }
const char* lockedOut(bool b) { return b ? "Locked Out" : "Enabled"; }

std::string num(int v) { return std::to_string(v); }

// The bytes of one group, addressed through its page and parity.
struct GroupBytes {
    const MemoryImage& img;
    int g;
    int param(int k) const {
        ImageAddr a = groupParamAddr(g, k);
        return peekImage(img, a.page, a.offset);
    }
    int field(BitField f) const { return fieldValue(param(f.address), f); }
    int word(int c, int j) const {
        ImageAddr hi = channelRecordAddr(g, c, j);
        ImageAddr lo = channelRecordAddr(g, c, j + 1);
        return peekImage(img, hi.page, hi.offset) * 256 + peekImage(img, lo.page, lo.offset);
    }
    // Channel c's bit in the flag pair at `first`.
    bool flag(int c, int first) const { return field(pairBit(first, c)) != 0; }
};

std::string labelOrBlank(const MemoryImage& img, ImageAddr a) {
    std::string t = decodeLabel(img, a.page, a.offset);
    return t.empty() ? "BLANK!" : t;
}

void printGlobals(PageWriter& out, const MemoryImage& img) {
    auto f = [&](BitField field) { return fieldValue(peekImage(img, 0, field.address), field); };

    out.print(10, "Unit Global Data:");
    out.print(10, "DTMF Dev = " + numberText(f(kDtmfDeviation) * 93.75) +
                      "    Front Porch Time = " + num(f(kFrontPorch) * 330 + 30) +
                      "    ANI Rate = " + num((f(kAniRate) + 1) * 10) +
                      "    Priority Rate = " + numberText((f(kPriorityRate) + 1) * 0.25));
    out.print(10, std::string("Global Battery Saver is ") + (f(kBatterySaverInhibit) ? "Inhibited" : "Enabled") +
                      "    Display Frequencies Only is " + enabledDisabled(f(kFreqDisplayOnly)) +
                      "    Per Channel Power is " + enabledDisabled(f(kPerChannelPower)));
    out.print(10, std::string("Talk Back Scan is ") + enabledDisabled(f(kTalkBackScan)) +
                      "    Nuisance Channel Delete is " + enabledDisabled(f(kNuisanceDelete)));
    out.printEmpty();
    out.print(10, "Toggle Switch Assignments:");
    const std::array<int, 5> sw = toggleSwitchCodes(img);
    out.print(10, "Low Power = " + SwitchName(sw[0]) + "    Channel Scan = " + SwitchName(sw[1]) +
                      "    Priority Scan = " + SwitchName(sw[2]));
    out.print(10, "Repeater Talk Around = " + SwitchName(sw[3]) + "    Group Scan = " + SwitchName(sw[4]));
    out.printEmpty();
    out.print(10, "Rotary Switch Assignments:");
    out.print({{10, "Position:"}, {22, "Variable:"}, {33, "Group:"}, {41, "Channel:"}, {51, "Variable:"}});
    for (int k = 0; k < kRotaryPositions; ++k) {
        const bool groupGlobal = f(pairBit(kRotaryGroupGlobal, k));
        const bool chanGlobal = f(pairBit(kRotaryChannelGlobal, k));
        const bool groupVariable = f(pairBit(kRotaryGroupVariable, k));
        const bool chanVariable = f(pairBit(kRotaryChannelVariable, k));
        out.print({{12, num(k + 1)},
                   {25, yesNo(groupVariable)},
                   {33, groupGlobal ? "Global" : num(f(rotaryGroup(k)) + 1)},
                   {41, chanGlobal ? "Global" : num(f(rotaryChannel(k)) + 1)},
                   {54, yesNo(chanVariable)}});
    }
    out.print(10, "The Global Group is " + num(f(kGlobalGroup) + 1) +
                      "   The Global Channel is " + num(f(kGlobalChannel) + 1));
}

void printGroup(PageWriter& out, const MemoryImage& img, int g) {
    const GroupBytes gb{img, g};
    auto h2 = [&](int k) { return hexTextPadded(gb.param(k), 2); };

    out.print(10, "Group " + num(g + 1) + " Data:");

    std::string id = hexText(gb.field(kAniFirstDigit));
    for (int i = 1; i < kAniIdBytes; ++i) id += h2(kAniId + i);
    std::string password;
    for (int i = 0; i < kPasswordBytes; ++i) password += h2(kPassword + i);
    out.print(10, "ANI/ID Number: " + id + "      Group Label: " + labelOrBlank(img, groupParamAddr(g, kGroupLabel)) +
                      "      Unit Password = " + password);

    const int timeout = gb.field(kTimeOut) * kTimeOutStepSeconds;
    out.print(10, "Time Out Timer = " + (timeout < kTimeOutStepSeconds ? std::string("OFF") : num(timeout)) +
                      "      Scan Hold Time = " + numberText(gb.field(kScanHold) * kScanHoldStepSeconds) +
                      "      Group Scan Enabled = " + (gb.field(kGroupScanList) ? "True" : "False"));

    static const char* const kBackLightText[] = {"Always Off", "Keypad Press", "Display Change",
                                                 "Keypad & Display Change"};
    const int duration = gb.field(kDisplayDuration);
    out.print(10, std::string("Display: ") + (gb.field(kDisplayMode) ? "Alpha-Numeric Mode" : "7 Segment Mode") +
                      "     Back Light: " + kBackLightText[gb.field(kBackLight)] +
                      "     Duration: " + (duration == 0 ? std::string("Off") : num(duration) + " Sec On"));

    out.print(10, "Priority 1 Channel: " + reportPriorityText(gb.param(kPriority1)) +
                      "     Priority 2 Channel: " + reportPriorityText(gb.param(kPriority2)) +
                      "      Transmit on Priority 1: " + yesNo(gb.field(kTxOnPriority1)));
    out.print(10, std::string("Battery Saver: ") + (gb.field(kBatterySaverOff) ? "Off" : "On") +
                      "      Priority Key: " + lockedOut(gb.field(kPriorityKeyLock)) +
                      "      'ENT' & 'CLR' Keys: " + lockedOut(gb.field(kEntClrLock)));

    static const char* const kBusy[] = {"Off", "Indicate", "Override", "Lockout"};
    static const char* const kResident[] = {"Off", "DTMF Only", "ANI Only", "DTMF w/Manual ANI"};
    out.print(10, std::string("Busy Channel Indicator: ") + kBusy[gb.field(kBusyChannel)] +
                      "      Resident ANI/DTMF: " + kResident[gb.field(kResidentAni)]);
    out.print(10, std::string("User Code Guard is ") + enabledDisabled(gb.field(kUcgEnabled)) +
                      "      User code Guard Channel: " + num(gb.field(kUcgChannel) + 1) +
                      "      User Code Guard Encode Only: " + yesNo(gb.field(kUcgEncodeOnly)));

    out.print({{10, "Chan:"}, {16, "Rec Freq:"}, {30, "Rec CG:"}, {40, "Tx Freq:"}, {54, "Tx CG:"},
               {64, "Label:"}, {76, "Scan:"}, {84, "Narrow:"}, {94, "Low Power:"}});
    for (int c = 0; c < kChannels; ++c) {
        out.print({{10, num(c + 1)},
                   {16, freqCodeToText(gb.word(c, kRecReceiveFreq))},
                   {30, reportCodeGuardText(static_cast<uint16_t>(gb.word(c, kRecReceiveCodeGuard)))},
                   {40, freqCodeToText(gb.word(c, kRecTransmitFreq))},
                   {54, reportCodeGuardText(static_cast<uint16_t>(gb.word(c, kRecTransmitCodeGuard)))},
                   {64, labelOrBlank(img, channelLabelAddr(g, c, 0))},
                   {76, gb.flag(c, kScanListFlags) ? "S" : ""},
                   {84, gb.flag(c, kNarrowBandFlags) ? "N" : ""},
                   {94, gb.flag(c, kLowPowerFlags) ? "L" : ""}});
    }
    out.printEmpty();
}

}  // namespace

int reportGroupsPrinted(int n) { return n >= kGroups ? kGroups : 1; }

// A digital code or a tone, exactly as the grid shows it (a tone's nibbles
// above 9 as hexadecimal digits).
std::string reportCodeGuardText(uint16_t word) { return clsChannel::codeGuardText(word); }

std::string reportPriorityText(int byte) {
    if (byte & kPriorityOff) return "Off";
    if (byte & kPriorityMain) return "Main";
    return num((byte & kPriorityChannel) + 1);
}

ReportDocument PrintUnitReport(const MemoryImage& img, const std::string& filePath) {
    ReportDocument doc;
    PageWriter out(doc);
    const int n = peekImage(img, 0, kGroupCount);

    out.setFontName("Arial");
    out.setFontSize(kReportHeaderPoints);
    out.print(20, "ORV Unit Data Printout:    " + filePath);
    out.printEmpty();
    out.setFontSize(kReportBodyPoints);

    printGlobals(out, img);
    out.printEmpty();

    const int groups = reportGroupsPrinted(n);
    for (int g = 0; g < groups; ++g) {
        printGroup(out, img, g);
        // The first page holds Group 1, every further page two groups.
        if (groups > 1 && g % 2 == 0 && g < kGroups - 1) {
            out.newPage();
            out.printEmpty();
            out.printEmpty();
        }
    }
    return doc;
}

std::string reportText(const ReportDocument& doc) {
    std::string out;
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        if (p > 0) out += "\f\n";
        for (const ReportLine& line : doc.pages[p].lines) {
            std::string text;
            std::size_t chars = 0;  // characters, not bytes: a path may hold any UTF-8
            for (const ReportItem& item : line.items) {
                const std::size_t start = static_cast<std::size_t>(std::max(item.column, 1) - 1);
                if (chars < start) {
                    text.append(start - chars, ' ');
                    chars = start;
                }
                text += item.text;
                chars += utf8Chars(item.text).size();
            }
            while (!text.empty() && text.back() == ' ') text.pop_back();
            out += text;
            out += '\n';
        }
    }
    return out;
}

}  // namespace orv
