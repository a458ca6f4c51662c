#pragma once

#include "data/general.h"
#include "data/text.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace sg8 {

/// The two kinds of value of a save file, by their kind byte. Every value ends in 0xFF.
///   IntValue:  0x22, int32 little-endian, 0xFF                (6 bytes)
///   TextValue: 0x01, int32 length n, n bytes of UTF-8, 0xFF   (6 + n bytes)
enum class ValueKind : std::uint8_t { IntValue = 0x22, TextValue = 0x01 };
constexpr std::uint8_t kValueEnd = 0xFF;
constexpr std::size_t kValueOverhead = 6;

/// Values per general in the file (id is written twice), and the same in the
/// older layout, where only two texts follow portraitId.
constexpr int kValuesPerGeneral = 41;
constexpr int kValuesPerOlderGeneral = 38;
/// Bytes of a general whose texts are all empty, and of a file with no generals.
constexpr std::size_t kEmptyGeneralSize = 246;
constexpr std::size_t kEmptyOlderGeneralSize = 228;
constexpr std::size_t kEmptyFileSize = 18;

void appendIntValue(std::string& out, std::int32_t value);
void appendTextValue(std::string& out, std::string_view utf8);

/// Appends the 41 values of one general.
void appendGeneral(std::string& out, const CustomGeneral& general);

/// The whole file for these generals and trailing value: header 1, the count,
/// each general's 41 values in field order (id twice), the trailing value.
ByteString encodeSaveFile(const GeneralList& generals, std::int32_t trailerValue);

/// The offset of the first byte where `file` differs from what encodeSaveFile would
/// write for these generals, or -1 when it doesn't. Encodes one general at a time.
std::int64_t firstDifference(const GeneralList& generals, std::int32_t trailerValue, std::string_view file);

}  // namespace sg8
