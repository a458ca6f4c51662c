#pragma once

#include "data/fields.h"
#include "data/text.h"

#include <cstdint>
#include <variant>
#include <vector>

namespace sg8 {

/// A text field of a general: the text in code page 936 and, when the UTF-8 read
/// from a file (or given by an import) can't pass through the code page unchanged,
/// those exact bytes, which the saver writes back for as long as the text is unchanged.
class GeneralText {
public:
    GeneralText() = default;
    GeneralText(Text text) : text_(std::move(text)) {}  // NOLINT: a plain Text is a GeneralText

    /// Keeps `utf8` exactly when the code page can't carry it.
    static GeneralText fromUtf8(const ByteString& utf8);

    const Text& text() const { return text_; }
    /// The bytes the file holds for this text.
    ByteString utf8() const { return exactUtf8_.empty() ? textToUtf8(text_) : exactUtf8_; }
    /// True when the text holds bytes the code page can't show.
    bool hasExactUtf8() const { return !exactUtf8_.empty(); }

    friend bool operator==(const GeneralText&, const GeneralText&) = default;

private:
    Text text_;
    ByteString exactUtf8_;
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
