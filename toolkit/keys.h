#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sg8 {

/// The keys a window can bind and a test can press.
enum class Key {
    Enter, Escape, Tab, Up, Down, PageUp, PageDown, Home, End, Backspace, Delete, F2,
    Letter,  ///< A to Z, with the letter in KeyChord::letter
};

/// A key with its modifiers, as written "Ctrl+S", "Shift+Tab", "F2", "Enter".
struct KeyChord {
    Key key = Key::Enter;
    char letter = 0;  ///< 'A'..'Z' for Key::Letter
    bool ctrl = false;
    bool shift = false;

    friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

/// The chord a text names ("Ctrl+S", "ctrl+s", "Escape", "Esc", "Return"), or
/// nothing when it names none.
std::optional<KeyChord> parseKeyChord(std::string_view text);

/// "Ctrl+S" for the chord, as the menus of the system write it.
std::string keyChordText(const KeyChord& chord);

}  // namespace sg8
