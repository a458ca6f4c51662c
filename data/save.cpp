#include "data/save.h"

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

}  // namespace

std::filesystem::path backupPathFor(const std::filesystem::path& path)
{
    std::filesystem::path backup = path;
    backup += ".bak";
    return backup;
}

Result<SaveOutcome> saveGeneralsTo(const std::filesystem::path& path, const GeneralList& generals,
                                   std::int32_t trailerValue, Backup backup)
{
    if (path.empty()) return saveError("没有打开任何存档文件，无处保存。");
    const ByteString bytes = encodeSaveFile(generals, trailerValue);

    // The bytes must load back to the very same generals before anything is written.
    if (!loadsBackAs(bytes, generals, trailerValue)) {
        return saveError("保存前校验失败：生成的文件无法原样读回，未写入任何文件。", Step::Check);
    }

    SaveOutcome outcome;
    const std::string untouched = "原存档文件未改动。";
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (backup == Backup::Yes) {
        if (!exists) {
            outcome.originalMissing = true;
        } else {
            Result<ByteString> old = readFile(path);
            if (!old) return saveError("备份失败：" + old.error().message + "。未保存，" + untouched, Step::Backup);
            if (Status copied = replaceFile(backupPathFor(path), old.value()); !copied) {
                return saveError("备份失败：" + copied.error().message + "。未保存，" + untouched, Step::Backup);
            }
            outcome.backupMade = true;
        }
    } else if (!exists) {
        outcome.originalMissing = true;
    }

    if (Status replaced = replaceFile(path, bytes); !replaced) {
        Error error = std::move(replaced).error();
        if (error.step != Step::SyncFolder) error.message += "。" + untouched;
        return error;
    }

    Result<ByteString> written = readFile(path);
    if (!written || written.value() != bytes) {
        return saveError("保存后读回校验失败：" + (written ? std::string("内容与写入的不一致") : written.error().message) +
                             (outcome.backupMade ? "。原文件已备份为 " + pathToUtf8(backupPathFor(path)) : ""),
                         Step::ReadBack);
    }
    return outcome;
}

Result<SaveOutcome> saveSaveFile(const Model& model, Backup backup)
{
    return saveGeneralsTo(model.savePath, model.generals, model.trailerValue, backup);
}

}  // namespace sg8
