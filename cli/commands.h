#pragma once

#include <CLI/CLI.hpp>

namespace sg8::cli {

/// What sg8gen exits with.
enum ExitCode : int {
    kExitOk = 0,
    kExitFailed = 1,  ///< the file was refused or damaged, or an I/O step failed
    kExitUsage = 2,   ///< the command line itself is wrong
};

/// Each adds its subcommand to `app`; when the subcommand runs, its result lands in `exitCode`.
void addListCommand(CLI::App& app, int& exitCode);
void addExportCommand(CLI::App& app, int& exitCode);
void addImportCommand(CLI::App& app, int& exitCode);
void addSetCommand(CLI::App& app, int& exitCode);
void addCheckCommand(CLI::App& app, int& exitCode);
void addBackupsCommand(CLI::App& app, int& exitCode);
void addRestoreCommand(CLI::App& app, int& exitCode);
void addDiffCommand(CLI::App& app, int& exitCode);

}  // namespace sg8::cli
