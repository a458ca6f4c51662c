#include "data/save_format.h"

#include "data/large_pages.h"

#include <algorithm>

namespace sg8 {

void appendIntValue(std::string& out, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    const char bytes[kValueOverhead] = {static_cast<char>(ValueKind::IntValue), static_cast<char>(u),
                                        static_cast<char>(u >> 8),             static_cast<char>(u >> 16),
                                        static_cast<char>(u >> 24),            static_cast<char>(kValueEnd)};
    out.append(bytes, sizeof bytes);
}

void appendTextValue(std::string& out, std::string_view utf8)
{
    const auto n = static_cast<std::uint32_t>(utf8.size());
    const char head[5] = {static_cast<char>(ValueKind::TextValue), static_cast<char>(n), static_cast<char>(n >> 8),
                          static_cast<char>(n >> 16), static_cast<char>(n >> 24)};
    out.append(head, sizeof head);
    out.append(utf8);
    out += static_cast<char>(kValueEnd);
}

namespace {

void appendField(std::string& out, std::int32_t value)
{
    appendIntValue(out, value);
}

void appendField(std::string& out, const GeneralText& text)
{
    appendTextValue(out, text.utf8View());
}

std::size_t payloadSize(std::int32_t)
{
    return 0;
}

std::size_t payloadSize(const GeneralText& text)
{
    return text.utf8View().size();
}

std::size_t encodedSize(const GeneralList& generals)
{
    std::size_t size = kEmptyFileSize + generals.size() * kEmptyGeneralSize;
    for (const CustomGeneral& general : generals) {
#define SG8_TEXT_SIZE(index, name, kind) size += payloadSize(general.name);
        SG8_GENERAL_FIELDS(SG8_TEXT_SIZE)
#undef SG8_TEXT_SIZE
    }
    return size;
}

}  // namespace

void appendGeneral(std::string& out, const CustomGeneral& general)
{
    appendIntValue(out, general.id);  // the id stands twice; the loader checks the pair
#define SG8_APPEND_FIELD(index, name, kind) appendField(out, general.name);
    SG8_GENERAL_FIELDS(SG8_APPEND_FIELD)
#undef SG8_APPEND_FIELD
}

ByteString encodeSaveFile(const GeneralList& generals, std::int32_t trailerValue)
{
    std::string out;
    const std::size_t size = encodedSize(generals);
    out.reserve(size);
    preferLargePages(out.data(), size);
    appendIntValue(out, 1);
    appendIntValue(out, static_cast<std::int32_t>(generals.size()));
    for (const CustomGeneral& general : generals) appendGeneral(out, general);
    appendIntValue(out, trailerValue);
    return ByteString(std::move(out));
}

std::int64_t firstDifference(const GeneralList& generals, std::int32_t trailerValue, std::string_view file)
{
    std::string part;
    std::size_t offset = 0;
    // Compares `part` with the file at `offset`; the offset of the first difference, or -1.
    auto compare = [&]() -> std::int64_t {
        const std::string_view there = file.substr(std::min(offset, file.size()), part.size());
        const auto mismatch = std::mismatch(part.begin(), part.end(), there.begin(), there.end());
        if (mismatch.first != part.end()) return static_cast<std::int64_t>(offset + (mismatch.first - part.begin()));
        offset += part.size();
        part.clear();
        return -1;
    };
    appendIntValue(part, 1);
    appendIntValue(part, static_cast<std::int32_t>(generals.size()));
    for (const CustomGeneral& general : generals) {
        appendGeneral(part, general);
        if (const std::int64_t at = compare(); at >= 0) return at;
    }
    appendIntValue(part, trailerValue);
    if (const std::int64_t at = compare(); at >= 0) return at;
    return offset == file.size() ? -1 : static_cast<std::int64_t>(offset);
}

}  // namespace sg8
