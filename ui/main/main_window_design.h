#pragma once

#include "toolkit/design.h"
#include "toolkit/file_dialog.h"

namespace sg8 {

/// MainWindow: its caption, size and controls.
const WindowDesign& mainWindowDesign();

/// 通用对话框1, the open-file dialog of MainWindow.
const FileDialogDesign& saveFileDialogDesign();

}  // namespace sg8
