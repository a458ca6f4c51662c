#include "toolkit/typing_limit.h"

#include "data/codepage.h"

#include <algorithm>

namespace sg8 {

namespace {

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

/// The code units of the character starting at `at`: 2 for a whole surrogate pair.
std::size_t characterLength(std::u16string_view text, std::size_t at)
{
    return at + 1 < text.size() && isHighSurrogate(text[at]) && isLowSurrogate(text[at + 1]) ? 2 : 1;
}

int characterBytes(std::u16string_view character, int newlineBytes)
{
    if (character.size() == 1 && character[0] == u'\n') return newlineBytes;
    if (character.size() == 1 && character[0] < 0x80) return 1;
    return static_cast<int>(codePage936().fromUtf16(character).size());
}

}  // namespace

int codePageBytes(std::u16string_view text, int newlineBytes)
{
    int bytes = 0;
    for (std::size_t at = 0; at < text.size();) {
        // A CR LF pair is one line break.
        if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') {
            bytes += newlineBytes;
            at += 2;
            continue;
        }
        const std::size_t length = characterLength(text, at);
        bytes += characterBytes(text.substr(at, length), newlineBytes);
        at += length;
    }
    return bytes;
}

std::u16string_view allowedInsertion(std::u16string_view current, std::u16string_view selected,
                                     std::u16string_view inserted, int limit, int newlineBytes)
{
    const int currentBytes = codePageBytes(current, newlineBytes);
    const int removedBytes = codePageBytes(selected, newlineBytes);
    const int insertedBytes = codePageBytes(inserted, newlineBytes);
    const int keptBytes = currentBytes - removedBytes;
    if (keptBytes + insertedBytes <= limit || insertedBytes <= removedBytes) return inserted;
    const int budget = std::max(limit - keptBytes, removedBytes);
    int used = 0;
    std::size_t end = 0;
    while (end < inserted.size()) {
        std::size_t length = characterLength(inserted, end);
        if (inserted[end] == u'\r' && end + 1 < inserted.size() && inserted[end + 1] == u'\n') length = 2;
        const int bytes = codePageBytes(inserted.substr(end, length), newlineBytes);
        if (used + bytes > budget) break;
        used += bytes;
        end += length;
    }
    return inserted.substr(0, end);
}

std::u16string limitTyping(std::u16string_view before, std::u16string_view after, int limit, int newlineBytes,
                           int* cursor)
{
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    // Never split a surrogate pair between the kept and the inserted part.
    if (prefix > 0 && isHighSurrogate(after[prefix - 1])) --prefix;
    if (suffix > 0 && isLowSurrogate(after[after.size() - suffix])) --suffix;

    const std::u16string_view removed = before.substr(prefix, before.size() - prefix - suffix);
    const std::u16string_view inserted = after.substr(prefix, after.size() - prefix - suffix);
    const std::u16string_view kept = allowedInsertion(before, removed, inserted, limit, newlineBytes);
    *cursor = static_cast<int>(prefix + kept.size());
    std::u16string result(after.substr(0, prefix));
    result += kept;
    result += after.substr(after.size() - suffix);
    return result;
}

}  // namespace sg8
