// Fuzz target: the CSV channel import.
//
// Properties:
// - only FieldError is thrown, with a one-line message;
// - an accepted file changes nothing outside the group it was imported into;
// - what an import leaves is stable: its own export imports back onto it
//   without changing a byte.
#include <cstdint>
#include <string>
#include <string_view>
#include "FuzzCheck.h"
#include "image/WriteDefaults.h"
#include "interchange/ChannelCsv.h"

namespace {

constexpr int kGroup = 4;   // an even group: its block starts at a page
constexpr int kFirst = 0x100 + 0x180 * kGroup;
constexpr int kLast = kFirst + 0x180 - 1;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024) return 0;
    static const orv::MemoryImage base = orv::defaultImage();
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    orv::ChannelCsvImport result;
    try {
        result = orv::importChannelCsv(base, kGroup, text);
    } catch (const orv::FieldError& e) {
        FUZZ_CHECK(std::string(e.what()).find('\n') == std::string::npos);
        return 0;
    } catch (const std::exception& e) {
        fuzzUnexpected("importChannelCsv", e.what());
    }
    for (int a = 0; a < orv::MemoryImage::kSize; ++a)
        if (a < kFirst || a > kLast) FUZZ_CHECK(result.image[a] == base[a]);

    std::string again;
    try {
        again = orv::exportChannelCsv(result.image, kGroup);
    } catch (const orv::FieldError&) {
        return 0;  // a value the layout has no form for: nothing to import back
    } catch (const std::exception& e) {
        fuzzUnexpected("exportChannelCsv", e.what());
    }
    try {
        FUZZ_CHECK(orv::importChannelCsv(result.image, kGroup, again).image == result.image);
    } catch (const std::exception& e) {
        fuzzUnexpected("re-import of an export", e.what());
    }
    return 0;
}
