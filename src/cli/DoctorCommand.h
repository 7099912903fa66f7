// orvedit-cli doctor: what on this machine keeps a serial port from working,
// one line per finding with what to do about it.
#pragma once
#include <CLI/CLI.hpp>

// Adds "doctor" to `app`; its callback stores the exit code in `exitCode`.
void addDoctorCommand(CLI::App& app, int& exitCode);
