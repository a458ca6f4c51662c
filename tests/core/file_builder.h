#pragma once

// Builds save files value by value, including ones the saver would never write.

#include "data/save_format.h"
#include "data/text.h"

#include <string>
#include <string_view>

namespace sg8::testing {

class FileBuilder {
public:
    FileBuilder& raw(std::string_view bytes)
    {
        out_.append(bytes);
        return *this;
    }
    FileBuilder& intValue(std::int32_t value)
    {
        appendIntValue(out_, value);
        return *this;
    }
    FileBuilder& textValue(std::string_view utf8)
    {
        appendTextValue(out_, utf8);
        return *this;
    }
    /// A text whose length field says `claimed` while `utf8` follows.
    FileBuilder& textValueClaiming(std::int32_t claimed, std::string_view utf8)
    {
        const auto n = static_cast<std::uint32_t>(claimed);
        const char head[5] = {0x01, static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
                              static_cast<char>(n >> 24)};
        out_.append(head, 5);
        out_.append(utf8);
        out_ += '\xFF';
        return *this;
    }
    /// One general with the given id pair and every other int `fill`, texts "s<k>";
    /// `older` writes only two texts after portraitId.
    FileBuilder& general(std::int32_t id, std::int32_t secondId, std::int32_t fill = 0, bool older = false)
    {
        intValue(id).intValue(secondId);
        for (int k = 1; k <= 4; ++k) textValue("s" + std::to_string(k));
        intValue(fill);
        const int modelTexts = older ? 2 : 5;
        for (int k = 0; k < modelTexts; ++k) textValue("m" + std::to_string(k));
        intValue(fill).intValue(fill).intValue(fill);
        textValue("v");
        for (int k = 15; k <= 39; ++k) intValue(fill);
        return *this;
    }
    ByteString bytes() const { return ByteString(out_); }

private:
    std::string out_;
};

}  // namespace sg8::testing
