#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sg8 {

/// Shows a folder in the system's file manager; false when none could be started.
bool openFolder(std::string_view utf8Path);

// Test hook: once a test has called takeOpenedFolder, folders are recorded instead
// of shown.

/// The folder last asked to be shown, and forgets it.
std::optional<std::string> takeOpenedFolder();

}  // namespace sg8
