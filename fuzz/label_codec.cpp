// Fuzz target: label decoding and encoding (the radio character set).
//
// Properties:
// - any eight bytes decode to at most eight characters of the radio's set,
//   one per byte that has a character; eight bytes that all have one encode
//   back to themselves;
// - any text encodes into exactly its eight bytes, each a radio code, and
//   nothing else in the image changes; encoding what that decodes to gives
//   the same bytes again.
#include <cstdint>
#include <cstring>
#include <string>
#include "FuzzCheck.h"
#include "image/MemoryImage.h"
#include "image/NumText.h"

namespace {

// A channel label of an odd group: a page and offset well inside the image.
constexpr int kPage = 5;
constexpr int kOffset = 128 + 8 * 3;
constexpr int kAt = kPage * 256 + kOffset;

orv::MemoryImage background() {
    orv::MemoryImage img;
    for (int a = 0; a < orv::MemoryImage::kSize; ++a) img[a] = static_cast<uint8_t>(a * 13 + 5);
    return img;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    static const orv::MemoryImage bg = background();

    // Decoding: the first eight bytes (fewer inputs are padded with 0xFF).
    orv::MemoryImage img = bg;
    int withCharacter = 0;
    for (int i = 0; i < 8; ++i) {
        img[kAt + i] = i < static_cast<int>(size) ? data[i] : 0xFF;
        if (img[kAt + i] <= 0x30) ++withCharacter;
    }
    const std::string label = orv::decodeLabel(img, kPage, kOffset);
    const auto chars = orv::utf8Chars(label);
    FUZZ_CHECK(static_cast<int>(chars.size()) == withCharacter);
    for (const std::string& ch : chars) {
        FUZZ_CHECK(ch.size() == 1);
        FUZZ_CHECK(ch == " " || orv::charToRadioCode(ch) != "30");
        FUZZ_CHECK(orv::radioCodeToChar(orv::charToRadioCode(ch)) == ch);
    }
    if (withCharacter == 8) {
        orv::MemoryImage again = bg;
        orv::encodeLabel(again, kPage, kOffset, label);
        FUZZ_CHECK(std::memcmp(again.data() + kAt, img.data() + kAt, 8) == 0);
    }

    // Encoding: the whole input as a text.
    const std::string text(reinterpret_cast<const char*>(data), size);
    orv::MemoryImage enc = bg;
    orv::encodeLabel(enc, kPage, kOffset, text);
    for (int a = 0; a < orv::MemoryImage::kSize; ++a) {
        if (a >= kAt && a < kAt + 8)
            FUZZ_CHECK(enc[a] <= 0x30);
        else
            FUZZ_CHECK(enc[a] == bg[a]);
    }
    const std::string decoded = orv::decodeLabel(enc, kPage, kOffset);
    FUZZ_CHECK(orv::utf8Chars(decoded).size() == 8);
    orv::MemoryImage twice = bg;
    orv::encodeLabel(twice, kPage, kOffset, decoded);
    FUZZ_CHECK(twice == enc);
    return 0;
}
