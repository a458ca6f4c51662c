#pragma once

// What each backend gives the backend-free part of the toolkit. Only toolkit
// sources include this.

#include "toolkit/file_dialog.h"
#include "toolkit/message_box.h"

#include <string>
#include <string_view>
#include <vector>

namespace sg8 {

class Window;

namespace backend {

/// Shows a message box on screen and waits for the answer.
MessageResult showMessageBox(std::string_view text, MessageStyle style, std::string_view caption, MessageIcon icon);

/// The settings a file dialog is shown with.
struct FileDialogRequest {
    std::string_view name;
    std::string_view title;
    std::vector<FileFilterEntry> filter;
    std::string extension;  ///< "bytes"
    std::string initialFolder;
    std::string initialFileName;
    bool save = false;
};

/// Shows a file dialog on screen; true with the chosen full path on OK.
bool showFileDialog(const FileDialogRequest& request, std::string& chosen);

/// Shows a folder in the system's file manager.
bool showFolder(std::string_view utf8Path);

}  // namespace backend

/// The windows that exist, for the test driver; each backend's windows register here.
void registerWindow(Window* window);
void unregisterWindow(Window* window);
const std::vector<Window*>& existingWindows();

}  // namespace sg8
