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
    GeneralText(Text text) : utf8_(textToUtf8(text)), text_(std::move(text)) {}  // NOLINT: a Text is a GeneralText

    /// The text of these UTF-8 bytes, keeping the bytes exactly.
    static GeneralText fromUtf8(ByteString utf8);

    const Text& text() const { return text_; }
    /// The bytes the file holds for this text.
    const ByteString& utf8() const { return utf8_; }
    /// True when the bytes say more than the code page text can: the windows and
    /// the export then show the bytes, not the text.
    bool hasExactUtf8() const { return textToUtf8(text_) != utf8_; }

    friend bool operator==(const GeneralText&, const GeneralText&) = default;

private:
    ByteString utf8_;
    Text text_;
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
