#include "data/cutting.h"

#include <algorithm>

namespace sg8 {

int findBytesFrom(const ByteString& haystack, const ByteString& needle, std::int64_t start)
{
    if (haystack.empty() || needle.empty()) return -1;
    const std::int64_t offset = std::max<std::int64_t>(start, 1) - 1;
    if (offset + static_cast<std::int64_t>(needle.size()) > static_cast<std::int64_t>(haystack.size())) return -1;
    const std::size_t at = haystack.view().find(needle.view(), static_cast<std::size_t>(offset));
    return at == std::string_view::npos ? -1 : static_cast<int>(at) + 1;
}

ByteString extractBetween(const ByteString& bytes, const ByteString& startMarker, std::uint8_t endByte,
                          std::int64_t start)
{
    const int found = findBytesFrom(bytes, startMarker, start);
    if (found < 0) return {};
    const std::string_view after = bytes.view().substr(static_cast<std::size_t>(found - 1) + startMarker.size());
    const std::size_t end = after.find(static_cast<char>(endByte));
    if (end == std::string_view::npos) return {};
    return ByteString(std::string(after.substr(0, end)));
}

std::vector<std::string_view> segmentViews(std::string_view bytes, std::uint8_t openingByte, std::uint8_t endByte,
                                           std::size_t start)
{
    std::vector<std::string_view> segments;
    std::size_t pos = bytes.find(static_cast<char>(openingByte), start);
    if (pos == std::string_view::npos) return segments;
    ++pos;
    const char seam[2] = {static_cast<char>(endByte), static_cast<char>(openingByte)};
    for (std::size_t at = bytes.find(std::string_view(seam, 2), pos); at != std::string_view::npos;
         at = bytes.find(std::string_view(seam, 2), pos)) {
        segments.push_back(bytes.substr(pos, at - pos));
        pos = at + 2;
    }
    return segments;
}

std::vector<ByteString> collectSegments(const ByteString& bytes, std::uint8_t openingByte, std::uint8_t endByte,
                                        std::int64_t start)
{
    const std::int64_t offset = std::max<std::int64_t>(start, 1) - 1;
    std::vector<ByteString> segments;
    if (offset >= static_cast<std::int64_t>(bytes.size())) return segments;
    for (std::string_view segment : segmentViews(bytes.view(), openingByte, endByte, static_cast<std::size_t>(offset))) {
        segments.emplace_back(std::string(segment));
    }
    return segments;
}

}  // namespace sg8
