#include "data/save_format.h"

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

ByteString encodeSaveFile(const GeneralList& generals, std::int32_t trailerValue)
{
    std::string out;
    out.reserve(kEmptyFileSize + generals.size() * (kEmptyGeneralSize + 32));
    appendIntValue(out, 1);
    appendIntValue(out, static_cast<std::int32_t>(generals.size()));
    for (const CustomGeneral& general : generals) {
        appendIntValue(out, general.id);  // the id stands twice; the loader checks the pair
        for (const FieldInfo& field : kFields) {
            if (field.kind == FieldKind::Int) {
                appendIntValue(out, general.intField(field.index));
            } else {
                appendTextValue(out, general.textField(field.index).utf8().view());
            }
        }
    }
    appendIntValue(out, trailerValue);
    return ByteString(std::move(out));
}

}  // namespace sg8
