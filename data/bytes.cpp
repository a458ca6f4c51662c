#include "data/text.h"

#include <algorithm>

namespace sg8 {

ByteString::ByteString(std::initializer_list<std::uint8_t> bytes)
{
    bytes_.reserve(bytes.size());
    for (std::uint8_t b : bytes) bytes_ += static_cast<char>(b);
}

int bytesLength(const ByteString& bytes)
{
    return static_cast<int>(bytes.size());
}

ByteString concatBytes(std::initializer_list<ByteString> parts)
{
    std::size_t total = 0;
    for (const ByteString& part : parts) total += part.size();
    ByteString joined;
    joined.reserve(total);
    for (const ByteString& part : parts) joined.append(part);
    return joined;
}

ByteString intToBytes(std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    return ByteString{static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                      static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
}

std::int32_t readIntAt(const ByteString& bytes, std::int64_t position)
{
    const std::int64_t offset = position - 1;
    if (offset < 0 || offset >= static_cast<std::int64_t>(bytes.size())) return 0;
    std::uint32_t value = 0;
    for (std::int64_t i = 3; i >= 0; --i) {
        const auto at = static_cast<std::size_t>(offset + i);
        value = (value << 8) | (at < bytes.size() ? bytes[at] : 0u);
    }
    return static_cast<std::int32_t>(value);
}

namespace {

std::size_t clampCount(std::int64_t count, std::size_t limit)
{
    return static_cast<std::size_t>(std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(limit)));
}

}  // namespace

ByteString leftBytes(const ByteString& bytes, std::int64_t count)
{
    return ByteString(std::string(bytes.view().substr(0, clampCount(count, bytes.size()))));
}

ByteString rightBytes(const ByteString& bytes, std::int64_t count)
{
    const std::size_t n = clampCount(count, bytes.size());
    return ByteString(std::string(bytes.view().substr(bytes.size() - n)));
}

ByteString midBytes(const ByteString& bytes, std::int64_t start, std::int64_t count)
{
    const std::size_t offset = clampCount(start - 1, bytes.size());
    const std::size_t n = clampCount(count, bytes.size() - offset);
    return ByteString(std::string(bytes.view().substr(offset, n)));
}

bool bytesEqual(const ByteString& a, const ByteString& b)
{
    return a == b;
}

int findLastBytes(const ByteString& haystack, const ByteString& needle)
{
    if (needle.empty() || needle.size() > haystack.size()) return -1;
    const std::size_t at = haystack.view().rfind(needle.view());
    return at == std::string_view::npos ? -1 : static_cast<int>(at) + 1;
}

std::vector<ByteString> splitBytes(const ByteString& bytes, const ByteString& separator)
{
    std::vector<ByteString> pieces;
    if (bytes.empty()) return pieces;
    if (separator.empty()) {
        pieces.push_back(bytes);
        return pieces;
    }
    const std::string_view all = bytes.view();
    std::size_t start = 0;
    for (std::size_t at = all.find(separator.view()); at != std::string_view::npos;
         at = all.find(separator.view(), start)) {
        pieces.emplace_back(std::string(all.substr(start, at - start)));
        start = at + separator.size();
    }
    if (start < all.size()) pieces.emplace_back(std::string(all.substr(start)));
    return pieces;
}

}  // namespace sg8
