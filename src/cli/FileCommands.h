// The file commands of orvedit-cli: "new", "export" and "import".
#pragma once
#include <CLI/CLI.hpp>

// Adds the file subcommands to `app`. Each command's callback stores its
// result in `exitCode` (see CliSupport.h), which main returns.
void addFileCommands(CLI::App& app, int& exitCode);
