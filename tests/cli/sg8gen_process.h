#pragma once

// Runs the built sg8gen in a folder of its own and looks at what it left there.

#include "data/general.h"
#include "data/text.h"
#include "tests/core/temp_folder.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace sg8::testing {

/// What one run of sg8gen gave.
struct Outcome {
    int exitCode = -1;
    std::string out;  ///< standard output
    std::string err;  ///< standard error
};

/// Runs sg8gen with `arguments` in `folder` (its working folder).
Outcome sg8gen(const TempFolder& folder, const std::vector<std::string>& arguments);

/// Every file in the folder with its bytes, to show that a command wrote nothing.
std::map<std::string, std::string> snapshot(const TempFolder& folder);

std::string fileBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

/// A text field's value from UTF-8, kept exactly.
GeneralText utf8Text(std::string_view utf8);

/// Three generals with texts the code page can't hold (an emoji, a character
/// beyond the BMP, Hangul), texts with commas, quotes and line breaks, and the
/// extreme ints.
GeneralList exoticGenerals();

}  // namespace sg8::testing
