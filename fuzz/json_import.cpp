// Fuzz target: the JSON import of orvedit-cli (parse, apply to the default
// programming, encode the changed fields).
//
// Properties:
// - parsing throws nothing but JsonSyntaxError and FieldError, and every
//   message is one line of bounded length;
// - a refused document leaves the programming exactly as it was;
// - an accepted document encodes without any other exception, and the export
//   of the result imported onto the result changes no byte.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include "ExportImport.h"
#include "FuzzCheck.h"
#include "interchange/ProgrammingJson.h"
#include "image/WriteDefaults.h"

namespace {

void checkMessage(const std::exception& e) {
    const std::string_view what = e.what();
    FUZZ_CHECK(what.size() < 600);
    FUZZ_CHECK(what.find('\n') == std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // orvedit-cli refuses larger documents before parsing them.
    if (size > orv::kMaxJsonDocumentBytes) return 0;
    static const orv::MemoryImage base = orv::defaultImage();
    static const orv::Programming decoded = orv::decodeProgramming(base);
    static const std::string decodedJson = orv::programmingToJson(decoded).dump();

    orv::Json doc;
    try {
        doc = orv::parseJsonDocument(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const orv::JsonSyntaxError& e) {
        checkMessage(e);
        return 0;
    } catch (const orv::FieldError& e) {
        checkMessage(e);
        return 0;
    } catch (const std::exception& e) {
        fuzzUnexpected("parseJsonDocument", e.what());
    }

    orv::Programming prog = decoded;
    try {
        orv::applyJson(doc, prog);
    } catch (const orv::FieldError& e) {
        checkMessage(e);
        FUZZ_CHECK(orv::programmingToJson(prog).dump() == decodedJson);
        return 0;
    } catch (const std::exception& e) {
        fuzzUnexpected("applyJson", e.what());
    }

    orv::MemoryImage out = base;
    try {
        orv::encodeDocumentChanges(decoded, prog, out);
    } catch (const orv::FieldError& e) {
        checkMessage(e);
        return 0;
    } catch (const std::exception& e) {
        fuzzUnexpected("encodeChangedFields", e.what());
    }
    // Bytes outside the radio's memory are never named by a field.
    for (int a = orv::MemoryImage::kRadioSize; a < orv::MemoryImage::kSize; ++a) FUZZ_CHECK(out[a] == base[a]);
    checkExportImportIsStable(out);
    return 0;
}
