#pragma once

#include "data/model.h"
#include "toolkit/file_dialog.h"
#include "toolkit/window.h"
#include "toolkit/worker.h"
#include "ui/main/edit_history.h"
#include "ui/main/row_order.h"

#include <filesystem>
#include <memory>

namespace sg8 {

class EditorWindow;
class BackupsWindow;

/// The program's one top-level window: the general list of the open file, its
/// count, a search box, and the commands open, save, save as, the backup
/// history and About. Double-clicking a row (or Enter, or F2) edits that
/// general in EditorWindow; confirmed edits can be undone and redone.
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
    void saveAs();
    void showBackups();
    void showAbout();
    void openEditor();
    void undo();
    void redo();

    /// Starts loading `path` (from the dialog, the command line or a drop).
    /// Refused (false) while another load runs.
    bool loadFile(const std::filesystem::path& path);
    bool loading() const { return loader_.running(); }
    /// Whether a modal window of this one (the editor, the backups) is open.
    bool busyWithModal() const { return editor_ != nullptr || backups_ != nullptr; }

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
    /// The model's generals were saved as they are now.
    void markSaved();

    /// Shows the rows the search and the sort give, keeping the selected general selected.
    void showRows();
    void searchChanged();
    void headerClicked(int column);
    /// Redraws the row of a record that changed, and the unsaved mark.
    void recordChanged(std::size_t record);
    /// The general of the selected row, or nothing.
    std::optional<std::size_t> selectedRecord() const;
    /// The caption and the count label, after the file, its rows or its unsaved mark changed.
    void showFileState();

    Model& model_;
    Window window_;
    OpenFileDialog dialog_;
    FileDialog saveAsDialog_;
    RowOrder rows_;
    EditHistory history_;
    std::unique_ptr<EditorWindow> editor_;
    std::unique_ptr<BackupsWindow> backups_;
    Worker releaser_;
    Worker loader_;  // last: destroyed first, so a running load ends before the rest
};

}  // namespace sg8
