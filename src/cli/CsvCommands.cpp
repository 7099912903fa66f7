#include "cli/CsvCommands.h"

#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include "cli/CliSupport.h"
#include "files/ImageFile.h"
#include "image/MemoryMap.h"
#include "interchange/ChannelCsv.h"

using orvcli::kExitFailure;
using orvcli::kExitUsage;

namespace {

struct ExportOptions {
    std::string file;
    int group = 0;
    std::string output;
};
struct ImportOptions {
    std::string file;
    std::string csv;
    int group = 0;
    std::string output;
};

void runExport(const ExportOptions& o) {
    const orv::MemoryImage img = orvcli::loadImageOrFail(o.file);
    std::string text;
    try {
        text = orv::exportChannelCsv(img, o.group - 1);
    } catch (const orv::ChannelCsvError& e) {
        throw orvcli::CommandFailure{kExitUsage, o.file + ": " + e.what()};
    }
    if (o.output.empty()) {
        std::cout << text << std::flush;
        if (!std::cout) throw orvcli::CommandFailure{kExitFailure, "cannot write to the standard output"};
        return;
    }
    if (auto st = orv::saveFileAtomically(o.output, text.data(), text.size()); !st)
        throw orvcli::CommandFailure{orvcli::saveFailureExit(st), st.message};
}

void runImport(const ImportOptions& o) {
    // Everything is read and checked before the output is replaced (in one
    // step), so a refused row leaves every file as it was.
    const orv::MemoryImage img = orvcli::loadImageOrFail(o.file);
    std::string text;
    if (auto st = orv::readWholeFile(o.csv, text, orv::kChannelCsvMaxBytes + 1); !st) throw orvcli::CommandFailure{kExitUsage, st.message};
    orv::ChannelCsvImport result;
    try {
        result = orv::importChannelCsv(img, o.group - 1, text);
    } catch (const orv::ChannelCsvError& e) {
        throw orvcli::CommandFailure{kExitUsage, o.csv + ": " + e.what()};
    }
    const std::string& out = o.output.empty() ? o.file : o.output;
    orvcli::saveImageOrFail(out, result.image);
}

}  // namespace

void addCsvCommands(CLI::App& app, int& exitCode) {
    auto exp = std::make_shared<ExportOptions>();
    CLI::App* cmdExport = app.add_subcommand(
        "csv-export", "Write the channels of one group as CSV (Location,Name,Frequency,Duplex,Offset,Tone,...), "
                      "one row per channel that has a receive frequency");
    cmdExport->add_option("FILE", exp->file, "Programming file to read")->required();
    cmdExport->add_option("--group", exp->group, "Group number")->required()->check(CLI::Range(1, orv::memmap::kGroups));
    cmdExport->add_option("-o,--output", exp->output, "Write the CSV to this file instead of stdout");
    cmdExport->callback([exp, &exitCode] { exitCode = orvcli::runGuarded([&] { runExport(*exp); }); });

    auto imp = std::make_shared<ImportOptions>();
    CLI::App* cmdImport = app.add_subcommand(
        "csv-import", "Apply the rows of a CSV file (as csv-export writes it) to the channels of one group; "
                      "locations not in the file keep their channels");
    cmdImport->add_option("FILE", imp->file, "Programming file to start from")->required();
    cmdImport->add_option("CSV", imp->csv, "CSV file to apply")->required();
    cmdImport->add_option("--group", imp->group, "Group number")->required()->check(CLI::Range(1, orv::memmap::kGroups));
    cmdImport->add_option("-o,--output", imp->output, "Programming file to write (default: replace FILE)");
    cmdImport->footer(
        "A value the radio cannot hold (a frequency off the 1.25 kHz raster or outside 136 to 174 MHz, a tone "
        "with hundredths or of 800 Hz or more, a digital code above 777, a name with more than 8 characters or "
        "characters the radio lacks, a location outside 1 to 16) ends the command with exit code 2, naming the "
        "row, the column and the value; no file is changed.");
    cmdImport->callback([imp, &exitCode] { exitCode = orvcli::runGuarded([&] { runImport(*imp); }); });
}
