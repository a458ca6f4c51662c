#pragma once

#include "cli/exchange.h"
#include "data/error.h"
#include "data/general.h"

#include <cstdint>
#include <string_view>

namespace sg8::cli {

/// {"trailerValue": <int>, "generals": [{<the 40 fields in field order>}, …]},
/// indented, non-ASCII characters as they are.
ExchangeText writeJson(const GeneralList& generals, std::int32_t trailerValue);

/// Reads what writeJson writes. Every key must be present once and known, every int
/// an integer that fits in 32 bits and every text a string; otherwise the error
/// names the general (1-based) and the field.
Result<ExchangeFile> readJson(std::string_view bytes);

}  // namespace sg8::cli
