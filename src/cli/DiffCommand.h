// orvedit-cli diff: the differences between two programming files, one line
// per differing field in the wording of the JSON export.
#pragma once
#include <CLI/CLI.hpp>

// Adds "diff" to `app`; its callback stores the exit code in `exitCode`:
// 0 the files are the same, 1 they differ, 2 bad usage or an unreadable file.
void addDiffCommand(CLI::App& app, int& exitCode);
