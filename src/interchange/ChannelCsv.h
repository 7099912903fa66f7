// The channels of one group as comma-separated text in the channel layout
// that common radio-programming tools and spreadsheets exchange:
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,
//   RPT1CALL,RPT2CALL,DVCODE
//
// One row per channel (Location 1..16). The receive frequency is Frequency;
// the transmit frequency is Duplex and Offset ("" the same, "+"/"-" Offset
// above/below, "split" Offset is the transmit frequency, "off" none); the two
// code guards are Tone ("", "Tone", "TSQL", "DTCS", "Cross" with CrossMode)
// with the tone and code columns; narrow band is Mode "NFM" ("FM" wide); a
// channel left out of the scan list has Skip "S"; low power is Power "Low".
//
// Both directions go through the channel codec: the export decodes the group
// as the grid shows it, the import writes through the codec's writers. The
// import is a pure function of the image and the text.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>
#include "image/FieldError.h"
#include "image/MemoryImage.h"

namespace orv {

inline constexpr const char* kChannelCsvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// The longest text the import reads (16 rows need a few kilobytes).
inline constexpr std::size_t kChannelCsvMaxBytes = 1024 * 1024;

// A value that cannot cross is a FieldError with a row and a column: on
// import a CSV value the radio cannot hold (row = the row in the file, the
// header being row 1; column = its header name), on export a channel value
// the layout has no form for (row 0, column = "group 3 channel 5 Rec CG").
// The import takes each field's rule from image/FieldRules.h.

// The channels of group g (0..14) that have a receive frequency, as CSV text
// (header first, lines ended by CR LF). Throws FieldError for a code
// guard word the layout cannot express (a tone whose digits are not decimal).
std::string exportChannelCsv(const MemoryImage& img, int g);

struct ChannelCsvImport {
    MemoryImage image;  // `img` with the rows applied
    int rows = 0;       // channel rows applied
};

// `img` with the rows of `csv` applied to group g (0..14). Locations not in
// the file keep what they hold; a value a row gives that equals what the
// export writes for the channel keeps its bytes exactly. Every value is
// checked first: on FieldError nothing has been applied.
ChannelCsvImport importChannelCsv(const MemoryImage& img, int g, std::string_view csv);

}  // namespace orv
