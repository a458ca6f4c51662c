#include "data/numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace sg8 {

int textLength(const Text& text)
{
    return static_cast<int>(text.size());
}

Text concatTexts(std::initializer_list<Text> parts)
{
    std::string joined;
    for (const Text& part : parts) joined += part.bytes();
    return Text(joined);
}

Text intToText(std::int32_t value)
{
    return Text(std::to_string(value));
}

namespace {

std::string withoutTrailingZeros(std::string digits)
{
    if (digits.find('.') == std::string::npos) return digits;
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (!digits.empty() && digits.back() == '.') digits.pop_back();
    return digits;
}

}  // namespace

Text doubleToText(double value)
{
    if (std::isnan(value)) return Text("nan");
    if (std::isinf(value)) return Text(value < 0 ? "-inf" : "inf");
    if (value == 0) return Text("0");

    // "%.12e" rounds to 13 significant digits and tells the exponent of the rounded value.
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.12e", value);
    const char* e = std::strchr(scientific, 'e');
    const int exponent = std::atoi(e + 1);

    char out[400];
    if (exponent >= -4 && exponent <= 12) {
        std::snprintf(out, sizeof out, "%.*f", 12 - exponent, value);
        return Text(withoutTrailingZeros(out));
    }
    std::string mantissa = withoutTrailingZeros(std::string(scientific, static_cast<std::size_t>(e - scientific)));
    std::snprintf(out, sizeof out, "%se%c%03d", mantissa.c_str(), exponent < 0 ? '-' : '+', std::abs(exponent));
    return Text(out);
}

namespace {

// Folds the full-width forms of code page 936 to their one-byte forms, so that
// "１２" reads as "12"; a lead byte with no trail byte is dropped.
std::string foldFullWidth(std::string_view text)
{
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        if (lead < 0x80) {
            folded += static_cast<char>(lead);
            continue;
        }
        if (i + 1 >= text.size()) break;
        const auto trail = static_cast<std::uint8_t>(text[++i]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            folded += static_cast<char>(trail - 0x80);
        } else if (lead == 0xA1 && trail == 0xA1) {
            folded += ' ';
        } else if (lead == 0xA1 && trail == 0xAB) {
            folded += '~';
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            folded += '*';
        } else {
            folded += static_cast<char>(lead);
            folded += static_cast<char>(trail);
        }
    }
    return folded;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int32_t textToInt(const Text& text)
{
    const std::string folded = foldFullWidth(text.view());
    std::size_t i = 0;
    while (i < folded.size() && isSpace(folded[i])) ++i;
    bool negative = false;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';
    std::uint32_t value = 0;  // wraps modulo 2^32, as the game's own parser does
    while (i < folded.size() && folded[i] >= '0' && folded[i] <= '9') {
        value = value * 10u + static_cast<std::uint32_t>(folded[i++] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

namespace {

// The digits of a number as textToInt finds them: after leading blanks, an
// optional sign. `end` is where the digits stop.
struct LeadingNumber {
    bool negative = false;
    bool hasDigits = false;
    bool fits = true;        // the magnitude is at most 2^31 (2^31 - 1 when positive)
    std::int64_t magnitude = 0;
    std::size_t end = 0;
};

LeadingNumber leadingNumber(const std::string& folded)
{
    LeadingNumber number;
    std::size_t i = 0;
    while (i < folded.size() && isSpace(folded[i])) ++i;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) number.negative = folded[i++] == '-';
    constexpr std::int64_t limit = std::int64_t{1} << 31;
    for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
        number.hasDigits = true;
        if (number.magnitude <= limit) number.magnitude = number.magnitude * 10 + (folded[i] - '0');
    }
    number.fits = number.magnitude < limit || (number.negative && number.magnitude == limit);
    number.end = i;
    return number;
}

std::int32_t valueOf(const LeadingNumber& number)
{
    return static_cast<std::int32_t>(number.negative ? -number.magnitude : number.magnitude);
}

Error numberError(std::string message)
{
    Error error;
    error.message = std::move(message);
    return error;
}

// The strict reading of `text`, with `shown` (UTF-8) quoted in its error.
Result<std::int32_t> wholeInt(const Text& text, const std::string& shown)
{
    const std::string folded = foldFullWidth(text.view());
    const LeadingNumber number = leadingNumber(folded);
    std::size_t rest = number.end;
    while (rest < folded.size() && isSpace(folded[rest])) ++rest;
    if (!number.hasDigits || rest != folded.size()) return numberError("\"" + shown + "\" 不是整数");
    if (!number.fits) return numberError(shown + " 超出 32 位整数的范围（" + std::string(kInt32RangeText) + "）");
    return valueOf(number);
}

}  // namespace

Result<std::int32_t> parseWholeInt(const Text& text)
{
    return wholeInt(text, textToUtf8(text).bytes());
}

Result<std::int32_t> parseWholeInt(std::string_view utf8)
{
    // The value is named as it was given. A character the code page can't hold is
    // no digit, and the conversion mustn't quietly drop it.
    const Text text = utf8ToText(utf8);
    if (textToUtf8(text).view() != utf8) return numberError("\"" + std::string(utf8) + "\" 不是整数");
    return wholeInt(text, std::string(utf8));
}

std::optional<std::int32_t> textToIntIfFits(const Text& text)
{
    const LeadingNumber number = leadingNumber(foldFullWidth(text.view()));
    if (!number.fits) return std::nullopt;
    return valueOf(number);
}

std::int32_t truncateToInt(double value)
{
    if (std::isnan(value)) return 0;
    // Beyond the 64-bit range the conversion is undefined; such values clamp first.
    constexpr double limit = 9223372036854775807.0;
    const std::int64_t wide = value >= limit    ? INT64_MAX
                              : value <= -limit ? INT64_MIN
                                                : static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

}  // namespace sg8
