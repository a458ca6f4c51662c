#pragma once

#include "data/error.h"
#include "data/text.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace sg8 {

/// What a save file was when the program read it: whether it was there, its
/// size, its modification time and a hash of its bytes. The game rewrites the
/// file while it runs; comparing identities tells whether it did.
struct FileIdentity {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  ///< the file system's modification time, in its own ticks
    std::uint64_t hash = 0;     ///< hashBytes of the contents

    /// Same contents: the time is only a shortcut for telling that quickly.
    bool sameContents(const FileIdentity& other) const
    {
        return exists == other.exists && size == other.size && hash == other.hash;
    }
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

/// A 64-bit hash of the bytes (not for security: it tells two versions of a file apart).
std::uint64_t hashBytes(std::string_view bytes);

/// Size and modification time of the file at `path`, without reading it; `exists`
/// is false when nothing (or a folder) is there.
FileIdentity fileStamp(const std::filesystem::path& path);

/// The identity of `bytes` that were read from a file whose stamp was taken just
/// before the reading: when the file changed in between, the time is left out, so
/// that only the hash can vouch for it later.
FileIdentity identityOfRead(const FileIdentity& stampBefore, const ByteString& bytes);

/// Reads the file at `path` and gives its identity; a missing file is an identity
/// that doesn't exist, a file that can't be read is an error.
Result<FileIdentity> readFileIdentity(const std::filesystem::path& path);

/// True when the file at `path` is no longer the one `identity` describes. Cheap:
/// it looks at size and time first and reads the file only when its size is the
/// same but its time differs. A file that can't be read counts as changed.
bool fileChangedSince(const std::filesystem::path& path, const FileIdentity& identity);

}  // namespace sg8
