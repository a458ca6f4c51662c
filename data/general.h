#pragma once

#include "data/fields.h"
#include "data/text.h"

#include <cstdint>
#include <variant>
#include <vector>

namespace sg8 {

/// A text field of a general: the text in code page 936 and the UTF-8 bytes the
/// file holds for it. A text read from a file (or given by an import) keeps the
/// exact bytes it came with, also where the code page can't carry them (characters
/// outside it, malformed UTF-8), so the saver writes them back for as long as the
/// text is unchanged.
class GeneralText {
public:
    GeneralText() = default;
    GeneralText(const Text& text) : GeneralText(textToUtf8(text).view(), text) {}  // NOLINT: a Text is a GeneralText

    /// The text of these UTF-8 bytes, keeping the bytes exactly.
    static GeneralText fromUtf8(std::string_view utf8) { return GeneralText(utf8, utf8ToText(utf8)); }
    static GeneralText fromUtf8(const ByteString& utf8) { return fromUtf8(utf8.view()); }

    /// The text in code page 936.
    Text text() const { return Text(sameBytes_ ? utf8View() : std::string_view(bytes_).substr(utf8Size_)); }
    /// The bytes the file holds for this text.
    ByteString utf8() const { return ByteString(std::string(utf8View())); }
    std::string_view utf8View() const { return std::string_view(bytes_).substr(0, utf8Size_); }
    /// True when the bytes say more than the code page text can: the windows and
    /// the export then show the bytes, not the text.
    bool hasExactUtf8() const { return textToUtf8(text()).view() != utf8View(); }

    friend bool operator==(const GeneralText&, const GeneralText&) = default;

private:
    GeneralText(std::string_view utf8, const Text& text);

    // One buffer for both, since a list of 100,000 generals holds a million of
    // them: the UTF-8 bytes, then the code page text unless it is the same bytes
    // (as it is for ASCII).
    std::string bytes_;
    std::uint32_t utf8Size_ = 0;
    bool sameBytes_ = true;
};

template <FieldKind> struct FieldStorage;
template <> struct FieldStorage<FieldKind::Int> { using type = std::int32_t; };
template <> struct FieldStorage<FieldKind::Text> { using type = GeneralText; };

/// One custom general: the 40 fields of the field table, as named members.
/// A fresh record has every int 0 and every text empty.
struct CustomGeneral {
#define SG8_FIELD_MEMBER(index, name, kind) FieldStorage<FieldKind::kind>::type name{};
    SG8_GENERAL_FIELDS(SG8_FIELD_MEMBER)
#undef SG8_FIELD_MEMBER

    std::int32_t& intField(int index);
    std::int32_t intField(int index) const;
    GeneralText& textField(int index);
    const GeneralText& textField(int index) const;

    friend bool operator==(const CustomGeneral&, const CustomGeneral&) = default;
};

/// The generals of one file, in file order. Record r + 1 (one-based) is shown in row r.
using GeneralList = std::vector<CustomGeneral>;

}  // namespace sg8
