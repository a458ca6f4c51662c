#pragma once

#include "toolkit/design.h"
#include "toolkit/file_dialog.h"

#include <string_view>

namespace sg8 {

/// The caption of MainWindow with no file open; with one, it follows the file's name.
inline constexpr std::string_view kMainWindowCaption = "Tarvo - Quelbrin - 测试版0.3  【Pellix】";

/// MainWindow: its caption, size and controls.
const WindowDesign& mainWindowDesign();

/// 通用对话框1, the open-file dialog of MainWindow.
const FileDialogDesign& saveFileDialogDesign();

/// The dialog of 另存为….
const FileDialogDesign& saveAsDialogDesign();

}  // namespace sg8
