#include "data/file_io_internal.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <random>

namespace sg8 {
namespace {

namespace fs = std::filesystem;

std::mutex injectorMutex;
FaultInjector installedInjector;

std::string reasonText(const SystemReason& reason)
{
    using Cause = SystemReason::Cause;
    switch (reason.cause) {
    case Cause::NoName: return "没有文件名";
    case Cause::NotFound: return "找不到该文件或它所在的文件夹";
    case Cause::PermissionDenied: return "没有访问权限";
    case Cause::DiskFull: return "磁盘空间不足";
    case Cause::InUse: return "文件正被占用——游戏是否正在运行？";
    case Cause::ReadOnlyFile: return "文件是只读的，可在文件属性中取消“只读”";
    case Cause::ReadOnlyDisk: return "所在的磁盘或分区是只读的";
    case Cause::PathTooLong: return "路径太长";
    case Cause::IsFolder: return "这是文件夹，不是文件";
    case Cause::Other: break;
    }
    if (reason.systemText.empty()) return "系统错误代码 " + std::to_string(reason.code);
    return "系统报告：" + reason.systemText;
}

Error fileError(IoStep step, std::string message)
{
    Error error;
    error.step = step;
    error.message = std::move(message);
    return error;
}

std::string whileDoing(IoStep step)
{
    return "（" + std::string(stepName(step)) + "时出错）";
}

constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kTemporaryDigits = 16;

bool isTemporaryOf(const std::string& candidate, const std::string& targetName)
{
    const std::string prefix = "." + targetName + ".";
    if (candidate.size() != prefix.size() + kTemporaryDigits + kTemporarySuffix.size()) return false;
    if (candidate.compare(0, prefix.size(), prefix) != 0) return false;
    if (candidate.compare(candidate.size() - kTemporarySuffix.size(), kTemporarySuffix.size(), kTemporarySuffix) != 0) {
        return false;
    }
    for (std::size_t i = prefix.size(); i < prefix.size() + kTemporaryDigits; ++i) {
        const char c = candidate[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

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

std::string quotedFileName(const fs::path& path)
{
    const fs::path name = path.filename();
    return "“" + pathToUtf8(name.empty() ? path : name) + "”";
}

ByteString readWholeFile(const std::filesystem::path& path)
{
    Result<ByteString> contents = readFile(path);
    return contents ? std::move(contents.value()) : ByteString();
}

Result<bool> fileHolds(const fs::path& path, std::string_view bytes)
{
    std::size_t at = 0;
    bool same = true;
    const Status read = readFileInPieces(path, [&](std::string_view piece) {
        same = piece.size() <= bytes.size() - at && bytes.substr(at, piece.size()) == piece;
        at += piece.size();
        return same;
    });
    if (!read) return read.error();
    return same && at == bytes.size();
}

Error readError(IoStep step, const fs::path& path, const SystemReason& reason)
{
    return fileError(step, "无法读取" + quotedFileName(path) + "：" + reasonText(reason) + whileDoing(step));
}

Error writeError(IoStep step, const fs::path& target, const SystemReason& reason)
{
    return fileError(step, "无法写入" + quotedFileName(target) + "：" + reasonText(reason) + whileDoing(step));
}

Error notDurableError(const fs::path& target, const SystemReason& reason)
{
    return fileError(IoStep::SyncFolder, quotedFileName(target) + "已写入，但系统未能确认它已完全写入磁盘：" +
                                             reasonText(reason) + whileDoing(IoStep::SyncFolder) +
                                             "。若随后断电，这次写入可能丢失");
}

Error keptTemporaryError(const fs::path& target, const fs::path& temporary, const SystemReason& reason)
{
    return fileError(IoStep::Rename, "无法写入" + quotedFileName(target) + "：" + reasonText(reason) +
                                         whileDoing(IoStep::Rename) + "。原文件已被移走，新内容保存在同一文件夹的 " +
                                         quotedFileName(temporary) + " 中，请把它改名为 " + quotedFileName(target));
}

fs::path temporaryNameFor(const fs::path& target)
{
    static std::mutex randomMutex;
    static std::mt19937_64 random{std::random_device{}() ^
                                  static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    std::uint64_t value = 0;
    {
        std::lock_guard lock(randomMutex);
        value = random();
    }
    char digits[kTemporaryDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(value));
    return pathFromUtf8("." + pathToUtf8(target.filename()) + "." + digits + std::string(kTemporarySuffix));
}

void removeStaleTemporaries(const fs::path& target)
{
    const std::string targetName = pathToUtf8(target.filename());
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const auto cutoff = fs::file_time_type::clock::now() - std::chrono::hours(1);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& candidate = it->path();
        if (!isTemporaryOf(pathToUtf8(candidate.filename()), targetName)) continue;
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc)) continue;
        const fs::file_time_type written = fs::last_write_time(candidate, fileEc);
        if (fileEc || written > cutoff) continue;
        fs::remove(candidate, fileEc);
    }
}

}  // namespace sg8
