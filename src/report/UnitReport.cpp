// The report walks the image byte by byte with its own wording (it does not
// go through the field codecs, whose texts differ: "Keypad Press" here,
// "Key Press" in the window). Texts that the channel grid also shows (tone
// words, frequencies, labels) come from the same helpers as the grid's, so
// the report and the editor never disagree on them.
#include "report/UnitReport.h"

#include <algorithm>

#include "image/NumText.h"
#include "image/clsGlobals.h"
#include "image/clsChannel.h"

namespace orv {

namespace {

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
    int word(int c, int j) const {
        ImageAddr hi = channelRecordAddr(g, c, j);
        ImageAddr lo = channelRecordAddr(g, c, j + 1);
        return peekImage(img, hi.page, hi.offset) * 256 + peekImage(img, lo.page, lo.offset);
    }
    // Channel c's bit in the flag pair whose bytes are `hiByte` (channels
    // 9..16) and `hiByte + 1` (channels 1..8).
    bool flag(int c, int hiByte) const {
        return c < 8 ? (param(hiByte + 1) >> c) & 1 : (param(hiByte) >> (c - 8)) & 1;
    }
};

std::string labelOrBlank(const MemoryImage& img, ImageAddr a) {
    std::string t = decodeLabel(img, a.page, a.offset);
    return t.empty() ? "BLANK!" : t;
}

void printGlobals(PageWriter& out, const MemoryImage& img) {
    auto b = [&](int offset) { return peekImage(img, 0, offset); };
    const int b7 = b(7);
    const int b155 = b(155);

    out.print(10, "Unit Global Data:");
    out.print(10, "DTMF Dev = " + numberText(((b7 & 0xF8) / 8) * 93.75) +
                      "    Front Porch Time = " + num((b7 & 0x03) * 330 + 30) +
                      "    ANI Rate = " + num(((b7 & 0x04) / 4 + 1) * 10) +
                      "    Priority Rate = " + numberText(((b155 & 0x07) + 1) * 0.25));
    out.print(10, std::string("Global Battery Saver is ") + ((b(6) & 0x04) ? "Inhibited" : "Enabled") +
                      "    Display Frequencies Only is " + enabledDisabled(b155 & 0x80) +
                      "    Per Channel Power is " + enabledDisabled(b155 & 0x40));
    out.print(10, std::string("Talk Back Scan is ") + enabledDisabled(b155 & 0x20) +
                      "    Nuisance Channel Delete is " + enabledDisabled(b155 & 0x10));
    out.printEmpty();
    out.print(10, "Toggle Switch Assignments:");
    const std::array<int, 5> sw = toggleSwitchCodes(img);
    out.print(10, "Low Power = " + SwitchName(sw[0]) + "    Channel Scan = " + SwitchName(sw[1]) +
                      "    Priority Scan = " + SwitchName(sw[2]));
    out.print(10, "Repeater Talk Around = " + SwitchName(sw[3]) + "    Group Scan = " + SwitchName(sw[4]));
    out.printEmpty();
    out.print(10, "Rotary Switch Assignments:");
    out.print({{10, "Position:"}, {22, "Variable:"}, {33, "Group:"}, {41, "Channel:"}, {51, "Variable:"}});
    for (int k = 0; k < 16; ++k) {
        const int r = b(128 + k);
        // Positions 1..8 use the odd flag bytes, 9..16 the even ones.
        const int base = k < 8 ? 145 : 144;
        const int bit = 1 << (k < 8 ? k : k - 8);
        const bool groupGlobal = b(base) & bit;
        const bool chanGlobal = b(base + 2) & bit;
        const bool groupVariable = b(base + 4) & bit;
        const bool chanVariable = b(base + 6) & bit;
        out.print({{12, num(k + 1)},
                   {25, yesNo(groupVariable)},
                   {33, groupGlobal ? "Global" : num((r & 0xF0) / 16 + 1)},
                   {41, chanGlobal ? "Global" : num((r & 0x0F) + 1)},
                   {54, yesNo(chanVariable)}});
    }
    const int b255 = b(255);
    out.print(10, "The Global Group is " + num((b255 & 0xF0) / 16 + 1) +
                      "   The Global Channel is " + num((b255 & 0x0F) + 1));
}

void printGroup(PageWriter& out, const MemoryImage& img, int g) {
    const GroupBytes gb{img, g};
    auto h2 = [&](int k) { return hexTextPadded(gb.param(k), 2); };

    out.print(10, "Group " + num(g + 1) + " Data:");

    const std::string id = hexText(gb.param(41) & 0x0F) + h2(42) + h2(43) + h2(44);
    out.print(10, "ANI/ID Number: " + id + "      Group Label: " + labelOrBlank(img, groupParamAddr(g, 51)) +
                      "      Unit Password = " + h2(38) + h2(39) + h2(40));

    const int b45 = gb.param(45);
    const int timeout = (b45 >> 4) * 15;
    const int b48 = gb.param(48);
    out.print(10, "Time Out Timer = " + (timeout < 15 ? std::string("OFF") : num(timeout)) +
                      "      Scan Hold Time = " + numberText((b45 & 0x0F) * 0.5) +
                      "      Group Scan Enabled = " + ((b48 & 0x40) ? "True" : "False"));

    static const char* const kBackLight[] = {"Always Off", "Keypad Press", "Display Change",
                                             "Keypad & Display Change"};
    const int b50 = gb.param(50);
    const int duration = b50 & 0x07;
    out.print(10, std::string("Display: ") + ((b50 & 0x08) ? "Alpha-Numeric Mode" : "7 Segment Mode") +
                      "     Back Light: " + kBackLight[(b50 & 0x30) / 16] +
                      "     Duration: " + (duration == 0 ? std::string("Off") : num(duration) + " Sec On"));

    out.print(10, "Priority 1 Channel: " + reportPriorityText(gb.param(46)) +
                      "     Priority 2 Channel: " + reportPriorityText(gb.param(47)) +
                      "      Transmit on Priority 1: " + yesNo(b48 & 0x20));
    out.print(10, std::string("Battery Saver: ") + ((b48 & 0x80) ? "Off" : "On") +
                      "      Priority Key: " + lockedOut(b48 & 0x10) +
                      "      'ENT' & 'CLR' Keys: " + lockedOut(b48 & 0x08));

    static const char* const kBusy[] = {"Off", "Indicate", "Override", "Lockout"};
    static const char* const kResident[] = {"Off", "DTMF Only", "ANI Only", "DTMF w/Manual ANI"};
    const int b49 = gb.param(49);
    out.print(10, std::string("Busy Channel Indicator: ") + kBusy[(b49 & 0x60) / 32] +
                      "      Resident ANI/DTMF: " + kResident[(b49 & 0x18) / 8]);
    const int b0 = gb.param(0);
    out.print(10, std::string("User Code Guard is ") + enabledDisabled(b49 & 0x80) +
                      "      User code Guard Channel: " + num((b0 & 0x0F) + 1) +
                      "      User Code Guard Encode Only: " + yesNo(b0 & 0x20));

    out.print({{10, "Chan:"}, {16, "Rec Freq:"}, {30, "Rec CG:"}, {40, "Tx Freq:"}, {54, "Tx CG:"},
               {64, "Label:"}, {76, "Scan:"}, {84, "Narrow:"}, {94, "Low Power:"}});
    for (int c = 0; c < 16; ++c) {
        out.print({{10, num(c + 1)},
                   {16, freqCodeToText(gb.word(c, 0))},
                   {30, reportCodeGuardText(static_cast<uint16_t>(gb.word(c, 2)))},
                   {40, freqCodeToText(gb.word(c, 4))},
                   {54, reportCodeGuardText(static_cast<uint16_t>(gb.word(c, 6)))},
                   {64, labelOrBlank(img, channelLabelAddr(g, c, 0))},
                   {76, gb.flag(c, 36) ? "S" : ""},
                   {84, gb.flag(c, 34) ? "N" : ""},
                   {94, gb.flag(c, 32) ? "L" : ""}});
    }
    out.printEmpty();
}

}  // namespace

int reportGroupsPrinted(int n) { return n > 14 ? 15 : 1; }

std::string reportCodeGuardText(uint16_t word) {
    // A digital code ("D" and three octal digits, "-" when inverted) or a
    // tone (its four nibbles with a point before the last one), exactly as
    // the grid shows it (also for nibbles above 9, which the grid shows as
    // hexadecimal digits).
    return clsChannel::codeGuardText(word);
}

std::string reportPriorityText(int byte) {
    if (byte & 0x80) return "Off";
    if (byte & 0x40) return "Main";
    return num((byte & 0x0F) + 1);
}

ReportDocument PrintUnitReport(const MemoryImage& img, const std::string& filePath) {
    ReportDocument doc;
    PageWriter out(doc);
    const int n = peekImage(img, 0, 5);

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
        if (groups > 1 && g % 2 == 0 && g < 14) {
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
