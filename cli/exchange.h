#pragma once

#include "data/error.h"
#include "data/fields.h"
#include "data/general.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg8::cli {

/// The generals of an exchange file (JSON or CSV), ready to be saved. A CSV file
/// carries no trailing value.
struct ExchangeFile {
    GeneralList generals;
    std::optional<std::int32_t> trailerValue;
};

/// An exchange file as written: its bytes, and a warning for each text that
/// couldn't be written exactly.
struct ExchangeText {
    std::string bytes;
    std::vector<std::string> warnings;
};

/// True when the file name ends in ".csv" (in any case): such files are exchanged as CSV.
bool hasCsvExtension(std::string_view name);

/// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view bytes);

/// The text of a general's field as an exchange file holds it: its exact UTF-8
/// bytes. Bytes that aren't well-formed UTF-8 can't be exchanged; each malformed
/// sequence becomes U+FFFD, and a warning naming the general (1-based) and the
/// field is added.
std::string exchangeText(const CustomGeneral& general, const FieldInfo& field, int number,
                         std::vector<std::string>& warnings);

/// A text field's value read from an exchange file, or nothing when it isn't UTF-8.
std::optional<GeneralText> importedText(std::string_view utf8);

/// The error for one field of general `number` (1-based) of an exchange file.
Error fieldError(int number, std::string_view field, std::string_view problem);

/// The problem with an int read from an exchange file, or nothing when it fits in 32 bits.
std::optional<std::string> int32Problem(std::int64_t value);

}  // namespace sg8::cli
