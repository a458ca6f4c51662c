#pragma once

#include "data/text.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace sg8 {

// The cutting rules: the file is cut at every FF 22 pair into segments, and a
// segment that holds an int and texts is split at its 0xFF bytes into pieces.
// The loader falls back on them for files that don't read by kinds and lengths.
// Positions are 1-based.

/// First occurrence of `needle` at or after `start` (below 1 counts as 1); -1 when none.
int findBytesFrom(const ByteString& haystack, const ByteString& needle, std::int64_t start);

/// The bytes between the first `startMarker` at or after `start` and the next `endByte`;
/// empty when either is missing.
ByteString extractBetween(const ByteString& bytes, const ByteString& startMarker, std::uint8_t endByte,
                          std::int64_t start);

/// The segments of `bytes`: the stretches between consecutive pairs (endByte, openingByte),
/// the first starting after the first `openingByte` at or after `start`.
std::vector<ByteString> collectSegments(const ByteString& bytes, std::uint8_t openingByte, std::uint8_t endByte,
                                        std::int64_t start = 1);

/// The same segments as views into `bytes`, for reading large files without copies.
std::vector<std::string_view> segmentViews(std::string_view bytes, std::uint8_t openingByte, std::uint8_t endByte,
                                           std::size_t start = 0);

}  // namespace sg8
