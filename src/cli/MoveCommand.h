// The "move" command of orvedit-cli: the editor's Move on a programming file.
// The channel bank of one group position moves to another and the banks in
// between shift by one place; group parameters, labels and flags stay.
#pragma once
#include <CLI/CLI.hpp>

// Adds the move subcommand to `app`; its callback stores its result in
// `exitCode` (see CliSupport.h).
void addMoveCommand(CLI::App& app, int& exitCode);
