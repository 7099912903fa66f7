// The user guide is written by hand; where it quotes a limit of the field
// rules (the band, the rasters, the tone limit, the lengths of a label and
// of a frequency's text) it must quote the limit the rules apply.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include "image/FieldRules.h"

using namespace orv;

namespace {

// The guide's text with every run of white space made one blank.
std::string guideText() {
    std::ifstream in(ORV_SOURCE_DIR "/docs/help/OrvHelp.html");
    std::ostringstream all;
    all << in.rdbuf();
    return std::regex_replace(all.str(), std::regex("\\s+"), " ");
}

std::string khz(long hz) {
    std::ostringstream out;
    out << static_cast<double>(hz) / 1000.0;
    return out.str();
}

}  // namespace

TEST(FieldLimits, TheUserGuideQuotesTheLimitsOfTheRules) {
    const std::string guide = guideText();
    ASSERT_FALSE(guide.empty());
    const std::string band = std::to_string(kLowestMHz) + " " + std::to_string(kHighestMHz);
    const std::string raster = khz(kRasterHz[0]) + " " + khz(kRasterHz[1]);
    const std::string tone = std::to_string(kToneLimitTenths / 10) + "." + std::to_string(kToneLimitTenths % 10);
    struct Quote {
        const char* what;
        const char* pattern;  // its groups, joined by blanks, are the limit
        std::string limit;
    } quotes[] = {
        {"band", "(\\d+) to (\\d+) MHz", band},
        {"raster", "([\\d.]+) (?:kHz )?or (?:the )?([\\d.]+) kHz raster", raster},
        {"tone limit", "tone in hertz below ([\\d.]+)", tone},
        {"label length", "(?:up to|at most|more than|longer than) (\\d+) characters(?!;)",
         std::to_string(kLabelChars)},
        {"frequency text length", "at most (\\d+) characters;", std::to_string(kFrequencyMaxChars)},
    };
    for (const Quote& q : quotes) {
        const std::regex re(q.pattern);
        int found = 0;
        for (auto it = std::sregex_iterator(guide.begin(), guide.end(), re); it != std::sregex_iterator(); ++it) {
            std::string quoted;
            for (std::size_t g = 1; g < it->size(); ++g) quoted += (g > 1 ? " " : "") + (*it)[g].str();
            EXPECT_EQ(quoted, q.limit) << q.what << ": \"" << it->str() << "\"";
            ++found;
        }
        EXPECT_GT(found, 0) << q.what << " is no longer quoted as \"" << q.pattern << "\"";
    }
}
