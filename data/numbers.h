#pragma once

#include "data/error.h"
#include "data/text.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace sg8 {

/// A whole decimal number within the signed 32-bit range, read strictly: blanks
/// around it, an optional sign and digits, nothing else. Full-width digits, signs
/// and spaces count as their one-byte forms ("１２" is 12). Otherwise an error
/// that quotes the value: "abc" and "12abc" are no number, 4294967297 doesn't fit.
/// The CLI's set and import read ints this way.
Result<std::int32_t> parseWholeInt(const Text& text);
Result<std::int32_t> parseWholeInt(std::string_view utf8);

/// What a number box holds, read as textToInt reads it (full-width digits fold,
/// the leading number counts, no number is 0, "12abc" is 12), or nothing when that
/// number doesn't fit in 32 bits, where textToInt would wrap it.
std::optional<std::int32_t> textToIntIfFits(const Text& text);

/// "-2147483648 到 2147483647": the accepted range, for messages.
inline constexpr std::string_view kInt32RangeText = "-2147483648 到 2147483647";

}  // namespace sg8
