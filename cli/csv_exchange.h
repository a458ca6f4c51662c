#pragma once

#include "cli/exchange.h"
#include "data/error.h"
#include "data/general.h"

#include <string_view>

namespace sg8::cli {

/// A UTF-8 byte-order mark, a header line of the 40 field names, then one line
/// per general; RFC 4180 quoting, lines ended by CR LF.
ExchangeText writeCsv(const GeneralList& generals);

/// Reads a CSV file with a header line naming every field once, in any order
/// (byte-order mark optional, lines ended by CR LF or LF, blank lines skipped).
/// Every int must be a decimal integer that fits in 32 bits and every text UTF-8;
/// otherwise the error names the general (1-based) and the field. Gives no
/// trailing value.
Result<ExchangeFile> readCsv(std::string_view bytes);

}  // namespace sg8::cli
