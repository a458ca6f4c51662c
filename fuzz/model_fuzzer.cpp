// Structure-aware: the input drives a generator of models (any number of generals,
// every field; texts empty, long, with lengths that hold 0xFF bytes, Chinese,
// outside code page 936, malformed; ints such as 8959, 255 and -1 whose bytes look
// like the file's seams). Encoding a model and loading the bytes must give the same
// model back, read by its values, with a byte-exact verdict and no warnings.
#include "data/fields.h"
#include "data/general.h"
#include "data/load.h"
#include "data/save_format.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

using sg8::fuzz::require;

namespace {

// Ints whose bytes hold 0xFF, 0x22 or the seam FF 22 in every position.
constexpr std::array<std::int32_t, 16> kTrickyInts = {
    0, 1, -1, 255, 8959, 0x22FF, 0x00FF2200, static_cast<std::int32_t>(0xFF22FF22),
    static_cast<std::int32_t>(0x22FFFFFF), 0x22, 256, 180, 1001, INT_MIN, INT_MAX, -8959,
};

// Text lengths whose four length bytes hold 0xFF or 0x22; the one whose bytes
// hold the seam FF 22 (8959) is long, so a model gets at most one text of it.
constexpr std::array<std::size_t, 6> kTrickyLengths = {254, 255, 256, 511, 34, 0x22FF};
constexpr std::size_t kSeamLength = 0x22FF;

// Pieces of UTF-8: Chinese the code page holds, characters it doesn't, malformed
// forms, a zero byte, and the file's own marker bytes.
constexpr std::array<std::string_view, 14> kPieces = {
    "甲", "赵云", "子龙", "€", "ab", "\xF0\x9F\x98\x80" /* emoji */, "\xE0\xB8\x81" /* Thai */,
    "\xC3\xA9" /* e acute */, "\xFF\x22", "\x22", "\x01\x00\x00\x00", std::string_view("\0", 1),
    "\xE7\x94" /* cut short */, "\xC0\xAF" /* overlong */,
};

std::int32_t makeInt(FuzzedDataProvider& in)
{
    if (in.ConsumeBool()) return in.ConsumeIntegral<std::int32_t>();
    return in.PickValueInArray(kTrickyInts);
}

std::string makeUtf8(FuzzedDataProvider& in, bool& seamLengthUsed)
{
    std::string bytes;
    // Mostly short texts: long ones are rarer, as they cost most to check.
    switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0:
    case 1:  // empty
        break;
    case 2:
    case 3:  // raw bytes, anything at all
        bytes = in.ConsumeRandomLengthString(64);
        break;
    case 4:
    case 5:
    case 6:  // pieces
        for (int k = in.ConsumeIntegralInRange(1, 6); k > 0; --k) bytes += in.PickValueInArray(kPieces);
        break;
    default: {  // long: filled up to a length whose bytes look like markers
        const std::string_view fill = in.PickValueInArray(kPieces);
        std::size_t length = in.PickValueInArray(kTrickyLengths);
        if (length == kSeamLength && std::exchange(seamLengthUsed, true)) length = 255;
        while (bytes.size() < length) bytes += fill.empty() ? std::string_view("a") : fill;
        bytes.resize(length);
        break;
    }
    }
    return bytes;
}

sg8::GeneralText makeText(FuzzedDataProvider& in, bool& seamLengthUsed)
{
    const sg8::ByteString utf8(makeUtf8(in, seamLengthUsed));
    // Read from a file (or imported): exact bytes kept when the code page can't
    // carry them. Typed in the editor: only what the code page holds.
    return in.ConsumeBool() ? sg8::GeneralText::fromUtf8(utf8) : sg8::GeneralText(sg8::utf8ToText(utf8));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    bool seamLengthUsed = false;
    sg8::GeneralList generals(in.ConsumeIntegralInRange<std::size_t>(0, 6));
    for (sg8::CustomGeneral& general : generals) {
        for (const sg8::FieldInfo& field : sg8::kFields) {
            if (field.kind == sg8::FieldKind::Int) {
                general.intField(field.index) = makeInt(in);
            } else {
                general.textField(field.index) = makeText(in, seamLengthUsed);
            }
        }
    }
    const std::int32_t trailerValue = makeInt(in);

    const sg8::ByteString bytes = sg8::encodeSaveFile(generals, trailerValue);
    require(sg8::loadsBackAs(bytes, generals, trailerValue), "the save's own check accepts the model");
    const sg8::Result<sg8::LoadedFile> loaded = sg8::loadSaveFile(bytes);
    require(loaded.ok(), "an encoded model loads");
    require(!loaded->readByCuttingRules, "an encoded model loads by its values");
    require(loaded->warnings.empty(), "an encoded model loads without warnings");
    require(loaded->verdict.byteExact, "an encoded model has a byte-exact verdict");
    require(loaded->trailerValue == trailerValue, "the trailing value comes back");
    require(loaded->generals.size() == generals.size(), "every general comes back");
    for (std::size_t i = 0; i < generals.size(); ++i) {
        for (const sg8::FieldInfo& field : sg8::kFields) {
            const sg8::CustomGeneral& mine = generals[i];
            const sg8::CustomGeneral& back = loaded->generals[i];
            if (field.kind == sg8::FieldKind::Int) {
                require(mine.intField(field.index) == back.intField(field.index), "an int field comes back");
            } else {
                require(mine.textField(field.index).utf8() == back.textField(field.index).utf8(),
                        "a text field comes back with the same bytes");
                require(mine.textField(field.index).text() == back.textField(field.index).text(),
                        "a text field comes back with the same text");
            }
        }
    }
    require(loaded->generals == generals, "the model comes back whole");
    return 0;
}
