#pragma once

#include "data/error.h"
#include "data/file_identity.h"
#include "data/general.h"
#include "data/text.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sg8 {

/// Whether saving a loaded file without edits gives back its bytes, and if not,
/// where the first difference lies and why.
struct RoundTripVerdict {
    bool byteExact = true;
    std::int64_t firstDifference = -1;  ///< byte offset, -1 when byte-exact
    std::string reason;                 ///< in Chinese, empty when byte-exact
};

/// A file read off to the side: nothing of the open model has been touched.
struct LoadedFile {
    GeneralList generals;
    std::int32_t trailerValue = 0;
    std::vector<std::string> warnings;  ///< each in Chinese, UTF-8
    RoundTripVerdict verdict;
    bool readByCuttingRules = false;    ///< irregular file: read by the fallback rules
    std::optional<FileIdentity> identity;  ///< what the file was, when it was read from a path
};

/// Reads a save file's bytes. It walks the values by their kinds and lengths and,
/// where that fails, falls back to cutting the file at its FF 22 seams (with a
/// warning). Either a result or an error that names the problem, the byte offset
/// and the general where they apply.
Result<LoadedFile> loadSaveFile(const ByteString& contents);

/// True when `bytes` load back, value by value, as exactly these generals and
/// trailing value: the check a save makes before it writes anything.
bool loadsBackAs(const ByteString& bytes, const GeneralList& generals, std::int32_t trailerValue);

/// Reads the file at `path` and loads it, noting the file's identity; a file that
/// can't be read is an error.
Result<LoadedFile> loadSaveFile(const std::filesystem::path& path);

}  // namespace sg8
