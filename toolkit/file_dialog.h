#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg8 {

/// The fixed settings of a file dialog.
struct FileDialogDesign {
    std::string_view name;              ///< design name
    std::string_view title;             ///< UTF-8
    std::string_view filter;            ///< "name|pattern|name|pattern", the first entry selected
    std::string_view defaultExtension;  ///< "*.bytes"
};

/// One entry of a dialog's filter: its name as shown and its pattern ("*.*" for every file).
struct FileFilterEntry {
    std::string name;
    std::string pattern;
};

/// The entries of a "name|pattern|name|pattern" filter, in order; a trailing name
/// without a pattern is dropped.
std::vector<FileFilterEntry> parseFileFilter(std::string_view filter);

/// "bytes" of "*.bytes", ".bytes" or "bytes".
std::string extensionOf(std::string_view defaultExtension);

/// A file dialog, in Chinese whatever the system's language. Its file name is
/// offered as the initial one at each show and is replaced by the full path of
/// the file chosen with OK.
class FileDialog {
public:
    enum class Mode {
        Open,  ///< the chosen file must exist, and so must its folder
        Save,  ///< the folder must exist; choosing a file that exists asks before replacing it
    };

    FileDialog(const FileDialogDesign& design, Mode mode) : design_(design), mode_(mode) {}

    void setInitialFolder(std::string utf8) { initialFolder_ = std::move(utf8); }
    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string utf8) { fileName_ = std::move(utf8); }

    /// True on OK (the file name is then the chosen path), false on Cancel.
    bool show();

private:
    FileDialogDesign design_;
    Mode mode_;
    std::string initialFolder_;
    std::string fileName_;
};

/// The open dialog of a design.
class OpenFileDialog : public FileDialog {
public:
    explicit OpenFileDialog(const FileDialogDesign& design) : FileDialog(design, Mode::Open) {}
};

// Test hooks: once a test has answered a dialog in advance, no dialog is shown on
// screen; each show takes the next answer (a path for OK, nothing for Cancel). An
// open dialog refuses a path that is no file, as the real one does.

struct ShownFileDialog {
    std::string title;
    std::string filter;  ///< in the design's own "name|pattern|…" form
    std::string initialFolder;
    std::string initialFileName;
    std::string defaultExtension;  ///< "bytes"
    bool save = false;
};

void setNextFileName(std::optional<std::string> utf8Path);
/// Drops the answers no dialog has taken; returns how many there were.
std::size_t dropUnusedFileNames();
/// The settings of the last dialog shown, if any.
std::optional<ShownFileDialog> lastFileDialog();

}  // namespace sg8
