#pragma once

#include "data/backup_history.h"
#include "data/model.h"
#include "toolkit/window.h"

#include <functional>
#include <vector>

namespace sg8 {

/// The modal window that lists the open file's backup history, newest first,
/// and puts a chosen version back in place of the file (恢复) or shows the
/// history's folder (打开文件夹).
class BackupsWindow {
public:
    /// `restored` runs once a version has replaced the file; the caller reloads it.
    BackupsWindow(Model& model, std::function<void()> restored);

    /// Shows the window modally; `whenClosed` runs once it has closed.
    void showModal(std::function<void()> whenClosed) { window_.showModal(std::move(whenClosed)); }
    Window& window() { return window_; }

    void restoreVersion();
    void openHistoryFolder();

private:
    void fillVersions();

    Model& model_;
    std::function<void()> restored_;
    Window window_;
    std::vector<BackupVersion> versions_;
};

}  // namespace sg8
