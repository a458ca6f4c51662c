#pragma once

// Small generals and files shared by the core tests.

#include "data/general.h"
#include "data/save_format.h"
#include "data/text.h"

#include <string>
#include <string_view>

namespace sg8::testing {

/// Bytes from hex digits; spaces are ignored: hex("22 01 00 00 00 FF").
inline ByteString hex(std::string_view digits)
{
    std::string out;
    int high = -1;
    for (char c : digits) {
        int v = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (v < 0) continue;
        if (high < 0) {
            high = v;
        } else {
            out += static_cast<char>(high * 16 + v);
            high = -1;
        }
    }
    return ByteString(std::move(out));
}

/// The general of the worked example: id 1001, surname 甲, portrait 7, weapon 5,
/// gender 1, dialogue 2, born 180, lifespan 60, everything else 0 or empty.
inline CustomGeneral workedExampleGeneral()
{
    CustomGeneral g;
    g.id = 1001;
    g.surname = GeneralText::fromUtf8(ByteString(std::string("甲")));
    g.portraitId = 7;
    g.weaponType = 5;
    g.gender = 1;
    g.dialogueStyle = 2;
    g.birthYear = 180;
    g.lifespan = 60;
    return g;
}

/// The 267 bytes of the worked example file, written out value by value.
inline ByteString workedExampleFile()
{
    std::string hexDigits = "22 01 00 00 00 FF  22 01 00 00 00 FF"    // header 1, count 1
                            "22 E9 03 00 00 FF  22 E9 03 00 00 FF"    // id twice
                            "01 03 00 00 00 E7 94 B2 FF";             // surname 甲
    for (int i = 0; i < 3; ++i) hexDigits += "01 00 00 00 00 FF";    // given name, courtesy name, biography
    hexDigits += "22 07 00 00 00 FF";                                 // portraitId
    for (int i = 0; i < 5; ++i) hexDigits += "01 00 00 00 00 FF";    // fields 6 to 10
    hexDigits += "22 05 00 00 00 FF  22 01 00 00 00 FF  22 02 00 00 00 FF";  // weapon, gender, dialogue
    hexDigits += "01 00 00 00 00 FF";                                 // voice
    hexDigits += "22 00 00 00 00 FF  22 00 00 00 00 FF";              // relation, righteousness
    hexDigits += "22 B4 00 00 00 FF  22 3C 00 00 00 FF";              // birthYear 180, lifespan 60
    for (int i = 19; i <= 39; ++i) hexDigits += "22 00 00 00 00 FF";  // fields 19 to 39
    hexDigits += "22 00 00 00 00 FF";                                 // TrailerValue
    return hex(hexDigits);
}

/// A general whose every field differs from the others and from zero.
inline CustomGeneral distinctGeneral(std::int32_t seed)
{
    CustomGeneral g;
    for (const FieldInfo& field : kFields) {
        if (field.kind == FieldKind::Int) {
            g.intField(field.index) = seed * 100 + field.index;
        } else {
            g.textField(field.index) = Text("t" + std::to_string(seed) + "_" + std::to_string(field.index));
        }
    }
    return g;
}

}  // namespace sg8::testing
