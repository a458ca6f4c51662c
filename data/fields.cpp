#include "data/fields.h"

namespace sg8 {

const FieldInfo* findField(std::string_view name)
{
    for (const FieldInfo& field : kFields) {
        if (field.name == name) return &field;
    }
    return nullptr;
}

}  // namespace sg8
