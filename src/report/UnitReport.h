// The printed report of a radio's programming, as a neutral page description:
// pages of lines, each line a list of texts placed at character columns, in
// one font whose size the line carries. The printed form (QPainter) and the
// plain-text form of orvedit-cli both render this one description.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "image/MemoryImage.h"

namespace orv {

struct ReportItem {
    int column = 1;    // 1-based character position from the left margin
    std::string text;  // UTF-8
    bool operator==(const ReportItem&) const = default;
};

struct ReportLine {
    int pointSize = 10;             // font size of the line
    std::vector<ReportItem> items;  // none: an empty line
    bool operator==(const ReportLine&) const = default;
};

struct ReportPage {
    std::vector<ReportLine> lines;
};

struct ReportDocument {
    std::string fontName = "Arial";
    std::vector<ReportPage> pages;  // a page break lies between two pages
};

// Font sizes of the report: the header line and everything else.
inline constexpr int kReportHeaderPoints = 16;
inline constexpr int kReportBodyPoints = 10;

// The report of `img`: header naming `filePath` (empty when no file was
// opened or saved), global section, rotary table, then Group 1 only when
// page 0 byte 5 is 14 or less, else every group the image holds, two groups
// a page after the first.
ReportDocument PrintUnitReport(const MemoryImage& img, const std::string& filePath);

// The number of group sections the report prints for a group count `n`
// (page 0 byte 5): 1 for n <= 14, else 15. An image holds 15 groups, so a
// count above 15 still prints those 15 and never reads past them.
int reportGroupsPrinted(int n);

// The report's field texts that are shared with the channel grid or need
// their own checks.
std::string reportCodeGuardText(uint16_t word);  // "D443-", "088.5"; tones as the grid shows them
std::string reportPriorityText(int byte);         // "Off", "Main" or the channel number

// The plain-text form: an item at column c starts after exactly c - 1
// characters of its line (blanks fill up to there; an item that would start
// before the end of the text already on the line follows it directly),
// trailing blanks are removed, every line ends with '\n', and a page break
// is a line holding only a form feed.
std::string reportText(const ReportDocument& doc);

}  // namespace orv
