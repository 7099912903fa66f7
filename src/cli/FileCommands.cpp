#include "cli/FileCommands.h"

#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include "cli/CliSupport.h"
#include "files/ImageFile.h"
#include "interchange/ProgrammingJson.h"
#include "image/WriteDefaults.h"

using orvcli::kExitFailure;
using orvcli::kExitUsage;
using orvcli::CommandFailure;
using orvcli::loadImageOrFail;
using orvcli::reportError;
using orvcli::runGuarded;
using orvcli::saveImageOrFail;

namespace {

struct NewOptions {
    std::string output;
};
struct ExportOptions {
    std::string input;
    std::string output;
};
struct ImportOptions {
    std::string input;
    std::string output;
    std::string base;
};

// The codecs may refuse what is stored in an image (a value no control can
// show); that is bad input, named with the file it came from.
orv::Programming decodeOrFail(const orv::MemoryImage& img, const std::string& source) {
    try {
        return orv::decodeProgramming(img);
    } catch (const std::exception& e) {
        throw CommandFailure{kExitUsage, source + ": cannot decode the programming: " + e.what()};
    }
}

// Reads and parses the JSON document `path` ("-": the standard input): at most kMaxJsonDocumentBytes
// are read (a device or a pipe that never ends is refused, not read until
// memory runs out); a syntax error names its line and column, a refused
// value its place in the document.
orv::Json parseJsonOrFail(const std::string& path) {
    const std::string text = orvcli::readTextOrFail(path, orv::kMaxJsonDocumentBytes);
    try {
        return orv::parseJsonDocument(text);
    } catch (const orv::JsonSyntaxError& e) {
        throw CommandFailure{kExitUsage, path + ": malformed JSON: " + e.what()};
    } catch (const orv::FieldError& e) {
        throw CommandFailure{kExitUsage, path + ": " + e.message()};
    }
}

void runNew(const NewOptions& o) { saveImageOrFail(o.output, orv::defaultImage()); }

void runExport(const ExportOptions& o) {
    orvcli::refuseSameFile({{"FILE", o.input}}, {{"-o", o.output}});
    const orv::MemoryImage img = loadImageOrFail(o.input);
    const std::string text =
        orv::programmingToJson(decodeOrFail(img, o.input)).dump(2, ' ', false, orv::Json::error_handler_t::replace) +
        "\n";
    orvcli::writeTextOrFail(o.output, text);
}

void runImport(const ImportOptions& o) {
    // Everything is read and checked before the output is touched, and the
    // output is replaced in one step, so a refused value leaves it as it was.
    // The base may be the output (a change in place); the document may not.
    orvcli::refuseSameFile({{"IN.json", o.input}}, {{"-o", o.output}});
    const orv::MemoryImage base = o.base.empty() ? orv::defaultImage() : loadImageOrFail(o.base);
    const std::string baseName = o.base.empty() ? std::string("the default programming") : o.base;
    const orv::Json doc = parseJsonOrFail(o.input);

    const orv::Programming decoded = decodeOrFail(base, baseName);
    orv::Programming prog = decoded;
    try {
        orv::applyJson(doc, prog);
    } catch (const orv::FieldError& e) {
        throw CommandFailure{kExitUsage, o.input + ": " + e.message()};
    }

    // Only the fields the document changes are written, so bytes no codec
    // names and fields left alone stay exactly as the base has them.
    orv::MemoryImage out = base;
    try {
        orv::encodeDocumentChanges(decoded, prog, out);
    } catch (const orv::FieldError& e) {
        throw CommandFailure{kExitUsage, o.input + ": " + e.message()};
    }
    saveImageOrFail(o.output, out);
}

}  // namespace

void addFileCommands(CLI::App& app, int& exitCode) {
    auto newOpts = std::make_shared<NewOptions>();
    CLI::App* cmdNew = app.add_subcommand("new", "Write a programming file holding the start-up defaults");
    cmdNew->add_option("-o,--output", newOpts->output, "Programming file to write (" + orvcli::kProgrammingFileBytes + ")")
        ->required()
        ->check(orvcli::nonEmptyName());
    cmdNew->callback([newOpts, &exitCode] { exitCode = runGuarded([&] { runNew(*newOpts); }); });

    auto expOpts = std::make_shared<ExportOptions>();
    CLI::App* cmdExport = app.add_subcommand(
        "export", "Decode a programming file and print it as JSON (keys are the control names, values what "
                  "the controls show)");
    cmdExport->add_option("FILE", expOpts->input, "Programming file to read")->required()->check(orvcli::nonEmptyName());
    cmdExport->add_option("-o,--output", expOpts->output, "Write the JSON to this file instead of stdout (- is stdout)")
        ->check(orvcli::nonEmptyName());
    cmdExport->callback([expOpts, &exitCode] { exitCode = runGuarded([&] { runExport(*expOpts); }); });

    auto impOpts = std::make_shared<ImportOptions>();
    CLI::App* cmdImport = app.add_subcommand(
        "import", "Apply the values of a JSON file (as export writes it) to a base programming and write the "
                  "result; absent or null keys keep the base's values");
    cmdImport->add_option("IN.json", impOpts->input, "JSON file to apply (- reads it from stdin)")->required()->check(orvcli::nonEmptyName());
    cmdImport->add_option("-o,--output", impOpts->output, "Programming file to write")
        ->required()
        ->check(orvcli::nonEmptyName());
    cmdImport->add_option("--base", impOpts->base,
                          "Programming file to start from (default: the programming 'new' writes)")
        ->check(orvcli::nonEmptyName());
    cmdImport->footer(
        "A refused value (not an entry of its list, a check value other than 0, 1 or 2, a frequency that is not "
        "a decimal number the radio can hold, a code guard the radio cannot hold, a text longer than its field, "
        "an unknown or repeated key, a wrong array length) or a document larger than " +
        std::to_string(orv::kMaxJsonDocumentBytes >> 20) +
        " MiB ends the command with exit code 2 and leaves the output file as it was.");
    cmdImport->callback([impOpts, &exitCode] { exitCode = runGuarded([&] { runImport(*impOpts); }); });
}
