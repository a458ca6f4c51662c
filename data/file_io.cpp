#include "data/file_io_internal.h"

#include <mutex>

namespace sg8 {
namespace {

std::mutex injectorMutex;
FaultInjector installedInjector;

}  // namespace

void setFaultInjector(FaultInjector injector)
{
    std::lock_guard lock(injectorMutex);
    installedInjector = std::move(injector);
}

int injectedFault(IoStep step)
{
    std::lock_guard lock(injectorMutex);
    return installedInjector ? installedInjector(step) : 0;
}

std::filesystem::path pathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string pathToUtf8(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

ByteString readWholeFile(const std::filesystem::path& path)
{
    Result<ByteString> contents = readFile(path);
    return contents ? std::move(contents.value()) : ByteString();
}

Error ioError(IoStep step, const std::filesystem::path& path, const std::string& reason)
{
    Error error;
    error.step = step;
    error.message = std::string(stepName(step)) + "失败：" + pathToUtf8(path) + "：" + reason;
    return error;
}

Error notDurableError(const std::filesystem::path& target, const std::string& reason)
{
    Error error = ioError(IoStep::SyncFolder, target, reason);
    error.message += "（新文件已写入，但可能尚未完全落盘）";
    return error;
}

Error keptTemporaryError(const std::filesystem::path& target, const std::filesystem::path& temporary,
                         const std::string& reason)
{
    Error error = ioError(IoStep::Rename, target, reason);
    error.message += "（新内容保存在 " + pathToUtf8(temporary) + "）";
    return error;
}

}  // namespace sg8
