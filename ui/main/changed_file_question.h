#pragma once

#include <filesystem>
#include <string_view>

namespace sg8 {

/// Asks, in a box captioned "文件已被修改", whether to replace the save file
/// at `path` although another program (the game, maybe) changed it since it was
/// loaded. `action` ends the question ("仍要保存吗？"). True only for 是: 否,
/// Escape and the close box write nothing.
bool confirmReplacingChangedFile(const std::filesystem::path& path, std::string_view action);

}  // namespace sg8
