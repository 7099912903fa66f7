// orvedit-cli csv-export / csv-import: the channels of one group as CSV in
// the common channel layout (see interchange/ChannelCsv.h).
#pragma once
#include <CLI/CLI.hpp>

// Adds both commands to `app`; each callback stores its exit code in
// `exitCode` (0 success, 1 the output could not be written, 2 bad usage or
// bad input).
void addCsvCommands(CLI::App& app, int& exitCode);
