#pragma once

// Generated generals for the reliability tests and the saver program: any number,
// the same for the same seed, with Chinese texts, a long biography and ints of
// every size.

#include "data/fields.h"
#include "data/general.h"
#include "data/text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sg8::testing {

inline GeneralList sampleGenerals(std::size_t count, std::uint32_t seed)
{
    static constexpr std::array<std::string_view, 8> kSyllables = {"赵", "云", "子", "龙", "诸葛", "亮", "孔明", "关"};
    std::uint32_t state = seed * 2654435761u + 1;
    auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    GeneralList generals(count);
    for (std::size_t i = 0; i < count; ++i) {
        CustomGeneral& general = generals[i];
        for (const FieldInfo& field : kFields) {
            if (field.kind == FieldKind::Int) {
                general.intField(field.index) = static_cast<std::int32_t>(next() % 2000);
                continue;
            }
            std::string utf8;
            const std::size_t syllables = field.name == "biography" ? 40 + next() % 40 : next() % 4;
            for (std::size_t k = 0; k < syllables; ++k) utf8 += kSyllables[next() % kSyllables.size()];
            general.textField(field.index) = GeneralText::fromUtf8(ByteString(std::move(utf8)));
        }
        general.id = static_cast<std::int32_t>(seed * 100000 + i + 1);
    }
    return generals;
}

}  // namespace sg8::testing
