#include "cli/json_exchange.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sg8::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kTrailerKey = "trailerValue";
constexpr std::string_view kGeneralsKey = "generals";

Error plainError(std::string message)
{
    Error error;
    error.message = std::move(message);
    return error;
}

/// The int in `value`, or what is wrong with it.
Result<std::int32_t> readInt(const Json& value)
{
    if (!value.is_number_integer()) {
        return plainError(value.is_number() ? value.dump() + " 不是整数" : "应为整数，却是 " + std::string(value.type_name()));
    }
    if (value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) {
        return plainError(value.dump() + " 超出 32 位整数的范围（-2147483648 到 2147483647）");
    }
    const std::int64_t number = value.get<std::int64_t>();
    if (std::optional<std::string> problem = int32Problem(number)) return plainError(*problem);
    return static_cast<std::int32_t>(number);
}

Result<CustomGeneral> readGeneral(const Json& object, int number)
{
    if (!object.is_object()) {
        Error error = plainError("第 " + std::to_string(number) + " 名武将应为对象，却是 " + object.type_name());
        error.general = number;
        return error;
    }
    for (const auto& [key, value] : object.items()) {
        if (!findField(key)) return fieldError(number, key, "未知的字段");
    }
    CustomGeneral general;
    for (const FieldInfo& field : kFields) {
        const auto found = object.find(std::string(field.name));
        if (found == object.end()) return fieldError(number, field.name, "缺少这个字段");
        if (field.kind == FieldKind::Int) {
            Result<std::int32_t> value = readInt(*found);
            if (!value) return fieldError(number, field.name, value.error().message);
            general.intField(field.index) = value.value();
        } else {
            if (!found->is_string()) {
                return fieldError(number, field.name, "应为字符串，却是 " + std::string(found->type_name()));
            }
            // The parser has checked the UTF-8 of every string.
            general.textField(field.index) = *importedText(found->get_ref<const std::string&>());
        }
    }
    return general;
}

}  // namespace

ExchangeText writeJson(const GeneralList& generals, std::int32_t trailerValue)
{
    ExchangeText out;
    Json root = Json::object();
    root[std::string(kTrailerKey)] = trailerValue;
    Json list = Json::array();
    int number = 0;
    for (const CustomGeneral& general : generals) {
        ++number;
        Json object = Json::object();
        for (const FieldInfo& field : kFields) {
            if (field.kind == FieldKind::Int) {
                object[std::string(field.name)] = general.intField(field.index);
            } else {
                object[std::string(field.name)] = exchangeText(general, field, number, out.warnings);
            }
        }
        list.push_back(std::move(object));
    }
    root[std::string(kGeneralsKey)] = std::move(list);
    out.bytes = root.dump(2, ' ', false) + "\n";
    return out;
}

Result<ExchangeFile> readJson(std::string_view bytes)
{
    // The parser keeps the last of two equal keys; a key given twice is refused instead.
    std::vector<std::set<std::string>> openObjects;
    int generalsOpened = 0;
    std::optional<Error> duplicate;
    auto noteKeys = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) {
            openObjects.emplace_back();
            if (openObjects.size() == 2) ++generalsOpened;
        } else if (event == Json::parse_event_t::object_end) {
            openObjects.pop_back();
        } else if (event == Json::parse_event_t::key && !duplicate) {
            const std::string& key = parsed.get_ref<const std::string&>();
            if (!openObjects.back().insert(key).second) {
                duplicate = openObjects.size() == 2 ? fieldError(generalsOpened, key, "出现了两次")
                                                    : plainError("键 " + key + " 出现了两次");
            }
        }
        return true;
    };
    Json root;
    try {
        root = Json::parse(bytes, noteKeys);
    } catch (const Json::parse_error& e) {
        Error error = plainError("不是有效的 JSON（字节偏移 " + std::to_string(e.byte) + "）：" + e.what());
        error.offset = static_cast<std::int64_t>(e.byte);
        return error;
    }
    if (duplicate) return *duplicate;
    if (!root.is_object()) return plainError("顶层应为对象 {\"trailerValue\": …, \"generals\": […]}");
    for (const auto& [key, value] : root.items()) {
        if (key != kTrailerKey && key != kGeneralsKey) return plainError("顶层有未知的键 " + key);
    }
    const auto trailer = root.find(std::string(kTrailerKey));
    if (trailer == root.end()) return plainError("顶层缺少 trailerValue");
    Result<std::int32_t> trailerValue = readInt(*trailer);
    if (!trailerValue) return plainError("trailerValue：" + trailerValue.error().message);
    const auto list = root.find(std::string(kGeneralsKey));
    if (list == root.end()) return plainError("顶层缺少 generals");
    if (!list->is_array()) return plainError("generals 应为数组，却是 " + std::string(list->type_name()));

    ExchangeFile file;
    file.trailerValue = trailerValue.value();
    file.generals.reserve(list->size());
    int number = 0;
    for (const Json& object : *list) {
        Result<CustomGeneral> general = readGeneral(object, ++number);
        if (!general) return general.error();
        file.generals.push_back(std::move(general.value()));
    }
    return file;
}

}  // namespace sg8::cli
