// The "report" command of orvedit-cli: the printed report of a programming
// file as plain text on standard output, or as a PDF file.
#pragma once
#include <CLI/CLI.hpp>

// Adds the report subcommand to `app`; its callback stores its result in
// `exitCode` (see CliSupport.h).
void addReportCommand(CLI::App& app, int& exitCode);
