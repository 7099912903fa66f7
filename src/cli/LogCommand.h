// orvedit-cli log: the radio log of this user's data folder, as a table or
// as JSON lines.
#pragma once
#include <CLI/CLI.hpp>

void addLogCommand(CLI::App& app, int& exitCode);
