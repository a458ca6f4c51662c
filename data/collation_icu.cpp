#include "data/collation.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <memory>
#include <mutex>
#include <vector>

namespace sg8 {

namespace {

struct CollatorClose {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};

/// The Chinese collator, made once. ICU collators may be used from several
/// threads at once for reading keys.
UCollator* chineseCollator()
{
    static const std::unique_ptr<UCollator, CollatorClose> collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* made = ucol_open("zh", &status);
        if (U_FAILURE(status)) {
            status = U_ZERO_ERROR;
            made = ucol_open("", &status);  // the root order still sorts, if not by pinyin
        }
        return std::unique_ptr<UCollator, CollatorClose>(U_SUCCESS(status) ? made : nullptr);
    }();
    return collator.get();
}

}  // namespace

std::string chineseSortKey(std::string_view utf8)
{
    UCollator* collator = chineseCollator();
    if (!collator) return std::string(utf8);
    std::vector<UChar> utf16(utf8.size() + 1);
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(utf16.data(), static_cast<int32_t>(utf16.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) return std::string(utf8);
    std::string key(static_cast<std::size_t>(length) * 4 + 16, '\0');
    for (;;) {
        const int32_t needed = ucol_getSortKey(collator, utf16.data(), length,
                                               reinterpret_cast<uint8_t*>(key.data()),
                                               static_cast<int32_t>(key.size()));
        if (needed <= static_cast<int32_t>(key.size())) {
            key.resize(needed > 0 ? static_cast<std::size_t>(needed) - 1 : 0);  // without the closing zero
            return key;
        }
        key.resize(static_cast<std::size_t>(needed));
    }
}

}  // namespace sg8
