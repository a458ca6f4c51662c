#include "data/file_io_internal.h"

#include <mutex>

namespace sg8 {
namespace {

std::mutex injectorMutex;
FaultInjector installedInjector;

}  // namespace

const char* ioStepName(IoStep step)
{
    switch (step) {
    case IoStep::OpenForReading: return "打开文件";
    case IoStep::Read: return "读取文件";
    case IoStep::CreateTemporary: return "创建临时文件";
    case IoStep::Write: return "写入临时文件";
    case IoStep::Flush: return "写入磁盘";
    case IoStep::Close: return "关闭临时文件";
    case IoStep::Rename: return "替换原文件";
    case IoStep::SyncFolder: return "同步文件夹";
    }
    return "文件操作";
}

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
    error.step = ioStepName(step);
    error.message = error.step + "失败：" + pathToUtf8(path) + "：" + reason;
    return error;
}

}  // namespace sg8
