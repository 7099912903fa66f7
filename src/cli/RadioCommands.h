// The radio commands of orvedit-cli ("read" and "write"), which talk to a
// radio (or the simulator) over a serial port.
#pragma once
#include <CLI/CLI.hpp>

// Adds the radio subcommands to `app`. Each command's callback stores its
// result in `exitCode` (see CliSupport.h for the codes), which main returns.
void addRadioCommands(CLI::App& app, int& exitCode);
