#include "data/file_identity.h"

#include "data/file_io.h"

#include <bit>
#include <cstring>
#include <system_error>

namespace sg8 {

namespace fs = std::filesystem;

std::uint64_t hashBytes(std::string_view bytes)
{
    // Eight bytes at a time, each word mixed in by multiplication (fast enough for
    // a file of tens of megabytes at every save), then a final avalanche.
    constexpr std::uint64_t multiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t hash = 0xCBF29CE484222325ull ^ (bytes.size() * multiplier);
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&word, bytes.data() + i, 8);  // the same little-endian word, read at once
        } else {
            for (int b = 7; b >= 0; --b) {
                word = (word << 8) | static_cast<std::uint8_t>(bytes[i + static_cast<std::size_t>(b)]);
            }
        }
        hash = (hash ^ word) * multiplier;
        hash ^= hash >> 29;
    }
    std::uint64_t tail = 0;
    for (std::size_t b = bytes.size(); b > i; --b) tail = (tail << 8) | static_cast<std::uint8_t>(bytes[b - 1]);
    hash = (hash ^ tail) * multiplier;
    hash ^= hash >> 32;
    hash *= 0xD6E8FEB86659FD93ull;
    hash ^= hash >> 32;
    return hash;
}

FileIdentity fileStamp(const fs::path& path)
{
    FileIdentity stamp;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::is_regular_file(status)) return stamp;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return stamp;
    const fs::file_time_type time = fs::last_write_time(path, ec);
    if (ec) return stamp;
    stamp.exists = true;
    stamp.size = size;
    stamp.modified = static_cast<std::int64_t>(time.time_since_epoch().count());
    return stamp;
}

FileIdentity identityOfRead(const FileIdentity& stampBefore, const ByteString& bytes)
{
    FileIdentity identity;
    identity.exists = true;
    identity.size = bytes.size();
    identity.hash = hashBytes(bytes.view());
    // A time taken before a read that saw other bytes would vouch for the wrong ones.
    identity.modified = stampBefore.exists && stampBefore.size == bytes.size() ? stampBefore.modified : 0;
    return identity;
}

Result<FileIdentity> readFileIdentity(const fs::path& path)
{
    const FileIdentity stamp = fileStamp(path);
    std::error_code ec;
    if (!stamp.exists && !fs::exists(path, ec)) return FileIdentity{};
    Result<ByteString> bytes = readFile(path);
    if (!bytes) return bytes.error();
    return identityOfRead(stamp, bytes.value());
}

bool fileChangedSince(const fs::path& path, const FileIdentity& identity)
{
    const FileIdentity now = fileStamp(path);
    if (!now.exists || !identity.exists) {
        std::error_code ec;
        return now.exists != identity.exists || fs::exists(path, ec) != identity.exists;
    }
    if (now.size != identity.size) return true;
    if (identity.modified != 0 && now.modified == identity.modified) return false;
    const Result<FileIdentity> read = readFileIdentity(path);
    return !read || !read->sameContents(identity);
}

}  // namespace sg8
