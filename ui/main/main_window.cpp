#include "ui/main/main_window.h"

#include "data/file_identity.h"
#include "data/file_io.h"
#include "data/general_row.h"
#include "data/load.h"
#include "data/save.h"
#include "data/save_file_sniff.h"
#include "data/save_folder.h"
#include "toolkit/message_box.h"
#include "ui/backups/backups_window.h"
#include "ui/editor/editor_window.h"
#include "ui/main/about_text.h"
#include "ui/main/changed_file_question.h"
#include "ui/main/fill_general_row.h"
#include "ui/main/main_window_design.h"

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

constexpr std::string_view kList = "超级列表框1";
constexpr std::string_view kSearch = "搜索框";

}  // namespace

struct MainWindow::LoadOutcome {
    Result<LoadedFile> file;
};

MainWindow::MainWindow(Model& model)
    : model_(model),
      window_(mainWindowDesign()),
      dialog_(saveFileDialogDesign()),
      saveAsDialog_(saveAsDialogDesign(), FileDialog::Mode::Save)
{
    dialog_.setInitialFolder(pathToUtf8(gameSaveFolder()));
    saveAsDialog_.setInitialFolder(pathToUtf8(gameSaveFolder()));
    window_.bind("按钮1", ControlEvent::Clicked, [this] { openSaveFile(); });
    window_.bind("按钮2", ControlEvent::Clicked, [this] { saveSaveFile(); });
    window_.bind("按钮_另存为", ControlEvent::Clicked, [this] { saveAs(); });
    window_.bind("按钮_备份", ControlEvent::Clicked, [this] { showBackups(); });
    window_.bind("按钮3", ControlEvent::Clicked, [this] { showAbout(); });
    window_.bind(kList, ControlEvent::DoubleClicked, [this] { openEditor(); });
    window_.bind(kSearch, ControlEvent::TextChanged, [this] { searchChanged(); });
    window_.onHeaderClicked(kList, [this](int column) { headerClicked(column); });
    window_.onCloseRequest([this] { return closeRequested(); });
    window_.onFilesDropped([this](std::vector<std::string> files) { openNamedFile(pathFromUtf8(files.front())); });

    auto command = [](std::function<void()> run) {
        return [run = std::move(run)] {
            run();
            return true;
        };
    };
    window_.bindKey("Ctrl+O", command([this] { openSaveFile(); }));
    window_.bindKey("Ctrl+S", command([this] { saveSaveFile(); }));
    window_.bindKey("Ctrl+Z", command([this] { undo(); }));
    window_.bindKey("Ctrl+Y", command([this] { redo(); }));
    window_.bindKey("Ctrl+F", command([this] { window_.focus(kSearch); }));
    window_.bindKey(kList, "Enter", command([this] { openEditor(); }));
    window_.bindKey(kList, "F2", command([this] { openEditor(); }));
    window_.bindKey(kSearch, "Escape", [this] {
        if (window_.editBox(kSearch).text().empty()) return false;
        window_.editBox(kSearch).setText("");
        return true;
    });
    window_.bindKey(kSearch, "Down", [this] {
        ListView list = window_.listView(kList);
        if (list.rowCount() == 0) return false;
        list.selectRow(0);
        window_.focus(kList);
        return true;
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::openSaveFile()
{
    if (loading() || busyWithModal()) return;
    if (!dialog_.show()) return;
    const std::filesystem::path path = pathFromUtf8(dialog_.fileName());
    // The dialog's file name is the open file's path until another file is installed.
    dialog_.setFileName(model_.savePath.empty() ? std::string() : pathToUtf8(model_.savePath));
    openNamedFile(path);
}

void MainWindow::openNamedFile(const std::filesystem::path& path)
{
    if (loading() || busyWithModal()) return;
    // A file that is no save file at all (a .json, a picture) is told before the
    // unsaved edits are asked about; without them the load itself tells it.
    if (model_.unsavedEdits) {
        if (const Status saveFile = looksLikeSaveFile(path); !saveFile) {
            messageBox(saveFile.error().message, MessageStyle::Ok, "打开失败", MessageIcon::Warning);
            return;
        }
    }
    if (!settleUnsavedEdits()) return;
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
                   MessageStyle::Ok, "打开失败", MessageIcon::Warning);
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
        messageBox(outcome.file.error().message, MessageStyle::Ok, "打开失败", MessageIcon::Warning);
        return;
    }
    LoadedFile& loaded = outcome.file.value();
    ListView list = window_.listView(kList);
    list.clear();
    releaseOffThread(std::move(model_.generals));
    installFile(model_, std::move(loaded.generals), loaded.trailerValue, path, loaded.identity);
    dialog_.setFileName(pathToUtf8(path));
    history_.clear();
    rows_.reset(model_.generals.size());
    window_.editBox(kSearch).setText("");  // a search of the last file would hide rows of this one
    list.setSortIndicator(-1, SortOrder::None);
    showRows();

    std::vector<std::string> notes = loaded.warnings;
    // The warnings already say why a save would differ; the verdict speaks when they don't.
    if (!loaded.verdict.byteExact && notes.empty()) {
        notes.push_back("不改动直接保存时，文件将自第 " + std::to_string(loaded.verdict.firstDifference) +
                        " 字节起与原文件不同：" + loaded.verdict.reason);
    }
    if (!notes.empty()) messageBox(joinLines(notes), MessageStyle::Ok, "读取提示", MessageIcon::Information);
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
    for (const char* button : {"按钮1", "按钮2", "按钮_另存为", "按钮_备份"}) window_.button(button).setEnabled(!loading);
    window_.listView(kList).setEnabled(!loading);
}

void MainWindow::showRows()
{
    const std::optional<std::size_t> selected = selectedRecord();
    rows_.apply(model_.generals);
    ListView list = window_.listView(kList);
    list.setRows(rows_.rowCount(), [this](int row) {
        if (row < 0 || row >= rows_.rowCount()) return ListView::Row(10);
        std::array<std::string, 10> cells = generalRowCells(model_.generals[rows_.recordOf(row)]);
        return ListView::Row(std::make_move_iterator(cells.begin()), std::make_move_iterator(cells.end()));
    });
    if (selected) list.selectRow(rows_.rowOf(*selected));
    showFileState();
}

void MainWindow::searchChanged()
{
    rows_.setFilter(window_.editBox(kSearch).text());
    showRows();
}

void MainWindow::headerClicked(int column)
{
    rows_.clickColumn(column);
    window_.listView(kList).setSortIndicator(rows_.sortColumn(), rows_.sortOrder());
    showRows();
}

std::optional<std::size_t> MainWindow::selectedRecord() const
{
    const int row = window_.listView(kList).selectedRow();
    if (row < 0 || row >= rows_.rowCount()) return std::nullopt;
    const std::size_t record = rows_.recordOf(row);
    if (record >= model_.generals.size()) return std::nullopt;
    return record;
}

void MainWindow::recordChanged(std::size_t record)
{
    // The row stays where it is until the search or the sort is worked out again.
    const int row = rows_.rowOf(record);
    if (row >= 0) fillGeneralRow(window_.listView(kList), row, model_.generals[record]);
    model_.unsavedEdits = history_.unsaved();
    showFileState();
}

void MainWindow::showFileState()
{
    if (model_.savePath.empty()) {
        window_.setCaption(kMainWindowCaption);
        return;
    }
    window_.setCaption(pathToUtf8(model_.savePath.filename()) + (model_.unsavedEdits ? "*" : "") + " - " +
                       std::string(kMainWindowCaption));
    const auto total = static_cast<std::int32_t>(model_.generals.size());
    std::string count = utf8Of(countLabelText(total));
    if (!rows_.filter().empty()) count += "（显示 " + std::to_string(rows_.rowCount()) + " 个）";
    window_.label("标签1").setCaption(count);
}

void MainWindow::markSaved()
{
    history_.markSaved();
    model_.unsavedEdits = false;
    showFileState();
}

void MainWindow::saveSaveFile()
{
    if (loading() || busyWithModal()) return;
    saveWithBackupQuestion();
}

bool MainWindow::saveWithBackupQuestion()
{
    if (model_.savePath.empty()) {
        messageBox("尚未打开存档文件，没有可保存的内容。", MessageStyle::Ok, "信息", MessageIcon::Information);
        return false;
    }
    // The game may have rewritten the file since it was loaded: ask before overwriting that.
    IfChanged ifChanged = IfChanged::Refuse;
    if (model_.fileIdentity && fileChangedSince(model_.savePath, *model_.fileIdentity)) {
        if (!confirmReplacingChangedFile(model_.savePath, "仍要保存吗？")) return false;
        ifChanged = IfChanged::Overwrite;
    }
    // Escape and the close box answer Cancel: nothing is written, the edits stay unsaved.
    const MessageResult answer = messageBox("是否在原目录备份原存档文件？", MessageStyle::YesNoCancel, "备份提示");
    if (answer != MessageResult::Yes && answer != MessageResult::No) return false;
    const Backup backup = answer == MessageResult::Yes ? Backup::Yes : Backup::No;
    Result<SaveOutcome> saved = sg8::saveSaveFile(model_, backup, ifChanged);
    // Changed while the questions were open: the save checks again right before the replace.
    if (!saved && isFileChangedError(saved.error()) && ifChanged == IfChanged::Refuse) {
        if (!confirmReplacingChangedFile(model_.savePath, "仍要保存吗？")) return false;
        saved = sg8::saveSaveFile(model_, backup, IfChanged::Overwrite);
    }
    if (!saved) {
        messageBox(saved.error().message, MessageStyle::Ok, "保存失败", MessageIcon::Error);
        return false;
    }
    markSaved();
    return true;
}

void MainWindow::saveAs()
{
    if (loading() || busyWithModal()) return;
    if (model_.savePath.empty()) {
        messageBox("尚未打开存档文件，没有可保存的内容。", MessageStyle::Ok, "信息", MessageIcon::Information);
        return;
    }
    saveAsDialog_.setFileName(pathToUtf8(model_.savePath));
    if (!saveAsDialog_.show()) return;
    const std::filesystem::path path = pathFromUtf8(saveAsDialog_.fileName());
    // The dialog asked before replacing another file; the open file itself must still be what was loaded.
    const bool sameFile = path == model_.savePath;
    std::optional<FileIdentity> expected = sameFile ? model_.fileIdentity : std::nullopt;
    if (sameFile && expected && fileChangedSince(path, *expected)) {
        if (!confirmReplacingChangedFile(path, "仍要保存吗？")) return;
        expected.reset();
    }
    const Result<SaveOutcome> saved = saveGeneralsTo(path, model_.generals, model_.trailerValue, Backup::No, expected);
    if (!saved) {
        messageBox(saved.error().message, MessageStyle::Ok, "另存为失败", MessageIcon::Error);
        return;
    }
    // From now on the open file is the new one.
    model_.savePath = path;
    model_.fileIdentity = saved->written;
    dialog_.setFileName(pathToUtf8(path));
    markSaved();
}

void MainWindow::showBackups()
{
    if (loading() || busyWithModal()) return;
    if (model_.savePath.empty()) {
        messageBox("尚未打开存档文件。打开一个存档文件后，这里列出它每次被保存替换之前的版本。", MessageStyle::Ok, "信息",
                   MessageIcon::Information);
        return;
    }
    backups_ = std::make_unique<BackupsWindow>(model_, [this] {
        // The restored version is now the file: read it again, its rows with it.
        loadFile(model_.savePath);
    });
    backups_->showModal([this] { backups_.reset(); });
}

bool MainWindow::settleUnsavedEdits()
{
    if (!model_.unsavedEdits) return true;
    const MessageResult answer = messageBox("当前存档有未保存的修改，是否先保存？", MessageStyle::YesNoCancel, "提示",
                                            MessageIcon::Question);
    if (answer == MessageResult::Yes) return saveWithBackupQuestion();
    return answer == MessageResult::No;
}

bool MainWindow::closeRequested()
{
    if (busyWithModal()) return false;
    return settleUnsavedEdits();
}

void MainWindow::showAbout() { messageBox(aboutText(), MessageStyle::Ok, "版权"); }

void MainWindow::openEditor()
{
    if (loading() || busyWithModal()) return;
    // Each row knows its general, in file order, however the list is searched or sorted.
    const std::optional<std::size_t> record = selectedRecord();
    if (!record) return;
    auto before = std::make_shared<CustomGeneral>(model_.generals[*record]);
    editor_ = std::make_unique<EditorWindow>(model_, *record);
    editor_->showModal([this, record = *record, before] {
        const CustomGeneral& after = model_.generals[record];
        if (!(after == *before)) history_.record(record, *before, after);
        recordChanged(record);
        editor_.reset();
        window_.focus(kList);  // where the keyboard was before the editor opened
    });
}

void MainWindow::undo()
{
    if (loading() || busyWithModal()) return;
    if (const EditHistory::Edit* edit = history_.undo()) {
        putGeneral(model_.generals[edit->record], edit->before);
        recordChanged(edit->record);
    }
}

void MainWindow::redo()
{
    if (loading() || busyWithModal()) return;
    if (const EditHistory::Edit* edit = history_.redo()) {
        putGeneral(model_.generals[edit->record], edit->after);
        recordChanged(edit->record);
    }
}

}  // namespace sg8
