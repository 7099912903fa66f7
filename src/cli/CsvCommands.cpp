#include "cli/CsvCommands.h"

#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include "cli/CliSupport.h"
#include "files/ImageFile.h"
#include "image/FieldRules.h"
#include "image/MemoryMap.h"
#include "interchange/ChannelCsv.h"
#include "interchange/CsvRecords.h"

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
    orv::ChannelCsvOptions options;
};

// The first columns of the layout, as the help names it: "Location,...,Tone,...".
std::string layoutStart() {
    std::string text;
    for (int c = orv::csv::cLocation; c <= orv::csv::cTone; ++c) text += std::string(orv::csv::kColumnNames[c]) + ",";
    return text + "...";
}

// What the import refuses, with the limits of the field rules.
std::string importFooter() {
    using namespace orv;
    return "Which placement was used goes to stderr on one line. A row the radio cannot hold (a frequency off the "
           "raster or outside " + bandText() + ", a tone with hundredths or of " + toneLimitText() +
           " or more, a digital code above " + highestDigitalCodeText() +
           ", a mode other than FM/NFM, a reverse tone mode, a name with more than " + std::to_string(kLabelChars) +
           " characters or characters the radio lacks, a row past channel " + std::to_string(memmap::kChannels) +
           ") ends the command with exit code 2, listing every such row with its column and value; no file is "
           "changed. Power is High, Low or a wattage (the nearer of 5 W and 1 W).";
}

// A row as the report lines name it: its row, name and frequency.
std::string rowText(const orv::CsvRowPlan& p) {
    return "row " + std::to_string(p.row) + " \"" + p.name + "\" " + p.frequency;
}

void runExport(const ExportOptions& o) {
    orvcli::refuseSameFile({{"FILE", o.file}}, {{"-o", o.output}});
    const orv::MemoryImage img = orvcli::loadImageOrFail(o.file);
    std::string text;
    try {
        text = orv::exportChannelCsv(img, o.group - 1);
    } catch (const orv::FieldError& e) {
        throw orvcli::CommandFailure{kExitUsage, o.file + ": " + e.message()};
    }
    orvcli::writeTextOrFail(o.output, text);
}

void runImport(const ImportOptions& o) {
    // Everything is read and checked before the output is replaced (in one
    // step), so a refused row leaves every file as it was. The output may be
    // FILE (the default: a change in place), never the CSV.
    orvcli::refuseSameFile({{"CSV", o.csv}}, {{"-o", o.output.empty() ? o.file : o.output}});
    const orv::MemoryImage img = orvcli::loadImageOrFail(o.file);
    const std::string text = orvcli::readTextOrFail(o.csv, orv::kChannelCsvMaxBytes);
    orv::ChannelCsvPlan plan;
    try {
        plan = orv::planChannelCsv(img, o.group - 1, text, o.options);
    } catch (const orv::FieldError& e) {
        throw orvcli::CommandFailure{kExitUsage, o.csv + ": " + e.message()};
    }
    const auto unfit = plan.unfitRows();
    if (!unfit.empty() && !o.options.skipUnfit) {
        // Every row that cannot be imported, each on its own line.
        for (const orv::CsvRowPlan* p : unfit) orvcli::reportError(o.csv + ": " + rowText(*p) + ": " + p->unfitText());
        throw orvcli::CommandFailure{kExitUsage, o.csv + ": " + std::to_string(unfit.size()) +
                                                     " row(s) the radio cannot hold; nothing was changed"};
    }
    orvcli::reportLine(plan.placementText());
    for (const orv::CsvRowPlan& p : plan.rows) {
        if (p.unfit) orvcli::reportLine(rowText(p) + ": skipped: " + p.unfitText());
        else if (!p.changes.empty()) orvcli::reportLine(rowText(p) + ": " + p.outcome());
    }
    // The plan and the import read the same text with the same options.
    const orv::ChannelCsvImport result = orv::importChannelCsv(img, o.group - 1, text, o.options);
    const std::string& out = o.output.empty() ? o.file : o.output;
    orvcli::saveImageOrFail(out, result.image);
}

}  // namespace

void addCsvCommands(CLI::App& app, int& exitCode) {
    auto exp = std::make_shared<ExportOptions>();
    CLI::App* cmdExport = app.add_subcommand(
        "csv-export", "Write the channels of one group as CSV (" + layoutStart() +
                          "), one row per channel that has a receive frequency");
    cmdExport->add_option("FILE", exp->file, "Programming file to read")->required();
    cmdExport->add_option("--group", exp->group, "Group number")->required()->check(CLI::Range(1, orv::memmap::kGroups));
    cmdExport->add_option("-o,--output", exp->output, "Write the CSV to this file instead of stdout (- is stdout)")
        ->check(orvcli::nonEmptyName());
    cmdExport->callback([exp, &exitCode] { exitCode = orvcli::runGuarded([&] { runExport(*exp); }); });

    auto imp = std::make_shared<ImportOptions>();
    CLI::App* cmdImport = app.add_subcommand(
        "csv-import", "Apply the rows of a CSV file (as csv-export or another channel tool writes it) to the "
                      "channels of one group; channels the file does not fill keep what they hold");
    cmdImport->add_option("FILE", imp->file, "Programming file to start from")->required();
    cmdImport->add_option("CSV", imp->csv, "CSV file to apply (- reads it from stdin)")->required();
    cmdImport->add_option("--group", imp->group, "Group number")->required()->check(CLI::Range(1, orv::memmap::kGroups));
    cmdImport->add_option("-o,--output", imp->output, "Programming file to write (default: replace FILE)")
        ->check(orvcli::nonEmptyName());
    const std::string channels = std::to_string(orv::memmap::kChannels);
    cmdImport->add_option("--first-channel", imp->options.firstChannel,
                          "Put the rows in file order from this channel (default: by Location when every Location "
                          "is 1 to " + channels + " and none repeats, otherwise in file order from channel 1)")
        ->check(CLI::Range(1, orv::memmap::kChannels));
    cmdImport->add_flag("--skip-unfit", imp->options.skipUnfit,
                        "Leave out the rows the radio cannot hold and the rows past channel " + channels +
                            ", each reported, and import the others");
    cmdImport->add_flag("--fit-names", imp->options.fitNames,
                        "Cut names to " + std::to_string(orv::kLabelChars) +
                            " characters and make characters the radio lacks blanks, each reported");
    cmdImport->footer(importFooter());
    cmdImport->callback([imp, &exitCode] { exitCode = orvcli::runGuarded([&] { runImport(*imp); }); });
}
