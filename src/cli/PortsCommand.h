// orvedit-cli ports: the serial ports of this machine, whether this user may
// open them, and the stable names to give --port.
#pragma once
#include <CLI/CLI.hpp>

// Adds "ports" to `app`; its callback stores the exit code in `exitCode`.
void addPortsCommand(CLI::App& app, int& exitCode);
