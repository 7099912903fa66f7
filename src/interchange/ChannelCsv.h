// The channels of one group as comma-separated text in the channel layout
// that common radio-programming tools and spreadsheets exchange (its columns:
// csv::kColumnNames in interchange/CsvRecords.h, the header kChannelCsvHeader).
//
// One row per channel (Location 1..16). The receive frequency is Frequency;
// the transmit frequency is Duplex and Offset ("" the same, "+"/"-" Offset
// above/below, "split" Offset is the transmit frequency, "off" none); the two
// code guards are Tone ("", "Tone", "TSQL", "DTCS", "Cross" with CrossMode)
// with the tone and code columns; narrow band is Mode "NFM" ("FM" wide); a
// channel left out of the scan list has Skip "S"; the power is a wattage,
// "5.0W" high and "1.0W" low (the import also reads "High"/"Low" and maps any
// other wattage to the nearer of the two).
//
// Both directions go through the channel codec: the export decodes the group
// as the grid shows it, the import writes through the codec's writers. The
// import is a pure function of the image and the text.
#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>
#include "image/FieldError.h"
#include "image/MemoryImage.h"
#include "interchange/CsvRecords.h"

namespace orv {

// The header row: "Location,Name,Frequency,...,DVCODE" (no line end).
inline constexpr const char* kChannelCsvHeader = csv::kHeader.data();

// The longest text the import reads (16 rows need a few kilobytes).
inline constexpr std::size_t kChannelCsvMaxBytes = std::size_t{1} << 20;   // 1 MiB, as the messages say

// A value that cannot cross is a FieldError with a row and a column: on
// import a CSV value the radio cannot hold (row = the row in the file, the
// header being row 1; column = its header name), on export a channel value
// the layout has no form for (row 0, column = "group 3 channel 5 Rec CG").
// The import takes each field's rule from image/FieldRules.h.

// The channels of group g (0..14) that have a receive frequency, as CSV text
// (header first, lines ended by CR LF). Throws FieldError for a code
// guard word the layout cannot express (a tone whose digits are not decimal).
std::string exportChannelCsv(const MemoryImage& img, int g);

// How the rows of a file are put into the group.
struct ChannelCsvOptions {
    // 1..16: the rows go in file order to this channel and the ones after
    // it; 0: to their Location when every row's Location is 1..16 and no two
    // are the same, otherwise in file order from channel 1.
    int firstChannel = 0;
    // Rows the radio cannot hold (and rows past channel 16) are left out
    // instead of refusing the file.
    bool skipUnfit = false;
    // A name longer than 8 characters is cut to 8 and characters the radio
    // lacks become blanks, instead of refusing the row.
    bool fitNames = false;
    // Rows (by their row number in the file) not to import; they take no
    // channel.
    std::vector<int> leaveOut;
};

enum class CsvPlacement { ByLocation, FileOrder };

// What happens to one data row of the file.
struct CsvRowPlan {
    int row = 0;  // its row in the file (the header being row 1 after any comment lines)
    std::string location, name, frequency;  // as the file gives them
    int channel = -1;                       // 0..15, or -1 when the row is not imported
    std::vector<std::string> changes;       // values adapted to the radio ("power 2.0W -> Low")
    std::optional<FieldError> unfit;        // why the radio cannot hold the row
    bool leftOut = false;                   // named in ChannelCsvOptions::leaveOut

    // One line: "fits", the changes, "not imported" or "cannot be imported: ...".
    std::string outcome() const;
    // Why the row cannot be imported: the column, its value and the reason
    // ("" for a row that can).
    std::string unfitText() const;
};

struct ChannelCsvPlan {
    CsvPlacement placement = CsvPlacement::ByLocation;
    int firstChannel = 0;  // 0..15, where file order starts
    std::vector<CsvRowPlan> rows;

    // "rows placed by their Location" / "rows placed in file order from channel K".
    std::string placementText() const;
    // The rows the radio cannot hold (not counting rows left out).
    std::vector<const CsvRowPlan*> unfitRows() const;
};

// The plan of importing `csv` into group g (0..14) of `img`: the target
// channel and what happens for every data row. Throws FieldError for a
// fault of the file as a whole (no header, a quote not closed, too large).
ChannelCsvPlan planChannelCsv(const MemoryImage& img, int g, std::string_view csv,
                              const ChannelCsvOptions& options = {});

struct ChannelCsvImport {
    MemoryImage image;  // `img` with the rows applied
    int rows = 0;       // channel rows applied
    ChannelCsvPlan plan;
};

// `img` with the rows of `csv` applied to group g (0..14) as planChannelCsv
// places them. Locations not in the file keep what they hold; a value a row
// gives that equals what the export writes for the channel keeps its bytes
// exactly. Every value is checked first: a row the radio cannot hold (unless
// options.skipUnfit) throws the FieldError of the first such row, and nothing
// has been applied.
ChannelCsvImport importChannelCsv(const MemoryImage& img, int g, std::string_view csv,
                                  const ChannelCsvOptions& options = {});

}  // namespace orv
