#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sg8 {

/// The fixed settings of an open-file dialog.
struct FileDialogDesign {
    std::string_view name;              ///< design name
    std::string_view title;             ///< UTF-8
    std::string_view filter;            ///< "name|pattern|name|pattern", the first entry selected
    std::string_view defaultExtension;  ///< "*.bytes"
};

/// An open-file dialog: the chosen file must exist, and so must its folder. Its
/// file name is offered as the initial one at each show and is replaced by the
/// full path of the file chosen with OK.
class OpenFileDialog {
public:
    explicit OpenFileDialog(const FileDialogDesign& design) : design_(design) {}

    void setInitialFolder(std::string utf8) { initialFolder_ = std::move(utf8); }
    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string utf8) { fileName_ = std::move(utf8); }

    /// True on OK (the file name is then the chosen path), false on Cancel.
    bool show();

private:
    FileDialogDesign design_;
    std::string initialFolder_;
    std::string fileName_;
};

// Test hooks: once a test has answered a dialog in advance, no dialog is shown on
// screen; each show takes the next answer (a path for OK, nothing for Cancel).

struct ShownFileDialog {
    std::string title;
    std::string filter;  ///< as the dialog shows it, first entry first
    std::string initialFolder;
    std::string initialFileName;
    std::string defaultSuffix;
};

void setNextFileName(std::optional<std::string> utf8Path);
/// Drops the answers no dialog has taken; returns how many there were.
std::size_t dropUnusedFileNames();
/// The settings of the last dialog shown, if any.
std::optional<ShownFileDialog> lastFileDialog();

}  // namespace sg8
