#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace sg8 {

/// Bytes of any value, zero included: file contents, UTF-8 payloads, segments.
/// Absent and empty are one value: a default ByteString.
class ByteString {
public:
    ByteString() = default;
    explicit ByteString(std::string bytes) : bytes_(std::move(bytes)) {}
    ByteString(const char* data, std::size_t size) : bytes_(data, size) {}
    ByteString(std::initializer_list<std::uint8_t> bytes);

    const std::string& bytes() const { return bytes_; }
    std::string_view view() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }
    std::uint8_t operator[](std::size_t i) const { return static_cast<std::uint8_t>(bytes_[i]); }

    void append(std::string_view more) { bytes_.append(more); }
    void append(const ByteString& more) { bytes_.append(more.bytes_); }
    void reserve(std::size_t n) { bytes_.reserve(n); }

    friend bool operator==(const ByteString&, const ByteString&) = default;

private:
    std::string bytes_;
};

/// A text in code page 936 (GBK), measured in bytes. It never holds a zero byte:
/// building one from bytes keeps what stands before the first zero.
/// Absent and empty are one value: a default Text.
class Text {
public:
    Text() = default;
    explicit Text(std::string_view gbk) : bytes_(gbk.substr(0, gbk.find('\0'))) {}

    /// The text of a UTF-8 literal in the program's own sources.
    static Text fromUtf8(std::string_view utf8);

    const std::string& bytes() const { return bytes_; }
    std::string_view view() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }

    friend bool operator==(const Text&, const Text&) = default;

private:
    std::string bytes_;
};

// Length, joining and number conversions.
int textLength(const Text& text);
Text concatTexts(std::initializer_list<Text> parts);
Text intToText(std::int32_t value);
Text doubleToText(double value);
std::int32_t textToInt(const Text& text);
std::int32_t truncateToInt(double value);

// Byte strings. Positions are 1-based; every operation clamps what is out of range.
int bytesLength(const ByteString& bytes);
ByteString concatBytes(std::initializer_list<ByteString> parts);
ByteString intToBytes(std::int32_t value);
std::int32_t readIntAt(const ByteString& bytes, std::int64_t position = 1);
ByteString leftBytes(const ByteString& bytes, std::int64_t count);
ByteString rightBytes(const ByteString& bytes, std::int64_t count);
ByteString midBytes(const ByteString& bytes, std::int64_t start, std::int64_t count);
bool bytesEqual(const ByteString& a, const ByteString& b);
int findLastBytes(const ByteString& haystack, const ByteString& needle);
std::vector<ByteString> splitBytes(const ByteString& bytes, const ByteString& separator);

/// Reads 4 bytes little-endian at a 0-based offset the caller has checked.
inline std::int32_t readInt32LE(std::string_view bytes, std::size_t offset)
{
    auto b = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + i])); };
    return static_cast<std::int32_t>(b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24));
}

// Code page 936 and UTF-8.
ByteString textToUtf8(const Text& text);
Text utf8ToText(const ByteString& utf8);
Text utf8ToText(std::string_view utf8);

}  // namespace sg8
