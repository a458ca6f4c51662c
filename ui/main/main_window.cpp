#include "ui/main/main_window.h"

#include "data/file_io.h"
#include "data/load.h"
#include "data/save.h"
#include "toolkit/message_box.h"
#include "ui/editor/editor_window.h"
#include "ui/main/about_text.h"
#include "ui/main/fill_general_row.h"
#include "data/general_row.h"
#include "ui/main/main_window_design.h"
#include "data/save_folder.h"

#include <string>
#include <vector>

namespace sg8 {

namespace {

std::string utf8Of(const Text& text) { return textToUtf8(text).bytes(); }

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string joined;
    for (const std::string& line : lines) joined += (joined.empty() ? "" : "\r\n") + line;
    return joined;
}

}  // namespace

struct MainWindow::LoadOutcome {
    Result<LoadedFile> file;
};

MainWindow::MainWindow(Model& model) : model_(model), window_(mainWindowDesign()), dialog_(saveFileDialogDesign())
{
    dialog_.setInitialFolder(pathToUtf8(gameSaveFolder()));
    window_.bind("按钮1", ControlEvent::Clicked, [this] { openSaveFile(); });
    window_.bind("按钮2", ControlEvent::Clicked, [this] { saveSaveFile(); });
    window_.bind("按钮3", ControlEvent::Clicked, [this] { showAbout(); });
    window_.bind("超级列表框1", ControlEvent::DoubleClicked, [this] { openEditor(); });
    window_.onCloseRequest([this] { return closeRequested(); });
    window_.onFilesDropped([this](std::vector<std::string> files) {
        openNamedFile(pathFromUtf8(files.front()));
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::openSaveFile()
{
    if (loading()) return;
    if (!dialog_.show()) return;
    const std::filesystem::path path = pathFromUtf8(dialog_.fileName());
    // The dialog's file name is the open file's path until another file is installed.
    dialog_.setFileName(model_.savePath.empty() ? std::string() : pathToUtf8(model_.savePath));
    openNamedFile(path);
}

void MainWindow::openNamedFile(const std::filesystem::path& path)
{
    if (loading() || editor_ || !settleUnsavedEdits()) return;
    loadFile(path);
}

bool MainWindow::loadFile(const std::filesystem::path& path)
{
    const Worker::Start started = loader_.start<LoadOutcome>(
        [path] {
            // Off the window thread: the whole parse; no control is touched.
            return LoadOutcome{loadSaveFile(path)};
        },
        [this, path](LoadOutcome outcome) { installLoad(path, std::move(outcome)); });
    if (started == Worker::Start::NoThread) {
        messageBox("无法打开 " + pathToUtf8(path.filename()) + "：系统无法为读取文件启动线程（内存或系统资源不足）。未打开任何文件，当前内容不变。",
                   MessageStyle::Ok, "打开失败：", MessageIcon::Warning);
        return false;
    }
    if (started != Worker::Start::Started) return false;
    setLoading(true);
    return true;
}

void MainWindow::installLoad(const std::filesystem::path& path, LoadOutcome outcome)
{
    setLoading(false);
    if (!outcome.file) {
        messageBox(outcome.file.error().message, MessageStyle::Ok, "打开失败：", MessageIcon::Warning);
        return;
    }
    LoadedFile& loaded = outcome.file.value();
    const auto count = static_cast<std::int32_t>(loaded.generals.size());
    ListView list = window_.listView("超级列表框1");
    list.clear();
    releaseOffThread(std::move(model_.generals));
    installFile(model_, std::move(loaded.generals), loaded.trailerValue, path);
    dialog_.setFileName(pathToUtf8(path));
    window_.label("标签1").setCaption(utf8Of(countLabelText(count)));
    list.setRows(count, generalRowSource(model_.generals));

    std::vector<std::string> notes = loaded.warnings;
    // The warnings already say why a save would differ; the verdict speaks when they don't.
    if (!loaded.verdict.byteExact && notes.empty()) {
        notes.push_back("不改动直接保存时，文件将自第 " + std::to_string(loaded.verdict.firstDifference) +
                        " 字节起与原文件不同：" + loaded.verdict.reason);
    }
    if (!notes.empty()) messageBox(joinLines(notes), MessageStyle::Ok, "读取提示：", MessageIcon::Information);
}

void MainWindow::releaseOffThread(GeneralList generals)
{
    // Freeing a large list takes a while; the window thread need not wait for it.
    auto doomed = std::make_shared<GeneralList>(std::move(generals));
    if (doomed->empty() ||
        releaser_.start<bool>([doomed] { doomed->clear(); return true; }, [](bool) {}) != Worker::Start::Started) {
        doomed->clear();
    }
}

void MainWindow::setLoading(bool loading)
{
    window_.button("按钮1").setEnabled(!loading);
    window_.button("按钮2").setEnabled(!loading);
    window_.listView("超级列表框1").setEnabled(!loading);
}

void MainWindow::saveSaveFile()
{
    if (loading()) return;
    saveWithBackupQuestion();
}

bool MainWindow::saveWithBackupQuestion()
{
    if (model_.savePath.empty()) {
        messageBox("尚未打开存档文件，没有可保存的内容。", MessageStyle::Ok, "信息：", MessageIcon::Information);
        return false;
    }
    // Escape and the close box answer Cancel: nothing is written, the edits stay unsaved.
    const MessageResult answer = messageBox("是否在原目录备份原存档文件？", MessageStyle::YesNoCancel, "备份提示：");
    if (answer != MessageResult::Yes && answer != MessageResult::No) return false;
    const Result<SaveOutcome> saved = sg8::saveSaveFile(model_, answer == MessageResult::Yes ? Backup::Yes : Backup::No);
    if (!saved) {
        messageBox(saved.error().message, MessageStyle::Ok, "保存失败：", MessageIcon::Error);
        return false;
    }
    model_.unsavedEdits = false;
    return true;
}

bool MainWindow::settleUnsavedEdits()
{
    if (!model_.unsavedEdits) return true;
    const MessageResult answer = messageBox("当前存档有未保存的修改，是否先保存？", MessageStyle::YesNoCancel, "提示：",
                                            MessageIcon::Question);
    if (answer == MessageResult::Yes) return saveWithBackupQuestion();
    return answer == MessageResult::No;
}

bool MainWindow::closeRequested()
{
    if (editor_) return false;
    return settleUnsavedEdits();
}

void MainWindow::showAbout() { messageBox(aboutText(), MessageStyle::Ok, "版权"); }

void MainWindow::openEditor()
{
    if (loading() || editor_) return;
    ListView list = window_.listView("超级列表框1");
    const int row = list.selectedRow();
    // Rows and records are one to one; a row without a record opens nothing all the same.
    if (row < 0 || static_cast<std::size_t>(row) >= model_.generals.size()) return;
    editor_ = std::make_unique<EditorWindow>(model_, static_cast<std::size_t>(row));
    editor_->showModal([this, list, row] {
        fillGeneralRow(list, row, model_.generals[static_cast<std::size_t>(row)]);
        editor_.reset();
    });
}

}  // namespace sg8
