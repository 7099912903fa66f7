// The property two fuzz targets share: any image decodes, its export parses
// back, and importing that export onto the image changes no byte.
#pragma once
#include <exception>
#include <string>
#include "FuzzCheck.h"
#include "interchange/ProgrammingJson.h"

inline void checkExportImportIsStable(const orv::MemoryImage& img) {
    orv::Programming decoded;
    std::string text;
    try {
        decoded = orv::decodeProgramming(img);
        text = orv::programmingToJson(decoded).dump(2, ' ', false, orv::Json::error_handler_t::replace);
    } catch (const std::exception& e) {
        fuzzUnexpected("decoding an image", e.what());
    }
    orv::Programming again = decoded;
    orv::MemoryImage out = img;
    try {
        orv::applyJson(orv::parseJsonDocument(text), again);
        orv::encodeDocumentChanges(decoded, again, out);
    } catch (const std::exception& e) {
        fuzzUnexpected("importing the export of an image", e.what());
    }
    FUZZ_CHECK(out == img);
}
