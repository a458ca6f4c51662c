#include "toolkit/keys.h"

#include <array>
#include <cctype>
#include <utility>

namespace sg8 {

namespace {

constexpr std::array<std::pair<std::string_view, Key>, 15> kKeyNames{{
    {"Enter", Key::Enter}, {"Return", Key::Enter}, {"Escape", Key::Escape}, {"Esc", Key::Escape},
    {"Tab", Key::Tab}, {"Up", Key::Up}, {"Down", Key::Down}, {"PageUp", Key::PageUp}, {"PageDown", Key::PageDown},
    {"Home", Key::Home}, {"End", Key::End}, {"Backspace", Key::Backspace}, {"Delete", Key::Delete},
    {"Del", Key::Delete}, {"F2", Key::F2},
}};

bool sameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

}  // namespace

std::optional<KeyChord> parseKeyChord(std::string_view text)
{
    KeyChord chord;
    for (;;) {
        const std::size_t plus = text.find('+');
        if (plus == std::string_view::npos || plus + 1 == text.size()) break;
        const std::string_view modifier = text.substr(0, plus);
        if (sameWord(modifier, "Ctrl")) {
            chord.ctrl = true;
        } else if (sameWord(modifier, "Shift")) {
            chord.shift = true;
        } else {
            return std::nullopt;
        }
        text.remove_prefix(plus + 1);
    }
    for (const auto& [name, key] : kKeyNames) {
        if (sameWord(text, name)) {
            chord.key = key;
            return chord;
        }
    }
    if (text.size() == 1 && std::isalpha(static_cast<unsigned char>(text[0]))) {
        chord.key = Key::Letter;
        chord.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
        return chord;
    }
    return std::nullopt;
}

std::string keyChordText(const KeyChord& chord)
{
    std::string text;
    if (chord.ctrl) text += "Ctrl+";
    if (chord.shift) text += "Shift+";
    if (chord.key == Key::Letter) return text + chord.letter;
    for (const auto& [name, key] : kKeyNames) {
        if (key == chord.key) return text + std::string(name);
    }
    return text;
}

}  // namespace sg8
