#include "data/backup_history.h"

#include "data/file_io.h"
#include "data/load.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace sg8 {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kVersionExtension = ".bytes";
constexpr std::size_t kStampLength = 15;  // "20261211-153012"

// A version file's place in time: its stamp and its number within that second
// (1 for a name without a suffix, N for "-N").
struct VersionName {
    std::string stamp;
    unsigned number = 1;
    fs::path path;

    bool operator<(const VersionName& other) const
    {
        return stamp != other.stamp ? stamp < other.stamp : number < other.number;
    }
};

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "20261211-153012.bytes" or "20261211-153012-2.bytes"; anything else (a temporary
// file, something the user put there) is no version.
std::optional<VersionName> parseVersionName(const fs::path& path)
{
    const std::string name = pathToUtf8(path.filename());
    if (name.size() < kStampLength + kVersionExtension.size() ||
        name.compare(name.size() - kVersionExtension.size(), kVersionExtension.size(), kVersionExtension) != 0) {
        return std::nullopt;
    }
    const std::string_view stem = std::string_view(name).substr(0, name.size() - kVersionExtension.size());
    const std::string_view stamp = stem.substr(0, kStampLength);
    if (!allDigits(stamp.substr(0, 8)) || stamp[8] != '-' || !allDigits(stamp.substr(9, 6))) return std::nullopt;
    VersionName version{std::string(stamp), 1, path};
    const std::string_view suffix = stem.substr(kStampLength);
    if (!suffix.empty()) {
        if (suffix[0] != '-' || !allDigits(suffix.substr(1)) || suffix.size() > 6) return std::nullopt;
        version.number = static_cast<unsigned>(std::stoul(std::string(suffix.substr(1))));
        if (version.number < 2) return std::nullopt;
    }
    return version;
}

// The versions in a history folder, oldest first.
std::vector<VersionName> versionsIn(const fs::path& folder)
{
    std::vector<VersionName> versions;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        if (std::optional<VersionName> version = parseVersionName(it->path())) versions.push_back(*version);
    }
    std::sort(versions.begin(), versions.end());
    return versions;
}

std::string localStampNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return stamp;
}

// "20261211-153012" → "2026-12-11 15:30:12"
std::string timeText(const std::string& stamp)
{
    return stamp.substr(0, 4) + "-" + stamp.substr(4, 2) + "-" + stamp.substr(6, 2) + " " + stamp.substr(9, 2) + ":" +
           stamp.substr(11, 2) + ":" + stamp.substr(13, 2);
}

Error historyError(std::string message)
{
    Error error;
    error.message = std::move(message);
    error.step = Step::History;
    return error;
}

#ifdef _WIN32
// An environment variable as Windows holds it (UTF-16), so that a user name in
// Chinese comes through whatever the code page.
fs::path environmentPath(const wchar_t* name)
{
    const wchar_t* value = _wgetenv(name);
    return value && *value ? fs::path(value) : fs::path();
}
#else
fs::path environmentPath(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? fs::path(value) : fs::path();
}
#endif

}  // namespace

fs::path backupRoot()
{
#ifdef _WIN32
    if (fs::path chosen = environmentPath(L"SG8GEN_BACKUP_DIR"); !chosen.empty()) return chosen;
    fs::path local = environmentPath(L"LOCALAPPDATA");
    if (local.empty()) {
        const fs::path profile = environmentPath(L"USERPROFILE");
        if (!profile.empty()) local = profile / L"AppData" / L"Local";
    }
    return local.empty() ? fs::path() : local / L"sg8gen" / L"backups";
#else
    if (fs::path chosen = environmentPath("SG8GEN_BACKUP_DIR"); !chosen.empty()) return chosen;
    if (fs::path data = environmentPath("XDG_DATA_HOME"); data.is_absolute()) return data / "sg8gen" / "backups";
    const fs::path home = environmentPath("HOME");
    return home.empty() ? fs::path() : home / ".local" / "share" / "sg8gen" / "backups";
#endif
}

fs::path historyFolderFor(const fs::path& saveFile)
{
    const fs::path root = backupRoot();
    if (root.empty() || saveFile.empty()) return {};
    std::error_code ec;
    fs::path absolute = fs::absolute(saveFile, ec);
    if (ec) absolute = saveFile;
    const fs::path canonical = fs::weakly_canonical(absolute, ec);
    if (!ec) absolute = canonical;
    absolute = absolute.lexically_normal();
#ifdef _WIN32
    // Windows names differ in case only for the eye: C:\Save\A.bytes is c:\save\a.bytes,
    // so the folder is named after the lower-case path.
    std::wstring wide = absolute.wstring();
    if (!wide.empty()) {
        std::wstring lower(wide.size(), L'\0');
        if (LCMapStringW(LOCALE_INVARIANT, LCMAP_LOWERCASE, wide.data(), static_cast<int>(wide.size()), lower.data(),
                         static_cast<int>(lower.size())) == static_cast<int>(wide.size())) {
            absolute = fs::path(lower);
        }
    }
#endif
    const std::uint64_t hash = hashBytes(pathToUtf8(absolute));
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(hash >> 32));
    return root / pathFromUtf8(pathToUtf8(absolute.filename()) + "-" + hex);
}

std::vector<BackupVersion> listBackupVersions(const fs::path& saveFile)
{
    std::vector<BackupVersion> listed;
    const fs::path folder = historyFolderFor(saveFile);
    if (folder.empty()) return listed;
    std::vector<VersionName> versions = versionsIn(folder);
    for (auto it = versions.rbegin(); it != versions.rend(); ++it) {
        BackupVersion version;
        version.path = it->path;
        version.time = timeText(it->stamp);
        Result<ByteString> bytes = readFile(it->path);
        if (bytes) {
            version.size = bytes->size();
            Result<LoadedFile> loaded = loadSaveFile(bytes.value());
            if (loaded) version.generals = loaded->generals.size();
        } else {
            std::error_code ec;
            const std::uintmax_t size = fs::file_size(it->path, ec);
            version.size = ec ? 0 : size;
        }
        listed.push_back(std::move(version));
    }
    return listed;
}

Result<fs::path> keepBackupVersion(const fs::path& saveFile, const ByteString& bytes)
{
    const std::string name = pathToUtf8(saveFile.filename());
    const fs::path folder = historyFolderFor(saveFile);
    if (folder.empty()) {
        return historyError("无法把 " + name +
                            " 存入备份历史：找不到存放备份的文件夹（可用环境变量 SG8GEN_BACKUP_DIR 指定）");
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        return historyError("无法把 " + name + " 存入备份历史：无法创建文件夹 " + pathToUtf8(folder) + "：" +
                            ec.message());
    }

    const std::vector<VersionName> versions = versionsIn(folder);
    const VersionName* newest = versions.empty() ? nullptr : &versions.back();
    if (newest && fs::file_size(newest->path, ec) == bytes.size() && !ec) {
        // An unreadable newest version is no reason to refuse the save: a new one is kept.
        const Result<bool> same = fileHolds(newest->path, bytes.view());
        if (same && same.value()) return fs::path();
    }

    // Names sort in time order: a clock set back keeps the newest stamp and counts on.
    VersionName next{localStampNow(), 1, {}};
    if (newest && next.stamp <= newest->stamp) next = {newest->stamp, newest->number + 1, {}};
    fs::path target;
    for (;; ++next.number) {
        const std::string suffix = next.number > 1 ? "-" + std::to_string(next.number) : "";
        target = folder / pathFromUtf8(next.stamp + suffix + std::string(kVersionExtension));
        if (!fs::exists(target, ec)) break;
    }
    if (Status kept = replaceFile(target, bytes); !kept) {
        Error error = std::move(kept).error();
        error.message = "无法把 " + name + " 存入备份历史：" + error.message;
        return error;
    }
    return target;
}

void pruneBackupHistory(const fs::path& saveFile, std::size_t keep)
{
    const fs::path folder = historyFolderFor(saveFile);
    if (folder.empty()) return;
    std::error_code ec;
    const std::vector<VersionName> versions = versionsIn(folder);
    for (std::size_t i = 0; i + keep < versions.size(); ++i) fs::remove(versions[i].path, ec);

    const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = pathToUtf8(it->path().filename());
        const bool temporary = name.size() > 5 && name.front() == '.' && name.ends_with(".tmp");
        std::error_code timeError;
        if (temporary && it->last_write_time(timeError) < anHourAgo && !timeError) stale.push_back(it->path());
    }
    for (const fs::path& path : stale) fs::remove(path, ec);
}

Result<SaveOutcome> restoreBackupVersion(const fs::path& saveFile, const fs::path& version,
                                         const std::optional<FileIdentity>& expected)
{
    const std::string untouched = "未写入任何文件，" + pathToUtf8(saveFile.filename()) + " 未改动。";
    Result<ByteString> bytes = readFile(version);
    if (!bytes) {
        Error error = bytes.error();
        error.message = "无法读取备份 " + pathToUtf8(version) + "：" + error.message + "。" + untouched;
        return error;
    }
    const Result<LoadedFile> loaded = loadSaveFile(bytes.value());
    if (!loaded) {
        Error error = loaded.error();
        error.message = pathToUtf8(version) + " 不是可以载入的存档文件：" + error.message + "。" + untouched;
        return error;
    }
    return saveBytesTo(saveFile, bytes.value(), Backup::No, expected);
}

}  // namespace sg8
