// The radio commands of orvedit-cli ("read" and "write"), which talk to a
// radio (or the simulator) over a serial port. They live in their own file
// so that the file commands build without the link; main.cpp adds them when
// RadioCommands.cpp is part of the build (ORV_HAVE_RADIO_COMMANDS).
#pragma once
#include <CLI/CLI.hpp>

// Adds the radio subcommands to `app`. Each command's callback stores its
// result in `exitCode` (see CliSupport.h for the codes), which main returns.
void addRadioCommands(CLI::App& app, int& exitCode);
