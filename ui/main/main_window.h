#pragma once

#include "data/model.h"
#include "toolkit/file_dialog.h"
#include "toolkit/window.h"
#include "toolkit/worker.h"

#include <filesystem>
#include <memory>

namespace sg8 {

class EditorWindow;

/// The program's one top-level window: the general list of the open file, its
/// count, and the commands open, save and About. Double-clicking a row edits
/// that general in EditorWindow.
///
/// A load reads the file on a worker while the window stays responsive; open,
/// save and the editor are refused until it is back. Its result is installed
/// on the window thread whole, or, for a refused file, not at all.
class MainWindow {
public:
    explicit MainWindow(Model& model);
    ~MainWindow();

    Window& window() { return window_; }

    // The handlers of the design.
    void openSaveFile();
    void saveSaveFile();
    void showAbout();
    void openEditor();

    /// Starts loading `path` (from the dialog, the command line or a drop).
    /// Refused (false) while another load runs.
    bool loadFile(const std::filesystem::path& path);
    bool loading() const { return loader_.running(); }
    /// Whether a modal window of this one (the editor, the backups) is open.
    bool busyWithModal() const { return editor_ != nullptr; }

private:
    struct LoadOutcome;
    /// Opens a file the user named (in the dialog or by a drop), after any unsaved edits are settled.
    void openNamedFile(const std::filesystem::path& path);
    void installLoad(const std::filesystem::path& path, LoadOutcome outcome);
    void setLoading(bool loading);
    void releaseOffThread(GeneralList generals);
    /// Saves with the backup question; true when the file was written.
    bool saveWithBackupQuestion();
    /// With unsaved edits, asks whether to save them first; false: stay.
    bool settleUnsavedEdits();
    bool closeRequested();

    Model& model_;
    Window window_;
    OpenFileDialog dialog_;
    std::unique_ptr<EditorWindow> editor_;
    Worker releaser_;
    Worker loader_;  // last: destroyed first, so a running load ends before the rest
};

}  // namespace sg8
