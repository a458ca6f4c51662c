#pragma once

#include "data/error.h"

#include <filesystem>
#include <string_view>

namespace sg8 {

/// Whether the file at `path` is a save file at all, told by its first bytes
/// without loading it whole: success when the loader would get past the file's
/// header (it may still find the file damaged further on); otherwise an error that
/// names the file and says it is no save file, or why it can't be read. Meant for
/// a file dropped or named by the user (a .json, a picture), before anything else
/// is asked or changed.
Status looksLikeSaveFile(const std::filesystem::path& path);

/// The same judgement over the first bytes of a file (or all of them).
bool startsLikeSaveFile(std::string_view bytes);

}  // namespace sg8
