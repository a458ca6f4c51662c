#pragma once

#include "data/load.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg8::cli {

/// The program's arguments in UTF-8, the program name first.
std::vector<std::string> commandLineArguments(int argc, char** argv);

/// Writes bytes to standard output as they are; false when the write failed.
bool writeStdout(std::string_view bytes);

/// "sg8gen <command>: <message>" on standard error.
void reportError(std::string_view command, std::string_view message);

/// Each warning as "sg8gen <command>: 警告：<warning>" on standard error.
void reportWarnings(std::string_view command, const std::vector<std::string>& warnings);

/// Loads the save file at `file` (UTF-8) and reports its warnings. When it can't
/// be loaded, reports why, followed by `untouched`, and gives nothing.
std::optional<LoadedFile> loadForCommand(std::string_view command, const std::string& file,
                                         std::string_view untouched = {});

}  // namespace sg8::cli
