#include "data/general.h"

#include <cassert>

namespace sg8 {
namespace {

template <FieldKind Kind, typename Record>
auto* fieldAt(Record& record, int index)
{
    using Stored = typename FieldStorage<Kind>::type;
    using Result = std::conditional_t<std::is_const_v<Record>, const Stored, Stored>;
    switch (index) {
#define SG8_FIELD_CASE(i, name, kind)                                                 \
    case i:                                                                            \
        if constexpr (FieldKind::kind == Kind) return static_cast<Result*>(&record.name); \
        break;
        SG8_GENERAL_FIELDS(SG8_FIELD_CASE)
#undef SG8_FIELD_CASE
    default:
        break;
    }
    assert(!"field index out of range or of the other kind");
    return static_cast<Result*>(nullptr);
}

}  // namespace

GeneralText::GeneralText(std::string_view utf8, const Text& text)
    : bytes_(utf8), utf8Size_(static_cast<std::uint32_t>(utf8.size())), sameBytes_(utf8 == text.view())
{
    if (!sameBytes_) bytes_ += text.bytes();
}

std::int32_t& CustomGeneral::intField(int index) { return *fieldAt<FieldKind::Int>(*this, index); }
std::int32_t CustomGeneral::intField(int index) const { return *fieldAt<FieldKind::Int>(*this, index); }
GeneralText& CustomGeneral::textField(int index) { return *fieldAt<FieldKind::Text>(*this, index); }
const GeneralText& CustomGeneral::textField(int index) const { return *fieldAt<FieldKind::Text>(*this, index); }

}  // namespace sg8
