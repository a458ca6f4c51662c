#include "data/save.h"

#include "data/backup_history.h"
#include "data/file_io.h"
#include "data/load.h"
#include "data/save_format.h"

#include <system_error>

namespace sg8 {
namespace {

Error saveError(std::string message, Step step = Step::None)
{
    Error error;
    error.message = std::move(message);
    error.step = step;
    return error;
}

Error fileChangedError(const std::filesystem::path& path, const std::string& untouched)
{
    return saveError("文件已被修改：" + pathToUtf8(path.filename()) +
                         " 在载入之后被其他程序改动过（游戏是否正在运行？）。未保存，" + untouched,
                     Step::FileChanged);
}

// Whether the file at `path` is still what the save read (`seen`, with the time
// taken before that read): by its size and time where they vouch for it, else by
// reading it again.
bool stillAsSeen(const std::filesystem::path& path, const FileIdentity& seen)
{
    const FileIdentity now = fileStamp(path);
    if (!seen.exists) {
        std::error_code ec;
        return !now.exists && !std::filesystem::exists(path, ec);
    }
    if (!now.exists || now.size != seen.size) return false;
    if (seen.modified != 0 && now.modified == seen.modified) return true;
    const Result<FileIdentity> read = readFileIdentity(path);
    return read && read->sameContents(seen);
}

// The safe save of bytes that have been checked: the steps after the check.
// `makeBytes` gives the bytes to write; it is called only once the old file has
// been kept and let go, so that the old file's bytes and the new ones are never
// held at the same time (beside a list of generals, they would be three times
// the file's size).
template <typename MakeBytes>
Result<SaveOutcome> writeChecked(const std::filesystem::path& path, MakeBytes makeBytes, Backup backup,
                                 const std::optional<FileIdentity>& expected)
{
    SaveOutcome outcome;
    const std::string untouched = "原存档文件未改动。";
    std::error_code ec;

    // The file as it is now: kept in the history before anything replaces it.
    FileIdentity seen = fileStamp(path);
    const bool exists = seen.exists || std::filesystem::exists(path, ec);
    if (exists) {
        Result<ByteString> read = readFile(path);
        if (!read) {
            Error error = read.error();
            error.message = "无法读取原文件以存入备份历史：" + error.message + "。未保存，" + untouched;
            return error;
        }
        const ByteString old = std::move(read.value());
        seen = identityOfRead(seen, old);
        if (expected && !seen.sameContents(*expected)) return fileChangedError(path, untouched);

        Result<std::filesystem::path> kept = keepBackupVersion(path, old);
        if (!kept) {
            Error error = kept.error();
            error.message += "。未保存，" + untouched;
            return error;
        }
        outcome.keptVersion = kept.value();

        if (backup == Backup::Yes) {
            if (Status copied = replaceFile(backupPathFor(path), old); !copied) {
                return saveError("备份失败：" + copied.error().message + "。未保存，" + untouched, Step::Backup);
            }
            outcome.backupMade = true;
        }
    } else if (expected && !seen.sameContents(*expected)) {
        return fileChangedError(path, untouched);
    }
    outcome.originalMissing = !exists;

    decltype(auto) bytes = makeBytes();
    // Checked again right before the replace: the game may have written meanwhile.
    if (!stillAsSeen(path, seen)) return fileChangedError(path, untouched);

    if (Status replaced = replaceFile(path, bytes); !replaced) {
        Error error = std::move(replaced).error();
        if (error.step != Step::SyncFolder) error.message += "。" + untouched;
        return error;
    }

    // Read back piece by piece: a second copy of the file is never needed.
    const FileIdentity stampAfter = fileStamp(path);
    const Result<bool> same = fileHolds(path, bytes.view());
    if (!same || !same.value()) {
        return saveError("保存后读回校验失败：" + (same ? std::string("内容与写入的不一致") : same.error().message) +
                             (outcome.backupMade ? "。原文件已备份为 " + pathToUtf8(backupPathFor(path)) : ""),
                         Step::ReadBack);
    }
    outcome.written = identityOfRead(stampAfter, bytes);
    pruneBackupHistory(path);
    return outcome;
}

}  // namespace

std::filesystem::path backupPathFor(const std::filesystem::path& path)
{
    std::filesystem::path backup = path;
    backup += ".bak";
    return backup;
}

Result<SaveOutcome> saveGeneralsTo(const std::filesystem::path& path, const GeneralList& generals,
                                   std::int32_t trailerValue, Backup backup,
                                   const std::optional<FileIdentity>& expected)
{
    if (path.empty()) return saveError("没有打开任何存档文件，无处保存。");
    {
        // The bytes must load back to the very same generals before anything is written.
        const ByteString bytes = encodeSaveFile(generals, trailerValue);
        if (!loadsBackAs(bytes, generals, trailerValue)) {
            return saveError("保存前校验失败：生成的文件无法原样读回，未写入任何文件。", Step::Check);
        }
    }
    // Encoded again once the old file is let go: encoding is cheap beside holding
    // both files' bytes at once (the encoder gives the same bytes every time).
    return writeChecked(
        path, [&] { return encodeSaveFile(generals, trailerValue); }, backup, expected);
}

Result<SaveOutcome> saveBytesTo(const std::filesystem::path& path, const ByteString& bytes, Backup backup,
                                const std::optional<FileIdentity>& expected)
{
    if (path.empty()) return saveError("没有打开任何存档文件，无处保存。");
    if (!loadSaveFile(bytes)) return saveError("保存前校验失败：要写入的内容不是可以载入的存档文件，未写入任何文件。", Step::Check);
    return writeChecked(
        path, [&]() -> const ByteString& { return bytes; }, backup, expected);
}

Result<SaveOutcome> saveSaveFile(Model& model, Backup backup, IfChanged ifChanged)
{
    std::optional<FileIdentity> expected = model.fileIdentity;
    if (ifChanged == IfChanged::Overwrite && !model.savePath.empty()) {
        // Whatever is there now; the check right before the replace still guards
        // against a change made after the user agreed.
        Result<FileIdentity> now = readFileIdentity(model.savePath);
        if (!now) return now.error();
        expected = now.value();
    }
    Result<SaveOutcome> saved = saveGeneralsTo(model.savePath, model.generals, model.trailerValue, backup, expected);
    if (saved) model.fileIdentity = saved->written;
    return saved;
}

bool isFileChangedError(const Error& error)
{
    return error.step == Step::FileChanged;
}

}  // namespace sg8
