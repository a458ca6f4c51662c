#include "ui/backups/backups_window.h"

#include "data/file_io.h"
#include "data/save.h"
#include "toolkit/message_box.h"
#include "toolkit/shell.h"
#include "ui/backups/backups_design.h"
#include "ui/main/changed_file_question.h"

#include <string>
#include <system_error>

namespace sg8 {

namespace {

/// "12,345 字节"
std::string sizeText(std::uint64_t bytes)
{
    std::string digits = std::to_string(bytes);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<std::size_t>(i), ",");
    return digits + " 字节";
}

}  // namespace

BackupsWindow::BackupsWindow(Model& model, std::function<void()> restored)
    : model_(model), restored_(std::move(restored)), window_(backupsWindowDesign())
{
    window_.bind("按钮_恢复", ControlEvent::Clicked, [this] { restoreVersion(); });
    window_.bind("按钮_打开文件夹", ControlEvent::Clicked, [this] { openHistoryFolder(); });
    window_.bind("按钮_关闭", ControlEvent::Clicked, [this] { window_.close(); });
    window_.bind("列表_版本", ControlEvent::DoubleClicked, [this] { restoreVersion(); });
    window_.bindKey("Escape", [this] { window_.close(); return true; });
    window_.label("标签_存档").setCaption("存档 " + pathToUtf8(model_.savePath.filename()) +
                                         " 每次被替换之前的版本（最新的在前）：");
    fillVersions();
}

void BackupsWindow::fillVersions()
{
    versions_ = listBackupVersions(model_.savePath);
    window_.listView("列表_版本").setRows(static_cast<int>(versions_.size()), [this](int row) {
        if (row < 0 || static_cast<std::size_t>(row) >= versions_.size()) return ListView::Row(3);
        const BackupVersion& version = versions_[static_cast<std::size_t>(row)];
        return ListView::Row{version.time,
                             version.generals ? std::to_string(*version.generals) + " 个" : "无法读取",
                             sizeText(version.size)};
    });
    if (!versions_.empty()) window_.listView("列表_版本").selectRow(0);
}

void BackupsWindow::restoreVersion()
{
    const int row = window_.listView("列表_版本").selectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= versions_.size()) {
        messageBox("请先在列表中选择要恢复的版本。", MessageStyle::Ok, "恢复备份", MessageIcon::Information);
        return;
    }
    const BackupVersion version = versions_[static_cast<std::size_t>(row)];
    const std::string name = pathToUtf8(model_.savePath.filename());
    std::string question = "用 " + version.time + " 存入的版本替换存档文件 " + name +
                           "？\r\n替换之前，当前的文件会先存入备份历史，之后仍可恢复回来。";
    if (model_.unsavedEdits) question += "\r\n尚未保存的修改将会丢失。";
    if (messageBox(question, MessageStyle::YesNo, "恢复备份", MessageIcon::Question) != MessageResult::Yes) return;

    Result<SaveOutcome> restored = restoreBackupVersion(model_.savePath, version.path, model_.fileIdentity);
    if (!restored && isFileChangedError(restored.error())) {
        if (!confirmReplacingChangedFile(model_.savePath, "仍要恢复吗？")) return;
        restored = restoreBackupVersion(model_.savePath, version.path);
    }
    if (!restored) {
        messageBox(restored.error().message, MessageStyle::Ok, "恢复失败", MessageIcon::Error);
        return;
    }
    window_.close();
    if (restored_) restored_();
}

void BackupsWindow::openHistoryFolder()
{
    const std::filesystem::path folder = historyFolderFor(model_.savePath);
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        messageBox("存档 " + pathToUtf8(model_.savePath.filename()) + " 还没有备份版本，备份文件夹尚未建立：" +
                       pathToUtf8(folder),
                   MessageStyle::Ok, "打开文件夹", MessageIcon::Information);
        return;
    }
    if (!openFolder(pathToUtf8(folder))) {
        messageBox("无法打开文件夹 " + pathToUtf8(folder) + "：系统没有可用的文件管理器。", MessageStyle::Ok,
                   "打开文件夹", MessageIcon::Warning);
    }
}

}  // namespace sg8
